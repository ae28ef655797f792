#pragma once

#include "core/processcontrol.h"

#include <QList>

// ProcessControl on Linux: reads /proc directly (no shell) and signals with
// kill(2). A process matches when its comm or the base name of its argv[0]
// equals the name exactly (comm is cut to 15 characters by the kernel).
class ProcfsProcessControl : public ProcessControl
{
public:
    explicit ProcfsProcessControl(QString procRoot = QStringLiteral("/proc"));

    bool exitproc(const QString &exeName) override;
    void taskkill(const QString &exeName) override;

    QList<qint64> matchingPids(const QString &exeName) const;

private:
    bool matches(const QString &pidDir, const QByteArray &name) const;

    QString m_procRoot;
};
