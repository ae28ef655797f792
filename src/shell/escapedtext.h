#pragma once

#include <QString>

// `text` with its control characters and bidirectional overrides written
// out (\n, \r, \t, \xNN, \uNNNN) and its backslashes doubled, so a line of
// tab-separated fields stays one line, and shows what it holds, whatever an
// address, a title or a reason carries.
QString escapedText(const QString &text);
