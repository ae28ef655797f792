#pragma once

#include "core/listrow.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <limits>

// One hit of the search across every source, in the merged list's terms.
struct AllSearchRow
{
    QString source;  // the source's name, e.g. "torrent"
    QString title;   // its caption, e.g. "番号资源"
    QString name;
    QString size;
    QString date;
    QString address;
};

// A row of a source's result list (its column keys) as a merged-list row:
// name "mc", size "dx", date the first of "rq", "fb", "gx", address the
// first magnet link among "fhdz", "cl", "xzdz", "zzdz", "dz", else the
// first of them that is not empty. Cells are cleaned as a list shows them.
AllSearchRow allSearchRow(const QString &source, const QString &title, const ListRow &row);

// What two rows merge on: "btih:<40 lower-case hex>" for a magnet link with
// a BitTorrent info-hash (hex or base32, in any case, percent-encoded or
// not), "ed2k:<lower-case hash>" for an ed2k file link, otherwise the
// address trimmed. A magnet or ed2k link without a readable hash is its
// own address.
QString addressKey(QStringView address);

// The size a text names, in bytes (factor 1024): "1.2 GB", "900MB",
// "1,024 KiB", "1,5 G", "12 字节"; a bare number is bytes. -1 for a text
// that is no size, or one too large to be real.
qint64 sizeInBytes(QStringView text);

// The date key of a row without a date; below every real one.
inline constexpr qint64 NoDateKey = std::numeric_limits<qint64>::min();

// A sortable key for a date (and time) as sites print it: milliseconds
// since the epoch, read as UTC. "2014-01-02", "2014/1/2", "2014.01.02",
// "2014年1月2日", each with an optional "12:30" or "12:30:45", and a
// feed's RFC 2822 date as its own clock shows it; text after
// the date is ignored. A date without a year ("01-02", "1月2日") is the
// last such day not after `today` (sites print recent posts that way; no
// `today`: the current date). NoDateKey for anything else.
qint64 dateKey(QStringView text, QDate today = {});
