#pragma once

#include <QString>

struct SiteDefinition;

// A QVOD search site's detail page (the search video list's double-click),
// read as the definition "qvod-search" says: the QVOD file address in the
// fifth file address marker and the preview picture of the third picture
// marker.
struct QvodSearchDetail
{
    QString fileAddress; // empty: the resource is gone
    QString pictureAddress;
};

QvodSearchDetail parseQvodSearchDetail(const SiteDefinition &search, const QString &page);
