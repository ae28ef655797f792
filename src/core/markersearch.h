#pragma once

#include <QList>
#include <QStringView>

// One marker's exact search, prepared once and used over many searches (a
// split, a count, a removal). A marker up to ShortMarker characters is found
// by its first and last characters, eight positions at a time, then
// compared; a longer one is found by Knuth-Morris-Pratt over its border
// table, built here once, between the same vectorised skips, so its cost on
// near misses stays linear in the page whatever its length. The marker's
// text must outlive the object.
class MarkerSearch
{
public:
    static constexpr qsizetype ShortMarker = 32;

    explicit MarkerSearch(QStringView marker);

    QStringView marker() const;
    // 0-based position of the first marker at or after `from`, -1 when
    // there is none (QStringView::indexOf).
    qsizetype indexIn(QStringView body, qsizetype from = 0) const;
    // Occurrences, overlapping ones included.
    qsizetype countIn(QStringView body) const;

private:
    // The long marker's scan from `from` with `matched` characters of it
    // already matched before `from`; on a hit, its start, with `matched`
    // left at the marker's length.
    qsizetype scanLong(QStringView body, qsizetype from, qsizetype &matched) const;

    QStringView m_marker;
    QList<qsizetype> m_border; // long markers: longest proper border of each prefix
};
