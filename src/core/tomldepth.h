#pragma once

#include <QByteArray>

#include <optional>

// How deep a TOML text nests, found by one linear pass over its bytes
// before any parser sees it: toml++ recurses once per level of a table
// header or a dotted key, so a file of `[a.a.a…]` a hundred thousand deep
// would overflow the stack. Strings (basic, literal, multi-line), comments
// and quoted keys are skipped as TOML reads them: a dot inside quotes is no
// level.
namespace TomlDepth {

// What a level is: a table header's or a dotted key's part, an array or an
// inline table, counted from the top of the file.
constexpr int Limit = 32;

struct Place
{
    int line = 0;   // from 1
    int column = 0; // from 1, in characters
};

// Where the text first goes deeper than `limit`; nothing when it never does.
// `text` is UTF-8.
std::optional<Place> firstTooDeep(const QByteArray &text, int limit = Limit);

} // namespace TomlDepth
