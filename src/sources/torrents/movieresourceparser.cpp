#include "sources/torrents/movieresourceparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TitlesPerPage = 30;

// "…>text<" of a region link: what stands after its first ">".
QString regionText(QStringView piece, QStringView end)
{
    const qsizetype close = markerIndex(piece, end);
    if (close < 0)
        return {};
    return removeAll(firstPiece(piece.left(close + 1), u">").toString(), u"<");
}

QString titleText(QStringView anchor, QStringView marker)
{
    const QStringView title = firstPiece(anchor, marker);
    const qsizetype close = title.indexOf(QLatin1Char('>'));
    if (close < 0)
        return {};
    return removeAll(title.left(close).toString(), u"\"");
}

QString detailId(QStringView anchor)
{
    const qsizetype space = anchor.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {};
    return removeAll(anchor.left(space + 1).toString(), u"\"");
}

} // namespace

QString movieResourceAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                             const QString &pageText)
{
    return AddressTemplate::expand(definition.searchAddress,
                                   {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, pageText}});
}

bool isMovieResourceEmpty(const SiteDefinition &definition, const QString &body)
{
    return body.contains(definition.marker(u"no_match"_s));
}

bool statesMovieResourceTotal(const SiteDefinition &definition, const QString &body)
{
    return body.contains(definition.marker(u"total"_s));
}

int movieResourceRowLimit(const SiteDefinition &definition, const QString &body)
{
    const QString end = definition.marker(u"total_end"_s);
    const QString total = removeAll(cutFirstPiece(body, definition.marker(u"total"_s), end), end);
    return qMin(leadingNumber(total), TitlesPerPage);
}

QList<MovieResourceRow> parseMovieResourcePage(const SiteDefinition &definition, const QString &body,
                                               const QString &siteBase)
{
    const MarkerPieces anchors(body, definition.marker(u"anchor"_s));
    const MarkerPieces times(body, definition.marker(u"updated"_s));
    const MarkerPieces regions(body, definition.marker(u"region"_s));
    const QString titleMarker = definition.marker(u"title"_s);
    const QString timeEnd = definition.marker(u"updated_end"_s);
    const QString regionEnd = definition.marker(u"region_end"_s);
    const QString detail = definition.address(u"detail"_s);
    const qsizetype limit = qMin<qsizetype>(movieResourceRowLimit(definition, body), anchors.size() - 1);

    QList<MovieResourceRow> rows;
    rows.reserve(qMax<qsizetype>(limit, 0));
    for (qsizetype i = 1; i <= limit; ++i) {
        const QStringView anchor = anchors.piece(i);
        MovieResourceRow row;
        const QString id = detailId(anchor);
        row.detailAddress = AddressTemplate::expand(detail, {{u"base"_s, siteBase}, {u"number"_s, id}});
        row.updateTime = pieceField(times, i, timeEnd, u"<");
        if (regions.has(i))
            row.region = regionText(regions.piece(i), regionEnd);
        row.name = titleText(anchor, titleMarker);
        if (id.isEmpty() && row.updateTime.isEmpty() && row.region.isEmpty() && row.name.isEmpty())
            continue; // nothing cut
        rows.append(row);
    }
    return rows;
}

ListRow movieResourceListRow(const MovieResourceRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.name},
             {QStringLiteral("zzdz"), row.detailAddress},
             {QStringLiteral("gx"), row.updateTime},
             {QStringLiteral("bz"), row.region}}};
}
