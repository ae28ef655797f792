#include "sources/movies/movielistingparser.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

namespace {

// Piece 1 after `marker` in a short text: up to the next marker or the end.
QStringView pieceOne(QStringView text, QStringView marker)
{
    const qsizetype at = markerIndex(text, marker);
    if (at < 0)
        return {};
    const QStringView rest = text.mid(at + marker.size());
    const qsizetype next = markerIndex(rest, marker);
    return next < 0 ? rest : rest.left(next);
}

} // namespace

const QList<MovieCategory> &movieCategories()
{
    static const QList<MovieCategory> categories = {
        {u"综合最新电影"_s, u"/html/gndy/dyzz/index.html"_s, u"/html/gndy/dyzz/"_s, u"/html/gndy/dyzz/"_s},
        {u"国内最新电影"_s, u"/html/gndy/china/index.html"_s, u"/html/gndy/"_s, u"/html/gndy/"_s},
        // The Western page links its titles under the latest-movies tree.
        {u"欧美最新电影"_s, u"/html/gndy/oumei/index.html"_s, u"/html/gndy/dyzz/"_s, u"/html/gndy/dyzz/"_s},
        {u"华语电视剧"_s, u"/html/tv/hytv/index.html"_s, u"/html/tv/hytv/"_s, u"/html/tv/hytv/"_s},
        {u"日韩电视剧"_s, u"/html/tv/rihantv/index.html"_s, u"/html/tv/rihantv/"_s, u"/html/tv/rihantv/"_s},
        {u"动漫资源"_s, u"/html/dongman/index.html"_s, u"/html/dongman/"_s, u"/html/dongman/"_s},
    };
    return categories;
}

QList<MovieListingRow> parseMovieListing(const QString &page, const QString &siteBase, const MovieCategory &category)
{
    const MarkerPieces rows(page, u"<td height=\"26\">"_s);
    const QString linkMarker = u"<a href=\""_s + category.linkPrefix;
    const qsizetype count = qMin<qsizetype>(rows.size() - 1, MoviesPerPage);

    QList<MovieListingRow> result;
    result.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        const QStringView segment = rows.piece(i);
        const qsizetype end = markerIndex(segment, u"padding-left:3px\">&nbsp;</td>");
        // The block ends with the end marker's first character.
        const QStringView block = end < 0 ? QStringView() : segment.left(end + 1);

        MovieListingRow row;
        const QString remainder = cutFirstPiece(block, linkMarker, u"\"");
        if (!remainder.isEmpty())
            row.detailAddress = siteBase + category.detailPrefix + remainder;
        const QStringView titlePiece = pieceOne(block, u"class=\"ulink\">");
        const qsizetype close = markerIndex(titlePiece, u"</a>");
        if (close >= 0)
            row.title = removeAll(titlePiece.left(close + 1).toString(), u"<");
        if (row.title.isEmpty() && row.detailAddress.isEmpty())
            continue; // nothing cut
        result.append(row);
    }
    return result;
}

QString movieDownloadAddress(const QString &detailPage)
{
    const QStringView piece = pieceOne(detailPage, u"#fdfddf\"><a href=\"");
    return removeAll(cutBefore(piece, u"\">"), u"\"");
}

ListRow movieListingListRow(const MovieListingRow &row, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, row.title}, {u"zzdz"_s, row.detailAddress}}};
}
