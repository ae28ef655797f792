#include "core/bodydecoder.h"
#include "core/fetchscope.h"
#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "core/sitestatusboard.h"
#include "core/sourcefetch.h"
#include "core/texttools.h"
#include "demo/demoserver.h"
#include "support/hostileserver.h"

#include <QCoroTask>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Runs a fetch coroutine to its end (tests may wait; the program never does).
template<typename T>
T await(QCoro::Task<T> task)
{
    return QCoro::waitFor(std::move(task));
}

enum class Form { GetBody, Plain, Transfer, Bytes };

QCoro::Task<QByteArray> fetchAs(PageFetcher &fetcher, Form form, const QString &address)
{
    switch (form) {
    case Form::GetBody:
        co_return (co_await fetcher.GetBody(address)).toUtf8();
    case Form::Plain:
        co_return (co_await fetcher.plainBody(address)).toUtf8();
    case Form::Transfer:
        co_return (co_await fetcher.transferBody(address)).toUtf8();
    case Form::Bytes:
        co_return co_await fetcher.bytes(address);
    }
    co_return {};
}

struct Resumed
{
    int times = 0;
    QList<QByteArray> bodies;
};

// A caller the way a reader is one: started and left to run. `frame` lives
// in its coroutine frame, so the test sees when the frame is freed. After a
// failure it asks again when `again` says so (a loop over pages would).
QCoro::Task<> awaitingCaller(PageFetcher *fetcher, Form form, QString address, bool again,
                             std::shared_ptr<Resumed> resumed, std::shared_ptr<int> frame)
{
    Q_UNUSED(frame);
    resumed->bodies.append(co_await fetchAs(*fetcher, form, address));
    ++resumed->times;
    if (!again)
        co_return;
    resumed->bodies.append(co_await fetchAs(*fetcher, form, address));
    ++resumed->times;
}

// One fetch asked for and left to run, as a reader asks; through a
// SourceFetch when one is given.
struct Asked
{
    bool done = false;
    FetchOutcome outcome;
    QString body;
    std::weak_ptr<int> frame; // expires when the asking coroutine's frame is freed
};

QCoro::Task<> askInto(PageFetcher *fetcher, QString address, FetchScope *scope, SourceFetch *through,
                      std::shared_ptr<Asked> asked)
{
    auto frame = std::make_shared<int>(0);
    asked->frame = frame;
    // Each co_await a statement of its own: GCC 12 mishandles one inside ?:.
    if (through) {
        asked->body = co_await through->get(address);
        asked->outcome = through->outcomes().last();
    } else {
        const PageFetcher::Page page = co_await fetcher->page(address, PageFetcher::Form::GetBody, {}, scope);
        asked->body = page.body;
        asked->outcome = page.outcome;
    }
    asked->done = true;
}

std::shared_ptr<Asked> ask(PageFetcher &fetcher, const QString &address, FetchScope *scope = nullptr,
                           SourceFetch *through = nullptr)
{
    auto asked = std::make_shared<Asked>();
    askInto(&fetcher, address, scope, through, asked);
    return asked;
}

int doneCount(const QList<std::shared_ptr<Asked>> &asked)
{
    return int(std::count_if(asked.cbegin(), asked.cend(), [](const auto &a) { return a->done; }));
}

// A held site takes every request and answers none within a test.
constexpr int HeldMs = 3600 * 1000;

struct SiteLoad
{
    int arrived = 0;
    int ended = 0;
    int mostOpen = 0;
};

DemoHandler countingSite(SiteLoad &load, int delayMs)
{
    return [&load, delayMs](const DemoRequest &) {
        load.mostOpen = qMax(load.mostOpen, ++load.arrived - load.ended);
        DemoResponse response = DemoResponse::html(u"page"_s);
        response.delayMs = delayMs;
        return response;
    };
}

} // namespace

class TestPageFetcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void decodesByDeclaredCharset_data();
    void decodesByDeclaredCharset();
    void errorStatusReturnsItsPage();
    void cacheHeaderOnlyOnGetBody();
    void followsRedirectsUpToTen();
    void failuresGiveEmptyBody_data();
    void failuresGiveEmptyBody();
    void timeOutGivesEmptyBody();
    void brokenAnswersGiveEmptyBody_data();
    void brokenAnswersGiveEmptyBody();
    void outcomes_data();
    void outcomes();
    void transferFormDecodesGbk();
    void teardownResumesPendingFetches_data();
    void teardownResumesPendingFetches();
    void metaSniffing_data();
    void metaSniffing();
    void sitesRunSideBySide_data();
    void sitesRunSideBySide();
    void abortEndsOnlyItsScope_data();
    void abortEndsOnlyItsScope();

