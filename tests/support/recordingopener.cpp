#include "support/recordingopener.h"

bool RecordingOpener::openUrl(const QString &address)
{
    opened.append(QUrl(address, QUrl::TolerantMode));
    addresses.append(address);
    return true;
}
