#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the movie listing site: its six category index pages and
// the download link of a title's detail page.

struct MovieCategory
{
    QString caption;
    QString listingPath;  // appended to the base address
    QString linkPrefix;   // after `<a href="` in a title link
    QString detailPrefix; // base address + this + the link's remainder
};

// The categories of Command14_0 .. Command14_5, in index order.
const QList<MovieCategory> &movieCategories();

struct MovieListingRow
{
    QString title;
    QString detailAddress;
};

constexpr int MoviesPerPage = 25;

// Up to 25 rows, one per listing row the page holds. A row whose block or
// link cannot be cut keeps its place with the missing fields empty; a row
// where neither can be cut is left out.
QList<MovieListingRow> parseMovieListing(const QString &page, const QString &siteBase,
                                         const MovieCategory &category);

// The download address a detail page links after "#fdfddf", exactly as the
// page gives it; empty when the page has no such link.
QString movieDownloadAddress(const QString &detailPage);

// Row `number` (1-based) of ListView5 as the reader lists it.
ListRow movieListingListRow(const MovieListingRow &row, qsizetype number);