private:
    QString url(const QString &path) const;

    QHttpServer m_server;
    quint16 m_port = 0;
    QByteArray m_lastIfModifiedSince;
    bool m_sawIfModifiedSince = false;
};

void TestPageFetcher::initTestCase()
{
    m_server.setMissingHandler([this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        const QString path = request.url().path();
        m_sawIfModifiedSince = false;
        for (const auto &header : request.headers()) {
            if (header.first.compare("If-Modified-Since", Qt::CaseInsensitive) == 0) {
                m_sawIfModifiedSince = true;
                m_lastIfModifiedSince = header.second;
            }
        }
        auto send = [&responder](int status, const QByteArray &type, const QByteArray &body,
                                 const QByteArray &location = {}) {
            responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(status));
            if (!type.isEmpty())
                responder.writeHeader("Content-Type", type);
            if (!location.isEmpty())
                responder.writeHeader("Location", location);
            responder.writeHeader("Content-Length", QByteArray::number(body.size()));
            responder.writeBody(body);
        };
        const QByteArray chinese = u"中文页面"_s.toUtf8();
        if (path == u"/utf8"_s)
            send(200, "text/html; charset=utf-8", chinese);
        else if (path == u"/gbk-header"_s)
            send(200, "text/html; charset=GBK", toGbk(u"中文页面"_s));
        else if (path == u"/gb2312-meta"_s)
            send(200, "text/html",
                 toGbk(u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                       "</head>中文页面</html>"_s));
        else if (path == u"/no-charset"_s)
            send(200, "text/html", chinese);
        else if (path == u"/missing"_s)
            send(404, "text/html", "<h1>not here</h1>");
        else if (path == u"/broken"_s)
            send(500, "text/plain", "server error page");
        else if (path.startsWith(u"/hop/"_s)) {
            const int left = path.mid(5).toInt();
            if (left == 0)
                send(200, "text/plain", "arrived");
            else
                send(302, "text/plain", "", u"/hop/%1"_s.arg(left - 1).toUtf8());
        } else if (path == u"/huge"_s)
            send(200, "application/octet-stream", QByteArray(PageFetcher::MaxBodyBytes + 1024, 'x'));
        else if (path == u"/gbk-plain"_s)
            send(200, "text/plain", toGbk(u"V2.0 公告"_s));
        else
            send(404, "text/plain", "");
    });
    m_port = m_server.listen(QHostAddress::LocalHost, 0);
    QVERIFY(m_port != 0);
}

QString TestPageFetcher::url(const QString &path) const
{
    return u"http://127.0.0.1:%1%2"_s.arg(m_port).arg(path);
}

void TestPageFetcher::decodesByDeclaredCharset_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("utf-8 header") << u"/utf8"_s;
    QTest::newRow("gbk header") << u"/gbk-header"_s;
    QTest::newRow("no declaration means utf-8") << u"/no-charset"_s;
}

void TestPageFetcher::decodesByDeclaredCharset()
{
    QFETCH(QString, path);
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.GetBody(url(path))), u"中文页面"_s);
}

void TestPageFetcher::errorStatusReturnsItsPage()
{
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.GetBody(url(u"/missing"_s))), u"<h1>not here</h1>"_s);
    QCOMPARE(await(fetcher.plainBody(url(u"/broken"_s))), u"server error page"_s);
}

void TestPageFetcher::cacheHeaderOnlyOnGetBody()
{
    PageFetcher fetcher({});
    await(fetcher.GetBody(url(u"/utf8"_s)));
    QVERIFY(m_sawIfModifiedSince);
    QCOMPARE(m_lastIfModifiedSince, QByteArray("0"));
    await(fetcher.plainBody(url(u"/utf8"_s)));
    QVERIFY(!m_sawIfModifiedSince);
}

void TestPageFetcher::followsRedirectsUpToTen()
{
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.GetBody(url(u"/hop/10"_s))), u"arrived"_s);
    QCOMPARE(await(fetcher.GetBody(url(u"/hop/11"_s))), QString());
}

