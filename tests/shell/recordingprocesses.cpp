#include "recordingprocesses.h"

bool RecordingProcesses::exitproc(const QString &exeName)
{
    return running.contains(exeName);
}

void RecordingProcesses::taskkill(const QString &exeName)
{
    killed.append(exeName);
    running.removeAll(exeName);
}
