#include "fuzzinput.h"

#include "core/bodydecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QByteArray contentType = input.takeShortBytes(48);
    const QByteArray body = input.restBytes();
    decodeBody(body, contentType);
    decodeBody(body, {});
    charsetFromContentType(contentType);
    charsetFromContentType(body);
    charsetFromMeta(body);
    return 0;
}
