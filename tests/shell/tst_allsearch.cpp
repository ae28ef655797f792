// The search across every source through the real window against the demo
// sites: streaming, a failing and a held (slow) source, merging across
// sources, sorting, filtering, the row actions, cancel, supersede, the kept
// choice of sources and Ctrl+K.
#include "support/testharness.h"

#include "core/allsearchrow.h"
#include "core/definitioncatalog.h"
#include "ui/allsearchmodel.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Keyword = u"变形金刚"_s;

// A user's source on a site of the test's own: rows of <div class="item">.
const QByteArray MirrorDefinition = R"(format = 1
name = "mirrorboard"
title = "镜像资源板"
base = "BASE"
probe = "变形金刚"

[search]
address = "{base}/s?q={keyword}&p={page}"

[rows]
start = '<div class="item">'

[fields]
mc = { start = 'title="', end = '"' }
dz = { start = 'href="', end = '"' }
dx = { start = "<i>", end = "</i>" }
rq = { start = "<em>", end = "</em>" }
)";

QString mirrorRow(const QString &name, const QString &address, const QString &size, const QString &date)
{
    return u"<div class=\"item\"><a href=\""_s + address + u"\" title=\""_s + name + u"\"><i>"_s + size
           + u"</i><em>"_s + date + u"</em></a></div>\n"_s;
}

// Hex info-hash as base32, upper case: the other form a magnet may carry.
QString base32Of(const QString &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    const char *alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    QString out;
    quint64 buffer = 0;
    int bits = 0;
    for (char byte : bytes) {
        buffer = (buffer << 8) | quint8(byte);
        bits += 8;
        while (bits >= 5) {
            out += QLatin1Char(alphabet[(buffer >> (bits - 5)) & 31]);
            bits -= 5;
        }
    }
    return out;
}

