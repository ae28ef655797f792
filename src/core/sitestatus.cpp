#include "core/sitestatus.h"

using namespace Qt::StringLiterals;

bool SiteStatus::known() const
{
    return checkedAt.isValid();
}

QString SiteStatus::describe() const
{
    if (!known())
        return u"未检测"_s;
    if (outcome.failed())
        return outcome.describe();
    if (items == 0)
        return u"无结果标记"_s;
    if (items > 0)
        return u"正常，"_s + QString::number(items) + u" 条"_s;
    return outcome.describe();
}

QString SiteStatus::code() const
{
    if (!known())
        return u"unchecked"_s;
    if (!outcome.failed() && items == 0)
        return u"no-items"_s;
    return outcome.code();
}
