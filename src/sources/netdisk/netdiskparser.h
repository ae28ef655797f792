#pragma once

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

// The item marker "title":" occurs once per hit.
qsizetype countNetdiskHits(const QString &body);

// The first `count` hits of a page (all of them when count < 0), in page
// order. A hit whose title or address cannot be cut has that field empty; a
// hit with neither is left out.
QList<NetdiskHit> parseNetdiskPage(const QString &body, qsizetype count = -1);

// The netdisk a title names: the first label test it passes; empty when it
// passes none.
QString netdiskLabel(const QString &title);
