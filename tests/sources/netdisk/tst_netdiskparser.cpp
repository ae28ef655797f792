#include "core/definitioncatalog.h"
#include "sources/netdisk/netdiskparser.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(JYX_TEST_DATA "/netdisk_search/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

const SiteDefinition &netdisk()
{
    return DefinitionCatalog::builtIns().get(u"netdisk"_s);
}

} // namespace

class TestNetdiskParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hitsInPageOrder();
    void missingFieldsAreEmpty();
    void pageWithoutHits();
    void countLimitsTheRows();
    void labels_data();
    void labels();
    void garbageNeverBreaksTheParser();
};

void TestNetdiskParser::hitsInPageOrder()
{
    const QString body = fixture(u"three_hits.json"_s);
    QCOMPARE(countNetdiskHits(netdisk(), body), qsizetype(3));
    const QList<ListRow> hits = parseNetdiskPage(netdisk(), body);
    QCOMPARE(hits.size(), qsizetype(3));
    QCOMPARE(hits.at(0).value(u"mc"), u"流浪地球 高清_百度云 网盘"_s);
    QCOMPARE(hits.at(0).value(u"dz"), u"http://search.example/link?url=AAA1"_s);
    QCOMPARE(hits.at(1).value(u"mc"), u"流浪地球 华为网盘与百度对比"_s);
    // The address is taken as the engine wrote it: no unescaping.
    QCOMPARE(hits.at(2).value(u"dz"), u"http://search.example/link?url=AAA3&amp;x=1"_s);
}

void TestNetdiskParser::missingFieldsAreEmpty()
{
    const QList<ListRow> hits = parseNetdiskPage(netdisk(), fixture(u"truncated.json"_s));
    // The page ends inside the third title: no closing quote, no title, no
    // address either, so that hit is left out.
    QCOMPARE(hits.size(), qsizetype(2));
    QCOMPARE(hits.at(0).value(u"dz"), u"http://search.example/link?url=B1"_s);
    // No url marker for the second hit: empty, never the first hit's address.
    QCOMPARE(hits.at(1).value(u"mc"), u"只有标题二"_s);
    QCOMPARE(hits.at(1).value(u"dz"), QString());
}

void TestNetdiskParser::pageWithoutHits()
{
    const QString body = fixture(u"no_hits.html"_s);
    QCOMPARE(countNetdiskHits(netdisk(), body), qsizetype(0));
    QVERIFY(parseNetdiskPage(netdisk(), body).isEmpty());
    QVERIFY(parseNetdiskPage(netdisk(), QString()).isEmpty());
}

void TestNetdiskParser::countLimitsTheRows()
{
    QCOMPARE(parseNetdiskPage(netdisk(), fixture(u"three_hits.json"_s), 2).size(), qsizetype(2));
    QCOMPARE(parseNetdiskPage(netdisk(), fixture(u"three_hits.json"_s), 0).size(), qsizetype(0));
}

void TestNetdiskParser::labels_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::newRow("baidu") << u"电影_百度云"_s << u"百度网盘"_s;
    QTest::newRow("first test wins") << u"华为网盘与百度对比"_s << u"百度网盘"_s;
    QTest::newRow("huawei by its bar text") << u"x 网盘|网盘资源|网盘外链|资源下载"_s << u"华为网盘"_s;
    QTest::newRow("bars must be whole") << u"网盘|网盘资源"_s << QString();
    QTest::newRow("csdn") << u"资料 - CSDN下载"_s << u"CSDN资源"_s;
    QTest::newRow("csdn is case-sensitive") << u"csdn下载"_s << QString();
    QTest::newRow("1000eb") << u"1000eb 分享"_s << u"千易网盘"_s;
    QTest::newRow("gxp label differs from caption") << u"共享盘_网盘_网络硬盘"_s << u"GXP网盘"_s;
    QTest::newRow("vdisk label differs from caption") << u"VDISK 分享"_s << u"Vdisk网盘"_s;
    QTest::newRow("good.gd") << u"Good.gd 文件"_s << u"GOOD.GD"_s;
    QTest::newRow("126") << u"126免费网络硬盘"_s << u"126网盘"_s;
    QTest::newRow("last test") << u"天空网盘 下载"_s << u"天空网盘"_s;
    QTest::newRow("none") << u"无名分享"_s << QString();
}

void TestNetdiskParser::labels()
{
    QFETCH(QString, title);
    QFETCH(QString, label);
    QCOMPARE(netdiskLabel(netdisk(), title), label);
    // A listed hit without a label takes the caption of its box.
    const ListRow row = netdiskListRow(netdisk(), {u"1"_s, {{u"mc"_s, title}, {u"dz"_s, u"http://pan.example/1"_s}}}, u"框名"_s);
    QCOMPARE(row.text, label.isEmpty() ? u"框名"_s : label);
    QCOMPARE(row.cells.size(), 2);
    QCOMPARE(row.cells.at(0).text, title);
    QCOMPARE(row.cells.at(1).text, u"http://pan.example/1"_s);
}

void TestNetdiskParser::garbageNeverBreaksTheParser()
{
    // Pages made of marker fragments in random order: every counted item
    // gives at most one row, none of them blank, and no field holds a
    // double quote.
    const QStringList parts = {u"\"title\":\""_s, u"\"url\":\""_s, u"\""_s, u"网盘"_s, u"x"_s, u"\\"_s, u":"_s,
                               u"\"title\":"_s, u"{"_s, u"}"_s, QString(QChar(0xD800)), u"\r\n"_s};
    QRandomGenerator random(20141231);
    for (int round = 0; round < 500; ++round) {
        QString body;
        const int length = int(random.bounded(60));
        for (int i = 0; i < length; ++i)
            body += parts.at(random.bounded(int(parts.size())));
        const qsizetype count = countNetdiskHits(netdisk(), body);
        const QList<ListRow> hits = parseNetdiskPage(netdisk(), body, count);
        QVERIFY(hits.size() <= count);
        for (const ListRow &hit : hits) {
            QVERIFY(!hit.value(u"mc").isEmpty() || !hit.value(u"dz").isEmpty());
            QVERIFY(!hit.value(u"mc").contains(QLatin1Char('"')));
            QVERIFY(!hit.value(u"dz").contains(QLatin1Char('"')));
        }
    }
}

QTEST_GUILESS_MAIN(TestNetdiskParser)
#include "tst_netdiskparser.moc"
