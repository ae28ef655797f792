#include "support/testharness.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The BT movie section (ListView16 and its fields) and the movie resource
// list's double-click (ListView13), through the real window.
class TestBtMovies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstPage();
    void paging();
    void previousOnPageOne();
    void shortAndEmptyPages();
    void failedFetchNamesTheSite_data();
    void failedFetchNamesTheSite();
    void downloadPageFillsTheFields();
    void downloadPageWithoutMarkers();
    void cloudPlay();
    void movieResourceQvodAddresses();
    void movieResourceDeadTitle();
    void doubleClickOnAnEmptyList_data();
    void doubleClickOnAnEmptyList();

private:
    QPushButton *button(int index);
    void click(int index);
    void waitForList(int rows);
    void doubleClick(ResultList *list, int row);
    void searchMovieResource(const QString &keyword);

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
    PlaybackFeeds *m_feeds = nullptr;
};

void TestBtMovies::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView16"_s);
    QVERIFY(m_list);
    m_feeds = PlaybackFeeds::of(&m_h->window());
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(1);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(6);
    m_h->demo.clearRequests();
}

void TestBtMovies::cleanup()
{
    m_h.reset();
}

QPushButton *TestBtMovies::button(int index)
{
    return m_h->child<QPushButton>(u"Commandz3_"_s + QString::number(index));
}

void TestBtMovies::click(int index)
{
    QTest::mouseClick(button(index), Qt::LeftButton);
}

void TestBtMovies::waitForList(int rows)
{
    QTRY_VERIFY_WITH_TIMEOUT(button(0)->isEnabled() && m_h->status() == u"资源获取完毕.."_s, 10000);
    QCOMPARE(m_list->rowCount(), rows);
}

void TestBtMovies::doubleClick(ResultList *list, int row)
{
    QTreeWidgetItem *item = list->topLevelItem(row);
    QVERIFY(item);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void TestBtMovies::firstPage()
{
    QCOMPARE(button(4)->text(), u"在线云点播"_s);
    QCOMPARE(m_h->child<QLabel>(u"Label38"_s)->text(), u"更新日期：NONE"_s);
    click(0);
    QCOMPARE(m_h->status(), u"正在获取电影资源.."_s);
    waitForList(35);
    QCOMPARE(m_h->demo.requests(), QStringList{u"/emule/Download/bt/dianying"_s});
    const QString base = m_h->demo.siteBase(u"emule"_s);
    for (int i = 0; i < 35; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 1), u"演示BT电影"_s + QString::number(101 + i) + u" BD1280高清中字"_s);
        QCOMPARE(m_list->cellText(row, 2), base + u"/Download/xiazai/dy"_s + QString::number(101 + i) + u".html"_s);
    }
}

void TestBtMovies::paging()
{
    click(1);
    waitForList(35);
    click(1);
    waitForList(35);
    click(2);
    waitForList(35);
    // Page 1 is asked for without a number.
    click(2);
    waitForList(35);
    QCOMPARE(m_h->demo.requests(), (QStringList{u"/emule/Download/bt/dianying/2"_s, u"/emule/Download/bt/dianying/3"_s,
                                                u"/emule/Download/bt/dianying/2"_s, u"/emule/Download/bt/dianying"_s}));
}

void TestBtMovies::previousOnPageOne()
{
    click(0);
    waitForList(35);
    m_h->demo.clearRequests();
    click(2);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"已经是最上一页!"_s);
    QCOMPARE(m_list->rowCount(), 35);
    QTest::qWait(50);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestBtMovies::shortAndEmptyPages()
{
    for (int page = 2; page <= 5; ++page) {
        click(1);
        waitForList(page == 5 ? 12 : 35);
    }
    // No upper end: a page past the last lists nothing.
    click(1);
    waitForList(0);
    QCOMPARE(m_h->demo.requests().last(), u"/emule/Download/bt/dianying/6"_s);
}

void TestBtMovies::failedFetchNamesTheSite_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("status");
    QTest::newRow("BT movies") << u"emule"_s << 6 << u"Commandz3_0"_s << u"ListView16"_s << u"电驴资源：连接被拒绝"_s;
    QTest::newRow("board") << u"bt_board"_s << 5 << u"Command3_0"_s << u"ListView18"_s << u"BT论坛：连接被拒绝"_s;
}

