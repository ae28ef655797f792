#include "core/networksettings.h"

#include <QtGlobal>

#include <limits>

int NetworkSettings::effectiveDeadlineMs() const
{
    if (deadlineMs > 0)
        return deadlineMs;
    return int(qMin<qint64>(4 * qint64(qMax(1, timeoutMs)), std::numeric_limits<int>::max()));
}
