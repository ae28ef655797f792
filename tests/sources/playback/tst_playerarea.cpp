#include "fakemediabackend.h"
#include "sources/playback/playerarea.h"
#include "support/testharness.h"
#include "ui/playbackfeeds.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The player page with a fake player: the state poll, the transport
// buttons, the entry points and the two address lists.
class TestPlayerArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void statePolling_data();
    void statePolling();
    void playPauseToggle();
    void stopKeepsTheLabel();
    void playerNotAvailable_data();
    void playerNotAvailable();
    void typedAddress_data();
    void typedAddress();
    void listsShowTheFeeds();
    void listClicksCopy();
    void listDoubleClickPlays_data();
    void listDoubleClickPlays();
    void currentFileAddress();
    void extractionFillsTheQvodList();
    void downloadPage();

private:
    QPushButton *button(const QString &name);
    QLabel *label();
    QTimer *poll();
    void clickRow(QListWidget *list, int row, bool twice);

    std::unique_ptr<TestHarness> m_h;
    FakeMediaBackend *m_backend = nullptr;
    PlaybackFeeds *m_feeds = nullptr;
};

void TestPlayerArea::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->services.sites.setPage(u"qvod_player_download"_s, u"http://qvodplayer.example/download/"_s);
    m_h->window();
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_backend = new FakeMediaBackend;
    m_h->window().findChild<PlayerArea *>(u"PlayerArea"_s)->setBackend(std::unique_ptr<MediaBackend>(m_backend));
    m_feeds = PlaybackFeeds::of(&m_h->window());
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestPlayerArea::cleanup()
{
    m_h.reset();
}

QPushButton *TestPlayerArea::button(const QString &name)
{
    return m_h->child<QPushButton>(name);
}

QLabel *TestPlayerArea::label()
{
    return m_h->child<QLabel>(u"Label32"_s);
}

QTimer *TestPlayerArea::poll()
{
    return m_h->window().findChild<QTimer *>(u"Timer16"_s);
}

void TestPlayerArea::clickRow(QListWidget *list, int row, bool twice)
{
    list->setCurrentRow(row);
    if (twice) {
        // Only the double-click itself: the list may sit on a hidden page.
        const QPoint at(5, 5);
        QMouseEvent click(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &click);
    } else {
        // A click on the page as the user sees it.
        m_h->window().mainTabs()->setCurrentIndex(6);
        m_h->child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(2);
        QTRY_VERIFY(list->visualItemRect(list->item(row)).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
}

void TestPlayerArea::statePolling_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    QTest::newRow("10 connecting") << 10 << u"播放器状态：正在连接中.."_s;
    QTest::newRow("3 playing") << 3 << u"播放器状态：正在播放中.."_s;
    QTest::newRow("12 leaves the label") << 12 << u"播放器状态：已暂停播放"_s;
    QTest::newRow("-1 leaves the label") << -1 << u"播放器状态：已暂停播放"_s;
}

void TestPlayerArea::statePolling()
{
    QFETCH(int, code);
    QFETCH(QString, label);
    QCOMPARE(this->label()->text(), u"播放器状态：未播放"_s);
    QCOMPARE(poll()->interval(), 1000);
    QVERIFY(!poll()->isActive());
    m_backend->state = 2;
    m_feeds->replacePlayerList(u"qvod://a|1|a.rmvb|"_s);
    clickRow(m_h->child<QListWidget>(u"List3"_s), 0, true);
    QVERIFY(poll()->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(this->label()->text(), u"播放器状态：已暂停播放"_s, 5000);
    m_backend->state = code;
    QSignalSpy ticks(poll(), &QTimer::timeout);
    QVERIFY(ticks.wait(5000));
    QCOMPARE(this->label()->text(), label);
}

void TestPlayerArea::playPauseToggle()
{
    QPushButton *toggle = button(u"Command53_12"_s);
    QCOMPARE(toggle->text(), u"暂停"_s);
    // No player test here: even an unavailable player is told.
    m_backend->available = false;
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), u"播放"_s);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), u"暂停"_s);
    QCOMPARE(m_backend->calls, (QStringList{u"pause"_s, u"play"_s}));
    QVERIFY(m_h->dialogs.shown.isEmpty());
    QVERIFY(!poll()->isActive());
}

