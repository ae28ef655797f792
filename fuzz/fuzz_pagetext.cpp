#include "fuzzinput.h"

#include "core/texttools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString page = normalizedPageText(text);
    FUZZ_REQUIRE(isNumericText(page));
    FUZZ_REQUIRE(page == text || page == QLatin1String("1"));
    FUZZ_REQUIRE(leadingNumber(text) >= 0);
    return 0;
}
