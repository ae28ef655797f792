#include "core/markerscan.h"

#include "core/markersearch.h"

qsizetype markerIndex(QStringView body, QStringView marker, qsizetype from)
{
    return MarkerSearch(marker).indexIn(body, from);
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
    return MarkerSearch(marker).countIn(body);
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
    const MarkerSearch search(what);
    qsizetype at = search.indexIn(text);
    if (what.isEmpty() || at < 0)
        return text;
    const QStringView source(text);
    QString out;
    out.reserve(text.size() - what.size());
    qsizetype from = 0;
    while (at >= 0) {
        out.append(source.mid(from, at - from));
        from = at + what.size();
        at = search.indexIn(source, from);
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
    const MarkerSearch search(marker);
    qsizetype at = search.indexIn(m_body);
    while (at >= 0) {
        m_starts.append(at + m_markerLength);
        at = search.indexIn(m_body, at + m_markerLength);
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
