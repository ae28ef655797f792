#include "fuzzinput.h"

#include "core/inidocument.h"

#include <QStringList>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const auto encoding = input.takeInt(0, 1) == 0 ? IniDocument::Encoding::Utf8 : IniDocument::Encoding::Gbk;
    const QString section = input.takeShortText(12).trimmed();
    const QString key = input.takeShortText(12).trimmed();
    IniDocument document = IniDocument::fromBytes(input.restBytes(), encoding);
    document.value(section, key);
    document.contains(section, key);
    document.keys(section);
    // A name with a bracket, "=", a comment sign or a line break cannot be
    // written as a key line.
    static const QString awkward = u"[]=;#\r\n\"'"_s;
    for (const QChar c : QString(section + key))
        if (awkward.contains(c) || c.isSpace() || c.unicode() < 0x20)
            return 0;
    if (section.isEmpty() || key.isEmpty())
        return 0;
    document.setValue(section, key, u"是"_s);
    FUZZ_REQUIRE(document.value(section, key) == u"是"_s);
    const IniDocument again = IniDocument::fromBytes(document.toBytes(), encoding);
    FUZZ_REQUIRE(again.value(section, key) == u"是"_s);
    return 0;
}
