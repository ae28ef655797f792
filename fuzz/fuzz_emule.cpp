#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/emule/emuleparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &emule = DefinitionCatalog::builtIns().get(QStringLiteral("emule-search"));
    isEmuleSearchEmpty(emule, body);
    const qsizetype count = countEmuleItems(emule, body);
    const auto items = parseEmuleListing(emule, body, fuzzSiteBase(), count + 2);
    FUZZ_REQUIRE(items.size() <= count + 2);
    parseEmuleItem(emule, body, fuzzSiteBase());
    return 0;
}
