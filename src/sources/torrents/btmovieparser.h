#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// Pure reading of the eMule site's BT movie section, with the markers and
// addresses of its definition ("bt-movies"): its list pages and a movie's
// download page.

constexpr int BtMoviesPerPage = 35;

// Page 1 has an address without a number, page n one with it.
QString btMovieListAddress(const SiteDefinition &definition, const QString &siteBase, int page);

struct BtMovieRow
{
    QString name;
    QString pageAddress; // the download address with the link's path
};

// Up to 35 rows, one per download link on the page; a field that cannot be
// cut is empty, and a link where nothing can be cut is left out.
QList<BtMovieRow> parseBtMovieList(const SiteDefinition &definition, const QString &page, const QString &siteBase);

struct BtMovieDownload
{
    QString date;
    QString address;
};

// The update date after its label and the address in the page's
// select-on-click text area; "&amp;" in it is an ampersand.
BtMovieDownload parseBtMovieDownload(const SiteDefinition &definition, const QString &page);

// Row `number` (1-based) of ListView16 as the reader lists it.
ListRow btMovieListRow(const BtMovieRow &row, qsizetype number);
