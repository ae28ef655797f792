#include "sources/torrents/rssfeedparser.h"

#include "core/markerscan.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

const QString &itemMarker()
{
    static const QString marker = u"<item>"_s;
    return marker;
}

QString fieldOf(QStringView item, QStringView marker, QStringView end, QStringView strip)
{
    return removeAll(cutFirstPiece(item, marker, end), strip);
}

} // namespace

QString rssFeedAddress(const QString &siteBase, const QString &encodedKeyword)
{
    return siteBase + u"/rss/"_s + encodedKeyword + u"/"_s;
}

qsizetype countRssFeedItems(const QString &body)
{
    return countFrom(body, itemMarker());
}

QList<RssFeedRow> parseRssFeed(const QString &body, qsizetype count)
{
    const MarkerPieces items(body, itemMarker());
    if (count < 0 || count > items.size() - 1)
        count = items.size() - 1;
    QList<RssFeedRow> rows;
    rows.reserve(count);
    for (qsizetype i = 1; i <= count; ++i) {
        QStringView item = items.piece(i);
        const qsizetype end = markerIndex(item, u"</item>");
        if (end >= 0)
            item = item.left(end);
        RssFeedRow row;
        row.title = fieldOf(item, u"<title><![CDATA[", u"]]", u"]");
        row.size = fieldOf(item, u"Size:", u"</b>", u"<");
        row.torrentAddress = fieldOf(item, u"<enclosure url=\"", u"\"", {});
        row.date = fieldOf(item, u"<pubDate>", u"</pubDate>", u"<");
        if (row.title.isEmpty() && row.size.isEmpty() && row.torrentAddress.isEmpty() && row.date.isEmpty())
            continue; // an item with nothing in it
        rows.append(row);
    }
    return rows;
}

ListRow rssFeedListRow(const RssFeedRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.title},
             {QStringLiteral("dx"), row.size},
             {QStringLiteral("zzdz"), row.torrentAddress},
             {QStringLiteral("rq"), row.date}}};
}
