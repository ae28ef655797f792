#pragma once

#include <QString>
#include <QStringList>

// jyxq.ini in the home directory: one section "信息设置" of yes/no keys,
// GBK text with CR LF lines, as the Windows profile routines read and write
// it. The file is never created with defaults; it appears at the first write.
class SettingsFile
{
public:
    static const QString &fileName();
    static const QString &section();
    // The six keys of the settings window, in the order of its boxes.
    static const QStringList &windowKeys();
    static const QString &termsKey();

    explicit SettingsFile(const QString &homeDir);

    QString path() const;
    // The profile reader: a missing file, section or key gives `defaultValue`;
    // values are cut to 254 characters like the reader's buffer.
    QString GetFromINI(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // A key counts as on when its value contains "是" anywhere.
    bool isOn(const QString &key) const;
    // The profile writer: every other line of the file is kept, and the
    // write is atomic. Returns false when the file could not be written.
    bool write(const QString &key, const QString &value) const;
    bool writeYesNo(const QString &key, bool on) const;

private:
    QString m_path;
};
