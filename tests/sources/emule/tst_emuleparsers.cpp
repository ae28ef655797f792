#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/ed2klink.h"
#include "core/searchlimits.h"
#include "sources/emule/ed2ksearchparser.h"
#include "sources/emule/emuleparser.h"
#include "support/mendeddefinition.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString base = u"http://emule.example"_s;
const QString ed2kBase = u"http://ed2k.example"_s;

// The built-in definitions the readers use.
const SiteDefinition &ed2k()
{
    return DefinitionCatalog::builtIns().get(u"ed2k"_s);
}

const SiteDefinition &category()
{
    return DefinitionCatalog::builtIns().get(u"emule-category"_s);
}

const SiteDefinition &search()
{
    return DefinitionCatalog::builtIns().get(u"emule-search"_s);
}

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(JYX_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

} // namespace

// The eMule site's listing and detail pages and the ed2k search site's
// result page, read from fixtures.
class TestEmuleParsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listingItems_data();
    void listingItems();
    void listingStopsAtTheLastItem_data();
    void listingStopsAtTheLastItem();
    void searchPage();
    void addresses_data();
    void addresses();
    void ed2kLink_data();
    void ed2kLink();
    void ed2kSearchRows_data();
    void ed2kSearchRows();
    void ed2kSearchCount();
    void mendedMarkers_data();
    void mendedMarkers();
};

void TestEmuleParsers::listingItems_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("address");
    QTest::newRow("markup before </p> keeps its text") << 0 << u"流浪地球 The Wandering Earth"_s
                                                      << u"更新 2013-12-05 b>高清/b> 中字"_s
                                                      << base + u"/emule/detail/movie-61.html"_s;
    // Not site-relative: no address, never the previous slot's.
    QTest::newRow("outside anchor, stray <") << 1 << u"站外镜像"_s << u"镜像 1  2"_s << QString();
    QTest::newRow("no title, no </p> in the item") << 2 << QString() << QString()
                                                   << base + u"/emule/detail/movie-63.html"_s;
    QTest::newRow("no note marker") << 3 << u"霸王别姬"_s << QString() << base + u"/emule/detail/movie-64.html"_s;
}

void TestEmuleParsers::listingItems()
{
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(QString, note);
    QFETCH(QString, address);
    const QList<EmuleItem> items = parseEmuleListing(category(), fixture(u"emule/listing.html"_s), base, 30);
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(slot).name, name);
    QCOMPARE(items.at(slot).note, note);
    QCOMPARE(items.at(slot).detailAddress, address);
}

void TestEmuleParsers::listingStopsAtTheLastItem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qsizetype>("limit");
    QTest::addColumn<qsizetype>("items");
    QTest::newRow("short page, 30 slots") << u"emule/listing.html"_s << qsizetype(30) << qsizetype(4);
    QTest::newRow("limit below the page") << u"emule/search7.html"_s << qsizetype(5) << qsizetype(5);
    QTest::newRow("no items") << u"emule/detail_two.html"_s << qsizetype(30) << qsizetype(0);
}

void TestEmuleParsers::listingStopsAtTheLastItem()
{
    QFETCH(QString, file);
    QFETCH(qsizetype, limit);
    QFETCH(qsizetype, items);
    const QList<EmuleItem> parsed = parseEmuleListing(category(), fixture(file), base, limit);
    QCOMPARE(parsed.size(), items);
    // No slot repeats an item under a new number.
    for (qsizetype i = 1; i < parsed.size(); ++i)
        QVERIFY(parsed.at(i).detailAddress != parsed.at(i - 1).detailAddress);
}

void TestEmuleParsers::searchPage()
{
    const QString page = fixture(u"emule/search7.html"_s);
    QCOMPARE(countEmuleItems(search(), page), 7);
    QVERIFY(!isEmuleSearchEmpty(search(), page));
    const QList<EmuleItem> items = parseEmuleListing(search(), page, base, countEmuleItems(search(), page));
    QCOMPARE(items.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const QString n = QString::number(i + 1);
        QCOMPARE(items.at(i).name, u"地球 第"_s + n + u"号"_s);
        QCOMPARE(items.at(i).note, u"更新 2013-12-0"_s + n + u" b>高清/b>"_s);
        QCOMPARE(items.at(i).detailAddress, base + u"/emule/detail/search-"_s + n + u".html"_s);
    }
    QVERIFY(isEmuleSearchEmpty(search(), u"<div>没能为您找到与“x”相关的资源</div>"_s));
}

