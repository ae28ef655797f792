#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The two further torrent sites behind Combo1 through the real window.
class TestFurtherTorrentReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refusesAnEmptyKeyword();
    void channelSelector();
    void requestAddresses_data();
    void requestAddresses();
    void magnetSearchLists();
    void resourceReleaseLists();
    void noResultPages_data();
    void noResultPages();
    void pageNumberOutlivesKeywordAndChannel();
    void previousOnTheFirstPage();
    void newSearchSupersedesAParsingOne();
    void concurrentDetailsKeepPageOrder();
    void copyMagnetLink();

private:
    void search(const QString &keyword, int channel = 0);
    void waitForParse();

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    QComboBox *m_channel = nullptr;
};

void TestFurtherTorrentReader::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView19"_s);
    m_start = m_h->child<QPushButton>(u"Command6"_s);
    m_next = m_h->child<QPushButton>(u"Command7_0"_s);
    m_previous = m_h->child<QPushButton>(u"Command7_1"_s);
    m_channel = m_h->child<QComboBox>(u"Combo1"_s);
    QVERIFY(m_list && m_start && m_next && m_previous && m_channel);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(1);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(2);
    m_h->demo.clearRequests();
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestFurtherTorrentReader::cleanup()
{
    m_h.reset();
}

void TestFurtherTorrentReader::search(const QString &keyword, int channel)
{
    m_channel->setCurrentIndex(channel);
    m_h->child<QLineEdit>(u"Text21"_s)->setText(keyword);
    QTest::mouseClick(m_start, Qt::LeftButton);
}

void TestFurtherTorrentReader::waitForParse()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"资源搜索完毕.."_s, 15000);
}

void TestFurtherTorrentReader::refusesAnEmptyKeyword()
{
    m_list->addRow(u"old"_s);
    search(QString());
    QCOMPARE(m_h->status(), u"请输入关键字.."_s);
    QCOMPARE(m_list->rowCount(), 1);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestFurtherTorrentReader::channelSelector()
{
    QCOMPARE(m_channel->count(), 3);
    QCOMPARE(m_channel->itemText(0), u"搜索渠道①"_s);
    QCOMPARE(m_channel->itemText(1), u"搜索渠道②"_s);
    QCOMPARE(m_channel->itemText(2), u"即将添加更多渠道"_s);
    QCOMPARE(m_channel->currentIndex(), 0);
    m_channel->setCurrentIndex(1);
    QCOMPARE(m_channel->currentIndex(), 1);
    m_channel->setCurrentIndex(2);
    QCOMPARE(m_channel->currentIndex(), 0);
    // Both paging buttons wait for a first parse.
    QVERIFY(!m_next->isEnabled());
    QVERIFY(!m_previous->isEnabled());
}

void TestFurtherTorrentReader::requestAddresses_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("request");
    QTest::newRow("magnet search") << 0 << u"地球"_s << u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=1"_s;
    QTest::newRow("magnet search, space") << 0 << u"a b"_s << u"/magnet_search/?s=a%20b&p=1"_s;
    QTest::newRow("resource release") << 1 << u"地球"_s << u"/resource_release/search/%E5%9C%B0%E7%90%83?page=1"_s;
}

void TestFurtherTorrentReader::requestAddresses()
{
    QFETCH(int, channel);
    QFETCH(QString, keyword);
    QFETCH(QString, request);
    search(keyword, channel);
    QCOMPARE(m_h->status(), u"正在搜索资源,请稍等.."_s);
    QVERIFY(m_start->isEnabled()); // no start guard here
    QTRY_VERIFY_WITH_TIMEOUT(!m_h->demo.requests().isEmpty(), 10000);
    QCOMPARE(m_h->demo.requests().first(), request);
}

void TestFurtherTorrentReader::magnetSearchLists()
{
    search(u"地球"_s);
    waitForParse();
    QCOMPARE(m_list->rowCount(), 8);
    for (int i = 0; i < 8; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 1), u"地球 高清合集 "_s + QString::number(i + 1));
        QVERIFY(m_list->cellText(row, 2).startsWith(u"2013-12-"_s));
        QVERIFY(m_list->cellText(row, 3).endsWith(u" GB"_s));
        // Cut at the first "&" ...
        const QString magnet = m_list->cellText(row, 4);
        QVERIFY(magnet.startsWith(u"magnet:?xt=urn:btih:"_s));
        QCOMPARE(magnet.size(), 20 + 40);
    }
    // ... and the bare link of the last hit is kept whole.
    QVERIFY(!m_list->cellText(m_list->topLevelItem(7), 4).isEmpty());
    QVERIFY(m_next->isEnabled());
    QVERIFY(m_previous->isEnabled());
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestFurtherTorrentReader::resourceReleaseLists()
{
    search(u"地球"_s, 1);
    waitForParse();
    QCOMPARE(m_list->rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 1), u"地球 资源 "_s + QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 2), QString::asprintf("2013-12-%02d", 2 + i));
        QCOMPARE(m_list->cellText(row, 3), u"未知"_s);
    }
    // One detail page per row; the fourth has lost its download, and its
    // cell stays empty instead of repeating the third row's link.
    const QStringList requests = m_h->demo.requestsFor(u"resource_release"_s);
    QCOMPARE(requests.size(), 6);
    QVERIFY(requests.at(1).startsWith(u"/resource_release/detail/d"_s));
    QVERIFY(m_list->cellText(m_list->topLevelItem(2), 4).startsWith(u"magnet:?xt=urn:btih:"_s));
    QCOMPARE(m_list->cellText(m_list->topLevelItem(3), 4), QString());
    QVERIFY(m_list->cellText(m_list->topLevelItem(4), 4).startsWith(u"magnet:?xt=urn:btih:"_s));
    QVERIFY(m_list->cellText(m_list->topLevelItem(4), 4) != m_list->cellText(m_list->topLevelItem(2), 4));
    QVERIFY(m_next->isEnabled());
}

