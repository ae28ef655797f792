#include "demo/demomediaserver.h"
#include "fakemediabackend.h"
#include "sources/playback/playerarea.h"
#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The QVOD channel reader through the real window and the demo channel site.
class TestQvodChannelReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refusedWithoutTheTerms_data();
    void refusedWithoutTheTerms();
    void listsPagesAndTheirEnd();
    void pagingAddresses();
    void previousOnTheFirstPage();
    void detailFillsTheBoxes_data();
    void detailFillsTheBoxes();
    void doubleClickOnAnEmptyList();
    void playButtonPlaysTheQvodBox();

private:
    void click(int index);
    void waitForList();
    void openDetail(int row);

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
};

void TestQvodChannelReader::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView3"_s);
    QVERIFY(m_list);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(6);
    m_h->child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(0);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
    m_h->demo.clearRequests();
}

void TestQvodChannelReader::cleanup()
{
    m_h.reset();
}

void TestQvodChannelReader::click(int index)
{
    QTest::mouseClick(m_h->child<QPushButton>(u"Command53_"_s + QString::number(index)), Qt::LeftButton);
}

void TestQvodChannelReader::waitForList()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"资源获取完毕.."_s, 15000);
}

void TestQvodChannelReader::openDetail(int row)
{
    m_list->setCurrentItem(m_list->topLevelItem(row));
    const QRect rect = m_list->visualItemRect(m_list->topLevelItem(row));
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
}

void TestQvodChannelReader::refusedWithoutTheTerms_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("获取资源") << 3;
    QTest::newRow("下一页") << 4;
    QTest::newRow("上一页") << 5;
}

void TestQvodChannelReader::refusedWithoutTheTerms()
{
    QFETCH(int, button);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(false);
    click(button);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"请先阅读使用协议并严格遵守!"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    // Not even the page number moved: ticking the box and listing reads page 1.
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
    click(3);
    waitForList();
    QCOMPARE(m_h->demo.requestsFor(u"qvod_channel"_s), QStringList{u"/qvod_channel/channel/list_0_1.html"_s});
}

void TestQvodChannelReader::listsPagesAndTheirEnd()
{
    click(3);
    QCOMPARE(m_h->status(), u"正在获取资源中..."_s);
    waitForList();
    QCOMPARE(m_list->rowCount(), 25);
    QCOMPARE(m_list->topLevelItem(0)->text(0), u"1"_s);
    QCOMPARE(m_list->cellText(m_list->topLevelItem(0), 1), u"频道影片1"_s);
    QCOMPARE(m_list->cellText(m_list->topLevelItem(2), 1), u"频道影片3font color=\"red\">新/font>"_s);
    QCOMPARE(m_list->cellText(m_list->topLevelItem(24), 2),
             m_h->demo.siteBase(u"qvod_channel"_s) + u"/content/detail_25.html"_s);

    for (int page = 2; page <= 4; ++page) {
        m_h->window().panel(2)->clear();
        click(4);
        waitForList();
    }
    // The short last page.
    QCOMPARE(m_list->rowCount(), 7);
    QCOMPARE(m_list->cellText(m_list->topLevelItem(6), 1), u"频道影片82"_s);
    // Past the end: an empty list, reported as done.
    m_h->window().panel(2)->clear();
    click(4);
    waitForList();
    QCOMPARE(m_list->rowCount(), 0);
}

void TestQvodChannelReader::pagingAddresses()
{
    click(4);
    waitForList();
    m_h->window().panel(2)->clear();
    click(4);
    waitForList();
    m_h->window().panel(2)->clear();
    // "获取资源" reads the page the number points at, it does not reset it.
    click(3);
    waitForList();
    m_h->window().panel(2)->clear();
    click(5);
    waitForList();
    QCOMPARE(m_h->demo.requestsFor(u"qvod_channel"_s),
             (QStringList{u"/qvod_channel/channel/list_0_2.html"_s, u"/qvod_channel/channel/list_0_3.html"_s,
                          u"/qvod_channel/channel/list_0_3.html"_s, u"/qvod_channel/channel/list_0_2.html"_s}));
}

void TestQvodChannelReader::previousOnTheFirstPage()
{
    click(5);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"已经是第一页了!"_s);
    QTest::qWait(200);
    QVERIFY(m_h->demo.requestsFor(u"qvod_channel"_s).isEmpty());
}

void TestQvodChannelReader::detailFillsTheBoxes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("hasQq");
    QTest::newRow("four tables") << 0 << true;
    QTest::newRow("no ＱＱ影音 table") << 1 << false;
}

void TestQvodChannelReader::detailFillsTheBoxes()
{
    QFETCH(int, row);
    QFETCH(bool, hasQq);
    click(3);
    waitForList();
    m_h->child<QLineEdit>(u"Text9"_s)->setText(u"old"_s);
    openDetail(row);
    auto *frame = m_h->child<QGroupBox>(u"AddressFrame"_s);
    QCOMPARE(m_h->status(), u"正在解析..请稍等.."_s);
    QCOMPARE(frame->title(), u"双击列表可解析种子地址（正在解析..请稍等..）"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子地址已解析.."_s, 15000);
    QCOMPARE(frame->title(), u"双击列表可解析种子地址"_s);

    const QString id = QString::number(row + 1);
    QCOMPARE(m_h->child<QLineEdit>(u"Text7"_s)->text(), u"http://xunbo.example/"_s + id + u".mkv"_s);
    QCOMPARE(m_h->child<QLineEdit>(u"Text9"_s)->text(),
             hasQq ? u"qqlive://"_s + id + u"|频道影片"_s + id + u".rmvb|"_s : QString());
    QCOMPARE(m_h->child<QLineEdit>(u"Text10"_s)->text(), u"bdhd://"_s + id + u"|频道影片"_s + id + u".rmvb|"_s);
    QCOMPARE(m_h->child<QLineEdit>(u"Text11"_s)->text(), m_h->demo.findChild<DemoMediaServer *>()->mediaAddress());
    auto *poster = m_h->child<QLabel>(u"Poster"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!poster->pixmap().isNull(), 15000);
    QVERIFY(m_h->demo.requestsFor(u"qvod_channel"_s).contains(u"/qvod_channel/poster/"_s + id + u".png"_s));
}

void TestQvodChannelReader::doubleClickOnAnEmptyList()
{
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QTest::qWait(200);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestQvodChannelReader::playButtonPlaysTheQvodBox()
{
    auto *player = m_h->window().findChild<PlayerArea *>(u"PlayerArea"_s);
    auto *backend = new FakeMediaBackend;
    player->setBackend(std::unique_ptr<MediaBackend>(backend));
    auto *play = m_h->child<QPushButton>(u"Command48"_s);
    // An empty box does nothing, not even the player test.
    backend->available = false;
    QTest::mouseClick(play, Qt::LeftButton);
    QVERIFY(m_h->dialogs.shown.isEmpty());

    m_h->child<QLineEdit>(u"Text11"_s)->setText(u"qvod://1|AB|片.rmvb|"_s);
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QVERIFY(backend->calls.isEmpty());
    QCOMPARE(m_h->child<QTabWidget>(u"SSTab3"_s)->currentIndex(), 0);

    backend->available = true;
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(backend->calls, (QStringList{u"address qvod://1|AB|片.rmvb|"_s, u"play"_s}));
    QCOMPARE(m_h->child<QTabWidget>(u"SSTab3"_s)->currentIndex(), 2);
}

QTEST_MAIN(TestQvodChannelReader)
#include "tst_qvodchannelreader.moc"
