#include "fuzzinput.h"

#include "sources/torrents/btmovieparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    FUZZ_REQUIRE(parseBtMovieList(page, fuzzSiteBase()).size() <= BtMoviesPerPage);
    parseBtMovieDownload(page);
    return 0;
}
