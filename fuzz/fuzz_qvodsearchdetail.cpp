#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/playback/qvodsearchdetailparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    parseQvodSearchDetail(DefinitionCatalog::builtIns().get(QStringLiteral("qvod-search")), input.restPage());
    return 0;
}
