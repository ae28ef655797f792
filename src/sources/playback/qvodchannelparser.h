#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// The QVOD channel site's list pages and the detail page of one video, read
// as its definition ("qvod-channel") says.

struct ChannelEntry
{
    QString title;
    QString detailAddress;
};

struct ChannelDetail
{
    QString posterPath; // site-relative; empty without a poster
    QString xunbo;      // 迅播高清 (Text7)
    QString qq;         // ＱＱ影音 (Text9)
    QString baidu;      // 百度影音 (Text10)
    QString kuaibo;     // 快播资源, the QVOD address (Text11)
};

// List page `page` (1 up).
QString channelListAddress(const SiteDefinition &definition, const QString &siteBase, int page);

// Entries 1 to `count` in page order; ends at the first entry the page lacks.
// An entry with neither title nor detail id is left out.
QList<ChannelEntry> parseChannelPage(const SiteDefinition &definition, const QString &page, const QString &siteBase,
                                     int count = 25);

ChannelDetail parseChannelDetail(const SiteDefinition &definition, const QString &page);

// Entry `number` (1-based) of ListView3 as the reader lists it.
ListRow channelListRow(const ChannelEntry &entry, qsizetype number);