void TestPageFetcher::failuresGiveEmptyBody_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty base address") << u"/s?wd=x"_s;
    QTest::newRow("not an address") << u"::::"_s;
    QTest::newRow("file scheme") << u"file:///etc/passwd"_s;
    QTest::newRow("closed port") << u"http://127.0.0.1:1/"_s;
    QTest::newRow("body over the cap") << QString(); // filled in below
}

void TestPageFetcher::failuresGiveEmptyBody()
{
    QFETCH(QString, address);
    if (address.isEmpty())
        address = url(u"/huge"_s);
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.GetBody(address)), QString());
    QCOMPARE(await(fetcher.bytes(address)), QByteArray());
}

void TestPageFetcher::timeOutGivesEmptyBody()
{
    // A server that accepts and never answers.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    NetworkSettings settings;
    settings.timeoutMs = 300;
    PageFetcher fetcher(settings);
    QCOMPARE(await(fetcher.GetBody(u"http://127.0.0.1:%1/"_s.arg(silent.serverPort()))), QString());
}

void TestPageFetcher::brokenAnswersGiveEmptyBody_data()
{
    QTest::addColumn<int>("answer");
    // The whole page, minus its last third: never a page that looks complete.
    QTest::newRow("cut off mid-way") << int(HostileServer::Case::Truncated);
    // 100 MB with no length up front: stopped at the cap while arriving.
    QTest::newRow("100 MB chunked") << int(HostileServer::Case::Huge);
    QTest::newRow("redirect loop") << int(HostileServer::Case::RedirectLoop);
}

void TestPageFetcher::brokenAnswersGiveEmptyBody()
{
    QFETCH(int, answer);
    HostileServer hostile;
    QVERIFY(hostile.start());
    hostile.setDemoRoot(u"http://127.0.0.1:%1"_s.arg(m_port));
    hostile.setCase(HostileServer::Case(answer));
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.bytes(hostile.root() + u"/utf8"_s)), QByteArray());
    QCOMPARE(await(fetcher.GetBody(hostile.root() + u"/utf8"_s)), QString());
    QVERIFY2(hostile.hugeBytesSent() < HostileServer::HugeBytes / 2, qPrintable(QString::number(hostile.hugeBytesSent())));
}

void TestPageFetcher::outcomes_data()
{
    QTest::addColumn<QString>("address"); // "hostile:N" for a HostileServer case
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("hasBody");
    QTest::addColumn<int>("deadlineMs"); // 0: the default, four time-outs
    QTest::addColumn<bool>("otherHost"); // redirected to another host and port
    QTest::newRow("ok") << u"/utf8"_s << 30000 << u"ok"_s << u"正常"_s << true << 0 << false;
    QTest::newRow("404 keeps its page") << u"/missing"_s << 30000 << u"http-404"_s << u"HTTP 404"_s << true << 0 << false;
    QTest::newRow("500 keeps its page") << u"/broken"_s << 30000 << u"http-500"_s << u"HTTP 500"_s << true << 0 << false;
    QTest::newRow("refused") << u"http://127.0.0.1:1/x"_s << 30000 << u"refused"_s << u"连接被拒绝"_s << false << 0 << false;
    QTest::newRow("not configured") << QString() << 30000 << u"not-configured"_s << u"未配置地址"_s << false << 0 << false;
    QTest::newRow("not http") << u"file:///etc/passwd"_s << 30000 << u"invalid-address"_s << u"地址无效"_s << false << 0 << false;
    QTest::newRow("time-out") << u"hostile:%1"_s.arg(int(HostileServer::Case::Hang)) << 500 << u"timeout"_s
                              << u"连接超时 (0.5 s)"_s << false << 0 << false;
    QTest::newRow("cut off") << u"hostile:%1"_s.arg(int(HostileServer::Case::Truncated)) << 30000 << u"cut-off"_s
                             << u"页面不完整"_s << false << 0 << false;
    QTest::newRow("too large") << u"hostile:%1"_s.arg(int(HostileServer::Case::Huge)) << 30000 << u"too-large"_s
                               << u"页面过大"_s << false << 0 << false;
    QTest::newRow("redirect loop") << u"hostile:%1"_s.arg(int(HostileServer::Case::RedirectLoop)) << 30000
                                   << u"redirect-loop"_s << u"重定向过多"_s << false << 0 << false;
    // What an unconfigured base gives a built-in's address: a bare path.
    QTest::newRow("empty base") << u"bare:/s?wd=x"_s << 30000 << u"not-configured"_s << u"未配置地址"_s << false << 0 << false;
    // A byte a second never trips the transfer time-out; the deadline ends it.
    QTest::newRow("trickle") << u"hostile:%1"_s.arg(int(HostileServer::Case::SlowLoris)) << 30000 << u"timeout"_s
                             << u"连接超时"_s << false << 1500 << false;
    QTest::newRow("redirect to file") << u"hostile:%1"_s.arg(int(HostileServer::Case::RedirectToFile)) << 30000
                                      << u"redirect-refused"_s << u"重定向被拒绝"_s << false << 0 << false;
    QTest::newRow("redirect to another host") << u"hostile:%1"_s.arg(int(HostileServer::Case::RedirectOffHost))
                                              << 30000 << u"ok"_s << u"正常"_s << true << 0 << true;
}

