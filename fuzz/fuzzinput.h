#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The fuzzer's bytes, read from the front: a few small parameters first, the
// rest as a page. Every routine accepts running out of bytes.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    // A number in [low, high] from one byte; `low` when the bytes ran out.
    int takeInt(int low, int high);
    // Up to `maxLength` bytes (the count taken from one byte) as UTF-8 text.
    QString takeShortText(int maxLength);
    QByteArray takeShortBytes(int maxLength);
    // Everything left, as raw bytes or as the program's reader decodes a
    // response body without a declared charset (its <meta charset>, else UTF-8).
    QByteArray restBytes() const;
    QString restPage() const;

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

// The loopback base address the readers join to site-relative links.
QString fuzzSiteBase();

// A broken promise of the routine under test: abort, so libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                  \
    do {                                                                         \
        if (!(condition)) {                                                      \
            fprintf(stderr, "FUZZ_REQUIRE failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            abort();                                                             \
        }                                                                        \
    } while (0)
