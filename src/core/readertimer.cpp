#include "core/readertimer.h"

#include <QTimerEvent>

ReaderTimer::ReaderTimer(const QString &name, int intervalMs, QObject *parent)
    : QTimer(parent)
{
    setObjectName(name);
    setInterval(intervalMs);
}

void ReaderTimer::arm()
{
    if (!isActive())
        start();
}

void ReaderTimer::disarm()
{
    stop();
}

void ReaderTimer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == timerId())
        Q_EMIT aboutToTick();
    QTimer::timerEvent(event);
}
