#include "core/allsearchrow.h"

#include "core/texttools.h"

#include <QDateTime>
#include <QUrl>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString cell(const ListRow &row, QStringView key)
{
    return cleanCell(row.value(key)).trimmed();
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHex(QStringView text)
{
    for (QChar c : text) {
        if (!isDigit(c) && !(c >= u'a' && c <= u'f') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

// The 40 hex digits of an info-hash written as hex or as RFC 4648 base32;
// empty for anything else.
QString infoHashHex(QStringView hash)
{
    if (hash.size() == 40 && isHex(hash))
        return hash.toString().toLower();
    if (hash.size() != 32)
        return {};
    QString hex;
    hex.reserve(40);
    quint32 bits = 0;
    int bitCount = 0;
    for (QChar c : hash) {
        const char16_t u = c.toUpper().unicode();
        quint32 value;
        if (u >= u'A' && u <= u'Z')
            value = u - u'A';
        else if (u >= u'2' && u <= u'7')
            value = u - u'2' + 26;
        else
            return {};
        bits = (bits << 5) | value;
        bitCount += 5;
        if (bitCount >= 8) {
            bitCount -= 8;
            const quint32 byte = (bits >> bitCount) & 0xff;
            hex += QChar(u"0123456789abcdef"[byte >> 4]);
            hex += QChar(u"0123456789abcdef"[byte & 0xf]);
        }
    }
    return hex;
}

QString percentDecoded(QStringView text)
{
    return text.contains(u'%') ? QUrl::fromPercentEncoding(text.toUtf8()) : text.toString();
}

// "btih:<hex>" of the first exact topic that is a BitTorrent info-hash.
QString magnetKey(QString text)
{
    if (text.startsWith(u"magnet%3a", Qt::CaseInsensitive))
        text = QUrl::fromPercentEncoding(text.toUtf8());
    QStringView rest = QStringView(text).mid(7);
    if (rest.startsWith(u'?'))
        rest = rest.mid(1);
    for (QStringView param : rest.tokenize(u'&')) {
        if (param.startsWith(u"amp;")) // cut from HTML without its entities read
            param = param.mid(4);
        const qsizetype equals = param.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString name = percentDecoded(param.left(equals));
        if (name.compare(u"xt", Qt::CaseInsensitive) != 0 && !name.startsWith(u"xt.", Qt::CaseInsensitive))
            continue;
        const QString topic = percentDecoded(param.mid(equals + 1)).trimmed();
        if (!topic.startsWith(u"urn:btih:", Qt::CaseInsensitive))
            continue;
        const QString hex = infoHashHex(QStringView(topic).mid(9));
        if (!hex.isEmpty())
            return u"btih:"_s + hex;
    }
    return {};
}

// "ed2k:<hash>" of "ed2k://|file|name|size|hash|/".
QString ed2kKey(QString text)
{
    if (!text.contains(u'|') && text.contains(u"%7c", Qt::CaseInsensitive))
        text = QUrl::fromPercentEncoding(text.toUtf8());
    const QList<QStringView> parts = QStringView(text).split(u'|');
    if (parts.size() < 5 || parts.at(1).compare(u"file", Qt::CaseInsensitive) != 0)
        return {};
    const QStringView hash = parts.at(4).trimmed();
    if (hash.size() != 32 || !isHex(hash))
        return {};
    return u"ed2k:"_s + hash.toString().toLower();
}

struct SizeUnit
{
    QStringView name;
    int power; // of 1024
};

constexpr std::array<SizeUnit, 18> SizeUnits{{
    {u"", 0},   {u"b", 0},   {u"byte", 0}, {u"bytes", 0}, {u"字节", 0}, {u"k", 1},
    {u"kb", 1}, {u"kib", 1}, {u"m", 2},    {u"mb", 2},    {u"mib", 2},  {u"兆", 2},
    {u"g", 3},  {u"gb", 3},  {u"gib", 3},  {u"t", 4},     {u"tb", 4},   {u"tib", 4},
}};

// Reads up to `most` digits at `at`; how many were read in `count` (one
// more than `most` when the run is longer).
int readNumber(QStringView text, qsizetype &at, int most, int &count)
{
    int value = 0;
    count = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (count == most) {
            ++count;
            return value;
        }
        value = value * 10 + (text[at].unicode() - u'0');
        ++count;
        ++at;
    }
    return value;
}

bool takeChar(QStringView text, qsizetype &at, QChar c)
{
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

// "H:MM" or "H:MM:SS" at `at`, as milliseconds into the day; 0 when there
// is none or it is not a time.
qint64 timeOfDay(QStringView text, qsizetype at)
{
    if (at >= text.size() || (!text[at].isSpace() && text[at] != u'T'))
        return 0;
    while (at < text.size() && (text[at].isSpace() || text[at] == u'T'))
        ++at;
    int count = 0;
    const int hours = readNumber(text, at, 2, count);
    if (count < 1 || count > 2 || !takeChar(text, at, u':'))
        return 0;
    const int minutes = readNumber(text, at, 2, count);
    if (count != 2)
        return 0;
    int seconds = 0;
    if (takeChar(text, at, u':')) {
        seconds = readNumber(text, at, 2, count);
        if (count != 2)
            return 0;
    }
    if (hours > 23 || minutes > 59 || seconds > 59)
        return 0;
    return ((hours * 60LL + minutes) * 60 + seconds) * 1000;
}

// The last month/day not after `today`, going back over years for 29 Feb.
QDate withoutYear(int month, int day, QDate today)
{
    if (!today.isValid())
        today = QDate::currentDate();
    for (int year = today.year(); year > today.year() - 8; --year) {
        const QDate date(year, month, day);
        if (date.isValid() && date <= today)
            return date;
    }
    return {};
}

} // namespace

AllSearchRow allSearchRow(const QString &source, const QString &title, const ListRow &row)
{
    AllSearchRow out{source, cleanCell(title), cell(row, u"mc"), cell(row, u"dx"), {}, {}};
    for (QStringView key : {u"rq", u"fb", u"gx"}) {
        out.date = cell(row, key);
        if (!out.date.isEmpty())
            break;
    }
    static constexpr std::array<QStringView, 5> AddressKeys{u"fhdz", u"cl", u"xzdz", u"zzdz", u"dz"};
    for (QStringView key : AddressKeys) {
        QString address = cell(row, key);
        if (address.startsWith(u"magnet:", Qt::CaseInsensitive)) {
            out.address = std::move(address);
            return out;
        }
        if (out.address.isEmpty())
            out.address = std::move(address);
    }
    return out;
}

QString addressKey(QStringView address)
{
    const QString text = address.trimmed().toString();
    QString key;
    if (text.startsWith(u"magnet:", Qt::CaseInsensitive) || text.startsWith(u"magnet%3a", Qt::CaseInsensitive))
        key = magnetKey(text);
    else if (text.startsWith(u"ed2k:", Qt::CaseInsensitive))
        key = ed2kKey(text);
    return key.isEmpty() ? text : key;
}

qint64 sizeInBytes(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 64)
        return -1;
    QString number;
    bool point = false;
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at];
        if (isDigit(c)) {
            number += c;
            ++at;
            continue;
        }
        const bool digitFollows = at + 1 < text.size() && isDigit(text[at + 1]);
        if (c == u',' && !point && !number.isEmpty() && digitFollows) {
            // A comma before exactly three digits separates thousands,
            // before any other count of digits it is a decimal comma.
            qsizetype run = at + 1;
            while (run < text.size() && isDigit(text[run]))
                ++run;
            if (run - at - 1 == 3) {
                ++at;
                continue;
            }
        }
        if ((c == u',' || c == u'.') && !point && !number.isEmpty() && digitFollows) {
            point = true;
            number += u'.';
            ++at;
            continue;
        }
        break;
    }
    if (number.isEmpty())
        return -1;
    const QStringView unit = text.mid(at).trimmed();
    int power = -1;
    for (const SizeUnit &candidate : SizeUnits) {
        if (unit.compare(candidate.name, Qt::CaseInsensitive) == 0) {
            power = candidate.power;
            break;
        }
    }
    if (power < 0)
        return -1;
    const double bytes = number.toDouble() * std::pow(1024.0, power);
    // Nothing real comes near 2^63 bytes; above it the cast would overflow.
    if (!std::isfinite(bytes) || bytes >= 9.0e18)
        return -1;
    return qint64(std::llround(bytes));
}

