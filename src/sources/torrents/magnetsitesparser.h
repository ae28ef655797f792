#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// Pure reading of the two further torrent sites, with the markers of their
// definitions: the magnet search site (channel 1, "magnet"), whose result
// page carries the magnet links, and the resource release site (channel 2,
// "release"), whose result page links a detail page per item.

struct MagnetSearchRow
{
    QString name;
    QString size;
    QString time;
    QString magnetLink;
};

struct ReleaseItem
{
    QString name;
    QString time;
    QString detailPath; // site-relative, as the page links it; always starts with "/"
};

// The search addresses of the definitions, with the page counter.
QString magnetSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                            int page);
QString resourceReleaseAddress(const SiteDefinition &definition, const QString &siteBase,
                               const QString &encodedKeyword, int page);
// An item's detail page: the site base and the item's path.
QString resourceReleaseDetailAddress(const SiteDefinition &definition, const QString &siteBase,
                                     const QString &detailPath);

// The pages that say there is nothing: channel 1 knows two wordings,
// channel 2 one.
bool isMagnetSearchEmpty(const SiteDefinition &definition, const QString &body);
bool isResourceReleaseEmpty(const SiteDefinition &definition, const QString &body);

qsizetype countMagnetSearchItems(const SiteDefinition &definition, const QString &body);
qsizetype countResourceReleaseItems(const SiteDefinition &definition, const QString &body);

// Rows 1..count by occurrence order; a field an item lacks is empty, an item
// lacking every field is left out. A magnet
// link keeps what stands before its first "&" (the whole link without one).
QList<MagnetSearchRow> parseMagnetSearchPage(const SiteDefinition &definition, const QString &body, qsizetype count);
QList<ReleaseItem> parseResourceReleasePage(const SiteDefinition &definition, const QString &body, qsizetype count);

// The magnet link of a detail page; empty when the page has none.
QString resourceReleaseMagnet(const SiteDefinition &definition, const QString &detailBody);

// Row `number` (1-based) of ListView19 as the reader lists it: a magnet
// search row, or a release item with the magnet link of its detail page
// (the release site states no size).
ListRow magnetSearchListRow(const MagnetSearchRow &row, qsizetype number);
ListRow resourceReleaseListRow(const ReleaseItem &item, const QString &magnetLink, qsizetype number);
