#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/movies/moviedetailparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const SiteDefinition &definition = DefinitionCatalog::builtIns().get(QStringLiteral("movie-detail"));
    const MovieDetail detail = parseMovieDetail(definition, input.restPage());
    detail.isReadable();
    FUZZ_REQUIRE(detail.link2.isEmpty() || detail.link2.startsWith(QLatin1String("http://")));
    return 0;
}
