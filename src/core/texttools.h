#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The text routines every site reader shares. All of them are pure and never
// fail on any input, but for preg's reports.

// ASCII passes unencoded (spaces and ampersands included); every other UTF-16
// unit becomes its UTF-8 bytes as "%XX". Surrogates are encoded unit by unit.
QString UTF8_URLEncoding(QStringView text);

// Case-insensitive, global regular-expression replace (QString::replace's
// rules), its work bounded (BoundedRegex). A pattern that is no regular
// expression, or that runs out of its work, gives an empty text and is
// reported, under the name `rule` (the pattern itself when none), to the
// current search's PatternErrors.
QString preg(const QString &text, const QString &pattern, const QString &replacement = {},
             const QString &rule = {});

// Trims spaces, then pads with spaces up to `width` GBK bytes; never cuts.
QString SetStringFixedLength(const QString &text, int width);

// Length in GBK bytes: ASCII 1, every other character its GB18030 length.
qsizetype gbkByteLength(QStringView text);

// GB18030 (a superset of GBK) in both directions.
QByteArray toGbk(QStringView text);
QString fromGbk(const QByteArray &bytes);

// The longest prefix of `text` that fits in `maxBytes` GBK bytes, never
// splitting a character.
QString truncatedToGbkBytes(const QString &text, qsizetype maxBytes);

// A number as the page boxes accept it: optional sign, digits, optional
// fraction and exponent, surrounding spaces allowed. Empty is not numeric.
bool isNumericText(const QString &text);

// The page box rule: a text that is not numeric or is exactly "0" becomes "1".
QString normalizedPageText(const QString &text);

// The leading number of a text ("12 部" gives 12); 0 when there is none.
int leadingNumber(QStringView text);

// C0 and C1 control characters, DEL, and the bidirectional overrides and
// isolates (U+202A-U+202E, U+2066-U+2069), which can drive a terminal or
// make "exe.jpg" of "gpj.exe".
bool isHiddenControl(QChar c);

// Text cut from an outside page made fit for a list cell, the clipboard or
// a script's output: line breaks and tabs become spaces, the other hidden
// controls (NUL among them) go.
QString cleanCell(const QString &text);
