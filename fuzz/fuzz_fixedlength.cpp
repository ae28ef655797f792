#include "fuzzinput.h"

#include "core/texttools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    // The widths the lists use are small; a byte (and a sign) covers them.
    const int width = input.takeInt(-8, 247);
    const QString text = QString::fromUtf8(input.restBytes());
    const QString fixed = SetStringFixedLength(text, width);
    // Never cut: only spaces are taken off or added.
    FUZZ_REQUIRE(fixed.trimmed() == text.trimmed());
    FUZZ_REQUIRE(fixed.isEmpty() || gbkByteLength(fixed) >= width);
    const QString cut = truncatedToGbkBytes(text, width);
    FUZZ_REQUIRE(text.startsWith(cut));
    FUZZ_REQUIRE(gbkByteLength(cut) <= qMax(width, 0));
    const QByteArray gbk = toGbk(text);
    fromGbk(gbk);
    fromGbk(input.restBytes());
    return 0;
}
