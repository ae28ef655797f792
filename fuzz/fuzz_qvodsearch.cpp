#include "fuzzinput.h"

#include "sources/playback/qvodsearchparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    const qsizetype count = countQvodListingRows(page);
    FUZZ_REQUIRE(parseQvodListingRows(page, fuzzSiteBase(), count + 2).size() <= count + 2);
    FUZZ_REQUIRE(parseQvodResultRows(page, fuzzSiteBase(), 30).size() <= 30);
    isQvodSearchEmpty(page);
    qvodResultCount(page);
    qvodResultPages(page);
    return 0;
}
