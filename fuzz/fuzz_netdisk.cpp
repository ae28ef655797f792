#include "fuzzinput.h"

#include "sources/netdisk/netdiskparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    const qsizetype count = countNetdiskHits(body);
    const auto hits = parseNetdiskPage(body);
    FUZZ_REQUIRE(parseNetdiskPage(body, count + 1).size() <= count + 1);
    for (const NetdiskHit &hit : hits) {
        FUZZ_REQUIRE(!hit.title.isEmpty() || !hit.address.isEmpty()); // no blank row
        netdiskLabel(hit.title);
    }
    netdiskLabel(body);
    return 0;
}
