#include "core/texttools.h"
#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestNetdiskReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refusesInput_data();
    void refusesInput();
    void requestAddress_data();
    void requestAddress();
    void ticksInIndexOrderWithLabels();
    void untitledHitTakesItsBoxCaption();
    void concurrentPagesKeepBoxOrder();
    void benchmarkKeywordFillsEveryBox();
    void notFoundAfterASecond();
    void everyFetchFailedNamesTheSite();
    void newSearchDisarmsOldNotFound();
    void windowGoneWhileFetching();
    void pageBoxAndSpinner();
    void selectAll();
    void rowActionsNeedASelection_data();
    void rowActionsNeedASelection();
    void rowActionsOnARow();
    void rightClickShowsTheMenu();
    void exportWritesGbkLines();
    void exportOfEmptyListWritesNothing();

private:
    void tick(std::initializer_list<int> boxes);
    void searchFor(const QString &keyword);
    void waitForSearchEnd();
    QAction *action(const QString &name);

    std::unique_ptr<TestHarness> m_h;
    ResultList *m_list = nullptr;
    QPushButton *m_start = nullptr;
};

void TestNetdiskReader::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    m_list = m_h->child<ResultList>(u"ListView1"_s);
    m_start = m_h->child<QPushButton>(u"Command1"_s);
    QVERIFY(m_list && m_start);
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestNetdiskReader::cleanup()
{
    m_h.reset();
}

void TestNetdiskReader::tick(std::initializer_list<int> boxes)
{
    for (int i : boxes)
        m_h->child<QCheckBox>(u"Check2_"_s + QString::number(i))->setChecked(true);
}

void TestNetdiskReader::searchFor(const QString &keyword)
{
    m_h->child<QLineEdit>(u"Text1"_s)->setText(keyword);
    QTest::mouseClick(m_start, Qt::LeftButton);
}

void TestNetdiskReader::waitForSearchEnd()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_start->isEnabled() && m_h->status().endsWith(u".."_s)
                                 && !m_h->status().startsWith(u"正在为您搜索"_s),
                             10000);
}

QAction *TestNetdiskReader::action(const QString &name)
{
    return m_list->menuAction(name);
}

void TestNetdiskReader::refusesInput_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("tickBox");
    QTest::addColumn<QString>("status");
    QTest::newRow("empty keyword") << QString() << true << u"请输入要搜索的资源名称.."_s;
    QTest::newRow("one letter") << u"a"_s << true << u"请至少输入两位关键字.."_s;
    QTest::newRow("one chinese character") << u"电"_s << true << u"请至少输入两位关键字.."_s;
    QTest::newRow("no box ticked") << u"ab"_s << false << u"请选择至少一个网盘进行搜索.."_s;
    QTest::newRow("empty keyword checked first") << QString() << false << u"请输入要搜索的资源名称.."_s;
}

void TestNetdiskReader::refusesInput()
{
    QFETCH(QString, keyword);
    QFETCH(bool, tickBox);
    QFETCH(QString, status);
    if (tickBox)
        tick({0});
    m_list->addRow(u"old"_s);
    searchFor(keyword);
    QCOMPARE(m_h->status(), status);
    QVERIFY(m_start->isEnabled());
    QCOMPARE(m_list->rowCount(), 1); // nothing else changes
    QTest::qWait(50);
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestNetdiskReader::requestAddress_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("query");
    QTest::newRow("two chinese characters")
        << u"电影"_s << u"1"_s << u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20%E7%94%B5%E5%BD%B1&pn=1&rn=50&ie=utf-8&rsv_page=1"_s;
    // The space is not encoded by the program; on the wire it can only be %20.
    QTest::newRow("keyword with a space")
        << u"电影 hd"_s << u"1"_s << u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20%E7%94%B5%E5%BD%B1%20hd&pn=1&rn=50&ie=utf-8&rsv_page=1"_s;
    QTest::newRow("page box text passes unchanged")
        << u"ab"_s << u"2.5"_s << u"/netdisk_search/s?wd=site%3Apan00.netdisk.example%20ab&pn=2.5&rn=50&ie=utf-8&rsv_page=1"_s;
}

