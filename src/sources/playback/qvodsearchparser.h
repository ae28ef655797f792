#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// The QVOD search site's listing pages (definition "qvod-list") and keyword
// result pages ("qvod-search"), and the row fields both share; each call
// takes the definition of the page it reads.

struct QvodSearchRow
{
    QString title;
    QString column; // lmfl
    QString region; // dqfl
    QString detailAddress;
};

// Listing page `page` (1 up; page 1 has an address of its own).
QString qvodListingAddress(const SiteDefinition &listing, const QString &siteBase, int page);
// Result page `page` (page 1 and below: the search address).
QString qvodSearchAddress(const SiteDefinition &search, const QString &siteBase, const QString &encodedKeyword,
                          int page = 1);

// The count markers of a listing page.
qsizetype countQvodListingRows(const SiteDefinition &listing, const QString &page);
// Rows 1 .. `limit` at the definition's row marker, ending at the first
// missing one; a row where nothing can be cut is left out. The same for
// listing pages and for the joined result pages, each with its definition.
QList<QvodSearchRow> parseQvodRows(const SiteDefinition &definition, const QString &text, const QString &siteBase,
                                   qsizetype limit);

bool isQvodSearchEmpty(const SiteDefinition &search, const QString &page);
// The stated total ("共N部"); 0 when the page states none.
int qvodResultCount(const SiteDefinition &search, const QString &page);
// The stated page count ("当前:1/N页"); 0 when the page states none.
int qvodResultPages(const SiteDefinition &search, const QString &page);

// A row of ListView14 numbered `number`: listing rows count up from 1,
// keyword results count down from the stated total.
ListRow qvodSearchListRow(const QvodSearchRow &row, qsizetype number);
