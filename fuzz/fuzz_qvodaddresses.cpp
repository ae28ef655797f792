#include "fuzzinput.h"

#include "core/qvodaddresses.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    QStringList addresses = extractQvodAddresses(input.restPage());
    FUZZ_REQUIRE(addresses.removeDuplicates() == 0);
    return 0;
}
