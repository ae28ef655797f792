#include "fuzzinput.h"

#include "sources/movies/movielistingparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    for (const MovieCategory &category : movieCategories())
        FUZZ_REQUIRE(parseMovieListing(page, fuzzSiteBase(), category).size() <= MoviesPerPage);
    movieDownloadAddress(page);
    return 0;
}
