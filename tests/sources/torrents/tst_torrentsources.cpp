#include "sources/torrents/movieresourcereader.h"
#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The three sources of the source button group Command2 (torrent search,
// RSS feed, movie resource search) through the real window.
class TestTorrentSources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refusals_data();
    void refusals();
    void requestAddresses_data();
    void requestAddresses();
    void pageBoxes_data();
    void pageBoxes();

    void torrentSearchLists();
    void torrentSearchRowsRestartAtOne();
    void torrentSearchNotFound_data();
    void torrentSearchNotFound();
    void torrentSearchNewStartDisarmsTimers();

    void feedLists();
    void feedNotFound_data();
    void feedNotFound();

    void copyActions_data();
    void copyActions();
    void downloadNeedsARow();
    void downloadLandsInTheDownloadDirectory();
    void failedDownload();

    void movieResourcePlaceholder();
    void movieResourceRowLimit_data();
    void movieResourceRowLimit();
    void movieResourceNotFound_data();
    void movieResourceNotFound();
    void movieResourceHasNoMenu();

private:
    QPushButton *button(int index);
    ResultList *list(const QString &name);
    void showTab(int index);
    void start(int source, const QString &keywordBox, const QString &keyword);
    void waitForEnd(int source, const QString &status);

    std::unique_ptr<TestHarness> m_h;
};

void TestTorrentSources::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    for (int i = 0; i < 3; ++i)
        QVERIFY(button(i));
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_h->demo.clearRequests();
    QGuiApplication::clipboard()->setText(u"before"_s);
}

void TestTorrentSources::cleanup()
{
    m_h.reset();
}

QPushButton *TestTorrentSources::button(int index)
{
    return m_h->child<QPushButton>(u"Command2_"_s + QString::number(index));
}

ResultList *TestTorrentSources::list(const QString &name)
{
    return m_h->child<ResultList>(name);
}

void TestTorrentSources::showTab(int index)
{
    m_h->window().mainTabs()->setCurrentIndex(1);
    m_h->window().innerTabs(u"SSTab2"_s)->setCurrentIndex(index);
}

// Source 0 sits on tab 0, source 1 on tab 1, source 2 on tab 3.
void TestTorrentSources::start(int source, const QString &keywordBox, const QString &keyword)
{
    showTab(source == 2 ? 3 : source);
    m_h->child<QLineEdit>(keywordBox)->setText(keyword);
    QTest::mouseClick(button(source), Qt::LeftButton);
}

void TestTorrentSources::waitForEnd(int source, const QString &status)
{
    QTRY_VERIFY_WITH_TIMEOUT(button(source)->isEnabled() && m_h->status() == status, 10000);
}

void TestTorrentSources::refusals_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("status");
    QTest::newRow("torrent search, empty") << 0 << u"Text2"_s << u"ListView2"_s << QString() << u"请输入您要搜索的关键字.."_s;
    QTest::newRow("feed, empty") << 1 << u"Text8"_s << u"ListView4"_s << QString() << u"请输入您要搜索的关键字.."_s;
    QTest::newRow("movie resource, empty") << 2 << u"Text13"_s << u"ListView13"_s << QString() << u"请输入关键字..."_s;
    QTest::newRow("movie resource, placeholder")
        << 2 << u"Text13"_s << u"ListView13"_s << MovieResourceReader::placeholder() << u"请输入关键字..."_s;
}

