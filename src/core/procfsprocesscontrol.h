#pragma once

#include "core/processcontrol.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// ProcessControl on Linux: reads /proc directly (no shell) and signals with
// kill(2). A process matches when its comm or the base name of its argv[0]
// equals the name exactly (comm is cut to 15 characters by the kernel).
// exitproc() may run every few milliseconds, so it keeps each process's
// comm between calls: a process is read again on every call while it is
// new (it may still exec), then only now and then. While the last pid the
// kernel handed out stays the same, no process was started, and a name that
// was not running is not looked for again except every few calls.
// taskkill() always reads afresh.
class ProcfsProcessControl : public ProcessControl
{
public:
    explicit ProcfsProcessControl(QString procRoot = QStringLiteral("/proc"));

    bool exitproc(const QString &exeName) override;
    void taskkill(const QString &exeName) override;

    QList<qint64> matchingPids(const QString &exeName) const;

private:
    struct Seen
    {
        quint64 inode = 0; // a reused pid comes with a new /proc inode
        QByteArray comm;
        quint64 firstScan = 0;
        quint64 scan = 0; // the last scan that saw the process
    };

    bool matches(const QString &pidDir, const QByteArray &name) const;
    QByteArray readComm(const QByteArray &pidDir) const;

    QString m_procRoot;
    QHash<qint64, Seen> m_seen;
    quint64 m_scan = 0;
    quint64 m_calls = 0;
    QByteArray m_lastPid; // the last field of loadavg at the last scan
    QByteArray m_lastName;
    bool m_lastFound = false;
};
