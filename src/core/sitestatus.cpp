#include "core/sitestatus.h"

#include <QUrl>

using namespace Qt::StringLiterals;

bool SiteStatus::known() const
{
    return checkedAt.isValid();
}

QString SiteStatus::describe() const
{
    if (!known())
        return u"未检测"_s;
    // A site that sends its pages on to another host says so.
    QString where;
    if (!outcome.redirectedTo.isEmpty()) {
        const QUrl to(outcome.redirectedTo);
        where = u"（重定向到 "_s + to.host() + (to.port() >= 0 ? u':' + QString::number(to.port()) : QString())
                + u"）"_s;
    }
    if (outcome.failed())
        return outcome.describe() + where;
    if (items == 0)
        return u"无结果标记"_s + where;
    if (items > 0)
        return u"正常，"_s + QString::number(items) + u" 条"_s + where;
    return outcome.describe() + where;
}

QString SiteStatus::code() const
{
    if (!known())
        return u"unchecked"_s;
    if (!outcome.failed() && items == 0)
        return u"no-items"_s;
    return outcome.code();
}