void TestTorrentSources::refusals()
{
    QFETCH(int, source);
    QFETCH(QString, box);
    QFETCH(QString, list);
    QFETCH(QString, keyword);
    QFETCH(QString, status);
    this->list(list)->addRow(u"old"_s);
    start(source, box, keyword);
    QCOMPARE(m_h->status(), status);
    QVERIFY(button(source)->isEnabled());
    QCOMPARE(this->list(list)->rowCount(), 1);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestTorrentSources::requestAddresses_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("request");
    QTest::newRow("torrent search")
        << 0 << u"Text2"_s << u"电影"_s << u"1"_s << u"/torrent_search/search/%E7%94%B5%E5%BD%B1/1"_s;
    // Spaces alone are a keyword; the program leaves them, the wire has %20.
    QTest::newRow("torrent search, spaces") << 0 << u"Text2"_s << u"  "_s << u"1"_s << u"/torrent_search/search/%20%20/1"_s;
    QTest::newRow("torrent search, fraction") << 0 << u"Text2"_s << u"ab"_s << u"1.5"_s << u"/torrent_search/search/ab/1.5"_s;
    QTest::newRow("torrent search, negative") << 0 << u"Text2"_s << u"ab"_s << u"-2"_s << u"/torrent_search/search/ab/-2"_s;
    QTest::newRow("feed") << 1 << u"Text8"_s << u"地球"_s << QString() << u"/rss_feed/rss/%E5%9C%B0%E7%90%83/"_s;
    QTest::newRow("movie resource")
        << 2 << u"Text13"_s << u"功夫12"_s << u"2"_s << u"/movie_resource/index.asp?keyword=%E5%8A%9F%E5%A4%AB12&page=2"_s;
    QTest::newRow("movie resource, fraction")
        << 2 << u"Text13"_s << u"ab"_s << u"1.5"_s << u"/movie_resource/index.asp?keyword=ab&page=1.5"_s;
}

void TestTorrentSources::requestAddresses()
{
    QFETCH(int, source);
    QFETCH(QString, box);
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(QString, request);
    if (!page.isEmpty())
        m_h->child<QLineEdit>(source == 0 ? u"Text4"_s : u"Text14"_s)->setText(page);
    start(source, box, keyword);
    // Searching: the button is locked and the progress is shown.
    QVERIFY(!button(source)->isEnabled());
    QCOMPARE(m_h->status(), source == 2 ? u"正在搜索资源，请稍等.."_s : u"正在进行搜索..."_s);
    QTRY_VERIFY_WITH_TIMEOUT(button(source)->isEnabled(), 10000);
    // One request, from the pressed member's source only.
    QCOMPARE(m_h->demo.requests(), QStringList{request});
}

void TestTorrentSources::pageBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("spinner");
    QTest::newRow("torrent search") << u"Text4"_s << u"HScroll2"_s;
    QTest::newRow("movie resource") << u"Text14"_s << u"HScroll3"_s;
}

void TestTorrentSources::pageBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, spinner);
    auto *pageBox = m_h->child<QLineEdit>(box);
    auto *bar = m_h->child<QScrollBar>(spinner);
    QCOMPARE(pageBox->text(), u"1"_s);
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 99);
    bar->setValue(4);
    QCOMPARE(pageBox->text(), u"4"_s);
    const QList<QPair<QString, QString>> typed = {
        {u"0"_s, u"1"_s}, {u"abc"_s, u"1"_s}, {QString(), u"1"_s}, {u"1.5"_s, u"1.5"_s}, {u"-2"_s, u"-2"_s}};
    for (const auto &[text, result] : typed) {
        pageBox->setText(text);
        QCOMPARE(pageBox->text(), result);
    }
}

void TestTorrentSources::torrentSearchLists()
{
    start(0, u"Text2"_s, u"流浪地球"_s);
    waitForEnd(0, u"搜索完毕.."_s);
    ResultList *rows = list(u"ListView2"_s);
    QCOMPARE(rows->rowCount(), 10);
    const QString base = m_h->demo.siteBase(u"torrent_search"_s);
    for (int i = 0; i < 10; ++i) {
        const QTreeWidgetItem *row = rows->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        QCOMPARE(rows->cellText(row, 1), u"流浪地球 第"_s + QString::number(i + 1) + u"集 1080P"_s);
        QVERIFY(rows->cellText(row, 2).endsWith(u" GB"_s));
        QVERIFY(rows->cellText(row, 3).startsWith(u"2013-12-"_s));
        QVERIFY(rows->cellText(row, 4).startsWith(base + u"/information/"_s));
        QVERIFY(rows->cellText(row, 5).startsWith(u"magnet:?xt=urn:btih:"_s));
    }
    // The information address carries the 40-digit hash.
    QCOMPARE(rows->cellText(rows->topLevelItem(0), 4).size(), base.size() + 13 + 40);
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestTorrentSources::torrentSearchRowsRestartAtOne()
{
    m_h->child<QLineEdit>(u"Text4"_s)->setText(u"3"_s);
    start(0, u"Text2"_s, u"流浪地球"_s);
    waitForEnd(0, u"搜索完毕.."_s);
    ResultList *rows = list(u"ListView2"_s);
    QCOMPARE(rows->rowCount(), 5);
    QCOMPARE(rows->topLevelItem(0)->text(0), u"1"_s);
    QCOMPARE(rows->cellText(rows->topLevelItem(0), 1), u"流浪地球 第21集 1080P"_s);
}

void TestTorrentSources::torrentSearchNotFound_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("configured");
    QTest::newRow("no hits") << u"无结果"_s << u"1"_s << true;
    QTest::newRow("past the last page") << u"流浪地球"_s << u"4"_s << true;
    QTest::newRow("failed fetch") << u"流浪地球"_s << u"1"_s << false;
}

