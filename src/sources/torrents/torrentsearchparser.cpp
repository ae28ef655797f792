#include "sources/torrents/torrentsearchparser.h"

#include "core/markerscan.h"
#include "sources/torrents/piececuts.h"

using namespace Qt::StringLiterals;

QString torrentSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText)
{
    return siteBase + u"/search/"_s + encodedKeyword + u"/"_s + pageText;
}

qsizetype countTorrentSearchItems(const QString &body)
{
    return countFrom(body, u"magnet:?");
}

QList<TorrentSearchRow> parseTorrentSearchPage(const QString &body, const QString &siteBase, qsizetype count)
{
    const MarkerPieces names(body, u"<td class=\"name\">"_s);
    const MarkerPieces dates(body, u"<td class=\"date\">"_s);
    const MarkerPieces sizes(body, u"<td class=\"size\">"_s);
    const MarkerPieces information(body, u"/information/"_s);
    // "magnet:" without the "?" still shifts this column, as on the page.
    const MarkerPieces magnets(body, u"magnet:"_s);

    QList<TorrentSearchRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        TorrentSearchRow row;
        row.name = pieceField(names, i, u"</td>", u"<");
        row.date = pieceField(dates, i, u"</td>", u"<");
        row.size = pieceField(sizes, i, u"</td>", u"<");
        // An id without its closing quote leaves the bare information path.
        const QString id = information.has(i) ? cutBefore(information.piece(i), u"\"") : QString();
        if (information.has(i))
            row.informationAddress = siteBase + u"/information/"_s + id;
        const QString tail = pieceField(magnets, i, u"\"");
        if (!tail.isEmpty())
            row.magnetLink = u"magnet:"_s + tail;
        // A row with nothing cut (a bare "magnet:?" counted) shows nothing.
        if (row.name.isEmpty() && row.date.isEmpty() && row.size.isEmpty() && id.isEmpty() && tail.isEmpty())
            continue;
        rows.append(row);
    }
    return rows;
}

ListRow torrentSearchListRow(const TorrentSearchRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.name},
             {QStringLiteral("dx"), row.size},
             {QStringLiteral("xzdz"), row.informationAddress},
             {QStringLiteral("fhdz"), row.magnetLink},
             {QStringLiteral("rq"), row.date}}};
}
