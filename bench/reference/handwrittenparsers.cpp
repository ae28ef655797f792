#include "reference/handwrittenparsers.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

namespace {

QString pieceField(const MarkerPieces &pieces, qsizetype n, QStringView end, QStringView strip = {})
{
    if (!pieces.has(n))
        return {};
    const QString value = cutBefore(pieces.piece(n), end);
    return strip.isEmpty() ? value : removeAll(value, strip);
}

QString fieldOf(const MarkerPieces &pieces, qsizetype n)
{
    return removeAll(cutBefore(pieces.piece(n), u"\""), u"\"");
}

} // namespace

namespace Handwritten {

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
    const MarkerPieces magnets(body, u"magnet:"_s);

    QList<TorrentSearchRow> rows;
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype i = 1; i <= count; ++i) {
        TorrentSearchRow row;
        row.name = pieceField(names, i, u"</td>", u"<");
        row.date = pieceField(dates, i, u"</td>", u"<");
        row.size = pieceField(sizes, i, u"</td>", u"<");
        const QString id = information.has(i) ? cutBefore(information.piece(i), u"\"") : QString();
        if (information.has(i))
            row.informationAddress = siteBase + u"/information/"_s + id;
        const QString tail = pieceField(magnets, i, u"\"");
        if (!tail.isEmpty())
            row.magnetLink = u"magnet:"_s + tail;
        if (row.name.isEmpty() && row.date.isEmpty() && row.size.isEmpty() && id.isEmpty() && tail.isEmpty())
            continue;
        rows.append(row);
    }
    return rows;
}

qsizetype countNetdiskHits(const QString &body)
{
    return countFrom(body, u"\"title\":\"");
}

QList<NetdiskHit> parseNetdiskPage(const QString &body, qsizetype count)
{
    const MarkerPieces titles(body, u"\"title\":\""_s);
    const MarkerPieces addresses(body, u"\"url\":\""_s);
    QList<NetdiskHit> hits;
    hits.reserve(count);
    for (qsizetype n = 1; n <= count; ++n) {
        NetdiskHit hit{fieldOf(titles, n), fieldOf(addresses, n)};
        if (!hit.title.isEmpty() || !hit.address.isEmpty())
            hits.append(std::move(hit));
    }
    return hits;
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

ListRow netdiskListRow(const NetdiskHit &hit, const QString &label)
{
    return {label, {{u"mc"_s, hit.title}, {u"dz"_s, hit.address}}};
}

} // namespace Handwritten
