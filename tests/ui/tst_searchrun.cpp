#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/services.h"
#include "demo/demoserver.h"
#include "ui/searchrun.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// The rules every reader gets from SearchRun: a newer search or a closed
// window ends an older fetch, and no search is left with its button off.
class TestSearchRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void stalledSearchEnds_data();
    void stalledSearchEnds();
    void newerSearchSupersedesOlderFetch();
    void runGoneWhileFetching();

private:
    QCoro::Task<> fetchInto(SearchRun *run, const QString &address, std::optional<QString> *result, bool *done);

    DemoServer m_demo;
    Services m_services;
    std::unique_ptr<PageFetcher> m_fetcher;
    std::unique_ptr<QWidget> m_window;
    QLabel *m_panel = nullptr;
    QPushButton *m_button = nullptr;
};

void TestSearchRun::initTestCase()
{
    m_demo.addSite(u"t"_s, [](const DemoRequest &request) {
        DemoResponse response = DemoResponse::html(u"page "_s + request.path);
        if (request.path.startsWith(u"/slow"_s))
            response.delayMs = 300;
        return response;
    });
    QVERIFY(m_demo.start());
}

void TestSearchRun::init()
{
    m_fetcher = std::make_unique<PageFetcher>(NetworkSettings());
    m_services.fetcher = m_fetcher.get();
    m_window = std::make_unique<QWidget>();
    m_panel = new QLabel(m_window.get());
    m_button = new QPushButton(m_window.get());
}

void TestSearchRun::cleanup()
{
    m_window.reset();
    m_fetcher.reset();
}

QCoro::Task<> TestSearchRun::fetchInto(SearchRun *run, const QString &address, std::optional<QString> *result,
                                       bool *done)
{
    *result = co_await run->fetch(address);
    *done = true;
}

void TestSearchRun::stalledSearchEnds_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("handler"); // 0 none, 1 arms the timer, 2 does nothing
    QTest::addColumn<QString>("status");

    // The reader got its page but armed nothing and never finished.
    QTest::newRow("page, default") << u"/a"_s << 0 << u"没有找到.."_s;
    // A failed fetch (nothing listens on that port).
    QTest::newRow("failed fetch, default") << u"!"_s << 0 << u"没有找到.."_s;
    // The handler hands the ending to the reader's timer, whose tick ends it.
    QTest::newRow("handler arms a timer") << u"/a"_s << 1 << u"计时结束.."_s;
    // A handler that forgets to end still cannot leave the button off.
    QTest::newRow("handler does nothing") << u"/a"_s << 2 << u"正在搜索.."_s;
}

void TestSearchRun::stalledSearchEnds()
{
    QFETCH(QString, path);
    QFETCH(int, handler);
    QFETCH(QString, status);

    SearchRun run(ReaderContext(&m_services, m_panel, m_window.get()), m_window.get());
    auto *timer = new ReaderTimer(u"T"_s, 10, &run);
    connect(timer, &QTimer::timeout, &run, [&] {
        timer->disarm();
        run.finish(u"计时结束.."_s);
    });
    run.setStartButtons({m_button});
    run.addTimers({timer});
    run.setNotFoundText(u"没有找到.."_s);
    if (handler == 1)
        run.setStallHandler([timer] { timer->arm(); });
    else if (handler == 2)
        run.setStallHandler([] {});

    run.begin(u"正在搜索.."_s);
    QVERIFY(!m_button->isEnabled());
    const QString address = path == u"!"_s ? u"http://127.0.0.1:1/x"_s : m_demo.siteBase(u"t"_s) + path;
    std::optional<QString> body;
    bool done = false;
    fetchInto(&run, address, &body, &done);
    QTRY_VERIFY(done);
    QVERIFY(body.has_value());
    QCOMPARE(body->isEmpty(), path == u"!"_s);
    QTRY_VERIFY(m_button->isEnabled());
    QTRY_VERIFY(!run.isRunning());
    QCOMPARE(m_panel->text(), status);
}

void TestSearchRun::newerSearchSupersedesOlderFetch()
{
    SearchRun run(ReaderContext(&m_services, m_panel, m_window.get()), m_window.get());
    run.setStartButtons({m_button});
    run.begin(u"一"_s);
    std::optional<QString> older, newer;
    bool olderDone = false, newerDone = false;
    fetchInto(&run, m_demo.siteBase(u"t"_s) + u"/slow"_s, &older, &olderDone);
    run.begin(u"二"_s);
    fetchInto(&run, m_demo.siteBase(u"t"_s) + u"/b"_s, &newer, &newerDone);
    QTRY_VERIFY(olderDone && newerDone);
    QVERIFY(!older.has_value());
    QCOMPARE(newer.value(), u"page /b"_s);
}

void TestSearchRun::runGoneWhileFetching()
{
    auto *run = new SearchRun(ReaderContext(&m_services, m_panel, m_window.get()), m_window.get());
    run->begin(u"一"_s);
    std::optional<QString> body = u"untouched"_s;
    bool done = false;
    fetchInto(run, m_demo.siteBase(u"t"_s) + u"/slow"_s, &body, &done);
    delete run;
    QTRY_VERIFY(done);
    QVERIFY(!body.has_value());
}

QTEST_MAIN(TestSearchRun)
#include "tst_searchrun.moc"
