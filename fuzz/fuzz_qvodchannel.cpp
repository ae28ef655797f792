#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/playback/qvodchannelparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    const SiteDefinition &channel = DefinitionCatalog::builtIns().get(QStringLiteral("qvod-channel"));
    FUZZ_REQUIRE(parseChannelPage(channel, page, fuzzSiteBase()).size() <= 25);
    parseChannelDetail(channel, page);
    return 0;
}
