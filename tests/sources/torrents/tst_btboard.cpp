#include "support/testharness.h"
#include "ui/resultlist.h"
#include "windows/moviedetailwindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The BT board (ListView18) and the movie detail window (Form11) it opens,
// through the real window against the demo board.
class TestBtBoard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fetchesTheCurrentBoard();
    void boardEnds_data();
    void boardEnds();
    void previousFromBoardTwo();
    void lastBoardIsShort();
    void noSecondFetchWhileOneRuns();
    void detailWindow_data();
    void detailWindow();
    void unreadablePost_data();
    void unreadablePost();

private:
    QPushButton *button(int index);
    void click(int index);
    void waitForList(int rows);
    void doubleClick(int row);
    MovieDetailWindow *shownDetail() const;

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
};

void TestBtBoard::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView18"_s);
    QVERIFY(m_list);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->window().mainTabs()->setCurrentIndex(1);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(5);
    m_h->demo.clearRequests();
}

void TestBtBoard::cleanup()
{
    if (MovieDetailWindow *window = shownDetail())
        window->close();
    m_h.reset();
}

QPushButton *TestBtBoard::button(int index)
{
    return m_h->child<QPushButton>(u"Command3_"_s + QString::number(index));
}

void TestBtBoard::click(int index)
{
    QTest::mouseClick(button(index), Qt::LeftButton);
}

void TestBtBoard::waitForList(int rows)
{
    QTRY_VERIFY_WITH_TIMEOUT(button(0)->isEnabled() && m_h->status() == u"获取完毕 ..."_s, 10000);
    QCOMPARE(m_list->rowCount(), rows);
}

void TestBtBoard::doubleClick(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    QVERIFY(item);
    m_list->scrollToItem(item);
    const QPoint at = m_list->visualItemRect(item).center();
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, at);
}

MovieDetailWindow *TestBtBoard::shownDetail() const
{
    return m_h ? m_h->window().findChild<MovieDetailWindow *>(u"Form11"_s) : nullptr;
}

void TestBtBoard::fetchesTheCurrentBoard()
{
    QCOMPARE(button(0)->text(), u"获取资源"_s);
    QCOMPARE(button(1)->text(), u"下一页"_s);
    QCOMPARE(button(2)->text(), u"上一页"_s);
    QVERIFY(m_h->window().findChild<QLabel *>(u"BoardNote"_s)->text() == u"双击列表可查看影片\n详情及对应下载地址"_s);
    m_list->addRow(u"old"_s);
    click(0);
    QCOMPARE(m_h->status(), u"正在获取资源 ..."_s);
    QCOMPARE(m_list->rowCount(), 0);
    waitForList(50);
    QCOMPARE(m_h->demo.requests(), QStringList{u"/bt_board/list.php?BoardID=1"_s});
    const QString base = m_h->demo.siteBase(u"bt_board"_s);
    for (int i = 0; i < 50; ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(m_list->cellText(row, 2), base + u"/display.php?BoardID=1&ID="_s + QString::number(1001 + i));
        QVERIFY(m_list->cellText(row, 1).contains(u"[BT下载] 演示影片"_s + QString::number(1001 + i)));
        QVERIFY(m_list->cellText(row, 3).endsWith(u" GB"_s));
        // Link and span tags of the category go whole.
        QVERIFY(!m_list->cellText(row, 4).isEmpty());
        QVERIFY(!m_list->cellText(row, 4).contains(u'>'));
    }
    // Inline tags of a title keep their text without "<".
    QCOMPARE(m_list->cellText(m_list->topLevelItem(3), 1), u"font color=red>[BT下载] 演示影片1004 720p/font>"_s);
}

void TestBtBoard::boardEnds_data()
{
    QTest::addColumn<int>("steps");   // "下一页" clicks before the test click
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("previous on board 1") << 0 << 2 << u"已经是最上一页!"_s;
    QTest::newRow("next on board 8") << 7 << 1 << u"已经是最后一页!"_s;
}

