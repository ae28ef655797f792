#include "fuzzinput.h"

#include "sources/torrents/torrentsearchparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const qsizetype count = countTorrentSearchItems(body);
    FUZZ_REQUIRE(parseTorrentSearchPage(body, fuzzSiteBase(), count + 1).size() <= count + 1);
    return 0;
}