struct Page
{
    TestHarness &h;
    QLineEdit *keyword() { return h.child<QLineEdit>(u"AllSearchKeyword"_s); }
    QPushButton *start() { return h.child<QPushButton>(u"AllSearchStart"_s); }
    QProgressBar *progress() { return h.child<QProgressBar>(u"AllSearchProgress"_s); }
    QTreeView *results() { return h.child<QTreeView>(u"AllSearchResults"_s); }
    QAbstractItemModel *model() { return results()->model(); }
    QTreeWidget *sources() { return h.child<QTreeWidget>(u"AllSearchSources"_s); }
    QTreeWidgetItem *source(const QString &name)
    {
        for (int i = 0; i < sources()->topLevelItemCount(); ++i) {
            if (sources()->topLevelItem(i)->data(0, Qt::UserRole).toString() == name)
                return sources()->topLevelItem(i);
        }
        qWarning("no source %s", qPrintable(name));
        return nullptr;
    }
    QString state(const QString &name) { return source(name)->text(1); }
    QString cell(int row, int column) { return model()->index(row, column).data().toString(); }
    int rowOf(const QString &name)
    {
        for (int row = 0; row < model()->rowCount(); ++row) {
            if (cell(row, AllSearchModel::Name) == name)
                return row;
        }
        return -1;
    }
    void search(const QString &text)
    {
        keyword()->setText(text);
        QTest::keyClick(keyword(), Qt::Key_Return);
    }
    bool done() { return progress()->value() == progress()->maximum() && !h.child<QPushButton>(u"AllSearchCancel"_s)->isEnabled(); }
    void only(const QStringList &names)
    {
        for (int i = 0; i < sources()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = sources()->topLevelItem(i);
            item->setCheckState(0, names.contains(item->data(0, Qt::UserRole).toString()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    void select(int row, QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect)
    {
        results()->selectionModel()->setCurrentIndex(model()->index(row, 0), flags | QItemSelectionModel::Rows);
    }
    void trigger(const QString &action) { results()->findChild<QAction *>(action)->trigger(); }
};

} // namespace

class TestAllSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void streamsNamesFailuresAndMerges();
    void sortsAndFilters_data();
    void sortsAndFilters();
    void rowActions();
    void cancelSupersedeAndClose();
    void keepsTheChoiceOfSources();
    void ctrlKBringsThePageForward();
};

void TestAllSearch::streamsNamesFailuresAndMerges()
{
    TestHarness h;
    // ed2k's site fails; the user's mirror board is held until the others are in.
    h.demo.addSite(u"ed2k_search"_s, [](const DemoRequest &) {
        DemoResponse response = DemoResponse::html(u"<html><body>服务暂不可用</body></html>"_s);
        response.status = 503;
        return response;
    });
    auto mirrorPage = std::make_shared<QString>();
    h.demo.addSite(u"mirror_board"_s, [mirrorPage](const DemoRequest &) { return DemoResponse::html(*mirrorPage); });
    h.demo.holdSite(u"mirror_board"_s);
    QTemporaryDir folder;
    QFile file(folder.filePath(u"mirror.toml"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(MirrorDefinition).replace("BASE", h.demo.siteBase(u"mirror_board"_s).toUtf8()));
    file.close();
    const auto catalog = std::make_shared<DefinitionCatalog>(DefinitionCatalog::withUserFolders({folder.path()}));
    QVERIFY(catalog->problems().isEmpty());
    h.services.sites.setDefinitions(catalog);
    Page page{h};
    h.window();
    QCOMPARE(page.sources()->topLevelItemCount(), 10); // nine built-in keyword sources and the user's

    page.search(Keyword);
    // Every other source is in while the held one still waits.
    QTRY_COMPARE_WITH_TIMEOUT(page.progress()->value(), 9, 30000);
    QCOMPARE(page.state(u"mirrorboard"_s), u"等待中"_s);
    QCOMPARE(page.state(u"ed2k"_s), u"ed2k搜索：HTTP 503"_s);
    QVERIFY2(page.state(u"torrent"_s).startsWith(u"10 条，"_s), qPrintable(page.state(u"torrent"_s)));
    QTRY_VERIFY(page.model()->rowCount() > 50);
    QCOMPARE(page.rowOf(u"变形金刚 镜像独有"_s), -1);

    const int torrentRow = page.rowOf(u"变形金刚 第1集 1080P"_s);
    QVERIFY(torrentRow >= 0);
    const QString magnet = page.cell(torrentRow, AllSearchModel::Address);
    const QString hash = magnet.section(u"btih:"_s, 1).section(u'&', 0, 0);
    QCOMPARE(hash.size(), 40);
    // The mirror lists that row's magnet in base32, one ed2k link twice (its
    // hash in either case) and a row of its own.
    const QString ed2k = u"ed2k://|file|变形金刚.mkv|734003200|0123456789ABCDEF0123456789ABCDEF|/"_s;
    *mirrorPage = u"<html><body>"_s + mirrorRow(u"镜像 其一"_s, u"magnet:?xt=urn:btih:"_s + base32Of(hash), {}, {})
                  + mirrorRow(u"变形金刚 电驴"_s, ed2k, {}, {})
                  + mirrorRow(u"镜像 其二"_s, QString(ed2k).replace(u"0123456789ABCDEF"_s, u"0123456789abcdef"_s), {}, {})
                  + mirrorRow(u"变形金刚 镜像独有"_s, u"http://mirror.example/1"_s, u"900 MB"_s, u"2014-01-05"_s)
                  + u"</body></html>"_s;
    const int before = page.model()->rowCount();
    h.demo.releaseSite(u"mirror_board"_s);
    QTRY_VERIFY_WITH_TIMEOUT(page.done(), 15000);
    QTRY_COMPARE(page.model()->rowCount(), before + 2);
    QVERIFY2(page.state(u"mirrorboard"_s).startsWith(u"4 条，"_s), qPrintable(page.state(u"mirrorboard"_s)));
    const int torrentNow = page.rowOf(u"变形金刚 第1集 1080P"_s);
    QCOMPARE(page.cell(torrentNow, AllSearchModel::Source), u"番号资源、镜像资源板"_s);
    QCOMPARE(page.cell(torrentNow, AllSearchModel::Address), magnet);
    QCOMPARE(page.rowOf(u"镜像 其一"_s), -1);
    QCOMPARE(page.rowOf(u"镜像 其二"_s), -1);
    QCOMPARE(page.cell(page.rowOf(u"变形金刚 电驴"_s), AllSearchModel::Source), u"镜像资源板"_s);
    const int own = page.rowOf(u"变形金刚 镜像独有"_s);
    QCOMPARE(page.cell(own, AllSearchModel::Size), u"900 MB"_s);
    QCOMPARE(page.cell(own, AllSearchModel::Date), u"2014-01-05"_s);
    QCOMPARE(h.status(), u"全部来源搜索完毕，共 %1 条结果.."_s.arg(page.model()->rowCount()));
}

void TestAllSearch::sortsAndFilters_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::newRow("size, largest first") << int(AllSearchModel::Size) << Qt::DescendingOrder;
    QTest::newRow("size, smallest first") << int(AllSearchModel::Size) << Qt::AscendingOrder;
    QTest::newRow("date, newest first") << int(AllSearchModel::Date) << Qt::DescendingOrder;
    QTest::newRow("name") << int(AllSearchModel::Name) << Qt::AscendingOrder;
}

void TestAllSearch::sortsAndFilters()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    TestHarness h;
    Page page{h};
    h.window();
    page.search(Keyword);
    QTRY_VERIFY_WITH_TIMEOUT(page.done(), 30000);
    QTRY_VERIFY(page.model()->rowCount() > 50);
    page.results()->header()->setSortIndicator(column, order);

    QCollator collator;
    const auto inOrder = [&](const QString &a, const QString &b) {
        if (column == AllSearchModel::Size) {
            const qint64 x = sizeInBytes(a), y = sizeInBytes(b);
            // Rows without a size come after the sized ones, either way.
            return y < 0 || (x >= 0 && (order == Qt::AscendingOrder ? x <= y : x >= y));
        }
        if (column == AllSearchModel::Date)
            return dateKey(b) == NoDateKey || (dateKey(a) != NoDateKey && dateKey(a) >= dateKey(b));
        return collator.compare(a, b) <= 0;
    };
    int sized = 0;
    for (int row = 1; row < page.model()->rowCount(); ++row) {
        const QString a = page.cell(row - 1, column), b = page.cell(row, column);
        QVERIFY2(inOrder(a, b), qPrintable(a + u" | "_s + b));
        sized += !b.isEmpty();
    }
    QVERIFY(sized > 10);

    // Narrowed as the user types, every word in the name, nothing fetched.
    const int all = page.model()->rowCount();
    const qsizetype requests = h.demo.requests().size();
    h.child<QLineEdit>(u"AllSearchFilter"_s)->setText(u"第1集 1080p"_s);
    QTRY_VERIFY(page.model()->rowCount() > 0);
    QVERIFY(page.model()->rowCount() < all);
    for (int row = 0; row < page.model()->rowCount(); ++row) {
        const QString name = page.cell(row, AllSearchModel::Name);
        QVERIFY2(name.contains(u"第1集"_s) && name.contains(u"1080P"_s), qPrintable(name));
    }
    h.child<QLineEdit>(u"AllSearchFilter"_s)->clear();
    QCOMPARE(page.model()->rowCount(), all);
    QCOMPARE(h.demo.requests().size(), requests);
}

void TestAllSearch::rowActions()
{
    TestHarness h;
    Page page{h};
    h.window();
    page.only({u"torrent"_s, u"netdisk"_s});
    page.search(Keyword);
    QTRY_VERIFY_WITH_TIMEOUT(page.done(), 30000);
    QTRY_VERIFY(page.model()->rowCount() >= 12);

    // Enter opens through the opener; the first two rows' addresses copied.
    page.select(0);
    QTest::keyClick(page.results(), Qt::Key_Return);
    QCOMPARE(h.opener.addresses, QStringList{page.cell(0, AllSearchModel::Address)});
    page.select(1, QItemSelectionModel::Select);
    page.trigger(u"AllSearchCopySelected"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             page.cell(0, AllSearchModel::Address) + u'\n' + page.cell(1, AllSearchModel::Address));

    // The visible rows as CSV, header first.
    h.child<QLineEdit>(u"AllSearchFilter"_s)->setText(u"第2集"_s);
    QTRY_VERIFY(page.model()->rowCount() > 0);
    h.dialogs.savePath = h.home.filePath(u"rows.csv"_s);
    page.trigger(u"AllSearchExport"_s);
    QFile csv(h.dialogs.savePath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // the mark spreadsheets read UTF-8 by
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), u"来源,名称,大小,日期,地址"_s);
    QCOMPARE(lines.size(), page.model()->rowCount() + 1);
    QVERIFY(lines.value(1).contains(u"第2集"_s));

