#include "fuzzinput.h"

#include "sources/playback/qvodchannelparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    FUZZ_REQUIRE(parseChannelPage(page, fuzzSiteBase()).size() <= 25);
    parseChannelDetail(page);
    return 0;
}
