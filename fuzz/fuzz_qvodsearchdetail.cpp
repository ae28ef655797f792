#include "fuzzinput.h"

#include "sources/playback/qvodsearchdetailparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    parseQvodSearchDetail(input.restPage());
    return 0;
}
