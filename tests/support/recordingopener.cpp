#include "support/recordingopener.h"

bool RecordingOpener::openUrl(const QUrl &url)
{
    opened.append(url);
    return true;
}
