#include "core/definitioncatalog.h"
#include "sources/movies/movielistingparser.h"
#include "support/testharness.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The movie listing site's categories (ListView5) and their hand-off to
// the player's address list, through the real window.
class TestMovieListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void categories_data();
    void categories();
    void failedFetchKeepsTheRows();
    void doubleClickReplacesMenuAppends();
    void detailPageWithoutLink();
    void copyDetailAddress();
    void actionsNeedARow();

private:
    void listCategory(int index);
    void doubleClick(int row);
    void waitForFetches(int count);

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
    PlaybackFeeds *m_feeds = nullptr;
};

void TestMovieListing::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView5"_s);
    QVERIFY(m_list);
    m_feeds = PlaybackFeeds::of(&m_h->window());
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(1);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(4);
    m_h->demo.clearRequests();
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestMovieListing::cleanup()
{
    m_h.reset();
}

void TestMovieListing::listCategory(int index)
{
    auto *button = m_h->child<QPushButton>(u"Command14_"_s + QString::number(index));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestMovieListing::doubleClick(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    QVERIFY(item);
    m_list->scrollToItem(item);
    const QPoint at = m_list->visualItemRect(item).center();
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, at);
}

// Every fetch answered, whatever its outcome.
void TestMovieListing::waitForFetches(int count)
{
    QSignalSpy finished(m_h->services.fetcher->manager(), &QNetworkAccessManager::finished);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), count, 10000);
    QCoreApplication::processEvents();
}

void TestMovieListing::categories_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("addressStart");
    const QList<MovieCategory> &categories = movieCategories();
    const QStringList starts = {u"/html/gndy/dyzz/20131201/"_s, u"/html/gndy/china/20131202/"_s,
                                u"/html/gndy/dyzz/20131203/"_s, u"/html/tv/hytv/20131204/"_s,
                                u"/html/tv/rihantv/20131205/"_s, u"/html/dongman/20131206/"_s};
    for (int i = 0; i < categories.size(); ++i) {
        QTest::addRow("%d", i) << i << categories.at(i).caption << movieListingAddress(DefinitionCatalog::builtIns().get(u"movie-listing"_s), u"/movie_listing"_s, categories.at(i))
                               << starts.at(i);
    }
}

void TestMovieListing::categories()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, request);
    QFETCH(QString, addressStart);
    QCOMPARE(m_h->child<QPushButton>(u"Command14_"_s + QString::number(index))->text(), caption);
    m_h->window().panel(2)->setText(u"unchanged"_s);
    listCategory(index);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 25, 10000);
    QCOMPARE(m_h->demo.requests(), QStringList{request});
    const QString base = m_h->demo.siteBase(u"movie_listing"_s);
    for (int i = 0; i < 25; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 2), base + addressStart + QString::number(40001 + i) + u".html"_s);
        const QString title = m_list->cellText(row, 1);
        QVERIFY(title.contains(u"《演示影片"_s + QString::number(i + 1) + u"》"_s));
        // Every third title carries a font tag: its text stays, its "<" go.
        QCOMPARE(title.startsWith(u"font color="_s), (i + 1) % 3 == 0);
        QVERIFY(!title.contains(u'<'));
    }
    // The listing says nothing in the status panel.
    QCOMPARE(m_h->status(), u"unchanged"_s);
}

void TestMovieListing::failedFetchKeepsTheRows()
{
    listCategory(0);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 25, 10000);
    const QString first = m_list->cellText(m_list->topLevelItem(0), 2);
    // Nothing listens on port 1: the fetch fails.
    m_h->services.sites.setSite(u"movie_listing"_s, u"http://127.0.0.1:1/movie_listing"_s);
    listCategory(3);
    waitForFetches(1);
    QCOMPARE(m_list->rowCount(), 25);
    QCOMPARE(m_list->cellText(m_list->topLevelItem(0), 2), first);
}

void TestMovieListing::doubleClickReplacesMenuAppends()
{
    listCategory(0);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 25, 10000);
    QSignalSpy changes(m_feeds, &PlaybackFeeds::playerListChanged);
    const QString first = u"ftp://movies.example:21/[演示]40001.mkv"_s;
    const QString second = u"ftp://movies.example:21/[演示]40002.mkv"_s;

    doubleClick(0);
    QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 1, 10000);
    QCOMPARE(m_h->status(), u"种子地址已解析.."_s);
    QCOMPARE(m_feeds->playerList(), QStringList{first});
    doubleClick(1);
    QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 2, 10000);
    QCOMPARE(m_feeds->playerList(), QStringList{second});
    QVERIFY(m_h->demo.requests().last().endsWith(u"/html/gndy/dyzz/20131201/40002.html"_s));

    m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->menuAction(u"jxyszz"_s)->trigger();
    QCOMPARE(m_h->status(), u"正在解析..请稍等.."_s);
    QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 3, 10000);
    m_list->menuAction(u"jxyszz"_s)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 4, 10000);
    QCOMPARE(m_feeds->playerList(), (QStringList{second, first, first}));
}

void TestMovieListing::detailPageWithoutLink()
{
    m_list->addRow(u"1"_s, {{u"zzdz"_s, m_h->demo.siteBase(u"movie_listing"_s) + u"/html/gndy/dyzz/nolink.html"_s}});
    m_feeds->replacePlayerList(u"kept"_s);
    QSignalSpy changes(m_feeds, &PlaybackFeeds::playerListChanged);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->menuAction(u"jxyszz"_s)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"未能解析出种子地址.."_s, 10000);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(m_feeds->playerList(), QStringList{u"kept"_s});
}

void TestMovieListing::copyDetailAddress()
{
    listCategory(5);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 25, 10000);
    m_list->setCurrentItem(m_list->topLevelItem(2));
    m_list->menuAction(u"fzysdz22"_s)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             m_h->demo.siteBase(u"movie_listing"_s) + u"/html/dongman/20131206/40003.html"_s);
    QCOMPARE(m_h->status(), u"链接地址已复制!"_s);
}

void TestMovieListing::actionsNeedARow()
{
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    for (const QString &action : {u"jxyszz"_s, u"fzysdz22"_s}) {
        m_h->window().panel(2)->clear();
        m_list->menuAction(action)->trigger();
        QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    QTest::qWait(50);
    QVERIFY(m_h->demo.requests().isEmpty());
    QVERIFY(m_feeds->playerList().isEmpty());
}

QTEST_MAIN(TestMovieListing)
#include "tst_movielisting.moc"
