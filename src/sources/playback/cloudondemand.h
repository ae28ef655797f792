#pragma once

#include <QString>

// The cloud on-demand request address: the service's base address,
// "/api.php?ed=1&url=", then the address as given (no encoding: the
// service reads the raw query).
QString cloudOnDemandAddress(const QString &serviceBase, const QString &address);

// The first ed2k link of a page ("<a href=\"ed2k://" up to the quote);
// empty when the page has none.
QString firstEd2kLink(const QString &page);
