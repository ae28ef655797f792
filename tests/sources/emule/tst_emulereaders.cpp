#include "support/testharness.h"
#include "ui/resultlist.h"
#include "windows/browserview.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The eMule readers through the real window against the demo sites: the
// seven categories, the eMule site search, the ed2k keyword search and the
// "提取种子" actions.
class TestEmuleReaders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void categoryPaging_data();
    void categoryPaging();
    void categoryFailedFetchKeepsTheList();

    void searchRefusals_data();
    void searchRefusals();

    void siteSearch_data();
    void siteSearch();

    void ed2kSearch_data();
    void ed2kSearch();
    void ed2kSearchRows();
    void ed2kNewSearchDisarmsTimers();

    void extraction_data();
    void extraction();
    void extractionFromAFetchedCategory();
    void menusWithoutExtraction();
    void windowClosedWhileExtracting();

private:
    // Shows the tab page `page` of tab strip `tabs`, as a user would.
    void showPage(const QString &tabs, int page);
    void click(const QString &button);
    ResultList *list(const QString &name);

    std::unique_ptr<TestHarness> m_h;
};

void TestEmuleReaders::init()
{
    // Form8 opens without starting the browser engine: its address is what
    // the tests look at.
    BrowserView::setEngineAllowed(false);
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->demo.clearRequests();
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestEmuleReaders::cleanup()
{
    m_h.reset();
}

void TestEmuleReaders::showPage(const QString &tabs, int page)
{
    // The main strip's pages that hold the inner strips.
    static const QHash<QString, int> holders = {
        {u"SSTab2"_s, 1}, {u"SSTab5"_s, 2}, {u"SSTab4"_s, 5}};
    if (tabs == u"SSTab1"_s) {
        m_h->window().mainTabs()->setCurrentIndex(page);
        return;
    }
    m_h->window().mainTabs()->setCurrentIndex(holders.value(tabs));
    m_h->window().innerTabs(tabs)->setCurrentIndex(page);
}

void TestEmuleReaders::click(const QString &button)
{
    auto *target = m_h->child<QPushButton>(button);
    QVERIFY(target);
    QVERIFY(target->isVisible());
    QTest::mouseClick(target, Qt::LeftButton);
}

ResultList *TestEmuleReaders::list(const QString &name)
{
    return m_h->child<ResultList>(name);
}

void TestEmuleReaders::categoryPaging_data()
{
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("secondPageRows");
    // The demo categories hold 75, 40, 65, 35, 31, 70 and 45 items.
    QTest::newRow("films") << u"SSTab2"_s << 6 << u"Command21"_s << u"ListView6"_s << u"movie"_s << u"电影"_s << 30;
    QTest::newRow("music") << u"SSTab2"_s << 7 << u"Command26"_s << u"ListView7"_s << u"music"_s << u"音乐"_s << 10;
    QTest::newRow("software") << u"SSTab5"_s << 0 << u"Command27"_s << u"ListView8"_s << u"software"_s << u"软件"_s
                              << 30;
    QTest::newRow("books") << u"SSTab1"_s << 3 << u"Command32"_s << u"ListView9"_s << u"book"_s << u"图书"_s << 5;
    QTest::newRow("education") << u"SSTab1"_s << 4 << u"Command33"_s << u"ListView10"_s << u"edu"_s << u"教育"_s
                               << 1;
    QTest::newRow("general") << u"SSTab4"_s << 0 << u"Command38"_s << u"ListView11"_s << u"datum"_s << u"综合"_s
                             << 30;
    QTest::newRow("cartoons") << u"SSTab2"_s << 8 << u"Command41"_s << u"ListView12"_s << u"cartoon"_s << u"动漫"_s
                              << 15;
}

void TestEmuleReaders::categoryPaging()
{
    QFETCH(QString, tabs);
    QFETCH(int, page);
    QFETCH(QString, group);
    QFETCH(QString, list);
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QFETCH(int, secondPageRows);
    showPage(tabs, page);
    ResultList *rows = this->list(list);
    const QString base = m_h->demo.siteBase(u"emule"_s);
    const QString request = u"/emule/emule/"_s + path + u'/';
    const auto press = [&](int member, int requests) {
        click(group + u'_' + QString::number(member));
        QCOMPARE(m_h->status(), u"正在获取,请稍等.."_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"获取完毕.."_s, 10000);
        QCOMPARE(m_h->demo.requests().size(), requests);
    };

    // The first "获取资源" asks for page 1: 30 rows.
    press(0, 1);
    QCOMPARE(rows->rowCount(), 30);
    const QTreeWidgetItem *first = rows->topLevelItem(0);
    QCOMPARE(first->text(0), u"1"_s);
    QCOMPARE(rows->cellText(first, 1), caption + u"资源 第1号"_s);
    QCOMPARE(rows->cellText(first, 2), u"更新 2013-12-02 b>高清/b>"_s);
    QCOMPARE(rows->cellText(first, 3), base + u"/emule/detail/"_s + path + u"-1.html"_s);
    QCOMPARE(rows->topLevelItem(29)->text(0), u"30"_s);
    QCOMPARE(rows->cellText(rows->topLevelItem(29), 1), caption + u"资源 第30号"_s);

    // "下一页" then "获取资源": page 2 twice; a short page adds only its items.
    press(1, 2);
    press(0, 3);
    QCOMPARE(rows->rowCount(), secondPageRows);
    QCOMPARE(rows->topLevelItem(0)->text(0), u"1"_s);
    QCOMPARE(rows->cellText(rows->topLevelItem(0), 1), caption + u"资源 第31号"_s);
    QCOMPARE(rows->cellText(rows->topLevelItem(secondPageRows - 1), 1),
             caption + u"资源 第"_s + QString::number(30 + secondPageRows) + u"号"_s);

    // "上一页" goes back to page 1; on page 1 it only says so.
    press(2, 4);
    QCOMPARE(rows->rowCount(), 30);
    QVERIFY(m_h->dialogs.shown.isEmpty());
    click(group + u"_2"_s);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"已经是最上一页!"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    QCOMPARE(rows->rowCount(), 30);
    QCOMPARE(m_h->demo.requests(),
             (QStringList{request + u'1', request + u'2', request + u'2', request + u'1'}));
}

void TestEmuleReaders::categoryFailedFetchKeepsTheList()
{
    showPage(u"SSTab1"_s, 4);
    click(u"Command33_0"_s);
    ResultList *rows = list(u"ListView10"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"获取完毕.."_s, 10000);
    QCOMPARE(rows->rowCount(), 30);

    // Past the last page: the list empties.
    click(u"Command33_1"_s);
    click(u"Command33_1"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requests().size(), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"获取完毕.."_s, 10000);
    QCOMPARE(m_h->demo.requests().last(), u"/emule/emule/edu/3"_s);
    QCOMPARE(rows->rowCount(), 0);

    // A fetch that fails keeps the list and names the site (the page
    // number still moves on).
    click(u"Command33_2"_s);
    QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 1, 10000);
    m_h->services.sites.setSite(u"emule"_s, QString());
    click(u"Command33_2"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"电驴资源：未配置地址"_s, 10000);
    QCOMPARE(rows->rowCount(), 1);
    QCOMPARE(m_h->demo.requests().size(), 4);
}

