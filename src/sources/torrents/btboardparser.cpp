#include "sources/torrents/btboardparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

const QString CellTags = u"</?TD[^<>]*>"_s;
const QString AnchorTags = u"</?a[^<>]*>"_s;
const QString SpanTags = u"</?span[^<>]*>"_s;

// Text up to `end`, keeping its first character; empty without `end`.
QString cutKeepingFirst(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

// `hasQuery`: whether the post's query could be cut (the address alone is
// never empty once the quote is found).
BtBoardRow boardRow(QStringView segment, const QString &siteBase, bool &hasQuery)
{
    BtBoardRow row;
    // The anchor pattern frees the title once an opening tag stands before
    // the link target again.
    const QString record = u"<a "_s + segment;
    // The link targets start "display.php?" (12 characters).
    const QString tail = record.mid(3 + 12);

    const qsizetype quote = tail.indexOf(u'"');
    if (quote >= 0)
        row.address = siteBase + u"/display.php?"_s + tail.left(quote);
    hasQuery = quote > 0;

    const MarkerPieces cells(tail, u"<TD"_s);
    if (cells.has(2))
        row.size = preg(u"<TD"_s + cells.piece(2), CellTags);
    if (cells.has(4)) {
        const QString cut = cutKeepingFirst(cells.piece(4), u"</TD>");
        if (!cut.isEmpty()) {
            QString category = u"<TD"_s + cut + u"/TD>"_s;
            category = preg(category, CellTags);
            category = preg(category, AnchorTags);
            row.category = preg(category, SpanTags);
        }
    }
    const QString titleCut = cutKeepingFirst(record, u"</TD>");
    row.title = removeAll(preg(titleCut, AnchorTags), u"<");
    return row;
}

} // namespace

QString btBoardAddress(const QString &siteBase, int board)
{
    return siteBase + u"/list.php?BoardID="_s + QString::number(board);
}

QList<BtBoardRow> parseBtBoard(const QString &page, const QString &siteBase)
{
    const MarkerPieces posts(page, u"&nbsp;<A href=\""_s);
    const qsizetype count = qMin<qsizetype>(posts.size() - 1, PostsPerBoardPage);
    QList<BtBoardRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        bool hasQuery = false;
        BtBoardRow row = boardRow(posts.piece(i), siteBase, hasQuery);
        if (hasQuery || !row.title.isEmpty() || !row.size.isEmpty() || !row.category.isEmpty())
            rows.append(std::move(row));
    }
    return rows;
}

ListRow btBoardListRow(const BtBoardRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.title},
             {QStringLiteral("dz"), row.address},
             {QStringLiteral("dx"), row.size},
             {QStringLiteral("fl"), row.category}}};
}
