#include "shell/settingsfile.h"

#include "core/inidocument.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype ValueLimit = 254; // a 255-character buffer with its terminator

} // namespace

const QString &SettingsFile::fileName()
{
    static const QString name = u"jyxq.ini"_s;
    return name;
}

const QString &SettingsFile::section()
{
    static const QString name = u"信息设置"_s;
    return name;
}

const QStringList &SettingsFile::windowKeys()
{
    static const QStringList keys = {u"春节元素"_s, u"新年音乐"_s, u"关闭快播"_s,
                                     u"关闭协议"_s, u"禁止启动"_s, u"屏蔽快播广告"_s};
    return keys;
}

const QString &SettingsFile::termsKey()
{
    static const QString key = u"阅读协议"_s;
    return key;
}

SettingsFile::SettingsFile(const QString &homeDir)
    : m_path(homeDir + u"/"_s + fileName())
{
}

QString SettingsFile::path() const
{
    return m_path;
}

QString SettingsFile::GetFromINI(const QString &section, const QString &key, const QString &defaultValue) const
{
    const IniDocument ini = IniDocument::fromFile(m_path, IniDocument::Encoding::Gbk);
    return ini.value(section, key, defaultValue).left(ValueLimit);
}

bool SettingsFile::isOn(const QString &key) const
{
    return GetFromINI(section(), key).contains(u"是"_s);
}

bool SettingsFile::write(const QString &key, const QString &value) const
{
    IniDocument ini = IniDocument::fromFile(m_path, IniDocument::Encoding::Gbk);
    ini.setValue(section(), key, value);
    return ini.save(m_path);
}

bool SettingsFile::writeYesNo(const QString &key, bool on) const
{
    return write(key, on ? u"是"_s : u"否"_s);
}