    // 在原列表中查看: the torrent tab runs the same keyword.
    page.select(page.rowOf(u"变形金刚 第2集 1080P"_s));
    page.trigger(u"AllSearchShowInList"_s);
    QCOMPARE(h.window().mainTabs()->currentIndex(), 1);
    QCOMPARE(h.window().innerTabs(u"SSTab2"_s)->currentIndex(), 0);
    QCOMPARE(h.child<QLineEdit>(u"Text2"_s)->text(), Keyword);
    auto *own = h.child<QTreeWidget>(u"ListView2"_s);
    QTRY_COMPARE_WITH_TIMEOUT(own->topLevelItemCount(), 10, 15000);
}

void TestAllSearch::cancelSupersedeAndClose()
{
    TestHarness h;
    Page page{h};
    h.window();
    h.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window()));
    QTest::keyClick(&h.window(), Qt::Key_K, Qt::ControlModifier);
    page.only({u"torrent"_s, u"magnet"_s});
    h.demo.holdSite(u"magnet_search"_s);
    page.search(u"旧的搜索"_s);
    QTRY_VERIFY_WITH_TIMEOUT(page.progress()->value() == 1, 15000);
    // Esc ends it: the held fetch ends at once as cancelled, not as a failure.
    QSignalSpy fetched(h.services.fetcher, &PageFetcher::fetched);
    QTest::keyClick(page.keyword(), Qt::Key_Escape);
    QCOMPARE(page.state(u"magnet"_s), u"已取消"_s);
    QVERIFY(!h.child<QPushButton>(u"AllSearchCancel"_s)->isEnabled());
    QTRY_COMPARE(fetched.size(), 1);
    QCOMPARE(fetched.at(0).at(0).value<FetchOutcome>().kind, FetchOutcome::Kind::Cancelled);
    QVERIFY(!h.services.siteStatus->status(u"magnet_search"_s).known());
    h.demo.releaseSite(u"magnet_search"_s);

    // A newer search supersedes a running one: nothing of the older lands.
    h.demo.holdSite(u"magnet_search"_s);
    page.search(u"旧的搜索"_s);
    page.search(Keyword);
    h.demo.releaseSite(u"magnet_search"_s);
    QTRY_VERIFY_WITH_TIMEOUT(page.done(), 15000);
    QTRY_COMPARE(page.model()->rowCount(), 10 + 8);
    for (int row = 0; row < page.model()->rowCount(); ++row)
        QVERIFY(page.cell(row, AllSearchModel::Name).startsWith(Keyword));

    // Closing the window mid-search.
    h.demo.holdSite(u"magnet_search"_s);
    page.search(Keyword);
    QTRY_VERIFY_WITH_TIMEOUT(page.progress()->value() == 1, 15000);
    h.destroyWindow();
    h.demo.releaseSite(u"magnet_search"_s);
    QTest::qWait(0);
}