void TestBtBoard::boardEnds()
{
    QFETCH(int, steps);
    QFETCH(int, button);
    QFETCH(QString, message);
    click(0);
    waitForList(50);
    for (int i = 0; i < steps; ++i) {
        click(1);
        waitForList(i + 2 == 8 ? 23 : 50);
    }
    m_h->demo.clearRequests();
    click(button);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, message);
    QCOMPARE(m_list->rowCount(), steps == 7 ? 23 : 50);
    QTest::qWait(50);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestBtBoard::previousFromBoardTwo()
{
    click(1);
    waitForList(50);
    QCOMPARE(m_h->demo.requests().last(), u"/bt_board/list.php?BoardID=2"_s);
    click(2);
    waitForList(50);
    QCOMPARE(m_h->demo.requests().last(), u"/bt_board/list.php?BoardID=1"_s);
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestBtBoard::lastBoardIsShort()
{
    for (int i = 0; i < 7; ++i) {
        click(1);
        waitForList(i == 6 ? 23 : 50);
    }
    QCOMPARE(m_h->demo.requests().last(), u"/bt_board/list.php?BoardID=8"_s);
    // No slot beyond the last post repeats it.
    QVERIFY(m_list->cellText(m_list->topLevelItem(22), 2).endsWith(u"ID=8023"_s));
}

void TestBtBoard::noSecondFetchWhileOneRuns()
{
    click(0);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!button(i)->isEnabled());
    click(1);
    click(0);
    waitForList(50);
    QCOMPARE(m_h->demo.requests(), QStringList{u"/bt_board/list.php?BoardID=1"_s});
}

void TestBtBoard::detailWindow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("dataStart");
    QTest::addColumn<QString>("synopsis");
    QTest::addColumn<QString>("link2");
    QTest::newRow("layout A") << 0 << u"片名: 演示影片1001\r\n\r\n年代: 2013"_s << u"一段发生在 A & B 之间的故事。"_s
                              << u"http://mirror.example/bt/1001.torrent"_s;
    QTest::newRow("layout B") << 1 << u"◎译　　名　演示影片1002\r\n\r\n片　　名　Demo Film"_s
                              << u"　　一段发生在 C & D 之间的故事。"_s << u"http://mirror.example/bt/1002.torrent"_s;
    QTest::newRow("single link") << 8 << u"片名: 演示影片1009"_s << u"一段发生在 A & B 之间的故事。"_s << u"http://"_s;
}

void TestBtBoard::detailWindow()
{
    QFETCH(int, row);
    QFETCH(QString, dataStart);
    QFETCH(QString, synopsis);
    QFETCH(QString, link2);
    click(0);
    waitForList(50);
    m_h->demo.clearRequests();
    doubleClick(row);
    QTRY_VERIFY_WITH_TIMEOUT(shownDetail(), 10000);
    MovieDetailWindow *window = shownDetail();
    const int id = 1001 + row;
    QCOMPARE(m_h->demo.requests().first(), u"/bt_board/display.php?BoardID=1&ID="_s + QString::number(id));
    QCOMPARE(window->windowTitle(), u"影片详情"_s);
    QVERIFY(window->isModal());
    QCOMPARE(m_h->status(), u"影片信息获取完毕..."_s);
    const QString data = window->findChild<QPlainTextEdit *>(u"Text2"_s)->toPlainText();
    // The text box shows each CR LF as one line break.
    QVERIFY(data.startsWith(QString(dataStart).replace(u"\r\n"_s, u"\n"_s)));
    QCOMPARE(window->findChild<QPlainTextEdit *>(u"Text1"_s)->toPlainText(), synopsis);
    QCOMPARE(window->link1(), u"http://files.example/bt/"_s + QString::number(id) + u".torrent"_s);
    QCOMPARE(window->link2(), link2);
    // The poster arrives from the post's [IMG] address.
    QTRY_VERIFY_WITH_TIMEOUT(!window->findChild<QLabel *>(u"Image1"_s)->pixmap().isNull(), 10000);
    QVERIFY(m_h->demo.requests().contains(u"/bt_board/poster/"_s + QString::number(id) + u".png"_s));

    QTest::mouseClick(window->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(m_h->opener.addresses, QStringList{window->link1()});
    QPointer<MovieDetailWindow> guard(window);
    QTest::mouseClick(window->findChild<QPushButton *>(u"Command3"_s), Qt::LeftButton);
    QTRY_VERIFY(!guard);
}

void TestBtBoard::unreadablePost_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes opens the post") << true;
    QTest::newRow("no") << false;
}

void TestBtBoard::unreadablePost()
{
    QFETCH(bool, yes);
    click(0);
    waitForList(50);
    m_h->dialogs.answerNext(yes ? QMessageBox::Yes : QMessageBox::No);
    doubleClick(6); // post 7 has no film data
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"无法获取当前影片信息!"_s, 10000);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"无法获取当前影片信息!是否为您打开对应地址?"_s);
    QCOMPARE(m_h->dialogs.shown.first().buttons, QMessageBox::Yes | QMessageBox::No);
    const QString post = m_h->demo.siteBase(u"bt_board"_s) + u"/display.php?BoardID=1&ID=1007"_s;
    QCOMPARE(m_h->opener.addresses, yes ? QStringList{post} : QStringList());
    QVERIFY(!shownDetail());
}

QTEST_MAIN(TestBtBoard)
#include "tst_btboard.moc"
