#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// The torrent search site's result page, read as its definition
// ("torrent") says.

// The search address; the page box text goes in unchanged.
QString torrentSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                             const QString &pageText);

// The items on a page: the count marker's occurrences.
qsizetype countTorrentSearchItems(const SiteDefinition &definition, const QString &body);

// Rows 1..count of ListView2 (column keys mc, dx, xzdz, fhdz, rq). Row i
// takes the i-th piece of every field, whatever the table around them; a
// field that cannot be cut for a row is empty, and a row where nothing can
// be cut is left out (the rest still pair by i).
QList<ListRow> parseTorrentSearchPage(const SiteDefinition &definition, const QString &body, const QString &siteBase,
                                      qsizetype count);
