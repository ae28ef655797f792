#pragma once

#include <QString>

// `text` with its control characters written out (\n, \r, \t, \xNN) and
// its backslashes doubled, so a line of tab-separated fields stays one line
// whatever an address or a reason holds.
QString escapedText(const QString &text);
