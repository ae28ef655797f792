#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// The ed2k search site's result page, read with the markers of its
// definition ("ed2k"): one table row per file, opening with its category.

struct Ed2kSearchRow
{
    QString name;
    QString category;
    QString fileAddress;
};

// Page 1 (the page box's numeric value, so "1.0" too) is the definition's
// first_page address; any other page its search address, with the page
// number in decimal.
QString ed2kSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                          const QString &pageText);

// Rows (row markers) on the page; the caller caps them (listedRows).
qsizetype countEd2kSearchRows(const SiteDefinition &definition, const QString &body);

// Rows 1 .. min(count, rows on the page). A row without the category end
// has no category and its name is cut from the whole row; without the
// title end the name is empty; without the file anchor the address is
// empty. A row where none of the three can be cut is left out.
QList<Ed2kSearchRow> parseEd2kSearchPage(const SiteDefinition &definition, const QString &body,
                                         const QString &siteBase, qsizetype count);

// Row `number` (1-based) of ListView17 as the reader lists it.
ListRow ed2kSearchListRow(const Ed2kSearchRow &row, qsizetype number);
