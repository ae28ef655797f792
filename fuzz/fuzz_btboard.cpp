#include "fuzzinput.h"

#include "sources/torrents/btboardparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    FUZZ_REQUIRE(parseBtBoard(input.restPage(), fuzzSiteBase()).size() <= PostsPerBoardPage);
    return 0;
}