// Every way a fetch ends is told apart, once, through `fetched` and page().
void TestPageFetcher::outcomes()
{
    QFETCH(QString, address);
    QFETCH(int, timeoutMs);
    QFETCH(QString, code);
    QFETCH(QString, shown);
    QFETCH(bool, hasBody);
    QFETCH(int, deadlineMs);
    QFETCH(bool, otherHost);
    HostileServer hostile;
    if (address.startsWith(u"hostile:"_s)) {
        QVERIFY(hostile.start());
        hostile.setDemoRoot(u"http://127.0.0.1:%1"_s.arg(m_port));
        hostile.setCase(HostileServer::Case(address.mid(8).toInt()));
        address = hostile.root() + u"/utf8"_s;
    } else if (address.startsWith(u'/')) {
        address = url(address);
    } else if (address.startsWith(u"bare:"_s)) {
        address = address.mid(5);
    }
    NetworkSettings settings;
    settings.timeoutMs = timeoutMs;
    settings.deadlineMs = deadlineMs;
    PageFetcher fetcher(settings);
    QSignalSpy fetched(&fetcher, &PageFetcher::fetched);
    const PageFetcher::Page page = await(fetcher.page(address));
    QCOMPARE(page.outcome.code(), code);
    // The time-out's figure is the time taken, which a loaded machine stretches.
    if (code == u"timeout"_s)
        QVERIFY(page.outcome.describe().startsWith(u"连接超时 ("_s));
    else
        QCOMPARE(page.outcome.describe(), shown);
    QCOMPARE(page.outcome.failed(), code != u"ok"_s);
    QCOMPARE(!page.body.isEmpty(), hasBody);
    QCOMPARE(page.outcome.address, address);
    QCOMPARE(page.outcome.redirectedTo.startsWith(url(u"/"_s)), otherHost);
    QCOMPARE(fetched.size(), 1);
    QCOMPARE(fetched.first().first().value<FetchOutcome>().code(), code);
}

void TestPageFetcher::transferFormDecodesGbk()
{
    PageFetcher fetcher({});
    QCOMPARE(await(fetcher.transferBody(url(u"/gbk-plain"_s))), u"V2.0 公告"_s);
    QCOMPARE(await(fetcher.GetBody(url(u"/gb2312-meta"_s))).contains(u"中文页面"_s), true);
}

void TestPageFetcher::teardownResumesPendingFetches_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("requestSent");
    QTest::addColumn<int>("callers");
    QTest::addColumn<bool>("again");
    QTest::newRow("GetBody, request sent") << int(Form::GetBody) << true << 1 << false;
    QTest::newRow("plainBody, request sent") << int(Form::Plain) << true << 1 << false;
    QTest::newRow("transferBody, request sent") << int(Form::Transfer) << true << 1 << false;
    QTest::newRow("bytes, request sent") << int(Form::Bytes) << true << 1 << false;
    QTest::newRow("GetBody, not yet sent") << int(Form::GetBody) << false << 1 << false;
    QTest::newRow("three callers waiting") << int(Form::GetBody) << true << 3 << false;
    // A caller that asks again from inside the teardown gets a failure at
    // once rather than a new reply the dying manager would never end.
    QTest::newRow("asks again while ending") << int(Form::GetBody) << true << 1 << true;
}

