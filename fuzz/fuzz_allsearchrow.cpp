#include "fuzzinput.h"

#include "core/allsearchrow.h"

// The merged list's keys over text cut from any page: never a crash, an
// address key for every address, sizes and dates in range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString key = addressKey(text);
    FUZZ_REQUIRE(key.isEmpty() == text.trimmed().isEmpty());
    // A key names the same address again.
    FUZZ_REQUIRE(key.startsWith(QLatin1String("btih:")) || key.startsWith(QLatin1String("ed2k:"))
                 || key == text.trimmed());
    FUZZ_REQUIRE(sizeInBytes(text) >= -1);
    const qint64 date = dateKey(text, QDate(2026, 3, 10));
    // Days of the years 1 to 9999 at most, in milliseconds.
    FUZZ_REQUIRE(date == NoDateKey || (date > -63'000'000'000'000LL && date < 254'000'000'000'000LL));
    return 0;
}
