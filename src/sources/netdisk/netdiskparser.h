#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>
#include <QStringList>

// Pure reading of the web search engine's result page for one netdisk.

struct NetdiskHit
{
    QString title;
    QString address;
};

// The 24 netdisks: check box captions, in index order.
const QStringList &netdiskCaptions();

// The search for `encodedKeyword` on the netdisk whose site filter is
// `filter`: "<base>/s?wd=site%3A<filter>%20<keyword>&pn=<page box text>
// &rn=50&ie=utf-8&rsv_page=1".
QString netdiskSearchAddress(const QString &siteBase, const QString &filter, const QString &encodedKeyword,
                             const QString &pageText);

// The item marker "title":" occurs once per hit.
qsizetype countNetdiskHits(const QString &body);

// The first `count` hits of a page (all of them when count < 0), in page
// order. A hit whose title or address cannot be cut has that field empty; a
// hit with neither is left out.
QList<NetdiskHit> parseNetdiskPage(const QString &body, qsizetype count = -1);

// The netdisk a title names: the first label test it passes; empty when it
// passes none.
QString netdiskLabel(const QString &title);

// A hit as ListView1 lists it: labelled by the netdisk its title names, or
// by the caption of the box whose page it came from.
ListRow netdiskListRow(const NetdiskHit &hit, const QString &boxCaption);