void TestPageFetcher::teardownResumesPendingFetches()
{
    QFETCH(int, form);
    QFETCH(bool, requestSent);
    QFETCH(int, callers);
    QFETCH(bool, again);
    // Accepts and never answers; the time-out is far beyond the test.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    QSignalSpy accepted(&silent, &QTcpServer::newConnection);
    const QString address = u"http://127.0.0.1:%1/"_s.arg(silent.serverPort());
    NetworkSettings settings;
    settings.timeoutMs = 3600 * 1000;
    auto *fetcher = new PageFetcher(settings);

    QList<std::shared_ptr<Resumed>> resumed;
    QList<std::weak_ptr<int>> frames;
    for (int i = 0; i < callers; ++i) {
        resumed.append(std::make_shared<Resumed>());
        auto frame = std::make_shared<int>(i);
        frames.append(frame);
        awaitingCaller(fetcher, Form(form), address, again, resumed.last(), frame);
    }
    if (requestSent) {
        while (accepted.size() < callers)
            QVERIFY(accepted.wait());
    }
    for (int i = 0; i < callers; ++i)
        QCOMPARE(resumed.at(i)->times, 0);

    delete fetcher;

    for (int i = 0; i < callers; ++i) {
        QCOMPARE(resumed.at(i)->times, again ? 2 : 1);
        for (const QByteArray &body : std::as_const(resumed.at(i)->bodies))
            QCOMPARE(body, QByteArray());
        QVERIFY2(frames.at(i).expired(), "the caller's coroutine frame was not freed");
    }
}

void TestPageFetcher::metaSniffing_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("html5") << QByteArray("<meta charset=\"gbk\">") << QByteArray("gbk");
    QTest::newRow("http-equiv") << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=GB2312\">")
                                << QByteArray("gb2312");
    QTest::newRow("single quotes") << QByteArray("<meta charset='utf-8'/>") << QByteArray("utf-8");
    QTest::newRow("none") << QByteArray("<meta name=\"x\" content=\"y\">") << QByteArray();
}

void TestPageFetcher::metaSniffing()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, charset);
    QCOMPARE(charsetFromMeta(head), charset);
}

void TestPageFetcher::sitesRunSideBySide_data()
{
    QTest::addColumn<int>("parallel");
    QTest::addColumn<bool>("samePort"); // told apart by siteOf, or by port
    QTest::newRow("one at a time, by site key") << 1 << true;
    QTest::newRow("two, by site key") << 2 << true;
    QTest::newRow("three, by site key") << 3 << true;
    QTest::newRow("two, by port") << 2 << false;
}