void TestTorrentSources::torrentSearchNotFound()
{
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(bool, configured);
    if (!configured)
        m_h->services.sites.setSite(u"torrent_search"_s, QString());
    m_h->child<QLineEdit>(u"Text4"_s)->setText(page);
    start(0, u"Text2"_s, keyword);
    waitForEnd(0, configured ? u"未找到相关资源.."_s : u"种子搜索：未配置地址"_s);
    QCOMPARE(list(u"ListView2"_s)->rowCount(), 0);
    QVERIFY(!m_h->child<QTimer>(u"Timer4"_s)->isActive());
    QVERIFY(m_h->dialogs.shown.isEmpty());
    QCOMPARE(m_h->demo.requests().size(), configured ? 1 : 0);
}

void TestTorrentSources::torrentSearchNewStartDisarmsTimers()
{
    start(0, u"Text2"_s, u"流浪地球"_s);
    waitForEnd(0, u"搜索完毕.."_s);
    // After rows the not-found timer keeps looking ...
    auto *notFound = m_h->child<QTimer>(u"Timer4"_s);
    QTest::qWait(1100);
    QVERIFY(notFound->isActive());
    QCOMPARE(m_h->status(), u"搜索完毕.."_s);
    // ... until a new start, which owns the timers from then on.
    start(0, u"Text2"_s, u"无结果"_s);
    QVERIFY(!notFound->isActive());
    QVERIFY(!m_h->child<QTimer>(u"Timer3"_s)->isActive());
    QCOMPARE(m_h->status(), u"正在进行搜索..."_s);
    waitForEnd(0, u"未找到相关资源.."_s);
}

