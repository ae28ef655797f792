// The merged list of the search across every source: 10,010 rows from 13
// sources (770 each; every tenth row of a source shares its address with
// the same row of the other sources of its kind) landing in the model, the
// filter model and a shown QTreeView (offscreen); then sorting and
// filtering the landed rows.
#include "ui/allsearchfiltermodel.h"
#include "ui/allsearchmodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Sources = 13;
constexpr int RowsPerSource = 770;

const QString Hex = u"0123456789abcdef"_s;

// 40 hex digits for an id.
QString hashOf(int id)
{
    QString hash;
    quint64 x = quint64(id) * 0x9E3779B97F4A7C15ULL + 1;
    for (int i = 0; i < 40; ++i) {
        x ^= x >> 29;
        x *= 0xBF58476D1CE4E5B9ULL;
        hash += Hex.at(int(x >> 60));
    }
    return hash;
}

// Sources 0-4 list magnet links, 5-7 ed2k links, 8-12 web addresses.
QString addressOf(int source, int id)
{
    if (source < 5)
        return u"magnet:?xt=urn:btih:"_s + (source % 2 ? hashOf(id).toUpper() : hashOf(id)) + u"&dn=x"_s;
    if (source < 8)
        return u"ed2k://|file|f"_s + QString::number(id) + u".mkv|1000|"_s + hashOf(id).left(32) + u"|/"_s;
    return u"http://s"_s + QString::number(source) + u".example/v/"_s + QString::number(id);
}

QList<QList<AllSearchRow>> sourceLists()
{
    static const QStringList words = {u"流浪地球"_s, u"Alpha"_s, u"三体"_s,       u"Beta Movie"_s,
                                      u"功夫"_s,     u"黑客帝国"_s, u"the Matrix"_s, u"阿凡达"_s};
    QList<QList<AllSearchRow>> lists;
    for (int s = 0; s < Sources; ++s) {
        QList<AllSearchRow> rows;
        for (int i = 0; i < RowsPerSource; ++i) {
            const int g = s * RowsPerSource + i;
            const int id = i % 10 == 0 ? i : g;
            const QString name = words.at(g % words.size()) + u" 第"_s + QString::number(g % 97) + u"集 "_s
                                 + (g % 3 ? u"1080p"_s : u"720P"_s);
            const QString size = g % 11 == 0 ? u"未知"_s
                                             : QString::number((g * 37) % 5000 / 10.0, 'f', 1) + (g % 2 ? u" MB"_s : u" GB"_s);
            const QString date = u"20%1-%2-%3 12:%4"_s.arg(10 + g % 15)
                                     .arg(1 + g % 12, 2, 10, QChar(u'0'))
                                     .arg(1 + g % 28, 2, 10, QChar(u'0'))
                                     .arg(g % 60, 2, 10, QChar(u'0'));
            rows.append({u"source"_s + QString::number(s), u"来源"_s + QString::number(s), name, size, date,
                         addressOf(s, id)});
        }
        lists.append(rows);
    }
    return lists;
}

// The model, the filter model and a shown view over it, as the page has them.
struct ListWindow
{
    AllSearchModel model;
    AllSearchFilterModel shown;
    QTreeView view;

    ListWindow()
    {
        shown.setSourceModel(&model);
        view.setModel(&shown);
        view.setRootIsDecorated(false);
        view.setUniformRowHeights(true);
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qWarning("the list was not exposed");
    }

    // Runs the event loop until nothing is pending.
    void waitLanded()
    {
        if (model.pendingRows() == 0)
            return;
        QEventLoop loop;
        QObject::connect(&model, &AllSearchModel::rowsLanded, &loop, [&] {
            if (model.pendingRows() == 0)
                loop.quit();
        });
        loop.exec();
    }

    void land(const QList<QList<AllSearchRow>> &lists)
    {
        for (const QList<AllSearchRow> &rows : lists)
            model.addRows(rows);
        waitLanded();
        QCoreApplication::processEvents(); // the view's last layout and paint
    }
};

