#include "core/bodydecoder.h"

#include <QStringDecoder>

#include <cctype>

namespace {

QByteArray charsetAfter(const QByteArray &text, qsizetype from)
{
    // `from` points just past "charset"; accept spaces, '=' and quotes.
    qsizetype i = from;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    if (i >= text.size() || text.at(i) != '=')
        return {};
    ++i;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '"' || text.at(i) == '\''))
        ++i;
    const qsizetype begin = i;
    while (i < text.size()) {
        const char c = text.at(i);
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == ':'))
            break;
        ++i;
    }
    return text.mid(begin, i - begin);
}

QByteArray normalised(QByteArray charset)
{
    charset = charset.trimmed().toLower();
    if (charset == "gbk" || charset == "gb2312" || charset == "gb_2312-80" || charset == "x-gbk"
        || charset == "cp936" || charset == "euc-cn")
        return "GB18030";
    return charset;
}

} // namespace

QByteArray charsetFromContentType(const QByteArray &contentType)
{
    const QByteArray lower = contentType.toLower();
    const qsizetype at = lower.indexOf("charset");
    if (at < 0)
        return {};
    return charsetAfter(lower, at + 7);
}

QByteArray charsetFromMeta(const QByteArray &body)
{
    // Declarations live in the head; looking at the first 4 KiB is enough and
    // keeps a huge body from being scanned twice.
    const QByteArray head = body.left(4096).toLower();
    qsizetype at = head.indexOf("<meta");
    while (at >= 0) {
        const qsizetype end = head.indexOf('>', at);
        const QByteArray tag = head.mid(at, end < 0 ? -1 : end - at);
        const qsizetype cs = tag.indexOf("charset");
        if (cs >= 0) {
            const QByteArray name = charsetAfter(tag, cs + 7);
            if (!name.isEmpty())
                return name;
        }
        at = head.indexOf("<meta", at + 5);
    }
    return {};
}

QString decodeBody(const QByteArray &body, const QByteArray &contentType, const QByteArray &fallback)
{
    QByteArray charset = charsetFromContentType(contentType);
    if (charset.isEmpty())
        charset = charsetFromMeta(body);
    if (charset.isEmpty())
        charset = fallback;
    charset = normalised(charset);
    if (!charset.isEmpty() && charset != "utf-8" && charset != "utf8") {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    return utf8.decode(body);
}
