#pragma once

#include "core/processcontrol.h"

#include <QStringList>

// Records every kill command in order; reports the names in `running` as
// running processes.
class RecordingProcesses : public ProcessControl
{
public:
    bool exitproc(const QString &exeName) override;
    void taskkill(const QString &exeName) override;

    QStringList running;
    QStringList killed;
};
