#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/torrentsearchparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &torrent = DefinitionCatalog::builtIns().get(QStringLiteral("torrent"));
    const qsizetype count = countTorrentSearchItems(torrent, body);
    FUZZ_REQUIRE(parseTorrentSearchPage(torrent, body, fuzzSiteBase(), count + 1).size() <= count + 1);
    return 0;
}