void TestEmuleReaders::searchRefusals_data()
{
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("list");
    QTest::newRow("eMule site search") << u"SSTab5"_s << 1 << u"Command38_3"_s << u"ListView15"_s;
    QTest::newRow("ed2k search") << u"SSTab4"_s << 1 << u"Command38_4"_s << u"ListView17"_s;
}

void TestEmuleReaders::searchRefusals()
{
    QFETCH(QString, tabs);
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QString, list);
    showPage(tabs, page);
    this->list(list)->addRow(u"old"_s);
    click(button);
    QCOMPARE(m_h->status(), u"请输入资源关键字 .."_s);
    QVERIFY(m_h->child<QPushButton>(button)->isEnabled());
    QCOMPARE(this->list(list)->rowCount(), 1);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestEmuleReaders::siteSearch_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<QString>("request");
    QTest::addColumn<int>("rows");
    const QString notFound = u"没有找到相关电驴资源!"_s;
    QTest::newRow("7 items") << u"地球7"_s << u"1"_s << true << u"/emule/emule/search/%E5%9C%B0%E7%90%837/1"_s << 7;
    QTest::newRow("second page") << u"ab 45"_s << u"2"_s << true << u"/emule/emule/search/ab%2045/2"_s << 15;
    QTest::newRow("没能为您找到") << u"无结果"_s << u"1"_s << true << u"/emule/emule/search/%E6%97%A0%E7%BB%93%E6%9E%9C/1"_s
                            << 0;
    QTest::newRow("past the last page") << u"地球7"_s << u"2"_s << true
                                        << u"/emule/emule/search/%E5%9C%B0%E7%90%837/2"_s << 0;
    QTest::newRow("neither items nor the text") << u"空页"_s << u"1"_s << true
                                                << u"/emule/emule/search/%E7%A9%BA%E9%A1%B5/1"_s << 0;
    QTest::newRow("failed fetch") << u"地球7"_s << u"1"_s << false << QString() << 0;
}

