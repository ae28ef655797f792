#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/netdisk/netdiskparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &netdisk = DefinitionCatalog::builtIns().get(QStringLiteral("netdisk"));
    const qsizetype count = countNetdiskHits(netdisk, body);
    const auto hits = parseNetdiskPage(netdisk, body);
    FUZZ_REQUIRE(parseNetdiskPage(netdisk, body, count + 1).size() <= count + 1);
    for (const ListRow &hit : hits) {
        FUZZ_REQUIRE(!hit.value(u"mc").isEmpty() || !hit.value(u"dz").isEmpty()); // no blank row
        netdiskLabel(netdisk, hit.value(u"mc"));
    }
    netdiskLabel(netdisk, body);
    return 0;
}
