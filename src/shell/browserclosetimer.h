#pragma once

#include <QTimer>

class ProcessControl;

// Timer25: while it runs, every tick ends "iexplore.exe" when a process of
// exactly that name is running (the player's advertising pop-ups).
class BrowserCloseTimer : public QTimer
{
    Q_OBJECT

public:
    static const QString &targetName();

    BrowserCloseTimer(ProcessControl *processes, QObject *parent = nullptr);

    int kills() const;

private:
    void tick();

    ProcessControl *m_processes;
    int m_kills = 0;
};
