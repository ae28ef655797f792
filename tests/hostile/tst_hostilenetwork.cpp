#include "core/searchlimits.h"
#include "shell/allsearchpage.h"
#include "support/hostileserver.h"
#include "support/testharness.h"
#include "ui/resultlist.h"
#include "windows/sitestatuswindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int TimeoutMs = 1500;
// A page that trickles ends at its deadline, not at the transfer time-out.
constexpr int DeadlineMs = 2500;

// One reader that fetches: how to start it and what it may show at the end.
struct Reader
{
    const char *name;
    QStringList siteKeys;
    QString startButton;
    QList<std::pair<QString, QString>> boxes; // line edits to fill first
    QString list;
    // The status after a failed or useless answer, and after a good one
    // (regular expressions, whole text).
    QString failure;
    QString done;
    QByteArray startMarker;
    // A page past the site's last one is empty and reported as done; these
    // readers cannot tell an error page from it.
    bool emptyPageIsDone = false;
    int channel = -1; // Combo1's index for the further torrent sites
};

const QList<Reader> &readers()
{
    static const QList<Reader> table = {
        {"netdisk", {u"netdisk_search"_s}, u"Command1"_s, {{u"Text1"_s, u"电影"_s}}, u"ListView1"_s,
         u".*未找到相关资源\\.\\."_s, u".*搜索完毕\\.\\."_s, "\"title\":\""},
        {"torrent search", {u"torrent_search"_s}, u"Command2_0"_s, {{u"Text2"_s, u"电影"_s}}, u"ListView2"_s,
         u"未找到相关资源\\.\\."_s, u"搜索完毕\\.\\."_s, "magnet:?"},
        {"RSS feed", {u"rss_feed"_s}, u"Command2_1"_s, {{u"Text8"_s, u"电影"_s}}, u"ListView4"_s,
         u"未找到相关资源\\.\\."_s, u"搜索完毕\\.\\."_s, "<item>"},
        {"movie resource", {u"movie_resource"_s}, u"Command2_2"_s, {{u"Text13"_s, u"电影"_s}}, u"ListView13"_s,
         u"没有找到相关影片资源\\.\\."_s, u"搜索完毕\\.\\."_s, "<a href=\"detail.asp?ID="},
        {"further torrents, magnet", {u"magnet_search"_s}, u"Command6"_s, {{u"Text21"_s, u"电影"_s}}, u"ListView19"_s,
         u"抱歉!没有找到任何结果,请更换关键字重试"_s, u"资源搜索完毕\\.\\."_s, "<ul class=\"m-files-ul\">", false, 0},
        {"further torrents, release", {u"resource_release"_s}, u"Command6"_s, {{u"Text21"_s, u"电影"_s}},
         u"ListView19"_s, u"抱歉!没有找到任何结果,请更换关键字重试"_s, u"资源搜索完毕\\.\\."_s, "<div class=\"name\">", false, 1},
        // A failed category fetch keeps its progress text by design.
        {"eMule category", {u"emule"_s}, u"Command21_0"_s, {}, u"ListView6"_s, u"正在获取,请稍等\\.\\."_s,
         u"获取完毕\\.\\."_s, "<div class=\"thumb\">", true},
        {"eMule site search", {u"emule"_s}, u"Command38_3"_s, {{u"Text16"_s, u"电影"_s}, {u"Text17"_s, u"1"_s}},
         u"ListView15"_s, u"没有找到相关电驴资源!"_s, u"获取完毕\\.\\."_s, "<div class=\"thumb\">"},
        {"ed2k search", {u"ed2k_search"_s}, u"Command38_4"_s, {{u"Text19"_s, u"电影"_s}, {u"Text20"_s, u"1"_s}},
         u"ListView17"_s, u"没有找到相关资源\\.\\."_s, u"资源获取完毕\\.\\."_s, "<td>["},
        {"QVOD channel", {u"qvod_channel"_s}, u"Command53_3"_s, {}, u"ListView3"_s, u"正在获取资源中\\.\\.\\."_s,
         u"资源获取完毕\\.\\."_s, "c_contentcj\"><a href=\"/content/detail_", true},
        {"QVOD search", {u"qvod_search"_s}, u"Command53_10"_s, {{u"Text15"_s, u"电影"_s}}, u"ListView14"_s,
         u"正在获取资源中\\.\\.\\.|没有搜索到相关资源\\.\\.\\."_s, u"资源获取完毕\\.\\."_s, "<tr bgcolor=\"#f5fef7\">"},
        // The listing keeps its button and reports nothing of its own.
        {"movie listing", {u"movie_listing"_s}, u"Command14_0"_s, {}, u"ListView5"_s, u".*"_s, u".*"_s,
         "<td height=\"26\">"},
        {"BT board", {u"bt_board"_s}, u"Command3_0"_s, {}, u"ListView18"_s, u"正在获取资源 \\.\\.\\."_s,
         u"获取完毕 \\.\\.\\."_s, "&nbsp;<A href=\"", true},
        {"BT movies", {u"emule"_s}, u"Commandz3_0"_s, {}, u"ListView16"_s, u"正在获取电影资源\\.\\."_s,
         u"资源获取完毕\\.\\."_s, "<a href=\"/Download/xiazai", true},
    };
    return table;
}