void TestNetdiskReader::requestAddress()
{
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(QString, query);
    tick({0});
    m_h->child<QLineEdit>(u"Text3"_s)->setText(page);
    searchFor(keyword);
    QCOMPARE(m_h->status(), u"正在为您搜索["_s + keyword + u"]相关资源.."_s);
    QVERIFY(!m_start->isEnabled());
    waitForSearchEnd();
    QCOMPARE(m_h->demo.requests(), QStringList{query});
}

void TestNetdiskReader::ticksInIndexOrderWithLabels()
{
    tick({7, 3});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"爱问共享搜索完毕.."_s, 10000);
    const QStringList requests = m_h->demo.requestsFor(u"netdisk_search"_s);
    QCOMPARE(requests.size(), 2);
    QVERIFY(requests.at(0).contains(u"pan03.netdisk.example"_s));
    QVERIFY(requests.at(1).contains(u"pan07.netdisk.example"_s));

    // Netdisk 3 answers 8 hits (the last names CSDN), netdisk 7 answers 8.
    QCOMPARE(m_list->rowCount(), 16);
    QCOMPARE(m_list->topLevelItem(0)->text(0), u"QQ旋风"_s);
    QCOMPARE(m_list->topLevelItem(6)->text(0), u"QQ旋风"_s);
    QCOMPARE(m_list->topLevelItem(7)->text(0), u"CSDN资源"_s);
    QVERIFY(m_list->topLevelItem(7)->text(1).contains(u"CSDN"_s));
    QCOMPARE(m_list->topLevelItem(8)->text(0), u"爱问共享"_s);
    QVERIFY(m_list->topLevelItem(0)->text(1).startsWith(u"电影 合集2_QQ旋风"_s));
    QVERIFY(m_list->topLevelItem(0)->text(2).startsWith(m_h->demo.siteBase(u"netdisk_search"_s) + u"/link?url="_s));
    QCOMPARE(m_h->child<QGroupBox>(u"Frame2"_s)->title(), u"资源列表(当前共搜索到：16个资源)"_s);
    QVERIFY(m_start->isEnabled());
}

void TestNetdiskReader::concurrentPagesKeepBoxOrder()
{
    // "倒序": each later box answers sooner. The pages are fetched several
    // at a time, yet listed in the order of their boxes.
    const QList<int> boxes = {0, 1, 2, 5, 6, 7, 9, 10, 13, 23};
    for (int box : boxes)
        m_h->child<QCheckBox>(u"Check2_"_s + QString::number(box))->setChecked(true);
    searchFor(u"倒序"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"天空网盘搜索完毕.."_s, 20000);
    QStringList order;
    for (int i = 0; i < m_list->rowCount(); ++i) {
        const QString label = m_list->topLevelItem(i)->text(0);
        if (order.isEmpty() || order.last() != label)
            order.append(label);
    }
    QStringList expected;
    for (int box : boxes)
        expected.append(m_h->child<QCheckBox>(u"Check2_"_s + QString::number(box))->text());
    expected.replace(boxes.indexOf(5), u"千易网盘"_s); // its untitled hit keeps the box caption
    QCOMPARE(order, expected);
    QCOMPARE(m_h->demo.requestsFor(u"netdisk_search"_s).size(), boxes.size());
}

void TestNetdiskReader::benchmarkKeywordFillsEveryBox()
{
    // "基准" (the search benchmark's load): 10 hits on every box, even on
    // netdisk 12, which has none otherwise.
    tick({3, 12});
    searchFor(u"基准"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"400网盘搜索完毕.."_s, 10000);
    QCOMPARE(m_list->rowCount(), 20);
    QVERIFY(m_list->topLevelItem(19)->text(1).startsWith(u"基准 合集11_400网盘"_s));
    QVERIFY(m_list->topLevelItem(19)->text(2).startsWith(m_h->demo.siteBase(u"netdisk_search"_s) + u"/link?url="_s));
}

