#include "sources/playback/qvodsearchparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// Piece n (n >= 1) of `text` split at `separator`: empty when there is none.
QStringView separatedPiece(QStringView text, QStringView separator, int n)
{
    qsizetype at = -separator.size();
    for (int k = 0; k < n; ++k) {
        at = text.indexOf(separator, at + separator.size());
        if (at < 0)
            return {};
    }
    const qsizetype start = at + separator.size();
    const qsizetype next = text.indexOf(separator, start);
    return text.mid(start, (next < 0 ? text.size() : next) - start);
}

// The row markers, looked up once per parse.
struct RowMarkers
{
    explicit RowMarkers(const SiteDefinition &d)
        : cellTags(d.marker(u"cell_tags"_s))
        , link(d.marker(u"row_link"_s))
        , linkEnd(d.marker(u"row_link_end"_s))
        , tagEnd(d.marker(u"tag_end"_s))
        , linkClose(d.marker(u"link_close"_s))
        , region(d.marker(u"region"_s))
        , regionEnd(d.marker(u"region_end"_s))
        , detail(d.address(u"detail"_s))
    {
    }

    QString cellTags;
    QString link;
    QString linkEnd;
    QString tagEnd;
    QString linkClose;
    QString region;
    QString regionEnd;
    QString detail;
};

// `hasPath`: whether the detail path could be cut (the address is never
// empty once the link is found).
QvodSearchRow rowFields(QStringView piece, const RowMarkers &markers, const QString &siteBase, bool &hasPath)
{
    const QString row = preg(piece.toString(), markers.cellTags, {}, u"cell_tags"_s);
    QvodSearchRow fields;

    // Each field is looked for only as far as it reaches: the row's piece
    // runs on to the next row.
    const std::optional<QStringView> path = firstPieceBefore(row, markers.link, markers.linkEnd);
    if (path || markerIndex(row, markers.link) >= 0) {
        hasPath = path && !path->isEmpty();
        fields.detailAddress = AddressTemplate::expand(
            markers.detail, {{u"base"_s, siteBase}, {u"path"_s, path ? path->toString() : QString()}});
    }

    fields.title = removeAll(separatedPiece(row, markers.tagEnd, 1).toString(), markers.linkClose);
    fields.column = removeAll(separatedPiece(row, markers.tagEnd, 3).toString(), markers.linkClose);

    // The region's text, its closing tag's "<" taken and then dropped.
    if (const std::optional<QStringView> region = firstPieceBefore(row, markers.region, markers.regionEnd))
        fields.region = removeAll(region->toString(), u"<");
    return fields;
}

// The number between the first `start` and the first `end` after it.
int statedNumber(const QString &page, const QString &start, QStringView end)
{
    const MarkerPieces pieces(page, start);
    if (!pieces.has(1))
        return 0;
    const QStringView rest = pieces.piece(1);
    const qsizetype at = markerIndex(rest, end);
    return at < 0 ? 0 : leadingNumber(rest.left(at));
}

} // namespace

QString qvodListingAddress(const SiteDefinition &listing, const QString &siteBase, int page)
{
    if (page == 1)
        return AddressTemplate::expand(listing.address(u"first_page"_s), {{u"base"_s, siteBase}});
    return AddressTemplate::expand(listing.address(u"later_page"_s),
                                   {{u"base"_s, siteBase}, {u"page"_s, QString::number(page)}});
}

QString qvodSearchAddress(const SiteDefinition &search, const QString &siteBase, const QString &encodedKeyword,
                          int page)
{
    if (page <= 1)
        return AddressTemplate::expand(search.searchAddress, {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}});
    return AddressTemplate::expand(
        search.address(u"later_page"_s),
        {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, QString::number(page)}});
}

qsizetype countQvodListingRows(const SiteDefinition &listing, const QString &page)
{
    return countFrom(page, listing.marker(u"count"_s));
}

QList<QvodSearchRow> parseQvodRows(const SiteDefinition &definition, const QString &text, const QString &siteBase,
                                   qsizetype limit)
{
    const MarkerPieces pieces(text, definition.marker(u"row"_s));
    const RowMarkers markers(definition);
    QList<QvodSearchRow> rows;
    for (qsizetype i = 1; i <= limit && pieces.has(i); ++i) {
        bool hasPath = false;
        QvodSearchRow row = rowFields(pieces.piece(i), markers, siteBase, hasPath);
        // A bare row marker carries nothing to show.
        if (hasPath || !row.title.isEmpty() || !row.column.isEmpty() || !row.region.isEmpty())
            rows.append(std::move(row));
    }
    return rows;
}

bool isQvodSearchEmpty(const SiteDefinition &search, const QString &page)
{
    return page.contains(search.marker(u"not_found"_s));
}

int qvodResultCount(const SiteDefinition &search, const QString &page)
{
    return statedNumber(page, search.marker(u"total"_s), search.marker(u"total_end"_s));
}

int qvodResultPages(const SiteDefinition &search, const QString &page)
{
    return statedNumber(page, search.marker(u"pages"_s), search.marker(u"pages_end"_s));
}

ListRow qvodSearchListRow(const QvodSearchRow &row, qsizetype number)
{
    return {QString::number(number),
            {{u"mc"_s, row.title}, {u"dz"_s, row.detailAddress}, {u"dqfl"_s, row.region}, {u"lmfl"_s, row.column}}};
}
