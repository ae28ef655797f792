#include "core/searchlimits.h"

#include <algorithm>

using namespace Qt::StringLiterals;

int SearchLimits::lastPage(int stated)
{
    return std::clamp(stated, 1, MaxPages);
}

bool SearchLimits::roomForPage(qsizetype joined)
{
    return joined < MaxTextChars;
}

void SearchLimits::appendPage(QString &joined, QStringView separator, QStringView page)
{
    const qsizetype room = MaxTextChars - joined.size() - separator.size();
    if (room < 0)
        return;
    joined += separator;
    joined += page.left(room);
}

qsizetype SearchLimits::listedRows(qsizetype found)
{
    return std::clamp<qsizetype>(found, 0, MaxListRows);
}

QString SearchLimits::cutNote(qsizetype found)
{
    return u"页面有 "_s + QString::number(found) + u" 条，列表只列出前 "_s + QString::number(MaxListRows) + u" 条"_s;
}
