#pragma once

#include "core/fetchoutcome.h"

#include <QDateTime>
#include <QString>

// The last thing known of one configured site.
struct SiteStatus
{
    QString key;
    FetchOutcome outcome;
    int items = -1; // rows the last search or check found; -1: not known
    QDateTime checkedAt; // invalid: never fetched since start

    bool known() const;
    // "正常，12 条", "无结果标记", "连接超时 (5.0 s)" ...
    QString describe() const;
    // For scripts: "ok", "no-items", "timeout", "http-503" ...
    QString code() const;
};
