#include "fuzzinput.h"

#include "core/texttools.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Raw UTF-16 units, lone surrogates included, as a text box may hold them.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    const QString encoded = UTF8_URLEncoding(text);
    bool hasPercent = false;
    for (const QChar c : encoded)
        FUZZ_REQUIRE(c.unicode() < 0x80);
    for (const QChar c : text)
        hasPercent = hasPercent || c == u'%' || c.isSurrogate();
    // Without a literal "%" or a surrogate the encoding gives back the text's UTF-8 bytes.
    if (!hasPercent)
        FUZZ_REQUIRE(QByteArray::fromPercentEncoding(encoded.toLatin1()) == text.toUtf8());
    return 0;
}
