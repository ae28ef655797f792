#include "support/testharness.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The QVOD search reader through the real window and the demo search site.
class TestQvodSearchReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refusedWithoutTheTerms_data();
    void refusedWithoutTheTerms();
    void listingPages();
    void listingPaging();
    void refusesAnEmptyKeyword();
    void searchReadsEveryPage_data();
    void searchReadsEveryPage();
    void searchNotFound();
    void failingFurtherPagesKeepTheRowsThereAre();
    void doubleClickReadsTheFileAddress_data();
    void doubleClickReadsTheFileAddress();

private:
    QPushButton *button(int index);
    void waitForDone();

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
};

void TestQvodSearchReader::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView14"_s);
    QVERIFY(m_list);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(6);
    m_h->child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(1);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
    m_h->demo.clearRequests();
}

void TestQvodSearchReader::cleanup()
{
    m_h.reset();
}

QPushButton *TestQvodSearchReader::button(int index)
{
    return m_h->child<QPushButton>(u"Command53_"_s + QString::number(index));
}

void TestQvodSearchReader::waitForDone()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"资源获取完毕.."_s, 20000);
}

void TestQvodSearchReader::refusedWithoutTheTerms_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("获取资源") << 7;
    QTest::newRow("下一页") << 8;
    QTest::newRow("上一页") << 9;
    QTest::newRow("开始搜索") << 10;
}

void TestQvodSearchReader::refusedWithoutTheTerms()
{
    QFETCH(int, index);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(false);
    m_h->child<QLineEdit>(u"Text15"_s)->setText(u"功夫"_s);
    QTest::mouseClick(button(index), Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"请先阅读使用协议并严格遵守!"_s);
    QTest::qWait(200);
    QVERIFY(m_h->demo.requests().isEmpty());
    QVERIFY(button(10)->isEnabled());
}

void TestQvodSearchReader::listingPages()
{
    QTest::mouseClick(button(7), Qt::LeftButton);
    QCOMPARE(m_h->status(), u"正在获取资源中..."_s);
    waitForDone();
    QCOMPARE(m_list->rowCount(), 20);
    const QTreeWidgetItem *first = m_list->topLevelItem(0);
    QCOMPARE(first->text(0), u"1"_s);
    QCOMPARE(m_list->cellText(first, 1), u"列表影片1"_s);
    QCOMPARE(m_list->cellText(first, 2), u"电视剧"_s); // lmfl
    QCOMPARE(m_list->cellText(first, 3), u"香港"_s);   // dqfl
    QCOMPARE(m_list->cellText(first, 4), m_h->demo.siteBase(u"qvod_search"_s) + u"/vod-detail-id-1.html"_s);
    QCOMPARE(m_list->topLevelItem(19)->text(0), u"20"_s);
}

void TestQvodSearchReader::listingPaging()
{
    QTest::mouseClick(button(9), Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"已经是第一页了!"_s);
    for (int i = 0; i < 4; ++i) {
        m_h->window().panel(2)->clear();
        QTest::mouseClick(button(8), Qt::LeftButton);
        waitForDone();
    }
    // Page 5: 20 row markers, 18 rows.
    QCOMPARE(m_list->rowCount(), 18);
    m_h->window().panel(2)->clear();
    QTest::mouseClick(button(9), Qt::LeftButton);
    waitForDone();
    QCOMPARE(m_list->rowCount(), 20);
    const QStringList requests = m_h->demo.requestsFor(u"qvod_search"_s);
    QCOMPARE(requests.first(), u"/qvod_search/vod-show-p-2.html"_s);
    QCOMPARE(requests.last(), u"/qvod_search/vod-show-p-4.html"_s);
    QCOMPARE(requests.size(), 5);

    // Back to page 1, whose address has no number.
    for (int i = 0; i < 3; ++i) {
        m_h->window().panel(2)->clear();
        QTest::mouseClick(button(9), Qt::LeftButton);
        waitForDone();
    }
    QCOMPARE(m_h->demo.requestsFor(u"qvod_search"_s).last(), u"/qvod_search/vod-show-p.html"_s);
}

void TestQvodSearchReader::refusesAnEmptyKeyword()
{
    QTest::mouseClick(button(10), Qt::LeftButton);
    QCOMPARE(m_h->status(), u"请输入要搜索的关键字 .."_s);
    QVERIFY(button(10)->isEnabled());
    QTest::qWait(200);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestQvodSearchReader::searchReadsEveryPage_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<int>("rows");
    QTest::newRow("three pages, last first") << u"功夫"_s << u"%E5%8A%9F%E5%A4%AB"_s
                                             << QStringList{u"-p.html"_s, u"-p-3.html"_s, u"-p-2.html"_s} << 25;
    QTest::newRow("one page: parsed at once") << u"kungfu7"_s << u"kungfu7"_s << QStringList{u"-p.html"_s} << 7;
}

