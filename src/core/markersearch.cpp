#include "core/markersearch.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first position at or after `i` where the marker's first and last
// characters both are, -1 when none is left.
qsizetype nextCandidate(const char16_t *h, qsizetype n, const char16_t *needle, qsizetype m, qsizetype i)
{
    const qsizetype last = n - m;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi16(short(needle[0]));
    const __m128i lastChar = _mm_set1_epi16(short(needle[m - 1]));
    for (; i + 7 <= last; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i + m - 1));
        const unsigned mask
            = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, lastChar))));
        if (mask != 0)
            return i + __builtin_ctz(mask) / 2;
    }
#endif
    for (; i <= last; ++i) {
        if (h[i] == needle[0] && h[i + m - 1] == needle[m - 1])
            return i;
    }
    return -1;
}

} // namespace

MarkerSearch::MarkerSearch(QStringView marker)
    : m_marker(marker)
{
    const qsizetype m = marker.size();
    if (m <= ShortMarker)
        return;
    m_border.resize(m);
    m_border[0] = 0;
    qsizetype k = 0;
    for (qsizetype q = 1; q < m; ++q) {
        while (k > 0 && marker[k] != marker[q])
            k = m_border[k - 1];
        if (marker[k] == marker[q])
            ++k;
        m_border[q] = k;
    }
}

QStringView MarkerSearch::marker() const
{
    return m_marker;
}

qsizetype MarkerSearch::indexIn(QStringView body, qsizetype from) const
{
    const qsizetype n = body.size();
    const qsizetype m = m_marker.size();
    if (from < 0 || from > n)
        return -1;
    if (m == 0)
        return from;
    if (m > n - from)
        return -1;
    if (m > ShortMarker) {
        qsizetype matched = 0;
        return scanLong(body, from, matched);
    }
    const char16_t *h = body.utf16();
    const char16_t *needle = m_marker.utf16();
    const qsizetype last = n - m; // the last position a marker can start at
    const size_t middle = size_t(m > 2 ? m - 2 : 0) * sizeof(char16_t);
    qsizetype i = from;
#if defined(__SSE2__)
    // A candidate has the marker's first character at i and its last at
    // i + m - 1; eight candidates are tested per step, and only those
    // whose both ends match are compared in full (at most ShortMarker
    // characters each).
    const __m128i first = _mm_set1_epi16(short(needle[0]));
    const __m128i lastChar = _mm_set1_epi16(short(needle[m - 1]));
    for (; i + 7 <= last; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i + m - 1));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, lastChar))));
        while (mask != 0) {
            const int byte = __builtin_ctz(mask);
            const qsizetype at = i + byte / 2;
            if (middle == 0 || std::memcmp(h + at + 1, needle + 1, middle) == 0)
                return at;
            mask &= ~(3u << byte);
        }
    }
#endif
    for (; i <= last; ++i) {
        if (h[i] == needle[0] && h[i + m - 1] == needle[m - 1]
            && (middle == 0 || std::memcmp(h + i + 1, needle + 1, middle) == 0))
            return i;
    }
    return -1;
}

qsizetype MarkerSearch::countIn(QStringView body) const
{
    const qsizetype m = m_marker.size();
    if (m == 0)
        return 0;
    qsizetype count = 0;
    if (m <= ShortMarker) {
        for (qsizetype at = indexIn(body); at >= 0; at = indexIn(body, at + 1))
            ++count;
        return count;
    }
    // After a hit the scan goes on from the hit's border, so overlapping
    // hits cost no rescan.
    qsizetype matched = 0;
    qsizetype from = 0;
    for (qsizetype at = scanLong(body, from, matched); at >= 0; at = scanLong(body, from, matched)) {
        ++count;
        from = at + m;
        matched = m_border[m - 1];
    }
    return count;
}

qsizetype MarkerSearch::scanLong(QStringView body, qsizetype from, qsizetype &matched) const
{
    const char16_t *h = body.utf16();
    const char16_t *needle = m_marker.utf16();
    const qsizetype n = body.size();
    const qsizetype m = m_marker.size();
    qsizetype q = matched;
    for (qsizetype j = from; j < n; ++j) {
        if (q == 0) {
            // Nothing matched yet: no marker starts before the next
            // position holding both its end characters.
            j = nextCandidate(h, n, needle, m, j);
            if (j < 0)
                break;
        }
        while (q > 0 && needle[q] != h[j])
            q = m_border[q - 1];
        if (needle[q] == h[j])
            ++q;
        if (q == m) {
            matched = q;
            return j + 1 - m;
        }
    }
    matched = 0;
    return -1;
}
