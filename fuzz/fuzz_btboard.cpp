#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/btboardparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const SiteDefinition &btBoard = DefinitionCatalog::builtIns().get(QStringLiteral("bt-board"));
    FUZZ_REQUIRE(parseBtBoard(btBoard, input.restPage(), fuzzSiteBase()).size() <= PostsPerBoardPage);
    return 0;
}
