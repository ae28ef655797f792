#include "core/inidocument.h"
#include "core/siteconfig.h"
#include "core/texttools.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestIniDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLikeTheProfileRoutines();
    void writesGbkWithCrLfAndKeepsOtherLines();
    void addsMissingSectionAndKey();
    void missingFileIsEmpty();
    void failedSaveKeepsOldFile();
    void siteConfiguration();
};

void TestIniDocument::readsLikeTheProfileRoutines()
{
    const QByteArray bytes = toGbk(u"; comment\r\n[信息设置]\r\n春节元素 = 是\r\n新年音乐=\"否\"\r\n"
                                   "[Other]\nKEY=value with spaces  \n"_s);
    const IniDocument ini = IniDocument::fromBytes(bytes, IniDocument::Encoding::Gbk);
    QCOMPARE(ini.value(u"信息设置"_s, u"春节元素"_s), u"是"_s);
    QCOMPARE(ini.value(u"信息设置"_s, u"新年音乐"_s), u"否"_s);
    QCOMPARE(ini.value(u"other"_s, u"key"_s), u"value with spaces"_s);
    QCOMPARE(ini.value(u"信息设置"_s, u"阅读协议"_s, u"默认"_s), u"默认"_s);
    QCOMPARE(ini.value(u"缺少"_s, u"春节元素"_s), QString());
    QVERIFY(!ini.contains(u"other"_s, u"春节元素"_s));
}

void TestIniDocument::writesGbkWithCrLfAndKeepsOtherLines()
{
    const QByteArray original = toGbk(u"; keep me\r\n[信息设置]\r\n春节元素=否\r\n[别的]\r\nx=1\r\n"_s);
    IniDocument ini = IniDocument::fromBytes(original, IniDocument::Encoding::Gbk);
    ini.setValue(u"信息设置"_s, u"春节元素"_s, u"是"_s);
    ini.setValue(u"信息设置"_s, u"新年音乐"_s, u"否"_s);
    QCOMPARE(ini.toBytes(),
             toGbk(u"; keep me\r\n[信息设置]\r\n春节元素=是\r\n新年音乐=否\r\n[别的]\r\nx=1\r\n"_s));
}

void TestIniDocument::addsMissingSectionAndKey()
{
    IniDocument ini;
    ini.setValue(u"信息设置"_s, u"阅读协议"_s, u"是"_s);
    QCOMPARE(QString::fromUtf8(ini.toBytes()), u"[信息设置]\r\n阅读协议=是\r\n"_s);
}

void TestIniDocument::missingFileIsEmpty()
{
    const IniDocument ini = IniDocument::fromFile(u"/nonexistent/jyxq.ini"_s, IniDocument::Encoding::Gbk);
    QVERIFY(ini.keys(u"信息设置"_s).isEmpty());
    QCOMPARE(ini.toBytes(), QByteArray());
}

void TestIniDocument::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"jyxq.ini"_s);
    IniDocument ini;
    ini.setValue(u"a"_s, u"b"_s, u"c"_s);
    QVERIFY(ini.save(path));
    QVERIFY(!ini.save(dir.filePath(u"missing/dir/jyxq.ini"_s)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[a]\r\nb=c\r\n"));
}

void TestIniDocument::siteConfiguration()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sites.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[sites]\nnetdisk_search = http://search.example/\nmaker=http://maker.example/base//\n"
               "[netdisk]\n0=pan.one.example\n23 = pan.last.example\n"
               "[network]\ntimeout_ms=1500\nuser_agent=Agent, with comma\nproxy=socks5://127.0.0.1:9\n");
    file.close();
    const SiteConfig config = SiteConfig::fromFile(path);
    QCOMPARE(config.site(u"netdisk_search"_s), u"http://search.example"_s);
    QCOMPARE(config.site(u"maker"_s), u"http://maker.example/base"_s);
    QCOMPARE(config.site(u"rss_feed"_s), QString());
    QCOMPARE(config.netdiskFilter(0), u"pan.one.example"_s);
    QCOMPARE(config.netdiskFilter(23), u"pan.last.example"_s);
    QCOMPARE(config.netdiskFilter(5), QString());
    QCOMPARE(config.network().timeoutMs, 1500);
    QCOMPARE(config.network().userAgent, u"Agent, with comma"_s);
    QCOMPARE(config.network().proxy, u"socks5://127.0.0.1:9"_s);
    // The page's deadline: four time-outs unless it is set.
    QCOMPARE(config.network().effectiveDeadlineMs(), 6000);
    QFile deadline(dir.filePath(u"deadline.ini"_s));
    QVERIFY(deadline.open(QIODevice::WriteOnly));
    deadline.write("[network]\ntimeout_ms=1500\ndeadline_ms=2500\n");
    deadline.close();
    QCOMPARE(SiteConfig::fromFile(deadline.fileName()).network().effectiveDeadlineMs(), 2500);

    const SiteConfig none = SiteConfig::fromFile(dir.filePath(u"absent.ini"_s));
    QCOMPARE(none.site(u"netdisk_search"_s), QString());
    QCOMPARE(none.network().timeoutMs, 30000);
    QCOMPARE(none.network().effectiveDeadlineMs(), 120000);
}

QTEST_GUILESS_MAIN(TestIniDocument)
#include "tst_inidocument.moc"
