#pragma once

#include <QString>
#include <QStringList>

// The ten live TV channels: list entry names and the paths of their player
// pages on the live TV site.
class LiveTvChannels
{
public:
    static constexpr int StartChannel = 2; // "同步跟播"

    static const QStringList &names();
    static const QStringList &paths();
    // The live TV site's base address + the channel's path; empty for an
    // index outside 0..9.
    static QString address(const QString &base, int index);
};
