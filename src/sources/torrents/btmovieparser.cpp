#include "sources/torrents/btmovieparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

// Text up to `end`, keeping its first character; empty without `end`.
QString cutKeepingFirst(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

} // namespace

QString btMovieListAddress(const SiteDefinition &definition, const QString &siteBase, int page)
{
    if (page == 1)
        return AddressTemplate::expand(definition.address(u"list_first"_s), {{u"base"_s, siteBase}});
    return AddressTemplate::expand(definition.address(u"list"_s),
                                   {{u"base"_s, siteBase}, {u"page"_s, QString::number(page)}});
}

QList<BtMovieRow> parseBtMovieList(const SiteDefinition &definition, const QString &page, const QString &siteBase)
{
    const MarkerPieces items(page, definition.marker(u"item"_s));
    const QString itemEnd = definition.marker(u"item_end"_s);
    const QString linkEnd = definition.marker(u"link_end"_s);
    const QString title = definition.marker(u"title"_s);
    const QString download = definition.address(u"download"_s);
    const qsizetype count = qMin<qsizetype>(items.size() - 1, BtMoviesPerPage);
    QList<BtMovieRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        BtMovieRow row;
        const QString link = cutKeepingFirst(items.piece(i), itemEnd);
        // The opening tag: up to its ">".
        const QString attributes = removeAll(cutKeepingFirst(link, u">"), u">");
        row.name = removeAll(firstPiece(attributes, title).toString(), u"\"");
        const QString path = cutBefore(link, linkEnd);
        if (!path.isEmpty())
            row.pageAddress = AddressTemplate::expand(download, {{u"base"_s, siteBase}, {u"path"_s, path}});
        if (row.name.isEmpty() && row.pageAddress.isEmpty())
            continue; // nothing cut
        rows.append(row);
    }
    return rows;
}

BtMovieDownload parseBtMovieDownload(const SiteDefinition &definition, const QString &page)
{
    BtMovieDownload download;
    QString date = cutKeepingFirst(firstPiece(page, definition.marker(u"date"_s)), definition.marker(u"date_end"_s));
    date.remove(definition.marker(u"date_remove"_s));
    date.remove(u'<');
    download.date = date;

    QString address =
        cutKeepingFirst(firstPiece(page, definition.marker(u"address"_s)), definition.marker(u"address_end"_s));
    address.remove(u'<');
    address.replace(u"&amp;"_s, u"&"_s);
    download.address = address;
    return download;
}

ListRow btMovieListRow(const BtMovieRow &row, qsizetype number)
{
    return {QString::number(number), {{QStringLiteral("mc"), row.name}, {QStringLiteral("dz"), row.pageAddress}}};
}
