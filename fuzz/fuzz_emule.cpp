#include "fuzzinput.h"

#include "sources/emule/emuleparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString body = input.restPage();
    isEmuleSearchEmpty(body);
    const qsizetype count = countEmuleItems(body);
    const auto items = parseEmuleListing(body, fuzzSiteBase(), count + 2);
    FUZZ_REQUIRE(items.size() <= count + 2);
    parseEmuleItem(body, fuzzSiteBase());
    return 0;
}
