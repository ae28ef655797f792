#include "core/readertimer.h"

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
