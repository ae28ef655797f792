#include "core/texttools.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
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

const QRegularExpression &cachedPattern(const QString &pattern)
{
    // Readers use a handful of fixed patterns; compile each once.
    static QHash<QString, QRegularExpression> cache;
    auto it = cache.find(pattern);
    if (it == cache.end())
        it = cache.insert(pattern, QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption));
    return *it;
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

QString preg(const QString &text, const QString &pattern, const QString &replacement)
{
    const QRegularExpression &re = cachedPattern(pattern);
    if (!re.isValid())
        return text;
    QString out = text;
    out.replace(re, replacement);
    return out;
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
