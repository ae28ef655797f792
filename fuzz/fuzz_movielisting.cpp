#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/movies/movielistingparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    const SiteDefinition &definition = DefinitionCatalog::builtIns().get(QStringLiteral("movie-listing"));
    for (const MovieCategory &category : movieCategories()) {
        const auto rows = parseMovieListing(definition, page, fuzzSiteBase(), category);
        FUZZ_REQUIRE(rows.size() <= MoviesPerPage);
        for (const MovieListingRow &row : rows) // no blank row
            FUZZ_REQUIRE(!row.title.isEmpty() || !row.detailAddress.isEmpty());
    }
    movieDownloadAddress(definition, page);
    return 0;
}
