#pragma once

#include <QString>

// Pure reading of a QVOD search site's detail page (the search video
// list's double-click): the QVOD file address in the fifth "value="
// attribute and the preview picture of the third image.
struct QvodSearchDetail
{
    QString fileAddress; // empty: the resource is gone
    QString pictureAddress;
};

QvodSearchDetail parseQvodSearchDetail(const QString &page);
