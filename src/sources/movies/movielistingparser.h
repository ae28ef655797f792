#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// The movie listing site's six category index pages and the download link
// of a title's detail page, read with the markers and addresses of the
// definition "movie-listing".

struct MovieCategory
{
    QString caption;
    // The definition names the category's index page `name`, its titles'
    // detail address `name`_detail and their link marker `name`_link.
    QString name;
};

// The categories of Command14_0 .. Command14_5, in index order.
const QList<MovieCategory> &movieCategories();

// The category's index page.
QString movieListingAddress(const SiteDefinition &definition, const QString &siteBase, const MovieCategory &category);

struct MovieListingRow
{
    QString title;
    QString detailAddress;
};

constexpr int MoviesPerPage = 25;

// Up to 25 rows, one per listing row the page holds. A row whose block or
// link cannot be cut keeps its place with the missing fields empty; a row
// where neither can be cut is left out.
QList<MovieListingRow> parseMovieListing(const SiteDefinition &definition, const QString &page,
                                         const QString &siteBase, const MovieCategory &category);

// The download address a detail page links, exactly as the page gives it;
// empty when the page has no such link.
QString movieDownloadAddress(const SiteDefinition &definition, const QString &detailPage);

// Row `number` (1-based) of ListView5 as the reader lists it.
ListRow movieListingListRow(const MovieListingRow &row, qsizetype number);
