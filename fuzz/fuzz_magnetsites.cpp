#include "fuzzinput.h"

#include "sources/torrents/magnetsitesparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    isMagnetSearchEmpty(body);
    isResourceReleaseEmpty(body);
    const qsizetype magnets = countMagnetSearchItems(body);
    const auto rows = parseMagnetSearchPage(body, magnets + 1);
    FUZZ_REQUIRE(rows.size() <= magnets + 1);
    for (const MagnetSearchRow &row : rows) // no blank row
        FUZZ_REQUIRE(!QString(row.name + row.size + row.time + row.magnetLink).isEmpty());
    const qsizetype releases = countResourceReleaseItems(body);
    for (const ReleaseItem &item : parseResourceReleasePage(body, releases + 1)) {
        FUZZ_REQUIRE(item.detailPath.isEmpty() || item.detailPath.startsWith(u'/'));
        FUZZ_REQUIRE(!QString(item.name + item.time + item.detailPath).isEmpty());
    }
    resourceReleaseMagnet(body);
    return 0;
}
