#pragma once

#include "core/urlopener.h"

#include <QList>

// An opener that records what the system would have been asked to open.
class RecordingOpener : public UrlOpener
{
public:
    QList<QUrl> opened;

protected:
    bool openUrl(const QUrl &url) override;
};
