#pragma once

#include "core/processcontrol.h"

#include <QByteArray>
#include <QList>

// ProcessControl on Linux: reads /proc directly (no shell) and signals with
// kill(2). A process matches when its comm or the base name of its argv[0]
// equals the name exactly (comm is cut to 15 characters by the kernel).
// exitproc() may run every few milliseconds, so it does not walk /proc
// each time: the kernel hands out pids in rising order, so between full
// walks (about one in a hundred calls) it looks only at the pids created
// since the last call, each for its first few calls (it may still exec),
// and at the processes it found before. taskkill() always walks afresh.
class ProcfsProcessControl : public ProcessControl
{
public:
    explicit ProcfsProcessControl(QString procRoot = QStringLiteral("/proc"));
    ~ProcfsProcessControl() override;
    Q_DISABLE_COPY_MOVE(ProcfsProcessControl)

    bool exitproc(const QString &exeName) override;
    void taskkill(const QString &exeName) override;

    QList<qint64> matchingPids(const QString &exeName) const;

private:
    struct Recent
    {
        qint64 pid = 0;
        quint64 firstCall = 0;
    };

    bool matches(const QString &pidDir, const QByteArray &name) const;
    bool nameMatches(const QByteArray &pidDir, const QByteArray &name) const;
    QByteArray readComm(const QByteArray &pidDir) const;

    QString m_procRoot;
    QByteArray m_lastName;
    qint64 m_lastPid = 0;
    quint64 m_calls = 0;
    QList<qint64> m_found;   // pids running under m_lastName at the last call
    QList<Recent> m_recent;  // pids created lately, looked at on every call
    int m_loadavg = -1;      // /proc/loadavg, kept open
};
