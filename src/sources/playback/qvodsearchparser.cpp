#include "sources/playback/qvodsearchparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

QvodSearchRow rowFields(QStringView piece, const QString &siteBase)
{
    const QString row = preg(piece.toString(), u"</?td[^<>]*>"_s);
    QvodSearchRow fields;

    const MarkerPieces link(row, u"<a href=\"/"_s);
    if (link.has(1)) {
        const QStringView rest = link.piece(1);
        const qsizetype quote = rest.indexOf(u'"');
        fields.detailAddress = siteBase + u"/"_s + (quote < 0 ? QString() : rest.left(quote).toString());
    }

    const MarkerPieces cells(row, u">"_s);
    fields.title = removeAll(cells.piece(1).toString(), u"</a");
    fields.column = removeAll(cells.piece(3).toString(), u"</a");

    const MarkerPieces region(row, u"<font color=\"#3D709E\">"_s);
    if (region.has(1)) {
        const QStringView rest = region.piece(1);
        const qsizetype end = rest.indexOf(u"</font>");
        fields.region = end < 0 ? QString() : removeAll(rest.left(end + 1).toString(), u"<");
    }
    return fields;
}

QList<QvodSearchRow> parseRows(const QString &text, const QString &marker, const QString &siteBase,
                               qsizetype limit)
{
    const MarkerPieces pieces(text, marker);
    QList<QvodSearchRow> rows;
    for (qsizetype i = 1; i <= limit && pieces.has(i); ++i)
        rows.append(rowFields(pieces.piece(i), siteBase));
    return rows;
}

// The number between the first `start` and the first `end` after it.
int statedNumber(const QString &page, const QString &start, QStringView end)
{
    const MarkerPieces pieces(page, start);
    if (!pieces.has(1))
        return 0;
    const QStringView rest = pieces.piece(1);
    const qsizetype at = rest.indexOf(end);
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
