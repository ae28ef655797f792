#include "core/markerscan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

qsizetype markerIndex(QStringView body, QStringView marker, qsizetype from)
{
    const qsizetype n = body.size();
    const qsizetype m = marker.size();
    if (from < 0 || from > n)
        return -1;
    if (m == 0)
        return from;
    if (m > n - from)
        return -1;
    const char16_t *h = body.utf16();
    const char16_t *needle = marker.utf16();
    const qsizetype last = n - m; // the last position a marker can start at
    const size_t middle = size_t(m > 2 ? m - 2 : 0) * sizeof(char16_t);
    qsizetype i = from;
#if defined(__SSE2__)
    // A candidate has the marker's first character at i and its last at
    // i + m - 1; eight candidates are tested per step, and only those
    // whose both ends match are compared in full.
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

qsizetype findFrom(QStringView body, QStringView marker, qsizetype start)
{
    if (start < 1 || marker.isEmpty())
        return 0;
    const qsizetype at = markerIndex(body, marker, start - 1);
    return at < 0 ? 0 : at + 1;
}

qsizetype countFrom(QStringView body, QStringView marker)
{
    qsizetype count = 0;
    qsizetype p = 1;
    while (p <= body.size()) {
        const qsizetype at = findFrom(body, marker, p);
        if (at == 0)
            break;
        ++count;
        p = at + 1;
    }
    return count;
}

QString cutBefore(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at).toString();
}

QString cutBetween(QStringView text, QStringView start, QStringView end)
{
    const qsizetype at = markerIndex(text, start);
    if (at < 0)
        return {};
    return cutBefore(text.mid(at + start.size()), end);
}

std::optional<QStringView> firstPieceBefore(QStringView text, QStringView marker, QStringView end)
{
    if (marker.isEmpty())
        return std::nullopt;
    const qsizetype at = markerIndex(text, marker);
    if (at < 0)
        return std::nullopt;
    const qsizetype from = at + marker.size();
    const qsizetype stop = markerIndex(text, end, from);
    if (stop < 0)
        return std::nullopt;
    // The piece ends where the next marker starts: the end must lie wholly
    // before it, so only markers starting up to the end's last character count.
    const qsizetype reach = qMin(text.size(), stop + end.size() - 1 + marker.size());
    if (markerIndex(text.left(reach), marker, from) >= 0)
        return std::nullopt;
    return text.mid(from, stop - from);
}

QString cutFirstPiece(QStringView text, QStringView marker, QStringView end)
{
    const std::optional<QStringView> piece = firstPieceBefore(text, marker, end);
    return piece ? piece->toString() : QString();
}

QString removeAll(QString text, QStringView what)
{
    if (what.size() == 1) {
        text.remove(what.front());
        return text;
    }
    // Occurrences left to right, each search going on after the last one
    // removed (as QString::remove), without copying `what` per call.
    qsizetype at = markerIndex(text, what);
    if (what.isEmpty() || at < 0)
        return text;
    const QStringView source(text);
    QString out;
    out.reserve(text.size() - what.size());
    qsizetype from = 0;
    while (at >= 0) {
        out.append(source.mid(from, at - from));
        from = at + what.size();
        at = markerIndex(source, what, from);
    }
    out.append(source.mid(from));
    return out;
}

MarkerPieces::MarkerPieces(const QString &body, const QString &marker)
    : m_body(body)
    , m_markerLength(marker.size())
{
    if (marker.isEmpty())
        return;
    qsizetype at = markerIndex(m_body, marker);
    while (at >= 0) {
        m_starts.append(at + m_markerLength);
        at = markerIndex(m_body, marker, at + m_markerLength);
    }
}

qsizetype MarkerPieces::size() const
{
    return m_starts.size() + 1;
}

bool MarkerPieces::has(qsizetype n) const
{
    return n >= 0 && n < size();
}

QStringView MarkerPieces::piece(qsizetype n) const
{
    if (!has(n))
        return {};
    const qsizetype begin = n == 0 ? 0 : m_starts.at(n - 1);
    const qsizetype end = n < m_starts.size() ? m_starts.at(n) - m_markerLength : m_body.size();
    return QStringView(m_body).mid(begin, end - begin);
}
