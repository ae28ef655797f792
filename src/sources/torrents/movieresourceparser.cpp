#include "sources/torrents/movieresourceparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TitlesPerPage = 30;

// "…>text<" of a region link: what stands after its first ">".
QString regionText(QStringView piece)
{
    const qsizetype close = markerIndex(piece, u"</a>");
    if (close < 0)
        return {};
    return removeAll(firstPiece(piece.left(close + 1), u">").toString(), u"<");
}

QString titleText(QStringView anchor)
{
    const QStringView title = firstPiece(anchor, u"title=");
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

QString movieResourceAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText)
{
    return siteBase + u"/index.asp?keyword="_s + encodedKeyword + u"&page="_s + pageText;
}

bool isMovieResourceEmpty(const QString &body)
{
    return body.contains(u"没有符合属性的影片"_s);
}

bool statesMovieResourceTotal(const QString &body)
{
    return body.contains(u"共有");
}

int movieResourceRowLimit(const QString &body)
{
    const QString total = removeAll(cutFirstPiece(body, u"共有", u"部"), u"部");
    return qMin(leadingNumber(total), TitlesPerPage);
}

QList<MovieResourceRow> parseMovieResourcePage(const QString &body, const QString &siteBase)
{
    const MarkerPieces anchors(body, u"<a href=\"detail.asp?ID="_s);
    const MarkerPieces times(body, u"<td class=\"l6 \">"_s);
    const MarkerPieces regions(body, u"index.asp?RegionID="_s);
    const qsizetype limit = qMin<qsizetype>(movieResourceRowLimit(body), anchors.size() - 1);

    QList<MovieResourceRow> rows;
    rows.reserve(qMax<qsizetype>(limit, 0));
    for (qsizetype i = 1; i <= limit; ++i) {
        const QStringView anchor = anchors.piece(i);
        MovieResourceRow row;
        const QString id = detailId(anchor);
        row.detailAddress = siteBase + u"/detail.asp?ID="_s + id;
        row.updateTime = pieceField(times, i, u"</td>", u"<");
        if (regions.has(i))
            row.region = regionText(regions.piece(i));
        row.name = titleText(anchor);
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