struct Answer
{
    const char *name;
    int hostileCase; // -1: connection refused (the server stops listening)
    // How the status names a site that failed this way (a regular
    // expression); empty where the site answered and the reader judges.
    QString siteFailure;
};

const QList<Answer> &cases()
{
    static const QList<Answer> table = {
        {"refused", -1, u"连接被拒绝"_s},
        {"hang", int(HostileServer::Case::Hang), u"连接超时 \\(\\d+\\.\\d s\\)"_s},
        {"500 page", int(HostileServer::Case::ServerError), u"HTTP 500"_s},
        {"cut off", int(HostileServer::Case::Truncated), u"页面不完整"_s},
        {"100 MB", int(HostileServer::Case::Huge), u"页面过大"_s},
        {"wrong charset", int(HostileServer::Case::WrongCharset), {}},
        {"redirect loop", int(HostileServer::Case::RedirectLoop), u"重定向过多"_s},
        {"binary junk", int(HostileServer::Case::BinaryJunk), {}},
        {"start markers", int(HostileServer::Case::StartMarkers), {}},
        {"one byte a second", int(HostileServer::Case::SlowLoris), u"连接超时 \\(\\d+\\.\\d s\\)"_s},
        // Only the QVOD search's pages state a count; the others pass unchanged.
        {"two billion pages", int(HostileServer::Case::HugePageCount), {}},
        {"redirect to a file", int(HostileServer::Case::RedirectToFile), u"重定向被拒绝"_s},
    };
    return table;
}

qint64 residentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

bool fullMatch(const QString &pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

} // namespace

// Every reader that fetches, against every way a site can answer badly: no
// crash, the window keeps running, the button comes back within the
// time-out, the status shows the reader's own end text, nothing but the
// reader's list changes and no huge body is held in memory.
class TestHostileNetwork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void matrix_data();
    void matrix();
    void cutListIsTold();
    void redirectElsewhereIsShown();
    void allSearchEndsBesideATrickle();

private:
    std::unique_ptr<TestHarness> m_h;
    HostileServer m_hostile;
    qint64 m_largestGap = 0;
};

void TestHostileNetwork::initTestCase()
{
    QVERIFY(m_hostile.start());
    m_h = std::make_unique<TestHarness>();
    m_hostile.setDemoRoot(m_h->demo.root());
    for (const Reader &reader : readers()) {
        for (const QString &key : reader.siteKeys)
            m_h->services.sites.setSite(key, m_hostile.root() + u'/' + key);
    }
    NetworkSettings network = m_h->services.sites.network();
    network.timeoutMs = TimeoutMs;
    network.deadlineMs = DeadlineMs;
    m_h->services.sites.setNetwork(network);
    m_h->window();
    // The playback readers want their terms accepted; the netdisk search a
    // ticked site or two.
    m_h->child<QCheckBox>(u"Check1"_s)->setChecked(true);
    m_h->child<QCheckBox>(u"Check2_0"_s)->setChecked(true);
    m_h->child<QCheckBox>(u"Check2_1"_s)->setChecked(true);
}

void TestHostileNetwork::cleanupTestCase()
{
    qInfo("largest event-loop gap over the whole matrix: %lld ms", m_largestGap);
    m_h.reset();
}

void TestHostileNetwork::matrix_data()
{
    QTest::addColumn<int>("reader");
    QTest::addColumn<int>("answer");
    for (qsizetype r = 0; r < readers().size(); ++r) {
        for (qsizetype c = 0; c < cases().size(); ++c)
            QTest::addRow("%s, %s", readers().at(r).name, cases().at(c).name) << int(r) << int(c);
    }
}

