#include "sources/torrents/rssfeedparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

namespace {

// A field's start and end markers, looked up once per parse.
struct Cut
{
    QString start;
    QString end;
};

Cut cutOf(const SiteDefinition &definition, const QString &name)
{
    return {definition.marker(name), definition.marker(name + u"_end"_s)};
}

QString fieldOf(QStringView item, const Cut &cut, QStringView strip)
{
    return removeAll(cutFirstPiece(item, cut.start, cut.end), strip);
}

} // namespace

QString rssFeedAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword)
{
    return AddressTemplate::expand(definition.searchAddress, {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}});
}

qsizetype countRssFeedItems(const SiteDefinition &definition, const QString &body)
{
    return countFrom(body, definition.marker(u"item"_s));
}

QList<RssFeedRow> parseRssFeed(const SiteDefinition &definition, const QString &body, qsizetype count)
{
    const MarkerPieces items(body, definition.marker(u"item"_s));
    const QString itemEnd = definition.marker(u"item_end"_s);
    const Cut title = cutOf(definition, u"title"_s);
    const Cut size = cutOf(definition, u"size"_s);
    const Cut torrent = cutOf(definition, u"torrent"_s);
    const Cut date = cutOf(definition, u"date"_s);
    if (count < 0 || count > items.size() - 1)
        count = items.size() - 1;
    QList<RssFeedRow> rows;
    rows.reserve(count);
    for (qsizetype i = 1; i <= count; ++i) {
        QStringView item = items.piece(i);
        const qsizetype end = markerIndex(item, itemEnd);
        if (end >= 0)
            item = item.left(end);
        RssFeedRow row;
        // What is left of the CDATA end, and a stray "<", go.
        row.title = fieldOf(item, title, u"]");
        row.size = fieldOf(item, size, u"<");
        row.torrentAddress = fieldOf(item, torrent, {});
        row.date = fieldOf(item, date, u"<");
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