void TestEmuleParsers::addresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("film, page 1") << emuleCategoryAddress(category(), base, 0, 1)
                                  << base + u"/emule/movie/1"_s;
    QTest::newRow("cartoon, page 12") << emuleCategoryAddress(category(), base, 6, 12)
                                      << base + u"/emule/cartoon/12"_s;
    QTest::newRow("site search") << emuleSearchAddress(search(), base, u"%E5%9C%B0%E7%90%83"_s, u"2"_s)
                                 << base + u"/emule/search/%E5%9C%B0%E7%90%83/2"_s;
    QTest::newRow("ed2k, page 1") << ed2kSearchAddress(ed2k(), ed2kBase, u"ab"_s, u"1"_s)
                                  << ed2kBase + u"/FileList.asp?SearchWord=ab"_s;
    QTest::newRow("ed2k, page 1.0") << ed2kSearchAddress(ed2k(), ed2kBase, u"ab"_s, u"1.0"_s)
                                    << ed2kBase + u"/FileList.asp?SearchWord=ab"_s;
    QTest::newRow("ed2k, page 2") << ed2kSearchAddress(ed2k(), ed2kBase, u"%E5%9C%B0"_s, u"2"_s)
                                  << ed2kBase + u"/FileList.asp?PageIndex=2&SearchWord=%E5%9C%B0"_s;
    QTest::newRow("ed2k, page 05") << ed2kSearchAddress(ed2k(), ed2kBase, u"ab"_s, u"05"_s)
                                   << ed2kBase + u"/FileList.asp?PageIndex=5&SearchWord=ab"_s;
    QTest::newRow("ed2k, page 2.5") << ed2kSearchAddress(ed2k(), ed2kBase, u"ab"_s, u"2.5"_s)
                                    << ed2kBase + u"/FileList.asp?PageIndex=2.5&SearchWord=ab"_s;
}

void TestEmuleParsers::addresses()
{
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(address, expected);
}

void TestEmuleParsers::ed2kLink_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("link");
    QTest::newRow("first of two anchors")
        << fixture(u"emule/detail_two.html"_s)
        << u"ed2k://|file|The.Wandering.Earth.CD1.mkv|734003200|0123456789ABCDEF0123456789ABCDEF|/"_s;
    QTest::newRow("single-quoted, unquoted and bare only") << fixture(u"emule/detail_none.html"_s) << QString();
    QTest::newRow("empty body") << QString() << QString();
    QTest::newRow("empty address") << u"<a href=\"ed2k://\">x</a>"_s << QString();
    QTest::newRow("unterminated before the next anchor")
        << u"<a href=\"ed2k://|file|a|/>x</a><a href=\"ed2k://|file|b|/\">y</a>"_s << QString();
    QTest::newRow("unterminated at the end") << u"<a href=\"ed2k://|file|a|/"_s << QString();
}

void TestEmuleParsers::ed2kLink()
{
    QFETCH(QString, body);
    QFETCH(QString, link);
    QCOMPARE(firstEd2kLink(body), link);
}

void TestEmuleParsers::ed2kSearchRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("address");
    const QString file = ed2kBase + u"/ShowFile.asp?FileID="_s;
    QTest::newRow("plain") << 0 << u" 流浪地球 第1个文件.mkv"_s << u"电影"_s << file + u"5001"_s;
    QTest::newRow("category as an anchor") << 1 << u" 地球 OST.flac"_s << u"音乐"_s << file + u"5002"_s;
    QTest::newRow("stray < and other tags") << 2 << u" 评分9 b>精选/b>.iso"_s << u"软件"_s << file + u"5003"_s;
    QTest::newRow("no ]") << 3 << u"没有闭括号 缺括号.avi"_s << QString() << file + u"5004"_s;
    QTest::newRow("no anchor") << 4 << QString() << u"图书"_s << QString();
    QTest::newRow("unterminated file id") << 5 << u" 引号未闭合"_s << u"动漫"_s << QString();
}