// All 13 lists handed over at once (the worst case: every source answered
// within one turn), chunk size from the argument; the second argument sorts
// the list by name while rows land. landed time per iteration; max_gap_ms,
// the longest interval between ticks of a 5 ms timer while rows landed.
void BM_LandRows(benchmark::State &state)
{
    const QList<QList<AllSearchRow>> lists = sourceLists();
    ListWindow w;
    w.model.setChunkRows(int(state.range(0)));
    if (state.range(1))
        w.shown.sort(AllSearchModel::Name);
    double maxGapMs = 0;
    for (auto _ : state) {
        w.model.clear();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            maxGapMs = std::max(maxGapMs, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        clock.start();
        sinceTick.start();
        ticker.start();
        w.land(lists);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        maxGapMs = std::max(maxGapMs, sinceTick.nsecsElapsed() / 1e6);
    }
    state.counters["max_gap_ms"] = maxGapMs;
    state.counters["rows"] = w.model.rowCount();
    state.counters["chunk"] = double(state.range(0));
}
BENCHMARK(BM_LandRows)
    ->ArgsProduct({{100, 250, 500, 1000, 2000, 20000}, {0, 1}})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// 300 rows with 100,000-character names (cut from a hostile page) in the
// shown list: the chunk's time budget, not its row count, ends each turn.
void BM_LandHugeNames(benchmark::State &state)
{
    QList<AllSearchRow> rows;
    for (int i = 0; i < 300; ++i)
        rows.append({u"s"_s, u"来源"_s, QString(100000, QChar(u'名' + i % 50)), u"1 GB"_s, u"2014-01-02"_s,
                     u"http://h.example/"_s + QString::number(i)});
    ListWindow w;
    double maxGapMs = 0;
    int turns = 0;
    QObject::connect(&w.model, &AllSearchModel::rowsLanded, [&] { ++turns; });
    for (auto _ : state) {
        w.model.clear();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            maxGapMs = std::max(maxGapMs, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        clock.start();
        sinceTick.start();
        ticker.start();
        w.land({rows});
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        maxGapMs = std::max(maxGapMs, sinceTick.nsecsElapsed() / 1e6);
    }
    state.counters["max_gap_ms"] = maxGapMs;
    state.counters["turns"] = double(turns) / double(state.iterations());
}
BENCHMARK(BM_LandHugeNames)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The model alone, no filter model or view, chunks bounded by time only:
// what building the rows' keys and merging costs.
void BM_ModelOnly(benchmark::State &state)
{
    const QList<QList<AllSearchRow>> lists = sourceLists();
    AllSearchModel model;
    model.setChunkRows(Sources * RowsPerSource);
    for (auto _ : state) {
        model.clear();
        for (const QList<AllSearchRow> &rows : lists)
            model.addRows(rows);
        QEventLoop loop;
        QObject::connect(&model, &AllSearchModel::rowsLanded, &loop, [&] {
            if (model.pendingRows() == 0)
                loop.quit();
        });
        loop.exec();
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_ModelOnly)->Unit(benchmark::kMillisecond);

// The same landing with the model and filter model but no view: what the
// view's relayout and repaint after each chunk add.
void BM_LandRowsNoView(benchmark::State &state)
{
    const QList<QList<AllSearchRow>> lists = sourceLists();
    AllSearchModel model;
    AllSearchFilterModel shown;
    shown.setSourceModel(&model);
    model.setChunkRows(int(state.range(0)));
    for (auto _ : state) {
        model.clear();
        for (const QList<AllSearchRow> &rows : lists)
            model.addRows(rows);
        QEventLoop loop;
        QObject::connect(&model, &AllSearchModel::rowsLanded, &loop, [&] {
            if (model.pendingRows() == 0)
                loop.quit();
        });
        loop.exec();
    }
    state.counters["rows"] = shown.rowCount();
    state.counters["chunk"] = double(state.range(0));
}
BENCHMARK(BM_LandRowsNoView)->Arg(100)->Arg(500)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Sorting the landed rows by one column (argument: the column), from the
// unsorted list; the view is shown and relays itself out.
void BM_SortColumn(benchmark::State &state)
{
    ListWindow w;
    w.land(sourceLists());
    const int column = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        w.shown.sort(-1);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.shown.sort(column, Qt::AscendingOrder);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = w.shown.rowCount();
}
BENCHMARK(BM_SortColumn)
    ->DenseRange(AllSearchModel::Source, AllSearchModel::Address)
    ->Unit(benchmark::kMillisecond);

// A two-word filter over the landed rows, sorted by name or not (argument).
void BM_FilterTwoWords(benchmark::State &state)
{
    ListWindow w;
    w.land(sourceLists());
    if (state.range(0))
        w.shown.sort(AllSearchModel::Name);
    for (auto _ : state) {
        state.PauseTiming();
        w.shown.setFilterText({});
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.shown.setFilterText(u"流浪 1080P"_s);
        QCoreApplication::processEvents();
    }
    state.counters["shown"] = w.shown.rowCount();
    state.counters["rows"] = w.model.rowCount();
}
BENCHMARK(BM_FilterTwoWords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