void TestQvodSearchReader::searchReadsEveryPage()
{
    QFETCH(QString, keyword);
    QFETCH(QString, encoded);
    QFETCH(QStringList, pages);
    QFETCH(int, rows);
    m_h->child<QLineEdit>(u"Text15"_s)->setText(keyword);
    QTest::mouseClick(button(10), Qt::LeftButton);
    QCOMPARE(m_h->status(), u"正在获取资源中..."_s);
    QVERIFY(!button(10)->isEnabled());
    waitForDone();
    QVERIFY(button(10)->isEnabled());

    QStringList expected;
    for (const QString &page : pages)
        expected.append(u"/qvod_search/vod-search-wd-"_s + encoded + page);
    QCOMPARE(m_h->demo.requestsFor(u"qvod_search"_s), expected);

    // Rows of page 1, then of the last page down to page 2, numbered downward.
    QCOMPARE(m_list->rowCount(), rows);
    for (int i = 0; i < rows; ++i)
        QCOMPARE(m_list->topLevelItem(i)->text(0), QString::number(rows - i));
    QCOMPARE(m_list->cellText(m_list->topLevelItem(0), 1), keyword + u" 结果1"_s);
    if (rows == 25) {
        QCOMPARE(m_list->cellText(m_list->topLevelItem(10), 1), keyword + u" 结果21"_s);
        QCOMPARE(m_list->cellText(m_list->topLevelItem(15), 1), keyword + u" 结果11"_s);
    }
}

void TestQvodSearchReader::searchNotFound()
{
    m_h->child<QLineEdit>(u"Text15"_s)->setText(u"无结果"_s);
    QTest::mouseClick(button(10), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"没有搜索到相关资源..."_s, 15000);
    QVERIFY(button(10)->isEnabled());
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(m_h->demo.requestsFor(u"qvod_search"_s).size(), 1);
}

void TestQvodSearchReader::failingFurtherPagesKeepTheRowsThereAre()
{
    m_h->child<QLineEdit>(u"Text15"_s)->setText(u"断页"_s);
    QTest::mouseClick(button(10), Qt::LeftButton);
    waitForDone();
    QVERIFY(button(10)->isEnabled());
    QCOMPARE(m_h->demo.requestsFor(u"qvod_search"_s).size(), 3);
    // Page 1's ten rows, still numbered from the stated total down.
    QCOMPARE(m_list->rowCount(), 10);
    QCOMPARE(m_list->topLevelItem(0)->text(0), u"25"_s);
    QCOMPARE(m_list->topLevelItem(9)->text(0), u"16"_s);
}

void TestQvodSearchReader::doubleClickReadsTheFileAddress_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("alive");
    QTest::newRow("five values") << 1 << true;
    QTest::newRow("four values: gone") << 3 << false;
}

void TestQvodSearchReader::doubleClickReadsTheFileAddress()
{
    QFETCH(int, row);
    QFETCH(bool, alive);
    auto *feeds = PlaybackFeeds::of(&m_h->window());
    feeds->setCurrentFileAddress(u"before"_s);
    QTest::mouseClick(button(7), Qt::LeftButton);
    waitForDone();
    QTreeWidgetItem *item = m_list->topLevelItem(row - 1);
    const QPoint at = m_list->visualItemRect(item).center();
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(m_h->status(), u"正在解析..请稍等.."_s);
    auto *preview = m_h->child<QLabel>(u"Preview"_s);
    if (!alive) {
        QTRY_COMPARE_WITH_TIMEOUT(m_h->dialogs.shown.size(), 1, 10000);
        QCOMPARE(m_h->dialogs.shown.first().text, u"抱歉!该资源已失效,请您获取其他资源"_s);
        QCOMPARE(m_h->status(), u"抱歉!该资源已失效,请您获取其他资源.."_s);
        QCOMPARE(feeds->currentFileAddress(), u"before"_s);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子文件地址已解析.."_s, 10000);
    QVERIFY(feeds->currentFileAddress().startsWith(u"http://127.0.0.1:"_s));
    // The preview is the page's third picture, a path on the search site.
    QTRY_VERIFY_WITH_TIMEOUT(!preview->pixmap().isNull(), 10000);
    QVERIFY(m_h->demo.requestsFor(u"qvod_search"_s).contains(u"/qvod_search/images/1-2.png"_s));
}

QTEST_MAIN(TestQvodSearchReader)
#include "tst_qvodsearchreader.moc"
