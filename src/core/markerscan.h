#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The marker-scanning vocabulary of the site readers. Positions are 1-based,
// 0 means "not found"; every comparison is exact (case-sensitive).

// 0-based position of the first `marker` at or after `from` (0-based), -1
// when there is none: QStringView::indexOf for an exact marker, through a
// MarkerSearch (linear in the body whatever the marker's length). A loop
// over one marker keeps one MarkerSearch instead.
qsizetype markerIndex(QStringView body, QStringView marker, qsizetype from = 0);

// Position of the first `marker` at or after `start`.
qsizetype findFrom(QStringView body, QStringView marker, qsizetype start = 1);

// Occurrences of `marker`, each search starting one position after the last
// hit (the readers' count step).
qsizetype countFrom(QStringView body, QStringView marker);

// The text before the first `end`; empty when `end` does not occur, so a field
// with a missing end marker comes out empty.
QString cutBefore(QStringView text, QStringView end);

// The text after the first `start` up to the next `end`; empty when either
// marker is missing.
QString cutBetween(QStringView text, QStringView start, QStringView end);

// What MarkerPieces(text, marker).piece(1) cut before its first `end` gives
// (the text after the first marker, up to the next marker, cut before
// `end`), scanning only as far as that end; nullopt when the marker is
// missing or the piece holds no whole `end`.
std::optional<QStringView> firstPieceBefore(QStringView text, QStringView marker, QStringView end);

// The same as a string: empty when there is no such piece or end.
QString cutFirstPiece(QStringView text, QStringView marker, QStringView end);

// `text` with every `what` removed.
QString removeAll(QString text, QStringView what);

// `body` split once at every occurrence of a marker, then indexed: piece 0 is
// the text before the first marker, piece n the text after the n-th marker.
// Building it costs one pass over the body; each piece is a view into the
// body the object keeps.
class MarkerPieces
{
public:
    MarkerPieces(const QString &body, const QString &marker);

    // Number of pieces: occurrences + 1 (1 for a body without the marker).
    qsizetype size() const;
    bool has(qsizetype n) const;
    // Piece n; an empty view when there is no such piece.
    QStringView piece(qsizetype n) const;

private:
    QString m_body;
    qsizetype m_markerLength;
    QList<qsizetype> m_starts; // start offset of each piece after piece 0
};
