#include "core/markerscan.h"

qsizetype findFrom(QStringView body, QStringView marker, qsizetype start)
{
    if (start < 1 || marker.isEmpty())
        return 0;
    const qsizetype at = body.indexOf(marker, start - 1);
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
    const qsizetype at = text.indexOf(end);
    return at < 0 ? QString() : text.left(at).toString();
}

QString cutBetween(QStringView text, QStringView start, QStringView end)
{
    const qsizetype at = text.indexOf(start);
    if (at < 0)
        return {};
    return cutBefore(text.mid(at + start.size()), end);
}

QString removeAll(QString text, QStringView what)
{
    if (!what.isEmpty())
        text.remove(what.toString());
    return text;
}

MarkerPieces::MarkerPieces(const QString &body, const QString &marker)
    : m_body(body)
    , m_markerLength(marker.size())
{
    if (marker.isEmpty())
        return;
    qsizetype at = m_body.indexOf(marker);
    while (at >= 0) {
        m_starts.append(at + m_markerLength);
        at = m_body.indexOf(marker, at + m_markerLength);
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