void TestAllSearch::keepsTheChoiceOfSources()
{
    const QByteArray settings = "[jyxq]\r\nkey=1\r\n";
    QTemporaryDir home;
    {
        QFile jyxq(home.filePath(u"jyxq.ini"_s));
        QVERIFY(jyxq.open(QIODevice::WriteOnly));
        jyxq.write(settings);
    }
    for (int round = 0; round < 2; ++round) {
        TestHarness h;
        h.services.homeDir = home.path();
        Page page{h};
        h.window();
        if (round == 0) {
            page.source(u"rss"_s)->setCheckState(0, Qt::Unchecked);
            continue;
        }
        QCOMPARE(page.source(u"rss"_s)->checkState(0), Qt::Unchecked);
        QCOMPARE(page.source(u"torrent"_s)->checkState(0), Qt::Checked);
        page.only({u"torrent"_s});
        page.source(u"rss"_s)->setCheckState(0, Qt::Unchecked);
        page.search(Keyword);
        QTRY_VERIFY_WITH_TIMEOUT(page.done(), 15000);
        QCOMPARE(page.state(u"rss"_s), u"未勾选"_s);
        QVERIFY(h.demo.requestsFor(u"rss_feed"_s).isEmpty());
    }
    QSettings kept(home.filePath(u"allsearch.ini"_s), QSettings::IniFormat);
    QCOMPARE(kept.value(u"sources/rss"_s).toBool(), false);
    QFile jyxq(home.filePath(u"jyxq.ini"_s));
    QVERIFY(jyxq.open(QIODevice::ReadOnly));
    QCOMPARE(jyxq.readAll(), settings);
}

void TestAllSearch::ctrlKBringsThePageForward()
{
    TestHarness h;
    h.waitForUnlock = false;
    h.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window()));
    // Locked at start-up like every other tab.
    QTest::keyClick(&h.window(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(h.window().mainTabs()->currentIndex(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(h.window().mainTabs()->isEnabled(), 15000);
    QTest::keyClick(&h.window(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(h.window().mainTabs()->currentIndex(), 8);
    QCOMPARE(QApplication::focusWidget(), h.child<QLineEdit>(u"AllSearchKeyword"_s));
}

QTEST_MAIN(TestAllSearch)
#include "tst_allsearch.moc"
