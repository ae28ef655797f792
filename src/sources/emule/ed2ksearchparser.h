#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the ed2k search site's result page: one table row per
// file, opening with its category in square brackets.

struct Ed2kSearchRow
{
    QString name;
    QString category;
    QString fileAddress;
};

// Page 1 (the page box's numeric value, so "1.0" too) has no PageIndex:
// "/FileList.asp?SearchWord=<kw>"; any other page
// "/FileList.asp?PageIndex=<n>&SearchWord=<kw>".
QString ed2kSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText);

// Rows ("<td>[") on the page, at most 32767.
qsizetype countEd2kSearchRows(const QString &body);

// Rows 1 .. min(count, rows on the page). A row without "]" has no
// category and its name is cut from the whole row; without "</a>" the name
// is empty; without the file anchor the address is empty. A row where none
// of the three can be cut is left out.
QList<Ed2kSearchRow> parseEd2kSearchPage(const QString &body, const QString &siteBase, qsizetype count);

// Row `number` (1-based) of ListView17 as the reader lists it.
ListRow ed2kSearchListRow(const Ed2kSearchRow &row, qsizetype number);