void TestPlayerArea::stopKeepsTheLabel()
{
    m_backend->state = 3;
    m_feeds->setCurrentFileAddress(u"qvod://f|2|f.rmvb|"_s);
    QTest::mouseClick(button(u"Command4_1"_s), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(label()->text(), u"播放器状态：正在播放中.."_s, 5000);
    QTest::mouseClick(button(u"Command53_12"_s), Qt::LeftButton); // pause: caption "播放"
    QTest::mouseClick(button(u"Command53_13"_s), Qt::LeftButton);
    QCOMPARE(m_backend->calls.last(), u"stop"_s);
    QVERIFY(!poll()->isActive());
    m_backend->state = 1;
    QTest::qWait(1500);
    QCOMPARE(label()->text(), u"播放器状态：正在播放中.."_s);
    QCOMPARE(button(u"Command53_12"_s)->text(), u"播放"_s);
}

void TestPlayerArea::playerNotAvailable_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("Command4_1") << u"Command4_1"_s;
    QTest::newRow("List3 double-click") << u"List3"_s;
    QTest::newRow("List2 double-click") << u"List2"_s;
    QTest::newRow("Command53_11") << u"Command53_11"_s;
}

void TestPlayerArea::playerNotAvailable()
{
    QFETCH(QString, entry);
    m_backend->available = false;
    m_feeds->replacePlayerList(u"qvod://a|1|a.rmvb|"_s);
    m_feeds->setQvodList({u"qvod://b|2|b.rmvb|"_s});
    m_h->dialogs.answerNextInput(u"http://x.example/a.wav"_s);
    m_h->window().mainTabs()->setCurrentIndex(0);
    if (entry.startsWith(u"List"_s))
        clickRow(m_h->child<QListWidget>(entry), 0, true);
    else
        QTest::mouseClick(button(entry), Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text,
             u"抱歉,程序检测您未启动快播播放器\r\n请手动启动或在软件设置中进行设置!"_s);
    QVERIFY(m_backend->calls.isEmpty());
    QVERIFY(!poll()->isActive());
    QCOMPARE(label()->text(), u"播放器状态：未播放"_s);
    QCOMPARE(m_h->window().mainTabs()->currentIndex(), 0);
}

void TestPlayerArea::typedAddress_data()
{
    QTest::addColumn<bool>("terms");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("terms not accepted") << false << true << u"qvod://x"_s << u"请先阅读使用协议并严格遵守!"_s;
    QTest::newRow("cancelled") << true << false << QString() << u"您已取消!"_s;
    QTest::newRow("empty") << true << true << QString() << u"请输入文件播放地址!"_s;
    QTest::newRow("played as typed") << true << true << u" qvod://x|1|y.rmvb| "_s << QString();
}

void TestPlayerArea::typedAddress()
{
    QFETCH(bool, terms);
    QFETCH(bool, accepted);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(terms);
    m_h->child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(1);
    m_h->dialogs.answerNextInput(typed, accepted);
    QTest::mouseClick(button(u"Command53_11"_s), Qt::LeftButton);
    // The box names itself, with an empty default; no box before the terms are accepted.
    const QList<RecordingDialogs::Asked> asked{{u"自定义文件播放"_s, u"请输入文件播放地址,例如:qvod://开头"_s, QString()}};
    QCOMPARE(m_h->dialogs.asked, terms ? asked : QList<RecordingDialogs::Asked>{});
    if (!refusal.isEmpty()) {
        QCOMPARE(m_h->dialogs.shown.size(), 1);
        QCOMPARE(m_h->dialogs.shown.first().text, refusal);
        if (terms)
            QCOMPARE(m_h->status(), refusal);
        QVERIFY(m_backend->calls.isEmpty());
        QVERIFY(!poll()->isActive());
        return;
    }
    QCOMPARE(m_backend->calls, (QStringList{u"address "_s + typed, u"play"_s}));
    QVERIFY(poll()->isActive());
    QCOMPARE(m_h->child<QTabWidget>(u"SSTab3"_s)->currentIndex(), 1); // the page does not change
}

void TestPlayerArea::listsShowTheFeeds()
{
    auto *list2 = m_h->child<QListWidget>(u"List2"_s);
    auto *list3 = m_h->child<QListWidget>(u"List3"_s);
    m_feeds->replacePlayerList(u"a"_s);
    m_feeds->appendToPlayerList(u"b"_s);
    m_feeds->setQvodList({u"q1"_s, u"q2"_s, u"q3"_s});
    QCOMPARE(list3->count(), 2);
    QCOMPARE(list3->item(1)->text(), u"b"_s);
    QCOMPARE(list2->count(), 3);
    m_feeds->replacePlayerList(u"c"_s);
    QCOMPARE(list3->count(), 1);
    QCOMPARE(list3->item(0)->text(), u"c"_s);
}