void TestTorrentSources::feedLists()
{
    start(1, u"Text8"_s, u"地球"_s);
    QTRY_COMPARE_WITH_TIMEOUT(list(u"ListView4"_s)->rowCount(), 6, 10000);
    ResultList *rows = list(u"ListView4"_s);
    const QString base = m_h->demo.siteBase(u"rss_feed"_s);
    for (int i = 0; i < 6; ++i) {
        const QTreeWidgetItem *row = rows->topLevelItem(i);
        QCOMPARE(row->text(0), QString::number(i + 1));
        // The channel's CDATA title is no row: row 1 is item 1.
        QCOMPARE(rows->cellText(row, 1), u"地球 合集"_s + QString::number(i + 1));
        QVERIFY(rows->cellText(row, 2).startsWith(u" "_s));
        QVERIFY(rows->cellText(row, 4).startsWith(base + u"/torrent/"_s));
        QCOMPARE(rows->cellText(row, 3), QString::asprintf("Sun, %02d Dec 2013 12:00:00 +0800", i + 1));
    }
    // The not-found tick confirms a second later and stops.
    waitForEnd(1, u"搜索完毕.."_s);
    QTRY_VERIFY_WITH_TIMEOUT(!m_h->child<QTimer>(u"Timer6"_s)->isActive(), 5000);
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestTorrentSources::feedNotFound_data()
{
    QTest::addColumn<bool>("configured");
    QTest::newRow("feed without items") << true;
    QTest::newRow("failed fetch") << false;
}

void TestTorrentSources::feedNotFound()
{
    QFETCH(bool, configured);
    if (!configured)
        m_h->services.sites.setSite(u"rss_feed"_s, QString());
    start(1, u"Text8"_s, u"无结果"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->dialogs.shown.size(), 1, 10000);
    QCOMPARE(m_h->dialogs.shown.first().text, u"未找到相关资源!"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    QCOMPARE(m_h->status(), configured ? u"未找到相关资源.."_s : u"RSS种子：未配置地址"_s);
    QVERIFY(button(1)->isEnabled());
    QVERIFY(!m_h->child<QTimer>(u"Timer6"_s)->isActive());
    QCOMPARE(list(u"ListView4"_s)->rowCount(), 0);
}

void TestTorrentSources::copyActions_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("subitem");
    QTest::addColumn<QString>("message");
    QTest::newRow("fhxz") << 0 << u"Text2"_s << u"ListView2"_s << u"fhxz"_s << 4 << u"下载地址已复制!"_s;
    QTest::newRow("fhbf") << 0 << u"Text2"_s << u"ListView2"_s << u"fhbf"_s << 5 << u"磁力链接已复制!"_s;
    QTest::newRow("fzbtdz") << 1 << u"Text8"_s << u"ListView4"_s << u"fzbtdz"_s << 4 << u"种子已复制!"_s;
}

void TestTorrentSources::copyActions()
{
    QFETCH(int, source);
    QFETCH(QString, box);
    QFETCH(QString, list);
    QFETCH(QString, action);
    QFETCH(int, subitem);
    QFETCH(QString, message);
    ResultList *rows = this->list(list);
    QAction *item = rows->menuAction(action);
    QVERIFY(item);

    item->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);

    start(source, box, u"地球"_s);
    QTRY_VERIFY_WITH_TIMEOUT(rows->rowCount() > 2, 10000);
    QTreeWidgetItem *row = rows->topLevelItem(2);
    rows->setCurrentItem(row);
    item->trigger();
    QCOMPARE(m_h->status(), message);
    QCOMPARE(QGuiApplication::clipboard()->text(), rows->cellText(row, subitem));
    QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
}

void TestTorrentSources::downloadNeedsARow()
{
    list(u"ListView4"_s)->menuAction(u"dkbtxz"_s)->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QTest::qWait(100);
    QVERIFY(m_h->demo.requests().isEmpty());
    QVERIFY(QDir(m_h->downloads.path()).isEmpty());
}

void TestTorrentSources::downloadLandsInTheDownloadDirectory()
{
    ResultList *rows = list(u"ListView4"_s);
    start(1, u"Text8"_s, u"地球"_s);
    QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 6, 10000);
    waitForEnd(1, u"搜索完毕.."_s);
    QTreeWidgetItem *row = rows->topLevelItem(1);
    rows->setCurrentItem(row);
    const QString address = rows->cellText(row, 4);
    const QString name = address.section(u'/', -1);
    QVERIFY(name.endsWith(u".torrent"_s));
    m_h->demo.clearRequests();

    QAction *download = rows->menuAction(u"dkbtxz"_s);
    download->trigger();
    QCOMPARE(m_h->status(), u"开始下载..."_s);
    const QDir dir(m_h->downloads.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(name)), 10000);
    QTRY_COMPARE(m_h->status(), u"种子已下载到："_s + QDir::toNativeSeparators(dir.filePath(name)));
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("d8:announce"));
    QCOMPARE(m_h->demo.requests(), QStringList{QUrl(address).path()});

    // A second download of the same torrent keeps the first file.
    download->trigger();
    const QString second = name.chopped(8) + u" (1).torrent"_s;
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(second)), 10000);
    QCOMPARE(dir.entryList(QDir::Files).size(), 2);
}

void TestTorrentSources::failedDownload()
{
    ResultList *rows = list(u"ListView4"_s);
    QTreeWidgetItem *row = rows->addRow(u"1"_s, {{u"mc"_s, u"x"_s}, {u"zzdz"_s, u"file:///etc/passwd"_s}});
    rows->setCurrentItem(row);
    rows->menuAction(u"dkbtxz"_s)->trigger();
    QTRY_COMPARE(m_h->status(), u"种子下载失败.."_s);
    // An error page is no torrent: nothing is saved.
    row->setText(4, m_h->demo.siteBase(u"rss_feed"_s) + u"/torrent/missing.txt"_s);
    rows->menuAction(u"dkbtxz"_s)->trigger();
    QCOMPARE(m_h->status(), u"开始下载..."_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->status(), u"种子下载失败.."_s, 5000);
    QCOMPARE(m_h->demo.requests().size(), 1);
    QVERIFY(QDir(m_h->downloads.path()).isEmpty());
}

