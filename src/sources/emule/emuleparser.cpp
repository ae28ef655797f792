#include "sources/emule/emuleparser.h"

#include "core/markerscan.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString &itemMarker()
{
    static const QString marker = u"<div class=\"thumb\">"_s;
    return marker;
}

QString orEmpty(const std::optional<QStringView> &field)
{
    return field ? field->toString() : QString();
}

} // namespace

const QStringList &emuleCategoryPaths()
{
    static const QStringList paths = {u"/emule/movie/"_s, u"/emule/music/"_s, u"/emule/software/"_s,
                                      u"/emule/book/"_s,  u"/emule/edu/"_s,   u"/emule/datum/"_s,
                                      u"/emule/cartoon/"_s};
    return paths;
}

QString emuleCategoryAddress(const QString &siteBase, const QString &categoryPath, qint64 page)
{
    return siteBase + categoryPath + QString::number(page);
}

QString emuleSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText)
{
    return siteBase + u"/emule/search/"_s + encodedKeyword + u'/' + pageText;
}

bool isEmuleSearchEmpty(const QString &body)
{
    return body.contains(u"没能为您找到"_s);
}

qsizetype countEmuleItems(const QString &body)
{
    return countFrom(body, itemMarker());
}

EmuleItem parseEmuleItem(QStringView item, const QString &siteBase)
{
    EmuleItem out;
    if (const std::optional<QStringView> path = firstPieceBefore(item, u"<a href=\"/", u"\""))
        out.detailAddress = siteBase + u'/' + path->toString();
    out.name = orEmpty(firstPieceBefore(item, u"title=\"", u"\""));
    out.note = removeAll(orEmpty(firstPieceBefore(item, u"</a> | ", u"</p>")), u"<");
    return out;
}

QList<EmuleItem> parseEmuleListing(const QString &body, const QString &siteBase, qsizetype maxItems)
{
    const MarkerPieces items(body, itemMarker());
    const qsizetype count = qMin(maxItems, items.size() - 1);
    QList<EmuleItem> out;
    out.reserve(qMax<qsizetype>(count, 0));
    const QString bareAddress = siteBase + u'/';
    for (qsizetype i = 1; i <= count; ++i) {
        EmuleItem item = parseEmuleItem(items.piece(i), siteBase);
        // An item with nothing cut (a bare thumb marker) shows nothing.
        if (!item.name.isEmpty() || !item.note.isEmpty()
            || (!item.detailAddress.isEmpty() && item.detailAddress != bareAddress))
            out.append(std::move(item));
    }
    return out;
}

ListRow emuleListRow(const EmuleItem &item, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, item.name}, {u"bz"_s, item.note}, {u"zzdz"_s, item.detailAddress}}};
}