qint64 dateKey(QStringView text, QDate today)
{
    text = text.trimmed();
    constexpr qint64 EpochJulianDay = 2440588; // 1970-01-01
    constexpr qint64 DayMs = 86400000;
    // Feeds print RFC 2822 dates ("Sun, 01 Dec 2013 12:00:00 +0800"): read
    // as their own clock shows them, like every other date here.
    if (!text.isEmpty() && !isDigit(text[0]) && text.size() < 64) {
        const QDateTime stamped = QDateTime::fromString(text.toString(), Qt::RFC2822Date);
        // Years as the numeric forms take them: four digits.
        if (!stamped.isValid() || stamped.date().year() < 1 || stamped.date().year() > 9999)
            return NoDateKey;
        return (stamped.date().toJulianDay() - EpochJulianDay) * DayMs + stamped.time().msecsSinceStartOfDay();
    }
    qsizetype at = 0;
    int count = 0;
    const int first = readNumber(text, at, 4, count);
    if (count < 1 || count > 4 || count == 3 || at >= text.size())
        return NoDateKey;
    const QChar separator = text[at];
    const bool chinese = separator == u'年' || separator == u'月';
    if (separator != u'-' && separator != u'/' && separator != u'.' && !chinese)
        return NoDateKey;
    ++at;
    QDate date;
    if (count == 4) {
        if (separator == u'月')
            return NoDateKey;
        const int month = readNumber(text, at, 2, count);
        if (count < 1 || count > 2 || !takeChar(text, at, chinese ? QChar(u'月') : separator))
            return NoDateKey;
        const int day = readNumber(text, at, 2, count);
        if (count < 1 || count > 2)
            return NoDateKey;
        date = QDate(first, month, day);
    } else {
        if (separator == u'年')
            return NoDateKey;
        const int day = readNumber(text, at, 2, count);
        if (count < 1 || count > 2)
            return NoDateKey;
        // "14-01-02" or "01/02/2014": no telling which number is which.
        if (at + 1 < text.size() && text[at] == separator && isDigit(text[at + 1]))
            return NoDateKey;
        date = withoutYear(first, day, today);
    }
    if (chinese && at < text.size() && (text[at] == u'日' || text[at] == u'号'))
        ++at;
    if (!date.isValid() || (at < text.size() && isDigit(text[at])))
        return NoDateKey;
    return (date.toJulianDay() - EpochJulianDay) * DayMs + timeOfDay(text, at);
}