// A site that never answers holds `parallel` requests and no more, while
// another site's fetches all run; destroying the fetcher then ends the
// held ones, and those still waiting are never sent.
void TestPageFetcher::sitesRunSideBySide()
{
    QFETCH(int, parallel);
    QFETCH(bool, samePort);
    DemoServer heldServer;
    DemoServer otherServer;
    DemoServer &promptServer = samePort ? heldServer : otherServer;
    QVERIFY(heldServer.start() && promptServer.start());
    SiteLoad held, prompt;
    heldServer.addSite(u"held"_s, countingSite(held, HeldMs));
    promptServer.addSite(u"prompt"_s, countingSite(prompt, 20));
    SiteConfig sites;
    sites.setSite(u"held"_s, heldServer.siteBase(u"held"_s));
    sites.setSite(u"prompt"_s, promptServer.siteBase(u"prompt"_s));
    NetworkSettings settings;
    settings.parallel = parallel;
    settings.timeoutMs = HeldMs;
    auto fetcher = std::make_unique<PageFetcher>(settings);
    if (samePort)
        fetcher->setSiteOf([&sites](const QUrl &url) { return sites.siteKeyFor(url.toString()); });
    connect(fetcher.get(), &PageFetcher::fetched, this, [&](const FetchOutcome &outcome) {
        if (sites.siteKeyFor(outcome.address) == u"prompt"_s)
            ++prompt.ended;
    });

    QList<std::shared_ptr<Asked>> heldAsked, promptAsked;
    for (int i = 0; i < 3 * parallel; ++i) {
        heldAsked.append(ask(*fetcher, sites.site(u"held"_s) + u"/%1"_s.arg(i)));
        promptAsked.append(ask(*fetcher, sites.site(u"prompt"_s) + u"/%1"_s.arg(i)));
    }
    QTRY_COMPARE_WITH_TIMEOUT(doneCount(promptAsked), 3 * parallel, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(held.arrived, parallel, 20000);
    QVERIFY2(prompt.mostOpen <= parallel, qPrintable(QString::number(prompt.mostOpen)));
    for (const auto &asked : std::as_const(promptAsked))
        QCOMPARE(asked->body, u"page"_s);
    QCOMPARE(doneCount(heldAsked), 0);

    fetcher.reset();
    QCOMPARE(held.arrived, parallel);
    for (const auto &asked : std::as_const(heldAsked)) {
        QVERIFY(asked->done);
        QCOMPARE(asked->body, QString());
        QVERIFY(asked->outcome.failed());
        QVERIFY2(asked->frame.expired(), "the asking coroutine's frame was not freed");
    }
}

void TestPageFetcher::abortEndsOnlyItsScope_data()
{
    QTest::addColumn<bool>("abortedFirst"); // before its fetches are asked for
    QTest::addColumn<bool>("byDestroying");
    QTest::newRow("abort(), running and waiting") << false << false;
    QTest::newRow("scope destroyed, running and waiting") << false << true;
    QTest::newRow("aborted before asking: nothing sent") << true << false;
}

// Two of one scope's four fetches run and two wait; another scope's fetch
// of the same site waits behind them. Aborting ends the four as cancelled
// (half of them asked through a SourceFetch), leaves the site's status
// untouched and lets the other scope's fetch go out.
void TestPageFetcher::abortEndsOnlyItsScope()
{
    QFETCH(bool, abortedFirst);
    QFETCH(bool, byDestroying);
    DemoServer demo;
    QVERIFY(demo.start());
    SiteLoad held;
    demo.addSite(u"held"_s, countingSite(held, HeldMs));
    SiteConfig sites;
    sites.setSite(u"held"_s, demo.siteBase(u"held"_s));
    NetworkSettings settings;
    settings.parallel = 2;
    settings.timeoutMs = HeldMs;
    auto fetcher = std::make_unique<PageFetcher>(settings);
    SiteStatusBoard board(sites, *fetcher);
    auto *mine = new FetchScope(this);
    FetchScope theirs;
    SourceFetch through(*fetcher, sites, mine);
    if (abortedFirst)
        mine->abort();

    QList<std::shared_ptr<Asked>> mineAsked;
    for (int i = 0; i < 4; ++i)
        mineAsked.append(ask(*fetcher, sites.site(u"held"_s) + u"/%1"_s.arg(i), mine, i % 2 ? &through : nullptr));
    const std::shared_ptr<Asked> theirsAsked = ask(*fetcher, sites.site(u"held"_s) + u"/theirs"_s, &theirs);
    if (!abortedFirst) {
        QTRY_COMPARE_WITH_TIMEOUT(held.arrived, 2, 20000);
        QCOMPARE(doneCount(mineAsked), 0);
        if (byDestroying)
            delete mine;
        else
            mine->abort();
    }
    QTRY_COMPARE_WITH_TIMEOUT(doneCount(mineAsked), 4, 20000);
    // The other scope's fetch takes a freed place; the aborted ones that
    // were waiting never went out.
    QTRY_COMPARE_WITH_TIMEOUT(held.arrived, abortedFirst ? 1 : 3, 20000);
    for (const auto &asked : std::as_const(mineAsked)) {
        QCOMPARE(asked->outcome.code(), u"cancelled"_s);
        QCOMPARE(asked->outcome.describe(), u"已取消"_s);
        QVERIFY(asked->outcome.cancelled() && !asked->outcome.failed());
        QCOMPARE(asked->body, QString());
    }
    QCOMPARE(through.outcomes().size(), 2);
    QVERIFY(!through.firstFailure());
    QVERIFY(!board.status(u"held"_s).known());
    QVERIFY(!theirsAsked->done);
    fetcher.reset();
    QVERIFY(theirsAsked->done && theirsAsked->outcome.failed());
    if (!byDestroying)
        delete mine;
}

QTEST_GUILESS_MAIN(TestPageFetcher)
#include "tst_pagefetcher.moc"
