#pragma once

#include "ui/urlopener.h"

#include <QList>
#include <QStringList>
#include <QUrl>

// An opener that records what the system would have been asked to open.
class RecordingOpener : public UrlOpener
{
public:
    QList<QUrl> opened;    // as URLs (an ed2k link is an invalid one)
    QStringList addresses; // as the text handed to the system

protected:
    bool openUrl(const QString &address) override;
};
