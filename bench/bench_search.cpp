// The netdisk search through the real window (offscreen) and the real
// fetcher, against a loopback demo server whose 24 netdisk pages each answer
// 200 ms late: one run fetching one page after another (parallel = 1) beside
// the concurrent fetch (the default 6, and 24). Wall time per search, from
// the click to the last row listed. The same search engine once more over
// TLS with HTTP/2 (when built with libnghttp2), and the resource release
// channel's detail pages.
#include "support/testharness.h"

#include "core/pagefetcher.h"
#include "ui/resultlist.h"

#ifdef JYX_BENCH_HTTP2
#include "h2demoserver.h"
#endif

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTest>

#include <functional>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Sites = 24;
constexpr int HitsPerSite = 10;
constexpr int LatencyMs = 200;

// The search benchmark's keyword: the demo site gives every box 10 hits and
// answers each page 200 ms late.
const QString Keyword = u"基准"_s;

// Clicks 搜索 once per iteration and times it to the 240th row and the
// button back. Also seen through the fetcher's manager: fetched_ms, the
// mean time from the click to the search engine's last reply (the rest is
// the reader's 100 ms parse tick and the listing); h2_replies, the share of
// those replies the manager marks as carried by HTTP/2.
void timeSearches(benchmark::State &state, TestHarness &h)
{
    auto *list = h.child<ResultList>(u"ListView1"_s);
    auto *start = h.child<QPushButton>(u"Command1"_s);
    for (int i = 0; i < Sites; ++i)
        h.child<QCheckBox>(u"Check2_"_s + QString::number(i))->setChecked(true);
    h.child<QLineEdit>(u"Text1"_s)->setText(Keyword);

    QElapsedTimer clock;
    qint64 lastReplyNs = 0;
    int replies = 0;
    int h2Replies = 0;
    QObject scope; // ends the connection below with this function
    QObject::connect(h.services.fetcher->manager(), &QNetworkAccessManager::finished, &scope,
                     [&](QNetworkReply *reply) {
                         if (!reply->url().path().startsWith(u"/netdisk_search/"_s))
                             return;
                         lastReplyNs = clock.nsecsElapsed();
                         ++replies;
                         if (reply->attribute(QNetworkRequest::Http2WasUsedAttribute).toBool())
                             ++h2Replies;
                     });

    double total = 0;
    double fetched = 0;
    for (auto _ : state) {
        h.demo.clearRequests();
        clock.start();
        start->click();
        const bool done = QTest::qWaitFor(
            [&] { return list->rowCount() == Sites * HitsPerSite && start->isEnabled(); }, 60000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!done || h.demo.requestsFor(u"netdisk_search"_s).size() != Sites) {
            state.SkipWithError("the search did not list every site's rows");
            break;
        }
        state.SetIterationTime(seconds);
        total += seconds;
        fetched += lastReplyNs / 1e6;
    }
    const double iterations = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    // The search's time in units of one site's latency.
    state.counters["x_latency"] = total * 1000.0 / LatencyMs / iterations;
    state.counters["fetched_ms"] = fetched / iterations;
    state.counters["h2_replies"] = replies > 0 ? double(h2Replies) / replies : 0.0;
    state.counters["parallel"] = double(state.range(0));
}

void setParallel(TestHarness &h, int parallel)
{
    NetworkSettings network = h.services.sites.network();
    network.parallel = parallel;
    h.services.sites.setNetwork(network);
}

// HTTP/1.1 on loopback: at most 6 connections to the one host.
void BM_NetdiskSearch24Sites(benchmark::State &state)
{
    TestHarness h;
    setParallel(h, int(state.range(0)));
    h.window();
    timeSearches(state, h);
}
BENCHMARK(BM_NetdiskSearch24Sites)->Arg(1)->Arg(6)->Arg(24)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

#ifdef JYX_BENCH_HTTP2
// The same search engine over TLS with HTTP/2, as real ones answer: the
// fetcher's manager agrees on h2 by ALPN on its own and multiplexes the
// requests on one connection. Counters besides the above: connections and
// h2_connections, what the server accepted; most_open, the most requests the
// server held waiting at once; tls_errors, certificate complaints.
void BM_NetdiskSearch24SitesHttp2(benchmark::State &state)
{
    TestHarness h;
    H2DemoServer h2(h.demo);
    if (!h2.start()) {
        state.SkipWithError(qPrintable(u"the HTTP/2 server did not start: "_s + h2.error()));
        return;
    }
    // Only this process trusts the certificate: the program's ordinary
    // fetch path verifies it like any other.
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificate(h2.certificate());
    QSslConfiguration::setDefaultConfiguration(tls);
    h.services.sites.setSite(u"netdisk_search"_s, h2.root() + u"/netdisk_search"_s);
    setParallel(h, int(state.range(0)));
    h.window();

    int tlsErrors = 0;
    QObject scope;
    QObject::connect(h.services.fetcher->manager(), &QNetworkAccessManager::sslErrors, &scope,
                     [&](QNetworkReply *, const QList<QSslError> &errors) { tlsErrors += int(errors.size()); });

    timeSearches(state, h);
    state.counters["connections"] = h2.connections();
    state.counters["h2_connections"] = h2.h2Connections();
    state.counters["most_open"] = h2.mostStreamsOpen();
    state.counters["tls_errors"] = tlsErrors;
}
BENCHMARK(BM_NetdiskSearch24SitesHttp2)->Arg(1)->Arg(6)->Arg(24)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

// The resource release channel: 5 rows, each with a detail page the demo
// site answers 400 ms late (keyword "慢速").
void BM_ReleaseDetails5Rows(benchmark::State &state)
{
    TestHarness h;
    NetworkSettings network = h.services.sites.network();
    network.parallel = int(state.range(0));
    h.services.sites.setNetwork(network);
    h.window();
    auto *list = h.child<ResultList>(u"ListView19"_s);
    auto *start = h.child<QPushButton>(u"Command6"_s);
    h.child<QComboBox>(u"Combo1"_s)->setCurrentIndex(1);
    h.child<QLineEdit>(u"Text21"_s)->setText(u"慢速"_s);

    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        start->click();
        const bool done = QTest::qWaitFor(
            [&] { return list->rowCount() == 5 && h.status() == u"资源搜索完毕.."_s; }, 60000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!done) {
            state.SkipWithError("the search did not list its five rows");
            break;
        }
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["x_latency"] = benchmark::Counter(total * 1000.0 / 400 / double(state.iterations()));
    state.counters["parallel"] = double(state.range(0));
}
BENCHMARK(BM_ReleaseDetails5Rows)->Arg(1)->Arg(6)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
