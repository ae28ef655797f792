#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/btmovieparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString page = input.restPage();
    const SiteDefinition &btMovies = DefinitionCatalog::builtIns().get(QStringLiteral("bt-movies"));
    const auto rows = parseBtMovieList(btMovies, page, fuzzSiteBase());
    FUZZ_REQUIRE(rows.size() <= BtMoviesPerPage);
    for (const BtMovieRow &row : rows) // no blank row
        FUZZ_REQUIRE(!row.name.isEmpty() || !row.pageAddress.isEmpty());
    parseBtMovieDownload(btMovies, page);
    return 0;
}