void TestEmuleReaders::siteSearch()
{
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(bool, configured);
    QFETCH(QString, request);
    QFETCH(int, rows);
    if (!configured)
        m_h->services.sites.setSite(u"emule"_s, QString());
    showPage(u"SSTab5"_s, 1);
    m_h->child<QLineEdit>(u"Text16"_s)->setText(keyword);
    m_h->child<QLineEdit>(u"Text17"_s)->setText(page);
    ResultList *results = list(u"ListView15"_s);
    results->addRow(u"old"_s);
    auto *button = m_h->child<QPushButton>(u"Command38_3"_s);
    click(u"Command38_3"_s);
    QCOMPARE(results->rowCount(), 0);
    // An unconfigured site fails at once; a real fetch is awaited.
    if (configured) {
        QCOMPARE(m_h->status(), u"正在搜索资源.."_s);
        QVERIFY(!button->isEnabled());
    }

    const QString notFound = u"没有找到相关电驴资源!"_s;
    const QString status = rows > 0 ? u"获取完毕.."_s : configured ? notFound : u"电驴资源：未配置地址"_s;
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled() && m_h->status() == status, 10000);
    QCOMPARE(results->rowCount(), rows);
    QVERIFY(!m_h->child<QTimer>(u"Timer15"_s)->isActive());
    QCOMPARE(m_h->demo.requests(), request.isEmpty() ? QStringList() : QStringList{request});
    if (rows == 0) {
        QCOMPARE(m_h->dialogs.shown.size(), 1);
        QCOMPARE(m_h->dialogs.shown.first().text, notFound);
        return;
    }
    QVERIFY(m_h->dialogs.shown.isEmpty());
    const int first = page.toInt() * 30 - 29;
    const QString base = m_h->demo.siteBase(u"emule"_s);
    for (int i = 0; i < rows; ++i) {
        const QTreeWidgetItem *row = results->topLevelItem(i);
        const QString n = QString::number(first + i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(results->cellText(row, 1), keyword + u" 第"_s + n + u"号"_s);
        QVERIFY(results->cellText(row, 2).startsWith(u"更新 2013-12-"_s));
        QCOMPARE(results->cellText(row, 3), base + u"/emule/detail/search-"_s + n + u".html"_s);
    }
}

void TestEmuleReaders::ed2kSearch_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<QString>("request");
    QTest::addColumn<int>("rows");
    const QString earth = u"%E5%9C%B0%E7%90%83"_s;
    QTest::newRow("page 1") << u"地球"_s << u"1"_s << true << u"/ed2k_search/FileList.asp?SearchWord="_s + earth << 20;
    QTest::newRow("page 1.0") << u"地球"_s << u"1.0"_s << true << u"/ed2k_search/FileList.asp?SearchWord="_s + earth
                              << 20;
    QTest::newRow("page 2") << u"地球"_s << u"2"_s << true
                            << u"/ed2k_search/FileList.asp?PageIndex=2&SearchWord="_s + earth << 20;
    QTest::newRow("short last page") << u"地球45"_s << u"3"_s << true
                                     << u"/ed2k_search/FileList.asp?PageIndex=3&SearchWord="_s + earth + u"45"_s << 5;
    QTest::newRow("no rows") << u"无结果"_s << u"1"_s << true
                             << u"/ed2k_search/FileList.asp?SearchWord=%E6%97%A0%E7%BB%93%E6%9E%9C"_s << 0;
    QTest::newRow("failed fetch") << u"地球"_s << u"1"_s << false << QString() << 0;
}

