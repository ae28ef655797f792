#pragma once

#include <QString>
#include <QtGlobal>

// What one search may take from a site, whatever the site states: a site
// that claims two billion result pages or sends pages of 30 MB each is
// read no further than these.
class SearchLimits
{
public:
    // Result pages one search reads, the first included.
    static constexpr int MaxPages = 10;
    // Characters of text one search joins across its pages (one page's cap).
    static constexpr qsizetype MaxTextChars = 32 * 1024 * 1024;
    // Rows one list holds: the readers' counters are 16-bit.
    static constexpr qsizetype MaxListRows = 32767;

    // The last page to read of a search whose first page states `stated`
    // pages: 1 .. MaxPages.
    static int lastPage(int stated);
    // Whether a search that has joined `joined` characters may add a page.
    static bool roomForPage(qsizetype joined);
    // Appends `separator` and as much of `page` as the cap leaves room for.
    static void appendPage(QString &joined, QStringView separator, QStringView page);
    // The rows of a list whose page holds `found`: at most MaxListRows.
    static qsizetype listedRows(qsizetype found);
    // What the user is told when a list was cut: "…只列出前 32767 条".
    static QString cutNote(qsizetype found);
};
