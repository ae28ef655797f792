#include "fuzzinput.h"

#include "sources/torrents/magnetsitesparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    isMagnetSearchEmpty(body);
    isResourceReleaseEmpty(body);
    const qsizetype magnets = countMagnetSearchItems(body);
    FUZZ_REQUIRE(parseMagnetSearchPage(body, magnets + 1).size() <= magnets + 1);
    const qsizetype releases = countResourceReleaseItems(body);
    for (const ReleaseItem &item : parseResourceReleasePage(body, releases + 1))
        FUZZ_REQUIRE(item.detailPath.isEmpty() || item.detailPath.startsWith(u'/'));
    resourceReleaseMagnet(body);
    return 0;
}