void TestEmuleReaders::ed2kSearch()
{
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(bool, configured);
    QFETCH(QString, request);
    QFETCH(int, rows);
    if (!configured)
        m_h->services.sites.setSite(u"ed2k_search"_s, QString());
    showPage(u"SSTab4"_s, 1);
    m_h->child<QLineEdit>(u"Text19"_s)->setText(keyword);
    m_h->child<QLineEdit>(u"Text20"_s)->setText(page);
    auto *button = m_h->child<QPushButton>(u"Command38_4"_s);
    click(u"Command38_4"_s);
    if (configured) {
        QCOMPARE(m_h->status(), u"正在获取资源.."_s);
        QVERIFY(!button->isEnabled());
    }

    const QString status = rows > 0 ? u"资源获取完毕.."_s : configured ? u"没有找到相关资源.."_s : u"ed2k搜索：未配置地址"_s;
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled() && m_h->status() == status, 10000);
    QCOMPARE(list(u"ListView17"_s)->rowCount(), rows);
    QVERIFY(!m_h->child<QTimer>(u"Timer20"_s)->isActive());
    // Nothing found: the not-found timer has reported and stopped.
    if (rows == 0)
        QVERIFY(!m_h->child<QTimer>(u"Timer21"_s)->isActive());
    QCOMPARE(m_h->demo.requests(), request.isEmpty() ? QStringList() : QStringList{request});
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestEmuleReaders::ed2kSearchRows()
{
    showPage(u"SSTab4"_s, 1);
    m_h->child<QLineEdit>(u"Text19"_s)->setText(u"地球"_s);
    click(u"Command38_4"_s);
    ResultList *rows = list(u"ListView17"_s);
    QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 20, 10000);
    const QString file = m_h->demo.siteBase(u"ed2k_search"_s) + u"/ShowFile.asp?FileID="_s;
    const struct
    {
        int row;
        QString name;
        QString category;
    } expected[] = {
        {1, u" 地球 第1个文件.mkv"_s, u"音乐"_s},
        {3, u" 地球 第3个文件.mkv"_s, u"图书"_s},        // category as an anchor
        {5, u" 地球 评分9 第5个文件.mkv"_s, u"电影"_s}, // a stray "<"
        {15, u" 地球 评分9 第15个文件.mkv"_s, u"电影"_s},
    };
    for (const auto &e : expected) {
        const QTreeWidgetItem *row = rows->topLevelItem(e.row - 1);
        QCOMPARE(row->text(0), QString::number(e.row));
        QCOMPARE(rows->cellText(row, 1), e.name);
        QCOMPARE(rows->cellText(row, 2), e.category);
        QCOMPARE(rows->cellText(row, 3), file + QString::number(5000 + e.row));
    }
    // The list has no menu.
    QVERIFY(!rows->menu());

    // A double-click opens the row's file page in the browser.
    QTreeWidgetItem *third = rows->topLevelItem(2);
    rows->scrollToItem(third);
    const QPoint at = rows->visualItemRect(third).center();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(m_h->opener.opened, QList<QUrl>{QUrl(file + u"5003"_s)});
}

void TestEmuleReaders::ed2kNewSearchDisarmsTimers()
{
    showPage(u"SSTab4"_s, 1);
    m_h->child<QLineEdit>(u"Text19"_s)->setText(u"地球"_s);
    click(u"Command38_4"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"资源获取完毕.."_s, 10000);
    // With rows the not-found timer keeps looking ...
    auto *notFound = m_h->child<QTimer>(u"Timer21"_s);
    QVERIFY(notFound->isActive());
    // ... until a new search, which owns the timers from then on.
    m_h->child<QLineEdit>(u"Text19"_s)->setText(u"无结果"_s);
    click(u"Command38_4"_s);
    QVERIFY(!notFound->isActive());
    QVERIFY(!m_h->child<QTimer>(u"Timer20"_s)->isActive());
    QCOMPARE(list(u"ListView17"_s)->rowCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"没有找到相关资源.."_s, 10000);
    QVERIFY(m_h->child<QPushButton>(u"Command38_4"_s)->isEnabled());
}

void TestEmuleReaders::extraction_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("action");
    QTest::newRow("films") << u"ListView6"_s << u"kctqzz"_s;
    QTest::newRow("music") << u"ListView7"_s << u"yytqzz"_s;
    QTest::newRow("software") << u"ListView8"_s << u"tqzzrj"_s;
    QTest::newRow("books") << u"ListView9"_s << u"tqzzts"_s;
    QTest::newRow("education") << u"ListView10"_s << u"tqzzjy"_s;
    QTest::newRow("general") << u"ListView11"_s << u"tqzzzh"_s;
    QTest::newRow("site search") << u"ListView15"_s << u"tqdv"_s;
}

