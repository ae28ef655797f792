#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/playback/qvodsearchparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    const SiteDefinition &listing = DefinitionCatalog::builtIns().get(QStringLiteral("qvod-list"));
    const SiteDefinition &search = DefinitionCatalog::builtIns().get(QStringLiteral("qvod-search"));
    const qsizetype count = countQvodListingRows(listing, page);
    FUZZ_REQUIRE(parseQvodRows(listing, page, fuzzSiteBase(), count + 2).size() <= count + 2);
    FUZZ_REQUIRE(parseQvodRows(search, page, fuzzSiteBase(), 30).size() <= 30);
    isQvodSearchEmpty(search, page);
    qvodResultCount(search, page);
    qvodResultPages(search, page);
    return 0;
}
