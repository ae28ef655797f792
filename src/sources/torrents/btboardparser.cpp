#include "sources/torrents/btboardparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// The definition's markers, looked up once per page.
struct BoardMarkers
{
    explicit BoardMarkers(const SiteDefinition &definition)
        : postAddress(definition.address(u"post"_s))
        , postLink(definition.marker(u"post_link"_s))
        , postLinkEnd(definition.marker(u"post_link_end"_s))
        , postOpening(definition.marker(u"post_opening"_s))
        , cell(definition.marker(u"cell"_s))
        , cellEnd(definition.marker(u"cell_end"_s))
        , cellTags(definition.marker(u"cell_tags"_s))
        , anchorTags(definition.marker(u"anchor_tags"_s))
        , spanTags(definition.marker(u"span_tags"_s))
    {
    }

    QString postAddress;
    QString postLink;
    QString postLinkEnd;
    QString postOpening;
    QString cell;
    QString cellEnd;
    QString cellTags;
    QString anchorTags;
    QString spanTags;
};

// Text up to `end`, keeping its first character; empty without `end`.
QString cutKeepingFirst(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

// `hasQuery`: whether the post's query could be cut (the address alone is
// never empty once the quote is found).
BtBoardRow boardRow(QStringView segment, const QString &siteBase, const BoardMarkers &m, bool &hasQuery)
{
    BtBoardRow row;
    const QString record = m.postOpening + segment;
    const QString tail = record.mid(m.postOpening.size() + m.postLink.size());

    const qsizetype quote = markerIndex(tail, m.postLinkEnd);
    if (quote >= 0)
        row.address = AddressTemplate::expand(m.postAddress, {{u"base"_s, siteBase}, {u"path"_s, tail.left(quote)}});
    hasQuery = quote > 0;

    const MarkerPieces cells(tail, m.cell);
    if (cells.has(2))
        row.size = preg(m.cell + cells.piece(2), m.cellTags, {}, u"cell_tags"_s);
    if (cells.has(4)) {
        const QStringView piece = cells.piece(4);
        const qsizetype end = markerIndex(piece, m.cellEnd);
        if (end >= 0) {
            QString category = m.cell + piece.left(end) + m.cellEnd;
            category = preg(category, m.cellTags, {}, u"cell_tags"_s);
            category = preg(category, m.anchorTags, {}, u"anchor_tags"_s);
            row.category = preg(category, m.spanTags, {}, u"span_tags"_s);
        }
    }
    const QString titleCut = cutKeepingFirst(record, m.cellEnd);
    row.title = removeAll(preg(titleCut, m.anchorTags, {}, u"anchor_tags"_s), u"<");
    return row;
}

} // namespace

QString btBoardAddress(const SiteDefinition &definition, const QString &siteBase, int board)
{
    return AddressTemplate::expand(definition.address(u"list"_s),
                                   {{u"base"_s, siteBase}, {u"number"_s, QString::number(board)}});
}

QList<BtBoardRow> parseBtBoard(const SiteDefinition &definition, const QString &page, const QString &siteBase)
{
    const BoardMarkers markers(definition);
    const MarkerPieces posts(page, definition.marker(u"post"_s));
    const qsizetype count = qMin<qsizetype>(posts.size() - 1, PostsPerBoardPage);
    QList<BtBoardRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        bool hasQuery = false;
        BtBoardRow row = boardRow(posts.piece(i), siteBase, markers, hasQuery);
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
