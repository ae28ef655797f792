#include "sources/torrents/magnetsitesparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

QString pagedAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                     int page)
{
    return AddressTemplate::expand(
        definition.searchAddress,
        {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, QString::number(page)}});
}

QString metaField(QStringView meta, QStringView marker, QStringView end)
{
    return removeAll(cutFirstPiece(meta, marker, end), u"&");
}

QString itemName(QStringView files, QStringView end, const QString &tag)
{
    QString name = cutBefore(files, end);
    name.remove(tag);
    name.remove(QLatin1Char('\r'));
    name.remove(QLatin1Char('\n'));
    name.remove(QLatin1Char('<'));
    return name;
}

} // namespace

QString magnetSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                            int page)
{
    return pagedAddress(definition, siteBase, encodedKeyword, page);
}

QString resourceReleaseAddress(const SiteDefinition &definition, const QString &siteBase,
                               const QString &encodedKeyword, int page)
{
    return pagedAddress(definition, siteBase, encodedKeyword, page);
}

QString resourceReleaseDetailAddress(const SiteDefinition &definition, const QString &siteBase,
                                     const QString &detailPath)
{
    // The path always starts with "/", which the template writes itself.
    return AddressTemplate::expand(definition.address(u"detail"_s),
                                   {{u"base"_s, siteBase}, {u"path"_s, detailPath.mid(1)}});
}

bool isMagnetSearchEmpty(const SiteDefinition &definition, const QString &body)
{
    return body.contains(definition.marker(u"no_results"_s)) || body.contains(definition.marker(u"zero_results"_s));
}

bool isResourceReleaseEmpty(const SiteDefinition &definition, const QString &body)
{
    return body.contains(definition.marker(u"zero_results"_s));
}

qsizetype countMagnetSearchItems(const SiteDefinition &definition, const QString &body)
{
    return countFrom(body, definition.marker(u"item"_s));
}

qsizetype countResourceReleaseItems(const SiteDefinition &definition, const QString &body)
{
    return countFrom(body, definition.marker(u"item"_s));
}

QList<MagnetSearchRow> parseMagnetSearchPage(const SiteDefinition &definition, const QString &body, qsizetype count)
{
    const MarkerPieces files(body, definition.marker(u"item"_s));
    const MarkerPieces metas(body, definition.marker(u"meta"_s));
    const QString nameEnd = definition.marker(u"name_end"_s);
    const QString nameTag = definition.marker(u"name_remove"_s);
    const QString metaEnd = definition.marker(u"meta_end"_s);
    const QString size = definition.marker(u"size"_s);
    const QString time = definition.marker(u"time"_s);
    const QString fieldEnd = definition.marker(u"meta_field_end"_s);
    const QString link = definition.marker(u"link"_s);
    const QString linkEnd = definition.marker(u"link_end"_s);
    QList<MagnetSearchRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        MagnetSearchRow row;
        if (files.has(i))
            row.name = itemName(files.piece(i), nameEnd, nameTag);
        if (metas.has(i)) {
            const QString meta = cutBefore(metas.piece(i), metaEnd);
            row.size = metaField(meta, size, fieldEnd);
            row.time = metaField(meta, time, fieldEnd);
            const QString address = cutFirstPiece(meta, link, linkEnd);
            // The parameters after the first "&" go; a bare link stays whole.
            const qsizetype amp = address.indexOf(QLatin1Char('&'));
            row.magnetLink = amp < 0 ? address : address.left(amp);
        }
        if (row.name.isEmpty() && row.size.isEmpty() && row.time.isEmpty() && row.magnetLink.isEmpty())
            continue; // nothing cut
        rows.append(row);
    }
    return rows;
}

QList<ReleaseItem> parseResourceReleasePage(const SiteDefinition &definition, const QString &body, qsizetype count)
{
    const MarkerPieces anchors(body, definition.marker(u"anchor"_s));
    const MarkerPieces times(body, definition.marker(u"time"_s));
    const QString anchorEnd = definition.marker(u"anchor_end"_s);
    const QString linkEnd = definition.marker(u"link_end"_s);
    const QString anchorOpening = definition.marker(u"anchor_opening"_s);
    const QString anchorTags = definition.marker(u"name_anchor_tags"_s);
    const QString fontTags = definition.marker(u"name_font_tags"_s);
    const QString timeEnd = definition.marker(u"time_end"_s);
    QList<ReleaseItem> items;
    items.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        ReleaseItem item;
        if (anchors.has(i)) {
            const QStringView anchor = anchors.piece(i);
            const qsizetype close = markerIndex(anchor, anchorEnd);
            if (close >= 0) {
                // Put the anchor back together, then keep only its text.
                const QString whole = anchorOpening + anchor.left(close) + anchorEnd;
                item.name = preg(preg(whole, anchorTags, {}, u"name_anchor_tags"_s), fontTags, {}, u"name_font_tags"_s);
            }
            // The path comes from the page: kept a path on the same site, so
            // "@host/x" after the base address cannot name another host.
            item.detailPath = cutBefore(anchor, linkEnd);
            if (!item.detailPath.isEmpty() && !item.detailPath.startsWith(QLatin1Char('/')))
                item.detailPath.prepend(QLatin1Char('/'));
        }
        item.time = pieceField(times, i, timeEnd, u"<");
        if (item.name.isEmpty() && item.time.isEmpty() && item.detailPath.isEmpty())
            continue; // nothing cut
        items.append(item);
    }
    return items;
}

QString resourceReleaseMagnet(const SiteDefinition &definition, const QString &detailBody)
{
    return cutFirstPiece(detailBody, definition.marker(u"detail_magnet"_s), definition.marker(u"detail_magnet_end"_s));
}

ListRow magnetSearchListRow(const MagnetSearchRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.name},
             {QStringLiteral("cl"), row.magnetLink},
             {QStringLiteral("dx"), row.size},
             {QStringLiteral("fb"), row.time}}};
}

ListRow resourceReleaseListRow(const ReleaseItem &item, const QString &magnetLink, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), item.name},
             {QStringLiteral("cl"), magnetLink},
             {QStringLiteral("dx"), QStringLiteral("未知")},
             {QStringLiteral("fb"), item.time}}};
}