void TestHostileNetwork::matrix()
{
    QFETCH(int, reader);
    QFETCH(int, answer);
    const Reader &row = readers().at(reader);
    const Answer &how = cases().at(answer);
    const bool refused = how.hostileCase < 0;
    const auto hostileCase = HostileServer::Case(qMax(0, how.hostileCase));
    // Answers that may still carry the site's own rows, and a page of bare
    // item markers, which may end with the completion text but lists nothing.
    const bool maySucceed = !refused
                            && (hostileCase == HostileServer::Case::WrongCharset
                                || hostileCase == HostileServer::Case::StartMarkers
                                || hostileCase == HostileServer::Case::HugePageCount);
    // A whole page that holds none of the site's items.
    const bool itemlessPage = !refused
                              && (hostileCase == HostileServer::Case::ServerError
                                  || hostileCase == HostileServer::Case::BinaryJunk);
    // A site that failed is named with the reason; a page that came is
    // judged by the reader.
    const QString endText = !how.siteFailure.isEmpty()
                                ? SiteConfig::siteTitle(row.siteKeys.first()) + u"："_s + how.siteFailure
                            : row.emptyPageIsDone && itemlessPage ? row.failure + u'|' + row.done
                                                                  : row.failure;

    m_hostile.resetCounters();
    m_hostile.setCase(hostileCase);
    m_hostile.setStartMarker(row.startMarker);
    if (row.channel >= 0)
        m_h->child<QComboBox>(u"Combo1"_s)->setCurrentIndex(row.channel);
    for (const auto &[box, text] : row.boxes)
        m_h->child<QLineEdit>(box)->setText(text);

    // Every other list holds a row that must survive.
    ResultList *own = m_h->child<ResultList>(row.list);
    QVERIFY(own);
    const QList<ResultList *> lists = m_h->window().findChildren<ResultList *>();
    for (ResultList *list : lists) {
        list->clear();
        if (list != own)
            list->addRow(u"keep"_s);
    }
    QGuiApplication::clipboard()->setText(u"before"_s);

    auto *start = m_h->child<QPushButton>(row.startButton);
    QVERIFY(start && start->isEnabled());
    QSignalSpy replies(m_h->services.fetcher->manager(), &QNetworkAccessManager::finished);

    // The largest gap between ticks of a 10 ms timer while the fetch runs.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 gap = 0;
    const qint64 residentBefore = residentBytes();
    qint64 residentPeak = residentBefore;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, this, [&] {
        const qint64 now = clock.elapsed();
        gap = qMax(gap, now - last);
        last = now;
        residentPeak = qMax(residentPeak, residentBytes());
    });

    // Listening again whatever the row's end, so one failure stays one row's.
    const auto relisten = qScopeGuard([&] {
        if (refused && !m_hostile.listenAgain())
            qWarning("the hostile server cannot listen again");
    });
    if (refused) {
        // Stop listening for the row: the port refuses every connection.
        m_hostile.stopListening();
    }
    clock.start();
    ticker.start();
    start->click();
    // The end: a reply came back, the button is usable and the status is
    // the reader's end text.
    const auto ended = [&] {
        const QString status = m_h->status();
        return !replies.isEmpty() && start->isEnabled()
               && (fullMatch(endText, status) || (maySucceed && fullMatch(row.done, status)));
    };
    // Several pages in a row may each run into the time-out.
    QTRY_VERIFY2_WITH_TIMEOUT(ended(),
                              qPrintable(u"status \""_s + m_h->status() + u"\", replies "_s
                                         + QString::number(replies.size()) + u", button "_s
                                         + (start->isEnabled() ? u"enabled"_s : u"disabled"_s)),
                              6 * TimeoutMs + 5000);
    // A completion may still turn into not-found a second later; anything
    // else only has to show that nothing more happens.
    QTest::qWait(maySucceed ? 1200 : 300);
    ticker.stop();
    m_largestGap = qMax(m_largestGap, gap);
    const qint64 residentGrowth = residentBytes() - residentBefore;
    qInfo("%s: status \"%s\", %d rows, gap %lld ms, resident %+lld KiB (peak %+lld KiB)",
          QTest::currentDataTag(), qPrintable(m_h->status()), own->rowCount(), gap, residentGrowth / 1024,
          (residentPeak - residentBefore) / 1024);

    QVERIFY(start->isEnabled());
    // The reader really asked the hostile server.
    if (!refused)
        QVERIFY(m_hostile.requestCount() > 0);
    const QString status = m_h->status();
    if (maySucceed) {
        QVERIFY2(fullMatch(row.failure, status) || fullMatch(row.done, status), qPrintable(status));
        QVERIFY(own->rowCount() <= 32767);
        // Markers with nothing between them carry no row worth listing.
        if (hostileCase == HostileServer::Case::StartMarkers)
            QCOMPARE(own->rowCount(), 0);
    } else {
        QVERIFY2(fullMatch(endText, status), qPrintable(status));
        QCOMPARE(own->rowCount(), 0);
    }
    for (ResultList *list : lists) {
        if (list != own)
            QCOMPARE(list->rowCount(), 1);
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    // Generous bounds: a loaded machine stretches gaps, never by seconds.
    QVERIFY2(gap < 1500, qPrintable(QString::number(gap)));
    QVERIFY2(residentGrowth < 60LL * 1024 * 1024, qPrintable(QString::number(residentGrowth)));
    // A stated page count is read no further than a search's pages.
    if (hostileCase == HostileServer::Case::HugePageCount && row.siteKeys.first() == u"qvod_search"_s)
        QVERIFY2(m_hostile.requestCount() <= SearchLimits::MaxPages, qPrintable(QString::number(m_hostile.requestCount())));
    if (hostileCase == HostileServer::Case::Huge && !refused)
        QVERIFY2(m_hostile.hugeBytesSent() < HostileServer::HugeBytes / 2, qPrintable(QString::number(m_hostile.hugeBytesSent())));
}

