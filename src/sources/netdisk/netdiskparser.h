#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>
#include <QStringList>

struct SiteDefinition;

// The web search engine's result page for one netdisk, read as the
// definition "netdisk" says.

// The search for `encodedKeyword` on the netdisk whose site filter is
// `filter`; the page box text goes in unchanged.
QString netdiskSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &filter,
                             const QString &encodedKeyword, const QString &pageText);

// The hits on a page: the count marker's occurrences.
qsizetype countNetdiskHits(const SiteDefinition &definition, const QString &body);

// The first `count` hits of a page (all of them when count < 0), in page
// order, with the title as "mc" and the address as "dz". A hit whose title
// or address cannot be cut has that field empty; a hit with neither is left
// out.
QList<ListRow> parseNetdiskPage(const SiteDefinition &definition, const QString &body, qsizetype count = -1);

// The netdisk a title names: the first label test it passes; empty when it
// passes none.
QString netdiskLabel(const SiteDefinition &definition, const QString &title);

// A hit as ListView1 lists it: labelled by the netdisk its title names, or
// by the caption of the box whose page it came from.
ListRow netdiskListRow(const SiteDefinition &definition, ListRow hit, const QString &boxCaption);
