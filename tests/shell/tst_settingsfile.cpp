#include "core/texttools.h"
#include "shell/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// jyxq.ini as bytes on disk: what the Windows profile routines would read.
class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstWriteCreatesGbkFileWithCrLf();
    void roundTripOfEveryKey();
    void onWhenValueContainsYes_data();
    void onWhenValueContainsYes();
    void missingFileReadsAsDefault();
    void writeKeepsOtherSectionsKeysAndComments();
    void valuesAreCutLikeTheReaderBuffer();
    void readOnlyDirectoryIsSilent();

private:
    QByteArray fileBytes() const;
    void writeBytes(const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray TestSettingsFile::fileBytes() const
{
    QFile file(m_dir->filePath(u"jyxq.ini"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSettingsFile::writeBytes(const QByteArray &bytes) const
{
    QFile file(m_dir->filePath(u"jyxq.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestSettingsFile::firstWriteCreatesGbkFileWithCrLf()
{
    const SettingsFile settings(m_dir->path());
    QCOMPARE(settings.path(), m_dir->path() + u"/jyxq.ini"_s);
    QVERIFY(!QFile::exists(settings.path()));
    QVERIFY(settings.writeYesNo(u"春节元素"_s, true));
    QVERIFY(settings.writeYesNo(u"新年音乐"_s, false));
    // [信息设置] / 春节元素=是 / 新年音乐=否 in GBK bytes.
    const QByteArray expected = "[\xD0\xC5\xCF\xA2\xC9\xE8\xD6\xC3]\r\n"
                                "\xB4\xBA\xBD\xDA\xD4\xAA\xCB\xD8=\xCA\xC7\r\n"
                                "\xD0\xC2\xC4\xEA\xD2\xF4\xC0\xD6=\xB7\xF1\r\n";
    QCOMPARE(fileBytes(), expected);
    QCOMPARE(expected, toGbk(u"[信息设置]\r\n春节元素=是\r\n新年音乐=否\r\n"));
}

void TestSettingsFile::roundTripOfEveryKey()
{
    const SettingsFile settings(m_dir->path());
    QStringList keys = SettingsFile::windowKeys();
    keys.append(SettingsFile::termsKey());
    QCOMPARE(keys.size(), 7);
    for (int i = 0; i < keys.size(); ++i)
        settings.writeYesNo(keys.at(i), i % 2 == 0);
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(settings.isOn(keys.at(i)), i % 2 == 0);
        QCOMPARE(settings.GetFromINI(u"信息设置"_s, keys.at(i)), i % 2 == 0 ? u"是"_s : u"否"_s);
    }
    // Rewriting a key changes its line in place.
    settings.writeYesNo(keys.at(0), false);
    QCOMPARE(fileBytes().count('\n'), 8);
    QVERIFY(fileBytes().startsWith(toGbk(u"[信息设置]\r\n春节元素=否\r\n")));
}

void TestSettingsFile::onWhenValueContainsYes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("on");
    QTest::newRow("yes") << toGbk(u"是") << true;
    QTest::newRow("yes among other text") << toGbk(u"总是开启") << true;
    QTest::newRow("yes after spaces") << toGbk(u"  是  ") << true;
    QTest::newRow("no") << toGbk(u"否") << false;
    QTest::newRow("english word") << QByteArray("yes") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestSettingsFile::onWhenValueContainsYes()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, on);
    writeBytes(toGbk(u"[信息设置]\r\n新年音乐=") + value + "\r\n");
    QCOMPARE(SettingsFile(m_dir->path()).isOn(u"新年音乐"_s), on);
}

void TestSettingsFile::missingFileReadsAsDefault()
{
    const SettingsFile settings(m_dir->path());
    QCOMPARE(settings.GetFromINI(u"信息设置"_s, u"春节元素"_s, u"默认"_s), u"默认"_s);
    QVERIFY(!settings.isOn(u"春节元素"_s));
    writeBytes(toGbk(u"[其他]\r\n春节元素=是\r\n"));
    QVERIFY(!settings.isOn(u"春节元素"_s)); // another section's key does not count
    QVERIFY(!QFile::exists(m_dir->filePath(u"jyxq.ini.tmp"_s)));
}

void TestSettingsFile::writeKeepsOtherSectionsKeysAndComments()
{
    writeBytes(toGbk(u"; 聚源匣的设置\r\n[窗口]\r\n位置=1,2\r\n[信息设置]\r\n关闭快播=是\r\n自定义=保留\r\n"));
    const SettingsFile settings(m_dir->path());
    settings.writeYesNo(u"关闭快播"_s, false);
    settings.writeYesNo(u"屏蔽快播广告"_s, true);
    QCOMPARE(fileBytes(), toGbk(u"; 聚源匣的设置\r\n[窗口]\r\n位置=1,2\r\n[信息设置]\r\n关闭快播=否\r\n自定义=保留\r\n"
                                u"屏蔽快播广告=是\r\n"));
}

void TestSettingsFile::valuesAreCutLikeTheReaderBuffer()
{
    writeBytes(toGbk(u"[信息设置]\r\n春节元素=") + QByteArray(300, 'x') + toGbk(u"是\r\n"));
    const SettingsFile settings(m_dir->path());
    QCOMPARE(settings.GetFromINI(u"信息设置"_s, u"春节元素"_s).size(), 254);
    QVERIFY(!settings.isOn(u"春节元素"_s)); // the 是 lies beyond the buffer
}

void TestSettingsFile::readOnlyDirectoryIsSilent()
{
    const SettingsFile nowhere(m_dir->filePath(u"missing/dir"_s));
    QVERIFY(!nowhere.writeYesNo(u"春节元素"_s, true));
    QVERIFY(!nowhere.isOn(u"春节元素"_s));
    if (::geteuid() == 0)
        QSKIP("root writes into read-only directories");
    writeBytes(toGbk(u"[信息设置]\r\n春节元素=是\r\n"));
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
    const SettingsFile settings(m_dir->path());
    QVERIFY(!settings.writeYesNo(u"春节元素"_s, false));
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(settings.isOn(u"春节元素"_s)); // the old file is untouched
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
