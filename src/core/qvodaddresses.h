#pragma once

#include <QString>
#include <QStringList>

// The QVOD addresses of a page (hx5): every "qvod://" link up to its "</a>",
// with "<" removed, each distinct address once, in order of first
// appearance. A link without "</a>" has no end to cut at and gives nothing.
QStringList extractQvodAddresses(const QString &page);
