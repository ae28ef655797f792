#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/emule/ed2ksearchparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &ed2k = DefinitionCatalog::builtIns().get(QStringLiteral("ed2k"));
    const qsizetype count = countEd2kSearchRows(ed2k, body);
    FUZZ_REQUIRE(count <= 32767);
    const auto rows = parseEd2kSearchPage(ed2k, body, fuzzSiteBase(), count + 2);
    FUZZ_REQUIRE(rows.size() <= count);
    for (const Ed2kSearchRow &row : rows) // no blank row
        FUZZ_REQUIRE(!QString(row.name + row.category + row.fileAddress).isEmpty());
    ed2kSearchAddress(ed2k, fuzzSiteBase(), body.left(64), body.left(8));
    return 0;
}
