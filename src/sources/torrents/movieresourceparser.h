#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// Pure reading of the movie resource site's result page, with the markers
// of its definition ("movie-resource").

struct MovieResourceRow
{
    QString name;
    QString updateTime;
    QString region;
    QString detailAddress;
};

// The search address; the page box text goes in unchanged.
QString movieResourceAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                             const QString &pageText);

// The page that says no title matched.
bool isMovieResourceEmpty(const SiteDefinition &definition, const QString &body);

// Whether the page is a result page at all: it states its total ("共有").
bool statesMovieResourceTotal(const SiteDefinition &definition, const QString &body);

// The total the page states ("共有N部"), capped at the 30 titles a page
// holds; 0 when the page states none.
int movieResourceRowLimit(const SiteDefinition &definition, const QString &body);

// Up to the row limit, and never more rows than the page has titles (a
// later page of a large result holds fewer than 30). The detail id is
// taken up to and including the space after it, as the site links it. A
// title where nothing can be cut is left out.
QList<MovieResourceRow> parseMovieResourcePage(const SiteDefinition &definition, const QString &body,
                                               const QString &siteBase);

// Row `number` (1-based) of ListView13 as the reader lists it.
ListRow movieResourceListRow(const MovieResourceRow &row, qsizetype number);