void TestPlayerArea::listClicksCopy()
{
    auto *list2 = m_h->child<QListWidget>(u"List2"_s);
    auto *list3 = m_h->child<QListWidget>(u"List3"_s);
    // Empty lists: List3 copies the empty text, List2 does nothing.
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    QVERIFY(m_h->status() != u"种子地址已复制.."_s);
    QTest::mouseClick(list3->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(m_h->status(), u"地址复制成功.."_s);

    m_feeds->setQvodList({u"qvod://one"_s, u"qvod://two"_s});
    m_feeds->replacePlayerList(u"http://x.example/a.rmvb"_s);
    clickRow(list2, 1, false);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"qvod://two"_s);
    QCOMPARE(m_h->status(), u"种子地址已复制.."_s);
    clickRow(list3, 0, false);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"http://x.example/a.rmvb"_s);
    QCOMPARE(m_h->status(), u"地址复制成功.."_s);
    QVERIFY(m_backend->calls.isEmpty());
}

void TestPlayerArea::listDoubleClickPlays_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("List2") << u"List2"_s;
    QTest::newRow("List3") << u"List3"_s;
}

void TestPlayerArea::listDoubleClickPlays()
{
    QFETCH(QString, list);
    m_feeds->setQvodList({u"qvod://one"_s, u"qvod://two"_s});
    m_feeds->replacePlayerList(u"http://x.example/a.rmvb"_s);
    m_feeds->appendToPlayerList(u"http://x.example/b.rmvb"_s);
    m_h->window().mainTabs()->setCurrentIndex(1);
    clickRow(m_h->child<QListWidget>(list), 1, true);
    const QString expected = list == u"List2"_s ? u"qvod://two"_s : u"http://x.example/b.rmvb"_s;
    QCOMPARE(m_backend->calls, (QStringList{u"address "_s + expected, u"play"_s}));
    QVERIFY(poll()->isActive());
    QCOMPARE(m_h->window().mainTabs()->currentIndex(), 6);
    QCOMPARE(m_h->child<QTabWidget>(u"SSTab3"_s)->currentIndex(), 2);
}

void TestPlayerArea::currentFileAddress()
{
    // Empty, it is still copied.
    QTest::mouseClick(button(u"Command4_0"_s), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(m_h->status(), u"文件地址已复制.."_s);
    m_feeds->setCurrentFileAddress(u"qvod://file"_s);
    QTest::mouseClick(button(u"Command4_0"_s), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"qvod://file"_s);

    m_h->child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(1);
    QTest::mouseClick(button(u"Command4_1"_s), Qt::LeftButton);
    QCOMPARE(m_backend->calls, (QStringList{u"address qvod://file"_s, u"play"_s}));
    QCOMPARE(m_h->child<QTabWidget>(u"SSTab3"_s)->currentIndex(), 2);
}

void TestPlayerArea::extractionFillsTheQvodList()
{
    auto *area = m_h->window().findChild<PlayerArea *>(u"PlayerArea"_s);
    auto *list2 = m_h->child<QListWidget>(u"List2"_s);
    m_h->window().panel(2)->setText(u"caller"_s);
    area->extractQvodAddresses(u"<p>no addresses</p>"_s);
    QCOMPARE(list2->count(), 0);
    QCOMPARE(m_h->status(), u"caller"_s);

    QSignalSpy changes(m_feeds, &PlaybackFeeds::qvodListChanged);
    area->extractQvodAddresses(u"<a>qvod://b|1|</a><a>qvod://a|2|</a><a>qvod://b|1|</a><a>qvod://c|3|</a>"_s);
    // Filled once with the final result.
    QCOMPARE(changes.size(), 1);
    QCOMPARE(list2->count(), 3);
    QCOMPARE(list2->item(0)->text(), u"qvod://b|1|"_s);
    QCOMPARE(list2->item(1)->text(), u"qvod://a|2|"_s);
    QCOMPARE(list2->item(2)->text(), u"qvod://c|3|"_s);
    QCOMPARE(m_h->status(), u"种子提取完毕.."_s);
}

void TestPlayerArea::downloadPage()
{
    QTest::mouseClick(button(u"Command53_14"_s), Qt::LeftButton);
    QCOMPARE(m_h->opener.addresses, QStringList{u"http://qvodplayer.example/download/"_s});
}

QTEST_MAIN(TestPlayerArea)
#include "tst_playerarea.moc"
