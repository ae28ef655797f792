// The netdisk search through the real window (offscreen) and the real
// fetcher, against a loopback demo server whose 24 netdisk pages each answer
// 200 ms late: one run fetching one page after another (parallel = 1) beside
// the concurrent fetch (the default 6, and 24). Wall time per search, from
// the click to the last row listed. The same for the resource release
// channel's detail pages.
#include "support/testharness.h"

#include "ui/resultlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Sites = 24;
constexpr int HitsPerSite = 10;
constexpr int LatencyMs = 200;

DemoResponse slowSearchPage(const DemoRequest &request)
{
    if (request.path != u"/s"_s)
        return DemoResponse::notFound();
    QString page = u"{\"feed\":{\"entry\":["_s;
    for (int k = 0; k < HitsPerSite; ++k) {
        if (k > 0)
            page += u","_s;
        page += u"{\"title\":\"基准 合集"_s + QString::number(k) + u"_百度云网盘\",\"url\":\""_s + request.siteBase
                + u"/link?url="_s + QString::number(k) + u"\"}"_s;
    }
    page += u"]}}"_s;
    DemoResponse response = DemoResponse::text(page.toUtf8(), "application/json; charset=utf-8");
    response.delayMs = LatencyMs;
    return response;
}

void BM_NetdiskSearch24Sites(benchmark::State &state)
{
    TestHarness h;
    NetworkSettings network = h.services.sites.network();
    network.parallel = int(state.range(0));
    h.services.sites.setNetwork(network);
    h.demo.addSite(u"netdisk_search"_s, slowSearchPage);
    h.window();
    auto *list = h.child<ResultList>(u"ListView1"_s);
    auto *start = h.child<QPushButton>(u"Command1"_s);
    for (int i = 0; i < Sites; ++i)
        h.child<QCheckBox>(u"Check2_"_s + QString::number(i))->setChecked(true);
    h.child<QLineEdit>(u"Text1"_s)->setText(u"基准"_s);

    double total = 0;
    for (auto _ : state) {
        h.demo.clearRequests();
        QElapsedTimer clock;
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
    }
    // The search's time in units of one site's latency.
    state.counters["x_latency"] = benchmark::Counter(total * 1000.0 / LatencyMs / double(state.iterations()));
    state.counters["parallel"] = double(state.range(0));
}
BENCHMARK(BM_NetdiskSearch24Sites)->Arg(1)->Arg(6)->Arg(24)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

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
