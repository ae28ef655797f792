#include "fuzzinput.h"

#include "core/ed2klink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString link = firstEd2kLink(input.restPage());
    FUZZ_REQUIRE(link.isEmpty() || link.startsWith(QLatin1String("ed2k://")));
    return 0;
}