void TestTorrentSources::movieResourcePlaceholder()
{
    auto *box = m_h->child<QLineEdit>(u"Text13"_s);
    QCOMPARE(box->text(), u"请您输入关键字.."_s);
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(box, &in);
    QCOMPARE(box->text(), QString());
    QCoreApplication::sendEvent(box, &out);
    QCOMPARE(box->text(), u"请您输入关键字.."_s);
    box->setText(u"功夫"_s);
    QCoreApplication::sendEvent(box, &in);
    QCoreApplication::sendEvent(box, &out);
    QCOMPARE(box->text(), u"功夫"_s);
}

void TestTorrentSources::movieResourceRowLimit_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstTitle");
    QTest::newRow("12 matches") << u"功夫12"_s << u"1"_s << 12 << 1;
    QTest::newRow("125 matches") << u"功夫125"_s << u"1"_s << 30 << 1;
    QTest::newRow("page 5 of 125") << u"功夫125"_s << u"5"_s << 5 << 121;
    QTest::newRow("past the last page") << u"功夫12"_s << u"2"_s << 0 << 0;
}

void TestTorrentSources::movieResourceRowLimit()
{
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(int, rows);
    QFETCH(int, firstTitle);
    m_h->child<QLineEdit>(u"Text14"_s)->setText(page);
    start(2, u"Text13"_s, keyword);
    waitForEnd(2, u"搜索完毕.."_s);
    ResultList *movies = list(u"ListView13"_s);
    QCOMPARE(movies->rowCount(), rows);
    QVERIFY(m_h->dialogs.shown.isEmpty());
    if (rows == 0)
        return;
    const QTreeWidgetItem *first = movies->topLevelItem(0);
    QCOMPARE(first->text(0), u"1"_s);
    QCOMPARE(movies->topLevelItem(rows - 1)->text(0), QString::number(rows));
    // GBK decoded, and the detail id keeps the space after it.
    QCOMPARE(movies->cellText(first, 1), keyword + u" 第"_s + QString::number(firstTitle) + u"部"_s);
    QCOMPARE(movies->cellText(first, 4), m_h->demo.siteBase(u"movie_resource"_s) + u"/detail.asp?ID="_s
                                             + QString::number(1000 + firstTitle) + u" "_s);
    QVERIFY(movies->cellText(first, 2).startsWith(u"2013-12-"_s));
    QVERIFY(!movies->cellText(first, 3).isEmpty());
}

void TestTorrentSources::movieResourceNotFound_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("configured");
    QTest::newRow("no match page") << u"无此片"_s << true;
    QTest::newRow("failed fetch") << u"功夫"_s << false;
}

void TestTorrentSources::movieResourceNotFound()
{
    QFETCH(QString, keyword);
    QFETCH(bool, configured);
    if (!configured)
        m_h->services.sites.setSite(u"movie_resource"_s, QString());
    list(u"ListView13"_s)->addRow(u"old"_s);
    start(2, u"Text13"_s, keyword);
    waitForEnd(2, configured ? u"没有找到相关影片资源.."_s : u"影视资源：未配置地址"_s);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.first().text, u"没有找到相关影片资源"_s);
    QCOMPARE(m_h->dialogs.shown.first().icon, QMessageBox::Information);
    QCOMPARE(list(u"ListView13"_s)->rowCount(), 0);
}

void TestTorrentSources::movieResourceHasNoMenu()
{
    QVERIFY(!list(u"ListView13"_s)->menu());
    QCOMPARE(list(u"ListView13"_s)->contextMenuPolicy(), Qt::NoContextMenu);
}

QTEST_MAIN(TestTorrentSources)
#include "tst_torrentsources.moc"
