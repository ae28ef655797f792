#include "sources/torrents/piececuts.h"

#include "core/markerscan.h"

QStringView firstPiece(QStringView text, QStringView marker)
{
    if (marker.isEmpty())
        return {};
    const qsizetype at = markerIndex(text, marker);
    if (at < 0)
        return {};
    const QStringView rest = text.mid(at + marker.size());
    const qsizetype next = markerIndex(rest, marker);
    return next < 0 ? rest : rest.left(next);
}

QString pieceField(const MarkerPieces &pieces, qsizetype n, QStringView end, QStringView strip)
{
    if (n < 1 || !pieces.has(n))
        return {};
    return removeAll(cutBefore(pieces.piece(n), end), strip);
}
