#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/rssfeedparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &rss = DefinitionCatalog::builtIns().get(QStringLiteral("rss"));
    const qsizetype count = countRssFeedItems(rss, body);
    const auto rows = parseRssFeed(rss, body);
    FUZZ_REQUIRE(rows.size() <= count);
    for (const RssFeedRow &row : rows) // no blank row
        FUZZ_REQUIRE(!QString(row.title + row.size + row.torrentAddress + row.date).isEmpty());
    parseRssFeed(rss, body, count + 1);
    return 0;
}
