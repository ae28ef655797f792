#pragma once

#include <QTimer>

// A reader's named timer with the arm/disarm semantics the readers rely on:
// arming a timer that is already armed does not restart its interval.
class ReaderTimer : public QTimer
{
    Q_OBJECT

public:
    ReaderTimer(const QString &name, int intervalMs, QObject *parent);

    void arm();
    void disarm();

Q_SIGNALS:
    // Just before timeout(), so whoever runs the search can make what the
    // tick's work reports go to it.
    void aboutToTick();

protected:
    void timerEvent(QTimerEvent *event) override;
};
