#include "fuzzinput.h"

#include "sources/torrents/rssfeedparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const qsizetype count = countRssFeedItems(body);
    FUZZ_REQUIRE(parseRssFeed(body).size() <= count);
    parseRssFeed(body, count + 1);
    return 0;
}
