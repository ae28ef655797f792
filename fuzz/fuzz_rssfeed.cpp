#include "fuzzinput.h"

#include "sources/torrents/rssfeedparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const qsizetype count = countRssFeedItems(body);
    const auto rows = parseRssFeed(body);
    FUZZ_REQUIRE(rows.size() <= count);
    for (const RssFeedRow &row : rows) // no blank row
        FUZZ_REQUIRE(!QString(row.title + row.size + row.torrentAddress + row.date).isEmpty());
    parseRssFeed(body, count + 1);
    return 0;
}
