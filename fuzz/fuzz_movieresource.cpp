#include "fuzzinput.h"

#include "sources/torrents/movieresourceparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    isMovieResourceEmpty(body);
    const int limit = movieResourceRowLimit(body);
    FUZZ_REQUIRE(limit >= 0 && limit <= 30);
    FUZZ_REQUIRE(parseMovieResourcePage(body, fuzzSiteBase()).size() <= limit);
    return 0;
}
