#pragma once

#include <QString>
#include <QStringView>

class MarkerPieces;

// Small cuts the torrent readers share on top of the marker vocabulary.

// Piece 1 after `marker` in a short text (an item's block): the text after
// the first marker up to the second one or the end; empty without a marker.
QStringView firstPiece(QStringView text, QStringView marker);

// Piece n of a split page cut before `end`, with every `strip` removed;
// empty when the piece does not exist or `end` is missing from it.
QString pieceField(const MarkerPieces &pieces, qsizetype n, QStringView end, QStringView strip = {});
