#include "shell/browserclosetimer.h"

#include "core/processcontrol.h"

using namespace Qt::StringLiterals;

const QString &BrowserCloseTimer::targetName()
{
    static const QString name = u"iexplore.exe"_s;
    return name;
}

BrowserCloseTimer::BrowserCloseTimer(ProcessControl *processes, QObject *parent)
    : QTimer(parent)
    , m_processes(processes)
{
    setObjectName(u"Timer25"_s);
    setInterval(10);
    connect(this, &QTimer::timeout, this, &BrowserCloseTimer::tick);
}

int BrowserCloseTimer::kills() const
{
    return m_kills;
}

void BrowserCloseTimer::tick()
{
    if (m_processes && m_processes->exitproc(targetName())) {
        m_processes->taskkill(targetName());
        ++m_kills;
    }
}
