#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the torrent search site's result page.

struct TorrentSearchRow
{
    QString name;
    QString size;
    QString date;
    QString informationAddress;
    QString magnetLink;
};

// "/search/<encoded keyword>/<page box text>", the page text unchanged.
QString torrentSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText);

// Every "magnet:?" on the page counts as one item.
qsizetype countTorrentSearchItems(const QString &body);

// Rows 1..count. Row i takes the i-th name, date and size cell, the i-th
// "/information/" and the i-th "magnet:" of the page, whatever the table
// around them; a field that cannot be cut for a row is empty, and a row
// where nothing can be cut is left out (the rows still pair by i).
QList<TorrentSearchRow> parseTorrentSearchPage(const QString &body, const QString &siteBase, qsizetype count);

// Row `number` (1-based) of ListView2 as the reader lists it.
ListRow torrentSearchListRow(const TorrentSearchRow &row, qsizetype number);
