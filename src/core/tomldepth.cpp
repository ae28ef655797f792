#include "core/tomldepth.h"

#include <vector>

namespace {

bool isBareKeyCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// One pass over the text; every step consumes at least one byte, so the
// work is linear in the text whatever it holds.
class Scanner
{
public:
    Scanner(const QByteArray &text, int limit) : m_text(text), m_limit(limit) { }

    std::optional<TomlDepth::Place> run();

private:
    struct Open
    {
        char bracket; // '[' an array, '{' an inline table
        int level;    // its own level
    };

    char peek(qsizetype ahead = 0) const
    {
        return m_at + ahead < m_text.size() ? m_text.at(m_at + ahead) : '\0';
    }
    bool atEnd() const { return m_at >= m_text.size(); }
    void advance()
    {
        const auto c = static_cast<unsigned char>(m_text.at(m_at++));
        if (c == '\n') {
            ++m_line;
            m_column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++m_column; // a character's first byte
        }
    }
    TomlDepth::Place here() const { return {m_line, m_column}; }

    void skipSpaces()
    {
        while (peek() == ' ' || peek() == '\t')
            advance();
    }
    void skipComment()
    {
        while (!atEnd() && peek() != '\n')
            advance();
    }
    // A string from its opening quote; `"` strings know escapes, `'` ones do
    // not. An unterminated one ends at the line's end (or the text's, when
    // multi-line): the parser names it.
    void skipString()
    {
        const char quote = peek();
        const bool escapes = quote == '"';
        if (peek(1) == quote && peek(2) == quote) {
            for (int i = 0; i < 3; ++i)
                advance();
            while (!atEnd()) {
                if (escapes && peek() == '\\') {
                    advance();
                    if (!atEnd())
                        advance();
                } else if (peek() == quote && peek(1) == quote && peek(2) == quote) {
                    for (int i = 0; i < 3; ++i)
                        advance();
                    // Up to two more quotes belong to the content.
                    for (int i = 0; i < 2 && peek() == quote; ++i)
                        advance();
                    return;
                } else {
                    advance();
                }
            }
            return;
        }
        advance();
        while (!atEnd() && peek() != '\n') {
            if (escapes && peek() == '\\') {
                advance();
                if (!atEnd() && peek() != '\n')
                    advance();
            } else if (peek() == quote) {
                advance();
                return;
            } else {
                advance();
            }
        }
    }
    // A key, bare, quoted or dotted, under `base` levels: its number of
    // parts, or nothing when it goes past the limit.
    std::optional<int> key(int base)
    {
        int parts = 0;
        for (;;) {
            skipSpaces();
            ++parts;
            if (base + parts > m_limit) {
                m_tooDeep = here();
                return std::nullopt;
            }
            const char c = peek();
            if (c == '"' || c == '\'')
                skipString();
            else
                while (isBareKeyCharacter(peek()))
                    advance();
            skipSpaces();
            if (peek() != '.')
                return parts;
            advance();
        }
    }

    const QByteArray &m_text;
    const int m_limit;
    qsizetype m_at = 0;
    int m_line = 1;
    int m_column = 1;
    std::optional<TomlDepth::Place> m_tooDeep;
};

std::optional<TomlDepth::Place> Scanner::run()
{
    std::vector<Open> open;
    int header = 0;        // the parts of the table header in force
    int level = 0;         // a bracket opened now sits one below this
    bool expectKey = true; // at a line's start, or after { or , in an inline table
    while (!atEnd()) {
        const char c = peek();
        if (expectKey) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                advance();
                continue;
            }
            if (c == '#') {
                skipComment();
                continue;
            }
            expectKey = false;
            if (open.empty() && c == '[') {
                advance();
                if (peek() == '[')
                    advance();
                const std::optional<int> parts = key(0);
                if (!parts)
                    return m_tooDeep;
                header = *parts;
                continue;
            }
            if (c != '"' && c != '\'' && !isBareKeyCharacter(c))
                continue; // not a key: the value's reading takes it
            const int base = open.empty() ? header : open.back().level;
            const std::optional<int> parts = key(base);
            if (!parts)
                return m_tooDeep;
            level = base + *parts;
            continue;
        }
        switch (c) {
        case '"':
        case '\'':
            skipString();
            break;
        case '#':
            skipComment();
            break;
        case '[':
        case '{':
            if (level + 1 > m_limit)
                return here();
            advance();
            open.push_back({c, level + 1});
            level = level + 1;
            expectKey = c == '{';
            break;
        case ']':
        case '}':
            advance();
            if (!open.empty())
                open.pop_back();
            level = open.empty() ? 0 : open.back().level;
            break;
        case ',':
            advance();
            if (!open.empty()) {
                level = open.back().level;
                expectKey = open.back().bracket == '{';
            }
            break;
        case '\n':
            advance();
            if (open.empty()) {
                expectKey = true;
                level = 0;
            }
            break;
        default:
            advance();
            break;
        }
    }
    return std::nullopt;
}

} // namespace

namespace TomlDepth {

std::optional<Place> firstTooDeep(const QByteArray &text, int limit)
{
    return Scanner(text, limit).run();
}

} // namespace TomlDepth
