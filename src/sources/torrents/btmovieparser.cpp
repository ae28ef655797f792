#include "sources/torrents/btmovieparser.h"

#include "core/markerscan.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

namespace {

const QString DownloadPath = u"/Download/xiazai"_s;

// Text up to `end`, keeping its first character; empty without `end`.
QString cutKeepingFirst(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

} // namespace

QString btMovieListAddress(const QString &siteBase, int page)
{
    const QString list = siteBase + u"/Download/bt/dianying"_s;
    return page == 1 ? list : list + u"/"_s + QString::number(page);
}

QList<BtMovieRow> parseBtMovieList(const QString &page, const QString &siteBase)
{
    const MarkerPieces items(page, u"<a href=\""_s + DownloadPath);
    const qsizetype count = qMin<qsizetype>(items.size() - 1, BtMoviesPerPage);
    QList<BtMovieRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        BtMovieRow row;
        const QString link = cutKeepingFirst(items.piece(i), u"</a>");
        const QString attributes = removeAll(cutKeepingFirst(link, u">"), u">");
        row.name = removeAll(firstPiece(attributes, u"title=\"").toString(), u"\"");
        const QString path = cutBefore(link, u"\"");
        if (!path.isEmpty())
            row.pageAddress = siteBase + DownloadPath + path;
        if (row.name.isEmpty() && row.pageAddress.isEmpty())
            continue; // nothing cut
        rows.append(row);
    }
    return rows;
}

BtMovieDownload parseBtMovieDownload(const QString &page)
{
    BtMovieDownload download;
    QString date = cutKeepingFirst(firstPiece(page, u"文件更新时间："), u"</div>");
    date.remove(u"</span>"_s);
    date.remove(u'<');
    download.date = date;

    QString address = cutKeepingFirst(firstPiece(page, u"select()\">"), u"</textarea>");
    address.remove(u'<');
    address.replace(u"&amp;"_s, u"&"_s);
    download.address = address;
    return download;
}

ListRow btMovieListRow(const BtMovieRow &row, qsizetype number)
{
    return {QString::number(number), {{QStringLiteral("mc"), row.name}, {QStringLiteral("dz"), row.pageAddress}}};
}