void TestNetdiskReader::untitledHitTakesItsBoxCaption()
{
    tick({5});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 6, 10000);
    QCOMPARE(m_list->topLevelItem(0)->text(0), u"千易网盘"_s);
    QVERIFY(m_list->topLevelItem(5)->text(1).contains(u"无名分享"_s));
    QCOMPARE(m_list->topLevelItem(5)->text(0), u"千易网盘"_s);
}

void TestNetdiskReader::notFoundAfterASecond()
{
    tick({12});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"400网盘未找到相关资源.."_s, 5000);
    QVERIFY(m_start->isEnabled());
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(m_h->demo.requests().size(), 1);
}

// Nothing listed because the site failed: the status names the site and why.
void TestNetdiskReader::everyFetchFailedNamesTheSite()
{
    m_h->services.sites.setSite(u"netdisk_search"_s, QString());
    tick({0, 1});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"网盘搜索：未配置地址"_s, 5000);
    QVERIFY(m_start->isEnabled());
    QVERIFY(m_h->demo.requests().isEmpty());
}

void TestNetdiskReader::newSearchDisarmsOldNotFound()
{
    // A search with hits leaves its not-found timer armed.
    tick({0});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"百度网盘搜索完毕.."_s, 10000);
    QTest::qWait(300);
    // The next search clears the list and waits 1.5 s for its page: the old
    // timer must not report "not found" into it.
    auto *notFound = m_h->child<QTimer>(u"Timer18"_s);
    QVERIFY(notFound->isActive());
    searchFor(u"慢速电影"_s);
    QVERIFY(!notFound->isActive());
    QTest::qWait(1200);
    // Past the old timer's second; on a slow machine the page may be in.
    if (m_h->status() != u"百度网盘搜索完毕.."_s) {
        QCOMPARE(m_h->status(), u"正在为您搜索[慢速电影]相关资源.."_s);
        QVERIFY(!m_start->isEnabled());
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"百度网盘搜索完毕.."_s, 10000);
    QVERIFY(m_list->rowCount() > 0);
}

void TestNetdiskReader::windowGoneWhileFetching()
{
    // The page arrives after the reader is gone: the search must end
    // without touching it.
    // Eight boxes, six pages at a time: two wait for a free place.
    tick({0, 1, 2, 3, 4, 5, 6, 7});
    searchFor(u"慢速电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requests().size(), 6, 5000);
    m_h->destroyWindow();
    m_list = nullptr;
    m_start = nullptr;
    QTest::qWait(2000);
    QCOMPARE(m_h->demo.requests().size(), 6); // nothing more asked for
}

void TestNetdiskReader::pageBoxAndSpinner()
{
    auto *box = m_h->child<QLineEdit>(u"Text3"_s);
    auto *spinner = m_h->child<QScrollBar>(u"HScroll1"_s);
    QCOMPARE(box->text(), u"1"_s);
    QCOMPARE(spinner->minimum(), 1);
    QCOMPARE(spinner->maximum(), 99);
    spinner->setValue(7);
    QCOMPARE(box->text(), u"7"_s);
    box->setText(u"abc"_s);
    QCOMPARE(box->text(), u"1"_s);
    box->setText(u"05"_s);
    QCOMPARE(box->text(), u"05"_s);
    box->setText(u"0"_s);
    QCOMPARE(box->text(), u"1"_s);
    box->clear();
    QCOMPARE(box->text(), u"1"_s);
}

void TestNetdiskReader::selectAll()
{
    auto *all = m_h->child<QCheckBox>(u"Check3"_s);
    QTest::mouseClick(all, Qt::LeftButton);
    for (int i = 0; i < 24; ++i)
        QVERIFY(m_h->child<QCheckBox>(u"Check2_"_s + QString::number(i))->isChecked());
    m_h->child<QCheckBox>(u"Check2_4"_s)->setChecked(false);
    QTest::mouseClick(all, Qt::LeftButton);
    for (int i = 0; i < 24; ++i)
        QVERIFY(!m_h->child<QCheckBox>(u"Check2_"_s + QString::number(i))->isChecked());
}

void TestNetdiskReader::rowActionsNeedASelection_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::newRow("fzxx") << u"fzxx"_s;
    QTest::newRow("fz") << u"fz"_s;
    QTest::newRow("dk") << u"dk"_s;
}

