#include "core/addresstemplate.h"

#include "core/texttools.h"

#include <QUrl>

using namespace Qt::StringLiterals;

const QStringList &AddressTemplate::placeholders()
{
    // base, keyword and page for every source; the others for the built-in
    // readers whose addresses take a filter, a category path or a number.
    static const QStringList names = {u"base"_s, u"keyword"_s, u"page"_s, u"filter"_s, u"path"_s, u"number"_s};
    return names;
}

QStringList AddressTemplate::unknownPlaceholders(const QString &text)
{
    QStringList unknown;
    qsizetype at = 0;
    while ((at = text.indexOf(u'{', at)) >= 0) {
        const qsizetype close = text.indexOf(u'}', at + 1);
        if (close < 0) {
            unknown.append(u"{"_s);
            break;
        }
        const QString name = text.mid(at + 1, close - at - 1);
        if (!placeholders().contains(name))
            unknown.append(name);
        at = close + 1;
    }
    return unknown;
}

QString AddressTemplate::expand(const QString &text, const QList<SiteDefinition::Named> &values)
{
    QString out;
    out.reserve(text.size() + 64);
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(u'{', at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'}', open + 1);
        if (close < 0) {
            out += QStringView(text).mid(at);
            break;
        }
        out += QStringView(text).mid(at, open - at);
        const QStringView name = QStringView(text).mid(open + 1, close - open - 1);
        for (const SiteDefinition::Named &value : values) {
            if (value.name == name) {
                out += value.text;
                break;
            }
        }
        at = close + 1;
    }
    return out;
}

QString AddressTemplate::encodeKeyword(const QString &keyword, SiteDefinition::KeywordEncoding encoding)
{
    if (encoding == SiteDefinition::KeywordEncoding::Utf8NonAscii)
        return UTF8_URLEncoding(keyword);
    const QByteArray bytes = encoding == SiteDefinition::KeywordEncoding::Gbk ? toGbk(keyword) : keyword.toUtf8();
    return QString::fromLatin1(bytes.toPercentEncoding());
}

bool AddressTemplate::isUnder(const QString &address, const QString &base)
{
    if (base.isEmpty() || !address.startsWith(base))
        return false;
    if (address.size() == base.size())
        return true;
    const QChar next = address.at(base.size());
    return next == u'/' || next == u'?' || next == u'#';
}

QString AddressTemplate::baseRefusal(const QString &base)
{
    // Browsers read a backslash as a slash, QUrl does not: the two would
    // see different hosts.
    if (base.contains(u'\\'))
        return u"holds a backslash"_s;
    const QUrl url(base);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != u"http"_s && scheme != u"https"_s) || url.host().isEmpty())
        return u"is not an http or https address"_s;
    const qsizetype hostStart = base.indexOf(u"://"_s) + 3;
    qsizetype hostEnd = hostStart;
    while (hostEnd < base.size() && base.at(hostEnd) != u'/' && base.at(hostEnd) != u'?' && base.at(hostEnd) != u'#')
        ++hostEnd;
    if (!url.userInfo().isEmpty() || QStringView(base).mid(hostStart, hostEnd - hostStart).contains(u'@'))
        return (url.password().isEmpty() ? u"carries a user name"_s : u"carries a user name and a password"_s)
               + u" before \"@\", which hides the host it goes to ("_s + url.host() + u')';
    if (url.hasQuery())
        return u"carries a query (\"?\"); the paths put after a base would land in it"_s;
    if (url.hasFragment())
        return u"carries a fragment (\"#\"); the paths put after a base would land in it"_s;
    return {};
}
