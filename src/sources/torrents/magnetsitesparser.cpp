#include "sources/torrents/magnetsitesparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

const QString &filesMarker()
{
    static const QString marker = u"<ul class=\"m-files-ul\">"_s;
    return marker;
}

const QString &releaseItemMarker()
{
    static const QString marker = u"<div class=\"name\">"_s;
    return marker;
}

const QString &noResultCount()
{
    static const QString text = u"<strong>0</strong>个结果"_s;
    return text;
}

QString metaField(QStringView meta, QStringView marker)
{
    return removeAll(cutFirstPiece(meta, marker, u"&nbsp;"), u"&");
}

QString itemName(QStringView files)
{
    QString name = cutBefore(files, u"<span");
    name.remove(u"<li>"_s);
    name.remove(QLatin1Char('\r'));
    name.remove(QLatin1Char('\n'));
    name.remove(QLatin1Char('<'));
    return name;
}

} // namespace

QString magnetSearchAddress(const QString &siteBase, const QString &encodedKeyword, int page)
{
    return siteBase + u"/?s="_s + encodedKeyword + u"&p="_s + QString::number(page);
}

QString resourceReleaseAddress(const QString &siteBase, const QString &encodedKeyword, int page)
{
    return siteBase + u"/search/"_s + encodedKeyword + u"?page="_s + QString::number(page);
}

bool isMagnetSearchEmpty(const QString &body)
{
    return body.contains(u"没有找到任何结果"_s) || body.contains(noResultCount());
}

bool isResourceReleaseEmpty(const QString &body)
{
    return body.contains(noResultCount());
}

qsizetype countMagnetSearchItems(const QString &body)
{
    return countFrom(body, filesMarker());
}

qsizetype countResourceReleaseItems(const QString &body)
{
    return countFrom(body, releaseItemMarker());
}

QList<MagnetSearchRow> parseMagnetSearchPage(const QString &body, qsizetype count)
{
    const MarkerPieces files(body, filesMarker());
    const MarkerPieces metas(body, u"<p class=\"m-meta\">"_s);
    QList<MagnetSearchRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        MagnetSearchRow row;
        if (files.has(i))
            row.name = itemName(files.piece(i));
        if (metas.has(i)) {
            const QString meta = cutBefore(metas.piece(i), u"</li>");
            row.size = metaField(meta, u"大小: ");
            row.time = metaField(meta, u"创建时间: ");
            const QString link = cutFirstPiece(meta, u"<a href=\"", u"\"");
            // The parameters after the first "&" go; a bare link stays whole.
            const qsizetype amp = link.indexOf(QLatin1Char('&'));
            row.magnetLink = amp < 0 ? link : link.left(amp);
        }
        if (row.name.isEmpty() && row.size.isEmpty() && row.time.isEmpty() && row.magnetLink.isEmpty())
            continue; // nothing cut
        rows.append(row);
    }
    return rows;
}

QList<ReleaseItem> parseResourceReleasePage(const QString &body, qsizetype count)
{
    const MarkerPieces anchors(body, u"</font><a href=\""_s);
    const MarkerPieces times(body, u"<p>发布:"_s);
    QList<ReleaseItem> items;
    items.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        ReleaseItem item;
        if (anchors.has(i)) {
            const QStringView anchor = anchors.piece(i);
            const qsizetype close = markerIndex(anchor, u"</a>");
            if (close >= 0) {
                // Put the anchor back together, then keep only its text.
                const QString whole = u"<a href=\""_s + anchor.left(close + 1) + u"/a>"_s;
                item.name = preg(preg(whole, u"</?a[^<>]*>"_s), u"</?font[^<>]*>"_s);
            }
            // The path comes from the page: kept a path on the same site, so
            // "@host/x" after the base address cannot name another host.
            item.detailPath = cutBefore(anchor, u"\"");
            if (!item.detailPath.isEmpty() && !item.detailPath.startsWith(QLatin1Char('/')))
                item.detailPath.prepend(QLatin1Char('/'));
        }
        item.time = pieceField(times, i, u"</p>", u"<");
        if (item.name.isEmpty() && item.time.isEmpty() && item.detailPath.isEmpty())
            continue; // nothing cut
        items.append(item);
    }
    return items;
}

QString resourceReleaseMagnet(const QString &detailBody)
{
    static const QString marker =
        u"<a class=\"bnt-0 resource-download-name\"  data-download-type=\"1\" target='blank' href=\""_s;
    return cutFirstPiece(detailBody, marker, u"\"");
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
