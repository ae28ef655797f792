#include "core/texttools.h"

#include <algorithm>
#include <memory>

#include "core/boundedregex.h"
#include "core/patternerrors.h"

#include <QHash>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

void appendByte(QString &out, unsigned byte)
{
    static constexpr char16_t hex[] = u"0123456789ABCDEF";
    out += QLatin1Char('%');
    out += QChar(hex[(byte >> 4) & 0xF]);
    out += QChar(hex[byte & 0xF]);
}

const BoundedRegex &cachedPattern(const QString &pattern)
{
    // Readers use a handful of fixed patterns; compile each once. The
    // definitions in use bound how many there are, but a long run may load
    // many: the cache starts again beyond a few hundred.
    thread_local QHash<QString, std::shared_ptr<const BoundedRegex>> cache;
    auto it = cache.find(pattern);
    if (it == cache.end()) {
        if (cache.size() >= 256)
            cache.clear();
        it = cache.insert(pattern, std::make_shared<const BoundedRegex>(pattern));
    }
    return **it;
}

// The tag name of a pattern "</?NAME[^<>]*>" (NAME plain ASCII letters), the
// readers' tag strippers; empty for any other pattern.
QStringView tagStripName(QStringView pattern)
{
    static constexpr QStringView head = u"</?";
    static constexpr QStringView tail = u"[^<>]*>";
    if (pattern.size() <= head.size() + tail.size() || !pattern.startsWith(head) || !pattern.endsWith(tail))
        return {};
    const QStringView name = pattern.mid(head.size(), pattern.size() - head.size() - tail.size());
    for (QChar ch : name) {
        const char16_t c = ch.unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return {};
    }
    return name;
}

// What the case-blind pattern "</?NAME[^<>]*>" replaced by nothing does, in
// one pass without the regex engine: at each '<', an optional '/', NAME in
// any case, then anything but '<' and '>' up to a '>'.
QString stripTags(const QString &text, QStringView name)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype copied = 0;
    qsizetype at = text.indexOf(u'<');
    while (at >= 0) {
        qsizetype k = at + 1;
        if (k < n && text.at(k) == u'/')
            ++k;
        qsizetype end = -1;
        if (QStringView(text).mid(k, name.size()).compare(name, Qt::CaseInsensitive) == 0 && k + name.size() <= n) {
            k += name.size();
            while (k < n && text.at(k) != u'<' && text.at(k) != u'>')
                ++k;
            if (k < n && text.at(k) == u'>')
                end = k + 1;
        }
        if (end < 0) {
            at = text.indexOf(u'<', at + 1);
            continue;
        }
        out += QStringView(text).mid(copied, at - copied);
        copied = end;
        at = text.indexOf(u'<', end);
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

} // namespace

QString UTF8_URLEncoding(QStringView text)
{
    QString out;
    out.reserve(text.size() * 3);
    for (QChar ch : text) {
        const unsigned unit = ch.unicode();
        if (unit < 0x80) {
            out += ch;
        } else if (unit < 0x800) {
            appendByte(out, 0xC0 | (unit >> 6));
            appendByte(out, 0x80 | (unit & 63));
        } else {
            appendByte(out, 0xE0 | (unit >> 12));
            appendByte(out, 0x80 | ((unit >> 6) & 63));
            appendByte(out, 0x80 | (unit & 63));
        }
    }
    return out;
}

QString preg(const QString &text, const QString &pattern, const QString &replacement, const QString &rule)
{
    // The tag strippers run once per row: spare them the regex engine.
    if (replacement.isEmpty()) {
        const QStringView name = tagStripName(pattern);
        if (!name.isEmpty())
            return stripTags(text, name);
    }
    const BoundedRegex &re = cachedPattern(pattern);
    PatternErrors *errors = PatternErrors::current();
    const QString &name = rule.isEmpty() ? pattern : rule;
    if (!re.isValid()) {
        if (errors)
            errors->noteInvalid(name);
        return {};
    }
    // A rule that ran away once in this search would only do so again.
    if (errors && errors->hasFailed(name))
        return {};
    const BoundedRegex::Budget given = errors ? errors->fieldBudget() : BoundedRegex::Budget{};
    BoundedRegex::Budget budget = given;
    BoundedRegex::Result result = re.replace(text, replacement, budget);
    if (errors)
        errors->spend(given, budget);
    if (result.failure != BoundedRegex::Failure::None) {
        if (errors)
            errors->noteLimit(name);
        return {};
    }
    return std::move(result.text);
}

qsizetype gbkByteLength(QStringView text)
{
    qsizetype ascii = 0;
    bool allAscii = true;
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80) {
            allAscii = false;
            break;
        }
        ++ascii;
    }
    return allAscii ? ascii : toGbk(text).size();
}

QByteArray toGbk(QStringView text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QString SetStringFixedLength(const QString &text, int width)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    const QString trimmed = text.mid(begin, end - begin);
    const qsizetype bytes = gbkByteLength(trimmed);
    if (bytes > 0 && width > 0 && bytes < width)
        return trimmed + QString(width - bytes, QLatin1Char(' '));
    return trimmed;
}

QString truncatedToGbkBytes(const QString &text, qsizetype maxBytes)
{
    if (text.size() <= maxBytes / 4 || gbkByteLength(text) <= maxBytes)
        return text;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = (i + 1 < text.size() && text.at(i).isHighSurrogate()) ? 2 : 1;
        const qsizetype bytes = gbkByteLength(QStringView(text).mid(i, len));
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += len;
    }
    return text.left(i);
}

bool isNumericText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    QLocale::c().toDouble(t, &ok);
    return ok;
}

QString normalizedPageText(const QString &text)
{
    if (text == QLatin1String("0") || !isNumericText(text))
        return QStringLiteral("1");
    return text;
}

int leadingNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 0x80)
        ++i;
    bool ok = false;
    const int value = text.left(i).toInt(&ok);
    return ok ? value : 0;
}

bool isHiddenControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

QString cleanCell(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), isHiddenControl))
        return text;
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            clean.append(u' ');
        else if (!isHiddenControl(c))
            clean.append(c);
    }
    return clean;
}
