#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// The torrent search and netdisk page parsers as they were written by hand
// before site definitions: the reference the definition-driven cutting is
// measured against. Kept for the benchmarks only.
namespace Handwritten {

struct TorrentSearchRow
{
    QString name;
    QString size;
    QString date;
    QString informationAddress;
    QString magnetLink;
};

struct NetdiskHit
{
    QString title;
    QString address;
};

qsizetype countTorrentSearchItems(const QString &body);
QList<TorrentSearchRow> parseTorrentSearchPage(const QString &body, const QString &siteBase, qsizetype count);

qsizetype countNetdiskHits(const QString &body);
QList<NetdiskHit> parseNetdiskPage(const QString &body, qsizetype count);

// The rows the result lists showed, built from those as the readers did.
ListRow torrentSearchListRow(const TorrentSearchRow &row, qsizetype number);
ListRow netdiskListRow(const NetdiskHit &hit, const QString &label);

} // namespace Handwritten
