#include "fuzzinput.h"

#include "core/announcementfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AnnouncementFile file(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    const int count = file.size();
    FUZZ_REQUIRE(count >= 0);
    for (int k = 1; k <= count; ++k) {
        const Announcement entry = file.entry(k);
        AnnouncementFile::colour(entry.color);
        const int next = AnnouncementFile::next(k, count);
        FUZZ_REQUIRE(next >= 1 && next <= count);
    }
    AnnouncementFile::next(0, count);
    return 0;
}
