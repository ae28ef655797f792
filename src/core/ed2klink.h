#pragma once

#include <QString>

// "ed2k://..." of the first ed2k anchor (double-quoted href) of a page: the
// eMule detail pages and the cloud on-demand read both take it. Empty when
// there is none, or its address is empty or never closed by its quote.
QString firstEd2kLink(const QString &page);
