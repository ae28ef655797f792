#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the two further torrent sites: the magnet search site
// (channel 1), whose result page carries the magnet links, and the resource
// release site (channel 2), whose result page links a detail page per item.

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

// Channel 1: "/?s=<encoded keyword>&p=<page>".
QString magnetSearchAddress(const QString &siteBase, const QString &encodedKeyword, int page);
// Channel 2: "/search/<encoded keyword>?page=<page>".
QString resourceReleaseAddress(const QString &siteBase, const QString &encodedKeyword, int page);

// The pages that say there is nothing: channel 1 knows two wordings,
// channel 2 one.
bool isMagnetSearchEmpty(const QString &body);
bool isResourceReleaseEmpty(const QString &body);

qsizetype countMagnetSearchItems(const QString &body);
qsizetype countResourceReleaseItems(const QString &body);

// Rows 1..count by occurrence order; a field an item lacks is empty, an item
// lacking every field is left out. A magnet
// link keeps what stands before its first "&" (the whole link without one).
QList<MagnetSearchRow> parseMagnetSearchPage(const QString &body, qsizetype count);
QList<ReleaseItem> parseResourceReleasePage(const QString &body, qsizetype count);

// The magnet link of a detail page; empty when the page has none.
QString resourceReleaseMagnet(const QString &detailBody);

// Row `number` (1-based) of ListView19 as the reader lists it: a magnet
// search row, or a release item with the magnet link of its detail page
// (the release site states no size).
ListRow magnetSearchListRow(const MagnetSearchRow &row, qsizetype number);
ListRow resourceReleaseListRow(const ReleaseItem &item, const QString &magnetLink, qsizetype number);