void TestFurtherTorrentReader::noResultPages_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("magnet search, nothing found") << 0 << u"无结果"_s;
    QTest::newRow("magnet search, zero results") << 0 << u"零结果"_s;
    QTest::newRow("resource release, zero results") << 1 << u"无结果"_s;
}

void TestFurtherTorrentReader::noResultPages()
{
    QFETCH(int, channel);
    QFETCH(QString, keyword);
    const QString text = u"抱歉!没有找到任何结果,请更换关键字重试"_s;
    search(keyword, channel);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->dialogs.shown.size(), 1, 10000);
    QCOMPARE(m_h->dialogs.shown.first().text, text);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    QCOMPARE(m_h->status(), text);
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(m_h->demo.requests().size(), 1);
    QVERIFY(!m_next->isEnabled());
}

void TestFurtherTorrentReader::pageNumberOutlivesKeywordAndChannel()
{
    search(u"地球"_s);
    waitForParse();
    m_h->demo.clearRequests();
    QTest::mouseClick(m_next, Qt::LeftButton);
    QTest::mouseClick(m_next, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requests().size(), 2, 10000);
    search(u"天空"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requests().size(), 3, 10000);
    search(u"天空"_s, 1);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->demo.requests().size() >= 4, 10000);
    const QStringList requests = m_h->demo.requests();
    QCOMPARE(requests.at(0), u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=2"_s);
    QCOMPARE(requests.at(1), u"/magnet_search/?s=%E5%9C%B0%E7%90%83&p=3"_s);
    QCOMPARE(requests.at(2), u"/magnet_search/?s=%E5%A4%A9%E7%A9%BA&p=3"_s);
    QCOMPARE(requests.at(3), u"/resource_release/search/%E5%A4%A9%E7%A9%BA?page=3"_s);
    // Page 3 of 12 results holds two.
    waitForParse();
    QCOMPARE(m_list->rowCount(), 2);
    // The channel-1 parse armed by the search before must not tick later.
    QVERIFY(!m_h->child<QTimer>(u"Timer24"_s)->isActive());

    QTest::mouseClick(m_previous, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->demo.requests().contains(u"/resource_release/search/%E5%A4%A9%E7%A9%BA?page=2"_s),
                             10000);
}

void TestFurtherTorrentReader::previousOnTheFirstPage()
{
    search(u"地球"_s);
    waitForParse();
    m_h->demo.clearRequests();
    QTest::mouseClick(m_previous, Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"已经是最上一页!"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    QCOMPARE(m_list->rowCount(), 8);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestFurtherTorrentReader::newSearchSupersedesAParsingOne()
{
    // Every detail page of this search answers 400 ms late; they are
    // fetched several at a time.
    auto slowDetails = [this] {
        qsizetype count = 0;
        for (const QString &request : m_h->demo.requestsFor(u"resource_release"_s)) {
            if (request.startsWith(u"/resource_release/detail/s"_s))
                ++count;
        }
        return count;
    };
    const qsizetype inFlight = qMin<qsizetype>(m_h->services.sites.network().parallel, 5);
    search(u"慢速"_s, 1);
    QTRY_COMPARE_WITH_TIMEOUT(slowDetails(), inFlight, 10000);
    search(u"地球"_s, 1);
    waitForParse();
    QTest::qWait(1000); // the older search's pending details have answered by now
    QCOMPARE(m_list->rowCount(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_list->cellText(m_list->topLevelItem(i), 1), u"地球 资源 "_s + QString::number(i + 1));
    // The older search fetched no detail page after the ones in flight.
    QCOMPARE(slowDetails(), inFlight);
    QCOMPARE(m_h->status(), u"资源搜索完毕.."_s);
}

void TestFurtherTorrentReader::concurrentDetailsKeepPageOrder()
{
    // "倒序": each later item's detail page answers sooner. Each row still
    // carries its own item's magnet link, in page order.
    search(u"倒序"_s, 1);
    waitForParse();
    QCOMPARE(m_list->rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 1), u"倒序 资源 "_s + QString::number(i + 1));
        const QString magnet = m_list->cellText(row, 4);
        if (i == 3)
            QCOMPARE(magnet, QString()); // its detail page has lost the download
        else
            QVERIFY2(magnet.endsWith(u"n"_s + QString::number(i + 1)), qPrintable(magnet));
    }
    // The result page and one detail page per row, none twice.
    const QStringList requests = m_h->demo.requestsFor(u"resource_release"_s);
    QCOMPARE(requests.size(), 6);
    QCOMPARE(QSet<QString>(requests.cbegin(), requests.cend()).size(), 6);
}

void TestFurtherTorrentReader::copyMagnetLink()
{
    QAction *copy = m_list->menuAction(u"ybfz"_s);
    QVERIFY(copy);
    copy->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);

    search(u"地球"_s);
    waitForParse();
    QTreeWidgetItem *row = m_list->topLevelItem(7);
    m_list->setCurrentItem(row);
    copy->trigger();
    QCOMPARE(m_h->status(), u"磁力链接已复制!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), m_list->cellText(row, 4));
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"magnet:?xt=urn:btih:"_s));
}

QTEST_MAIN(TestFurtherTorrentReader)
#include "tst_furthertorrentreader.moc"
