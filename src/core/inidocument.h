#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An INI file as the Windows profile routines see it: "[section]" headers and
// "key=value" lines, names compared without regard to case, values trimmed
// and freed of one pair of surrounding quotes. Writing changes one line and
// keeps every other line (comments included) as it was.
class IniDocument
{
public:
    enum class Encoding { Utf8, Gbk };

    IniDocument() = default;
    static IniDocument fromBytes(const QByteArray &bytes, Encoding encoding);
    // A missing or unreadable file gives an empty document.
    static IniDocument fromFile(const QString &path, Encoding encoding);

    // The value, or `defaultValue` when the section or key is missing.
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    bool contains(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    QStringList keys(const QString &section) const;

    // Lines ended by CR LF, in the document's encoding.
    QByteArray toBytes() const;
    // Atomic write (QSaveFile): a failed save leaves the old file untouched.
    bool save(const QString &path) const;

private:
    struct Line
    {
        QString text;
        QString section; // lower-case section the line belongs to
        QString key;     // lower-case key; empty for other lines
        QString value;
    };

    qsizetype findKey(const QString &section, const QString &key) const;
    static Line parseLine(const QString &text, const QString &section);

    QList<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
};
