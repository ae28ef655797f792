#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/movieresourceparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &movieResource = DefinitionCatalog::builtIns().get(QStringLiteral("movie-resource"));
    isMovieResourceEmpty(movieResource, body);
    const int limit = movieResourceRowLimit(movieResource, body);
    FUZZ_REQUIRE(limit >= 0 && limit <= 30);
    FUZZ_REQUIRE(parseMovieResourcePage(movieResource, body, fuzzSiteBase()).size() <= limit);
    return 0;
}