void TestEmuleParsers::ed2kSearchRows()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, category);
    QFETCH(QString, address);
    const QString page = fixture(u"ed2k_search/results.html"_s);
    const QList<Ed2kSearchRow> rows = parseEd2kSearchPage(ed2k(), page, ed2kBase, countEd2kSearchRows(ed2k(), page));
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.at(row).name, name);
    QCOMPARE(rows.at(row).category, category);
    QCOMPARE(rows.at(row).fileAddress, address);
}

void TestEmuleParsers::ed2kSearchCount()
{
    const QString page = fixture(u"ed2k_search/results.html"_s);
    QCOMPARE(countEd2kSearchRows(ed2k(), page), 6);
    // A count above the page's rows takes only the rows there are.
    QCOMPARE(parseEd2kSearchPage(ed2k(), page, ed2kBase, 100).size(), 6);
    QCOMPARE(parseEd2kSearchPage(ed2k(), page, ed2kBase, 2).size(), 2);
    QCOMPARE(countEd2kSearchRows(ed2k(), QString()), 0);
    QString many;
    for (int i = 0; i < 33000; ++i)
        many += u"<td>["_s;
    // The count is the page's, so that a cut list can say how many it left
    // out; the list takes no more than it holds.
    QCOMPARE(countEd2kSearchRows(ed2k(), many), 33000);
    QCOMPARE(SearchLimits::listedRows(countEd2kSearchRows(ed2k(), many)), 32767);
}

void TestEmuleParsers::mendedMarkers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fixtureFile");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("rows");
    QTest::newRow("ed2k rows") << u"ed2k"_s << u"ed2k_search/results.html"_s << u"<td>["_s << u"<li>["_s << 6;
    QTest::newRow("ed2k file anchor") << u"ed2k"_s << u"ed2k_search/results.html"_s << u"<a href=\"ShowFile.asp"_s
                                      << u"<a href=\"file.asp"_s << 6;
    QTest::newRow("eMule items") << u"emule-category"_s << u"emule/listing.html"_s << u"<div class=\"thumb\">"_s
                                 << u"<div class=\"cover\">"_s << 4;
    QTest::newRow("eMule titles") << u"emule-search"_s << u"emule/search7.html"_s << u"title=\""_s << u"alt=\""_s << 7;
}

// A definition that says where the site moved its markup reads the moved
// page as the built-in read the old one, and the built-in no longer does.
void TestEmuleParsers::mendedMarkers()
{
    QFETCH(QString, name);
    QFETCH(QString, fixtureFile);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, rows);
    const DefinitionLoader::Result mended = mendedBuiltIn(name, from, to);
    QVERIFY2(mended.definition, qPrintable(mended.problems.value(0).text()));
    const SiteDefinition &builtIn = DefinitionCatalog::builtIns().get(name);
    const QString old = fixture(fixtureFile);
    const QString moved = QString(old).replace(from, to);
    QVERIFY(moved != old);
    const auto fields = [&](const SiteDefinition &definition, const QString &page) {
        QStringList out;
        if (name == u"ed2k"_s) {
            const qsizetype count = countEd2kSearchRows(definition, page);
            for (const Ed2kSearchRow &row : parseEd2kSearchPage(definition, page, ed2kBase, count))
                out << row.name << row.category << row.fileAddress;
        } else {
            for (const EmuleItem &item : parseEmuleListing(definition, page, base, 30))
                out << item.name << item.note << item.detailAddress;
        }
        return out;
    };
    const QStringList expected = fields(builtIn, old);
    QCOMPARE(expected.size(), rows * 3);
    QCOMPARE(fields(*mended.definition, moved), expected);
    QVERIFY(fields(builtIn, moved) != expected);
}

QTEST_GUILESS_MAIN(TestEmuleParsers)
#include "tst_emuleparsers.moc"
