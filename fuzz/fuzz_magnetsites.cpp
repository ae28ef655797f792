#include "fuzzinput.h"

#include "core/definitioncatalog.h"
#include "sources/torrents/magnetsitesparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const SiteDefinition &magnet = DefinitionCatalog::builtIns().get(QStringLiteral("magnet"));
    const SiteDefinition &release = DefinitionCatalog::builtIns().get(QStringLiteral("release"));
    isMagnetSearchEmpty(magnet, body);
    isResourceReleaseEmpty(release, body);
    const qsizetype magnets = countMagnetSearchItems(magnet, body);
    const auto rows = parseMagnetSearchPage(magnet, body, magnets + 1);
    FUZZ_REQUIRE(rows.size() <= magnets + 1);
    for (const MagnetSearchRow &row : rows) // no blank row
        FUZZ_REQUIRE(!QString(row.name + row.size + row.time + row.magnetLink).isEmpty());
    const qsizetype releases = countResourceReleaseItems(release, body);
    for (const ReleaseItem &item : parseResourceReleasePage(release, body, releases + 1)) {
        FUZZ_REQUIRE(item.detailPath.isEmpty() || item.detailPath.startsWith(u'/'));
        FUZZ_REQUIRE(!QString(item.name + item.time + item.detailPath).isEmpty());
    }
    resourceReleaseMagnet(release, body);
    return 0;
}
