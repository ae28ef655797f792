#include "fuzzinput.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/definitionrows.h"

// A definition file as a user might write it, then a page cut by it: the
// loader never crashes, says where every problem is, and a definition it
// accepts cuts any page into at most as many rows as it counts.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.takeShortText(200);
    const DefinitionLoader::Result result = DefinitionLoader::load(input.restBytes(), QStringLiteral("fuzz.toml"));
    FUZZ_REQUIRE(result.definition.has_value() == result.problems.isEmpty());
    for (const DefinitionProblem &problem : result.problems)
        FUZZ_REQUIRE(problem.line >= 0 && problem.column >= 0 && !problem.what.isEmpty());
    if (!result.definition)
        return 0;
    const SiteDefinition &definition = *result.definition;
    const QString base = QStringLiteral("http://fuzz.example");
    const QString address = AddressTemplate::expand(
        definition.searchAddress, {{QStringLiteral("base"), base}, {QStringLiteral("keyword"), page}});
    if (!definition.searchAddress.isEmpty())
        FUZZ_REQUIRE(AddressTemplate::isUnder(address, base));
    const qsizetype count = DefinitionRows::count(definition, page);
    FUZZ_REQUIRE(DefinitionRows::extract(definition, page, base).size() <= count);
    DefinitionCatalog catalog = DefinitionCatalog::builtIns();
    catalog.add(definition);
    return 0;
}
