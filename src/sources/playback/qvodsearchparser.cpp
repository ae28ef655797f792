#include "sources/playback/qvodsearchparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// Piece n (n >= 1) of `text` split at `separator`: empty when there is none.
QStringView separatedPiece(QStringView text, QChar separator, int n)
{
    qsizetype at = -1;
    for (int k = 0; k < n; ++k) {
        at = text.indexOf(separator, at + 1);
        if (at < 0)
            return {};
    }
    const qsizetype next = text.indexOf(separator, at + 1);
    return text.mid(at + 1, (next < 0 ? text.size() : next) - at - 1);
}

// `hasPath`: whether the detail path could be cut (the address is never
// empty once the link is found).
QvodSearchRow rowFields(QStringView piece, const QString &siteBase, bool &hasPath)
{
    const QString row = preg(piece.toString(), u"</?td[^<>]*>"_s);
    QvodSearchRow fields;

    // Each field is looked for only as far as it reaches: the row's piece
    // runs on to the next row.
    static constexpr QStringView linkMarker = u"<a href=\"/";
    const std::optional<QStringView> path = firstPieceBefore(row, linkMarker, u"\"");
    if (path || markerIndex(row, linkMarker) >= 0) {
        hasPath = path && !path->isEmpty();
        fields.detailAddress = siteBase + u"/"_s + (path ? path->toString() : QString());
    }

    fields.title = removeAll(separatedPiece(row, u'>', 1).toString(), u"</a");
    fields.column = removeAll(separatedPiece(row, u'>', 3).toString(), u"</a");

    // The region's text, its closing tag's "<" taken and then dropped.
    if (const std::optional<QStringView> region = firstPieceBefore(row, u"<font color=\"#3D709E\">", u"</font>"))
        fields.region = removeAll(region->toString(), u"<");
    return fields;
}

QList<QvodSearchRow> parseRows(const QString &text, const QString &marker, const QString &siteBase,
                               qsizetype limit)
{
    const MarkerPieces pieces(text, marker);
    QList<QvodSearchRow> rows;
    for (qsizetype i = 1; i <= limit && pieces.has(i); ++i) {
        bool hasPath = false;
        QvodSearchRow row = rowFields(pieces.piece(i), siteBase, hasPath);
        // A bare row marker carries nothing to show.
        if (hasPath || !row.title.isEmpty() || !row.column.isEmpty() || !row.region.isEmpty())
            rows.append(std::move(row));
    }
    return rows;
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

QString qvodListingAddress(const QString &siteBase, int page)
{
    if (page == 1)
        return siteBase + u"/vod-show-p.html"_s;
    return siteBase + u"/vod-show-p-"_s + QString::number(page) + u".html"_s;
}

QString qvodSearchAddress(const QString &siteBase, const QString &encodedKeyword, int page)
{
    if (page <= 1)
        return siteBase + u"/vod-search-wd-"_s + encodedKeyword + u"-p.html"_s;
    return siteBase + u"/vod-search-wd-"_s + encodedKeyword + u"-p-"_s + QString::number(page) + u".html"_s;
}

qsizetype countQvodListingRows(const QString &page)
{
    return countFrom(page, u"<font color=\"#008000\">");
}

QList<QvodSearchRow> parseQvodListingRows(const QString &page, const QString &siteBase, qsizetype limit)
{
    return parseRows(page, u"<tr bgcolor=\"#f5fef7\">"_s, siteBase, limit);
}

QList<QvodSearchRow> parseQvodResultRows(const QString &pages, const QString &siteBase, qsizetype limit)
{
    return parseRows(pages, u"<tr bgcolor=\"#F5FAFE\">"_s, siteBase, limit);
}

bool isQvodSearchEmpty(const QString &page)
{
    return page.contains(u"没有搜索到");
}

int qvodResultCount(const QString &page)
{
    return statedNumber(page, u"共"_s, u"部");
}

int qvodResultPages(const QString &page)
{
    return statedNumber(page, u"当前:1/"_s, u"页");
}

ListRow qvodSearchListRow(const QvodSearchRow &row, qsizetype number)
{
    return {QString::number(number),
            {{u"mc"_s, row.title}, {u"dz"_s, row.detailAddress}, {u"dqfl"_s, row.region}, {u"lmfl"_s, row.column}}};
}
