#pragma once

#include <QString>
#include <QStringList>

struct SiteDefinition;

// The ten live TV channels: list entry names, and the names of their player
// pages' addresses in the definition "live-tv".
class LiveTvChannels
{
public:
    static constexpr int StartChannel = 2; // "同步跟播"

    static const QStringList &names();
    static const QStringList &addressNames();
    // The channel's player page under `base` (the live TV site's base
    // address); empty for an index outside 0..9.
    static QString address(const SiteDefinition &definition, const QString &base, int index);
};
