#include "shell/escapedtext.h"

#include "core/texttools.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool needsEscape(QChar c)
{
    return isHiddenControl(c) || c == u'\\';
}

} // namespace

QString escapedText(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), needsEscape))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (!needsEscape(c)) {
            out.append(c);
            continue;
        }
        switch (c.unicode()) {
        case u'\\':
            out.append(u"\\\\"_s);
            break;
        case u'\n':
            out.append(u"\\n"_s);
            break;
        case u'\r':
            out.append(u"\\r"_s);
            break;
        case u'\t':
            out.append(u"\\t"_s);
            break;
        default:
            if (c.unicode() > 0xFF)
                out.append(u"\\u"_s + QString::number(c.unicode(), 16).rightJustified(4, u'0'));
            else
                out.append(u"\\x"_s + QString::number(c.unicode(), 16).rightJustified(2, u'0'));
        }
    }
    return out;
}