void TestNetdiskReader::rowActionsNeedASelection()
{
    QFETCH(QString, actionName);
    // Nothing selected, then a selected row without item text.
    action(actionName)->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    m_h->window().context().report(QString());
    QTreeWidgetItem *blank = m_list->addRow(QString(), {{u"mc"_s, u"n"_s}, {u"dz"_s, u"http://a.example/"_s}});
    blank->setSelected(true);
    action(actionName)->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    QVERIFY(m_h->opener.opened.isEmpty());
}

void TestNetdiskReader::rowActionsOnARow()
{
    tick({0});
    searchFor(u"电影"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 5, 10000);
    QTreeWidgetItem *row = m_list->topLevelItem(1);
    m_list->setCurrentItem(row);
    const QString name = row->text(1);
    const QString address = row->text(2);

    action(u"fzxx"_s)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"名称："_s + name + u"\r\n链接地址："_s + address);
    QCOMPARE(m_h->status(), u"信息已复制!"_s);

    action(u"fz"_s)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), address);
    QCOMPARE(m_h->status(), u"链接地址已复制!"_s);

    action(u"dk"_s)->trigger();
    QCOMPARE(m_h->opener.opened.size(), 1);
    QCOMPARE(m_h->opener.opened.first().toString(), address);

    // An address from a page that is not a web or download link is refused.
    row->setText(2, u"file:///etc/passwd"_s);
    action(u"dk"_s)->trigger();
    QCOMPARE(m_h->opener.opened.size(), 1);
    QCOMPARE(m_h->status(), u"无法打开该地址.."_s);
}

void TestNetdiskReader::rightClickShowsTheMenu()
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), m_list->viewport()->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(m_list->viewport(), &event);
    QMenu *menu = m_list->menu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->title(), u"程序菜单"_s);
    QStringList captions;
    for (QAction *a : menu->actions())
        captions.append(a->isSeparator() ? u"-"_s : a->text());
    QCOMPARE(captions, (QStringList{u"复制信息"_s, u"-"_s, u"复制链接"_s, u"-"_s, u"打开链接"_s, u"-"_s, u"导出数据"_s}));
    menu->close();
}

void TestNetdiskReader::exportWritesGbkLines()
{
    m_list->addRow(u"QQ旋风"_s, {{u"mc"_s, u"ab"_s}, {u"dz"_s, u"x"_s}});
    m_list->addRow(u"百度网盘"_s, {{u"mc"_s, u"名 称"_s}, {u"dz"_s, u"http://a.example/?q=1"_s}});
    m_list->addRow(u"GOOD.GD"_s, {{u"mc"_s, QString::fromUtf16(u"表情\U0001F600")}, {u"dz"_s, QString()}});
    action(u"dcsj"_s)->trigger();
    QCOMPARE(m_h->status(), u"成功导出网盘资源数据.."_s);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"成功导出网盘资源数据!"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);

    QFile file(m_h->home.filePath(u"网盘资源数据.txt"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = toGbk(u"QQ旋风  "_s) + "   ab   x\r\n" + toGbk(u"百度网盘   名 称"_s)
                                + "   http://a.example/?q=1\r\n" + "GOOD.GD    " + toGbk(QString::fromUtf16(u"表情\U0001F600"))
                                + "   \r\n";
    QCOMPARE(file.readAll(), expected);
}

void TestNetdiskReader::exportOfEmptyListWritesNothing()
{
    action(u"dcsj"_s)->trigger();
    QCOMPARE(m_h->status(), u"没有可导出的数据.."_s);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"没有可导出的数据!"_s);
    QVERIFY(!QFile::exists(m_h->home.filePath(u"网盘资源数据.txt"_s)));
}

QTEST_MAIN(TestNetdiskReader)
#include "tst_netdiskreader.moc"
