#include "sources/movies/movielistingparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"

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
        {u"综合最新电影"_s, u"latest"_s}, {u"国内最新电影"_s, u"china"_s},  {u"欧美最新电影"_s, u"western"_s},
        {u"华语电视剧"_s, u"chinese_tv"_s}, {u"日韩电视剧"_s, u"asian_tv"_s}, {u"动漫资源"_s, u"cartoon"_s},
    };
    return categories;
}

QString movieListingAddress(const SiteDefinition &definition, const QString &siteBase, const MovieCategory &category)
{
    return AddressTemplate::expand(definition.address(category.name), {{u"base"_s, siteBase}});
}

QList<MovieListingRow> parseMovieListing(const SiteDefinition &definition, const QString &page,
                                         const QString &siteBase, const MovieCategory &category)
{
    const MarkerPieces rows(page, definition.marker(u"row"_s));
    const QString rowEnd = definition.marker(u"row_end"_s);
    const QString linkMarker = definition.marker(category.name + u"_link"_s);
    const QString linkEnd = definition.marker(u"link_end"_s);
    const QString detailAddress = definition.address(category.name + u"_detail"_s);
    const QString titleMarker = definition.marker(u"title"_s);
    const QString titleEnd = definition.marker(u"title_end"_s);
    const qsizetype count = qMin<qsizetype>(rows.size() - 1, MoviesPerPage);

    QList<MovieListingRow> result;
    result.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        const QStringView segment = rows.piece(i);
        const qsizetype end = markerIndex(segment, rowEnd);
        // The block ends with the end marker's first character.
        const QStringView block = end < 0 ? QStringView() : segment.left(end + 1);

        MovieListingRow row;
        const QString remainder = cutFirstPiece(block, linkMarker, linkEnd);
        if (!remainder.isEmpty())
            row.detailAddress = AddressTemplate::expand(detailAddress, {{u"base"_s, siteBase}, {u"path"_s, remainder}});
        const QStringView titlePiece = pieceOne(block, titleMarker);
        const qsizetype close = markerIndex(titlePiece, titleEnd);
        if (close >= 0)
            row.title = removeAll(titlePiece.left(close + 1).toString(), u"<");
        if (row.title.isEmpty() && row.detailAddress.isEmpty())
            continue; // nothing cut
        result.append(row);
    }
    return result;
}

QString movieDownloadAddress(const SiteDefinition &definition, const QString &detailPage)
{
    const QStringView piece = pieceOne(detailPage, definition.marker(u"download_link"_s));
    return removeAll(cutBefore(piece, definition.marker(u"download_link_end"_s)), u"\"");
}

ListRow movieListingListRow(const MovieListingRow &row, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, row.title}, {u"zzdz"_s, row.detailAddress}}};
}