// A fetch that fails names the site and why, leaves an empty list and gives
// the buttons back.
void TestBtMovies::failedFetchNamesTheSite()
{
    QFETCH(QString, site);
    QFETCH(int, tab);
    QFETCH(QString, start);
    QFETCH(QString, list);
    QFETCH(QString, status);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(tab);
    auto *view = m_h->child<ResultList>(list);
    view->addRow(u"old"_s);
    // Nothing listens on port 1.
    m_h->services.sites.setSite(site, u"http://127.0.0.1:1/"_s + site);
    auto *button = m_h->child<QPushButton>(start);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 10000);
    QCOMPARE(m_h->status(), status);
    QCOMPARE(view->rowCount(), 0);
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestBtMovies::downloadPageFillsTheFields()
{
    click(0);
    waitForList(35);
    m_h->demo.clearRequests();
    doubleClick(m_list, 2);
    auto *address = m_h->child<QLineEdit>(u"Text18"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!address->text().isEmpty(), 10000);
    QCOMPARE(m_h->demo.requests(), QStringList{u"/emule/Download/xiazai/dy103.html"_s});
    QVERIFY(address->text().startsWith(u"magnet:?xt=urn:btih:"_s));
    // "&amp;" in the page is an ampersand of the address.
    QVERIFY(address->text().endsWith(u"&dn=dy103"_s));
    QCOMPARE(m_h->child<QLineEdit>(u"Text6"_s)->text(), u"演示BT电影103 BD1280高清中字"_s);
    QCOMPARE(m_h->child<QLabel>(u"Label38"_s)->text(), u"更新日期：2013-12-20"_s);
    // The address box announces every new address.
    QCOMPARE(m_h->status(), u"磁力链接已解析!"_s);
}

void TestBtMovies::downloadPageWithoutMarkers()
{
    auto *address = m_h->child<QLineEdit>(u"Text18"_s);
    address->setText(u"old"_s);
    m_list->addRow(u"1"_s, {{u"mc"_s, u"空页"_s}, {u"dz"_s, m_h->demo.siteBase(u"emule"_s) + u"/Download/xiazai/dy0.html"_s}});
    doubleClick(m_list, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->child<QLineEdit>(u"Text6"_s)->text(), u"空页"_s, 10000);
    QCOMPARE(address->text(), QString());
    QCOMPARE(m_h->child<QLabel>(u"Label38"_s)->text(), u"更新日期："_s);
}

void TestBtMovies::cloudPlay()
{
    QSignalSpy requests(m_feeds, &PlaybackFeeds::cloudPlayRequested);
    click(4);
    QCOMPARE(m_h->status(), u"请先进行解析!"_s);
    QCOMPARE(requests.count(), 0);

    click(0);
    waitForList(35);
    doubleClick(m_list, 0);
    auto *address = m_h->child<QLineEdit>(u"Text18"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!address->text().isEmpty(), 10000);
    click(4);
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first().first().toString(), address->text());
}

void TestBtMovies::searchMovieResource(const QString &keyword)
{
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(3);
    m_h->child<QLineEdit>(u"Text13"_s)->setText(keyword);
    QTest::mouseClick(m_h->child<QPushButton>(u"Command2_2"_s), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"搜索完毕.."_s, 10000);
}

void TestBtMovies::movieResourceQvodAddresses()
{
    searchMovieResource(u"功夫12"_s);
    auto *list = m_h->child<ResultList>(u"ListView13"_s);
    m_feeds->setQvodList({u"old"_s});
    QSignalSpy changes(m_feeds, &PlaybackFeeds::qvodListChanged);
    doubleClick(list, 0);
    QCOMPARE(m_h->status(), u"正在提取种子.."_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子提取完毕.."_s, 10000);
    // Cleared first, then each distinct address once, in page order.
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.first().first().toStringList(), QStringList());
    const QStringList addresses = m_feeds->qvodList();
    QCOMPARE(addresses.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(addresses.at(i).startsWith(u"qvod://30000000"_s + QString::number(i + 1) + u"|"_s));
        QVERIFY(addresses.at(i).endsWith(u"第"_s + QString::number(i + 1) + u"集.rmvb|"_s));
    }
}

void TestBtMovies::movieResourceDeadTitle()
{
    searchMovieResource(u"功夫12"_s);
    auto *list = m_h->child<ResultList>(u"ListView13"_s);
    m_feeds->setQvodList({u"old"_s});
    QSignalSpy finished(m_h->services.fetcher->manager(), &QNetworkAccessManager::finished);
    doubleClick(list, 4); // title 1005 has no QVOD link
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCoreApplication::processEvents();
    QCOMPARE(m_h->status(), u"正在提取种子.."_s);
    QVERIFY(m_feeds->qvodList().isEmpty());
}

void TestBtMovies::doubleClickOnAnEmptyList_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("tab");
    QTest::newRow("BT movies") << u"ListView16"_s << 6;
    QTest::newRow("movie resources") << u"ListView13"_s << 3;
    QTest::newRow("board") << u"ListView18"_s << 5;
}

void TestBtMovies::doubleClickOnAnEmptyList()
{
    QFETCH(QString, list);
    QFETCH(int, tab);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(tab);
    auto *view = m_h->child<ResultList>(list);
    QCOMPARE(view->rowCount(), 0);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QTest::qWait(50);
    QVERIFY(m_h->demo.requests().isEmpty());
}

QTEST_MAIN(TestBtMovies)
#include "tst_btmovies.moc"