void TestEmuleReaders::extraction()
{
    QFETCH(QString, list);
    QFETCH(QString, action);
    ResultList *rows = this->list(list);
    QAction *extract = rows->menuAction(action);
    QVERIFY(extract);
    const QString detail = m_h->demo.siteBase(u"emule"_s) + u"/emule/detail/"_s;

    // A row selected in another eMule list is not this list's row.
    ResultList *other = this->list(list == u"ListView6"_s ? u"ListView7"_s : u"ListView6"_s);
    other->setCurrentItem(other->addRow(u"1"_s, {{u"zzdz"_s, detail + u"movie-3.html"_s}}));
    extract->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());

    // An address that cannot be fetched: a failure, the clipboard untouched.
    QTreeWidgetItem *row = rows->addRow(u"1"_s, {{u"mc"_s, u"x"_s}, {u"zzdz"_s, u"file:///etc/passwd"_s}});
    rows->setCurrentItem(row);
    extract->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子地址提取失败!"_s, 10000);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);

    // Two anchors: the first one.
    rows->setCurrentItem(nullptr);
    row->setText(3, detail + u"movie-1.html"_s);
    rows->setCurrentItem(row);
    extract->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子地址已提取并自动复制到剪贴板!"_s, 10000);
    const QString link = QGuiApplication::clipboard()->text();
    static const QRegularExpression cd1(u"^ed2k://\\|file\\|movie-1-cd1\\.mkv\\|700001000\\|[0-9A-F]{32}\\|/$"_s);
    QVERIFY2(cd1.match(link).hasMatch(), qPrintable(link));

    // No double-quoted anchor: a failure; the link copied before stays.
    row->setText(3, detail + u"movie-10.html"_s);
    extract->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子地址提取失败!"_s, 10000);
    QCOMPARE(QGuiApplication::clipboard()->text(), link);
    QCOMPARE(m_h->demo.requests(),
             (QStringList{u"/emule/emule/detail/movie-1.html"_s, u"/emule/emule/detail/movie-10.html"_s}));
}

void TestEmuleReaders::extractionFromAFetchedCategory()
{
    showPage(u"SSTab2"_s, 6);
    click(u"Command21_0"_s);
    ResultList *rows = list(u"ListView6"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"获取完毕.."_s, 10000);
    rows->setCurrentItem(rows->topLevelItem(4));
    rows->menuAction(u"kcfzdz"_s)->trigger();
    QCOMPARE(m_h->status(), u"地址已复制!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), m_h->demo.siteBase(u"emule"_s) + u"/emule/detail/movie-5.html"_s);
    rows->menuAction(u"kctqzz"_s)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子地址已提取并自动复制到剪贴板!"_s, 10000);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"ed2k://|file|movie-5-cd1.mkv|"_s));
}

void TestEmuleReaders::menusWithoutExtraction()
{
    // The cartoon menu has no "提取种子".
    ResultList *cartoons = list(u"ListView12"_s);
    QStringList names;
    for (const QAction *action : cartoons->menu()->actions()) {
        if (!action->isSeparator())
            names << action->objectName();
    }
    QCOMPARE(names, (QStringList{u"fzdzdm"_s, u"dkljdm"_s}));

    // "云端播放" streams the film's first ed2k link through the cloud
    // service, and leaves the clipboard alone.
    ResultList *films = list(u"ListView6"_s);
    const QString detail = m_h->demo.siteBase(u"emule"_s) + u"/emule/detail/movie-1.html"_s;
    films->setCurrentItem(films->addRow(u"1"_s, {{u"zzdz"_s, detail}}));
    films->menuAction(u"jdydbf"_s)->trigger();
    QCOMPARE(m_h->status(), u"正在进行澄川云点播.."_s);
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().findChild<QDialog *>(u"Form8"_s), 15000);
    auto *browser = m_h->window().findChild<QDialog *>(u"Form8"_s)->findChild<BrowserView *>();
    QVERIFY(browser->address().startsWith(m_h->demo.siteBase(u"cloud_on_demand"_s) + u"/api.php?ed=1&url=ed2k://"_s));
    QCOMPARE(m_h->demo.requestsFor(u"emule"_s), QStringList{u"/emule/emule/detail/movie-1.html"_s});
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
}

void TestEmuleReaders::windowClosedWhileExtracting()
{
    showPage(u"SSTab5"_s, 1);
    m_h->child<QLineEdit>(u"Text16"_s)->setText(u"慢速3"_s);
    click(u"Command38_3"_s);
    ResultList *rows = list(u"ListView15"_s);
    QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 3, 10000);
    rows->setCurrentItem(rows->topLevelItem(0));
    rows->menuAction(u"tqdv"_s)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requests().size(), 2, 10000);
    m_h->destroyWindow();
    // The late page finds no reader: nothing is copied, nothing crashes.
    QTest::qWait(800);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    QCOMPARE(m_h->demo.requests().last(), u"/emule/emule/detail/slow-1.html"_s);
}

QTEST_MAIN(TestEmuleReaders)
#include "tst_emulereaders.moc"
