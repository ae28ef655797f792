#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the QVOD search site: listing pages, keyword result
// pages, and the row fields both share.

struct QvodSearchRow
{
    QString title;
    QString column; // lmfl
    QString region; // dqfl
    QString detailAddress;
};

// Page 1: "/vod-show-p.html", page n: "/vod-show-p-<n>.html".
QString qvodListingAddress(const QString &siteBase, int page);
// Page 1: "/vod-search-wd-<kw>-p.html", page n: "/vod-search-wd-<kw>-p-<n>.html".
QString qvodSearchAddress(const QString &siteBase, const QString &encodedKeyword, int page = 1);

// The row markers of a listing page (<font color="#008000">).
qsizetype countQvodListingRows(const QString &page);
// Listing rows 1 .. `limit` (<tr bgcolor="#f5fef7">), ending at the first missing one.
// In both, a row where nothing can be cut is left out.
QList<QvodSearchRow> parseQvodListingRows(const QString &page, const QString &siteBase, qsizetype limit);
// Result rows 1 .. `limit` (<tr bgcolor="#F5FAFE">), ending at the first missing one.
QList<QvodSearchRow> parseQvodResultRows(const QString &pages, const QString &siteBase, qsizetype limit);

bool isQvodSearchEmpty(const QString &page);
// "共N部": N; 0 when the page states none.
int qvodResultCount(const QString &page);
// "当前:1/N页": N; 0 when the page states none.
int qvodResultPages(const QString &page);

// A row of ListView14 numbered `number`: listing rows count up from 1,
// keyword results count down from the stated total.
ListRow qvodSearchListRow(const QvodSearchRow &row, qsizetype number);
