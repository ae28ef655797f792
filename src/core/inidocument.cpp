#include "core/inidocument.h"

#include "core/texttools.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString sectionOf(const QString &trimmedLine)
{
    if (!trimmedLine.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = trimmedLine.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return trimmedLine.mid(1, close - 1).trimmed();
}

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniDocument::Line IniDocument::parseLine(const QString &text, const QString &section)
{
    Line line{text, section, {}, {}};
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'))
        || trimmed.startsWith(QLatin1Char('[')))
        return line;
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return line;
    line.key = trimmed.left(eq).trimmed().toLower();
    line.value = unquoted(trimmed.mid(eq + 1));
    return line;
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes, Encoding encoding)
{
    IniDocument doc;
    doc.m_encoding = encoding;
    QString text;
    if (encoding == Encoding::Gbk) {
        text = fromGbk(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    }
    if (text.isEmpty())
        return doc;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    QString section;
    for (QString &raw : lines) {
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString name = sectionOf(raw.trimmed());
        if (!name.isEmpty())
            section = name.toLower();
        doc.m_lines.append(parseLine(raw, section));
    }
    return doc;
}

IniDocument IniDocument::fromFile(const QString &path, Encoding encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        IniDocument doc;
        doc.m_encoding = encoding;
        return doc;
    }
    return fromBytes(file.readAll(), encoding);
}

qsizetype IniDocument::findKey(const QString &section, const QString &key) const
{
    const QString s = section.toLower();
    const QString k = key.toLower();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).section == s && m_lines.at(i).key == k)
            return i;
    }
    return -1;
}

QString IniDocument::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const qsizetype at = findKey(section, key);
    return at < 0 ? defaultValue : m_lines.at(at).value;
}

bool IniDocument::contains(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList out;
    const QString s = section.toLower();
    for (const Line &line : m_lines) {
        if (line.section == s && !line.key.isEmpty())
            out.append(line.key);
    }
    return out;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString text = key + QLatin1Char('=') + value;
    const qsizetype at = findKey(section, key);
    if (at >= 0) {
        m_lines[at] = parseLine(text, m_lines.at(at).section);
        return;
    }
    const QString s = section.toLower();
    qsizetype lastOfSection = -1;
    bool sectionFound = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).section != s)
            continue;
        sectionFound = true;
        if (!m_lines.at(i).text.trimmed().isEmpty())
            lastOfSection = i;
    }
    if (!sectionFound) {
        m_lines.append(Line{QLatin1Char('[') + section + QLatin1Char(']'), s, {}, {}});
        lastOfSection = m_lines.size() - 1;
    }
    m_lines.insert(lastOfSection + 1, parseLine(text, s));
}

QByteArray IniDocument::toBytes() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + QLatin1String("\r\n");
    if (m_encoding == Encoding::Gbk)
        return toGbk(text);
    return text.toUtf8();
}

bool IniDocument::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toBytes());
    return file.commit();
}