// A page with more rows than a list holds: the rows it can, and the status
// says the list was cut instead of only that the search is done.
void TestHostileNetwork::cutListIsTold()
{
    m_hostile.setCase(HostileServer::Case::ManyRows);
    m_hostile.setStartMarker("magnet:?");
    m_h->child<QLineEdit>(u"Text2"_s)->setText(u"电影"_s);
    auto *start = m_h->child<QPushButton>(u"Command2_0"_s);
    ResultList *list = m_h->child<ResultList>(u"ListView2"_s);
    start->click();
    const QString told = u"搜索完毕\\.\\.（页面有 (\\d+) 条，列表只列出前 32767 条）"_s;
    QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled() && fullMatch(told, m_h->status()), 60000);
    QCOMPARE(list->rowCount(), int(SearchLimits::MaxListRows));
    const QRegularExpressionMatch found = QRegularExpression(told).match(m_h->status());
    QVERIFY(found.captured(1).toInt() > HostileServer::ManyRowsCount);
}

// A site that sends its pages on to another host: the page is read, and
// 站点状态 names the host it came from.
void TestHostileNetwork::redirectElsewhereIsShown()
{
    m_hostile.setCase(HostileServer::Case::RedirectOffHost);
    m_h->child<QLineEdit>(u"Text2"_s)->setText(u"电影"_s);
    auto *start = m_h->child<QPushButton>(u"Command2_0"_s);
    start->click();
    QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled() && m_h->status() == u"搜索完毕.."_s, 20000);
    QVERIFY(m_h->child<ResultList>(u"ListView2"_s)->rowCount() > 0);
    m_h->child<QPushButton>(u"siteStatusButton"_s)->click();
    auto *dialog = m_h->window().findChild<SiteStatusWindow *>();
    QVERIFY(dialog);
    auto *table = dialog->findChild<QTableWidget *>(u"siteStatusTable"_s);
    const int row = dialog->rowOf(u"torrent_search"_s);
    QVERIFY(row >= 0);
    const QUrl demo(m_h->demo.root());
    QCOMPARE(table->item(row, SiteStatusWindow::OutcomeColumn)->text(),
             u"正常，%1 条（重定向到 127.0.0.1:%2）"_s.arg(m_h->child<ResultList>(u"ListView2"_s)->rowCount())
                 .arg(demo.port()));
    dialog->close();
}

// 聚合搜索 with one site trickling, the others on the demo sites: it ends,
// with the other sources' rows.
void TestHostileNetwork::allSearchEndsBesideATrickle()
{
    SiteConfig &sites = m_h->services.sites;
    const SiteConfig demo = m_h->demo.siteConfig();
    QList<std::pair<QString, QString>> hostileSites;
    for (const Reader &reader : readers()) {
        for (const QString &key : reader.siteKeys) {
            if (key == u"torrent_search"_s || sites.site(key) == demo.site(key))
                continue;
            hostileSites.append({key, sites.site(key)});
            sites.setSite(key, demo.site(key));
        }
    }
    const auto restore = qScopeGuard([&] {
        for (const auto &[key, base] : std::as_const(hostileSites))
            sites.setSite(key, base);
    });
    m_hostile.setCase(HostileServer::Case::SlowLoris);
    m_hostile.resetCounters();
    auto *page = m_h->window().findChild<AllSearchPage *>();
    QVERIFY(page);
    QSignalSpy finished(page, &AllSearchPage::searchFinished);
    m_h->child<QLineEdit>(u"AllSearchKeyword"_s)->setText(u"电影"_s);
    m_h->child<QPushButton>(u"AllSearchStart"_s)->click();
    // Far shorter than the trickle would last.
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 60000);
    QVERIFY(m_hostile.requestCount() > 0);
    QVERIFY2(fullMatch(u"全部来源搜索完毕，共 [1-9]\\d* 条结果\\.\\."_s, m_h->status()), qPrintable(m_h->status()));
}

QTEST_MAIN(TestHostileNetwork)
#include "tst_hostilenetwork.moc"
