#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// Pure reading of the RSS torrent feed, with the markers of its definition
// ("rss").

struct RssFeedRow
{
    QString title;
    QString size;
    QString torrentAddress;
    QString date;
};

// The search address of the definition; the feed has no pages.
QString rssFeedAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword);

// One item per item marker.
qsizetype countRssFeedItems(const SiteDefinition &definition, const QString &body);

// The first `count` items (all of them when count < 0). Every field is cut
// inside its own item, so no title is ever paired with another item's
// torrent; a field an item lacks is empty, an item lacking all is left out.
QList<RssFeedRow> parseRssFeed(const SiteDefinition &definition, const QString &body, qsizetype count = -1);

// Row `number` (1-based) of ListView4 as the reader lists it.
ListRow rssFeedListRow(const RssFeedRow &row, qsizetype number);
