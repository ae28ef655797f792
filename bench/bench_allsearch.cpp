// The search across every keyword source: through the real window
// (offscreen) and the real fetcher, against a farm of loopback sites, one
// listener per site and every answer 200 ms late (the argument; 0 shows the
// program's own share). Once through the page that asks every source at
// once, once through each source's own tab one after another, in the same
// run. Wall time per search; medians of the iterations as counters (the
// machine is shared).
#include "sitefarm.h"
#include "support/testharness.h"

#include "core/definitioncatalog.h"
#include "core/sourcefetch.h"
#include "shell/sourcetable.h"
#include "ui/resultlist.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <memory>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int NetdiskBoxes = 24;
constexpr int SearchTimeoutMs = 120000;

// Every demo site answers it with rows (no site's not-found page): 24
// netdisk pages, 3 QVOD result pages, 5 release detail pages.
const QString Keyword = u"地球"_s;

// A built-in keyword source: the site it fetches and its own tab's controls.
struct BuiltInSource
{
    QString name;
    QString siteKey;
    QString keywordBox;
    QString startButton;
    QString list;
    int channel = -1; // the further torrent tab's Combo1 choice
    // The rows of the whole search when its tab lists them in several
    // steps (its button comes back after each); 0: one step.
    int rows = 0;
};

// The demo netdisk site's hits for an ordinary keyword: 5 + box % 4 on
// every box but 12, 16 and 21, which have none.
int netdiskRows()
{
    int rows = 0;
    for (int box = 0; box < NetdiskBoxes; ++box) {
        if (box != 12 && box != 16 && box != 21)
            rows += 5 + box % 4;
    }
    return rows;
}

const QList<BuiltInSource> &builtInSources()
{
    static const QList<BuiltInSource> sources = {
        {u"netdisk"_s, u"netdisk_search"_s, u"Text1"_s, u"Command1"_s, u"ListView1"_s, -1, netdiskRows()},
        {u"torrent"_s, u"torrent_search"_s, u"Text2"_s, u"Command2_0"_s, u"ListView2"_s},
        {u"rss"_s, u"rss_feed"_s, u"Text8"_s, u"Command2_1"_s, u"ListView4"_s},
        {u"magnet"_s, u"magnet_search"_s, u"Text21"_s, u"Command6"_s, u"ListView19"_s, 0},
        {u"release"_s, u"resource_release"_s, u"Text21"_s, u"Command6"_s, u"ListView19"_s, 1},
        {u"movie-resource"_s, u"movie_resource"_s, u"Text13"_s, u"Command2_2"_s, u"ListView13"_s},
        {u"ed2k"_s, u"ed2k_search"_s, u"Text19"_s, u"Command38_4"_s, u"ListView17"_s},
        {u"emule-search"_s, u"emule"_s, u"Text16"_s, u"Command38_3"_s, u"ListView15"_s},
        {u"qvod-search"_s, u"qvod_search"_s, u"Text15"_s, u"Command53_10"_s, u"ListView14"_s},
    };
    return sources;
}

// A user's source: its definition (with %1 for its base address) over the
// pages of an existing demo site, served by a listener of its own.
struct UserSource
{
    QString name;
    QString demoSite;
    QString definition;
};

const QList<UserSource> &userSources()
{
    static const QString board = uR"(format = 1
name = "%2"
title = "%2"
base = "%1"
charset = "gbk"

[search]
address = "{base}/s?q={keyword}&p={page}"
keyword = "gbk"

[rows]
start = '<div class="item">'
not_found = "没有找到相关资源"

[fields]
mc = { start = 'title="', end = '"', entities = true }
dz = { start = '<a href="', end = '"', prefix = "{base}" }
dx = { start = "<i>", end = "</i>" }
rq = { start = "<em>", end = "</em>" }
)"_s;
    static const QList<UserSource> sources = {
        {u"board-east"_s, u"example_board"_s, board},
        {u"board-west"_s, u"example_board"_s, board},
        {u"torrent-rows"_s, u"torrent_search"_s, uR"(format = 1
name = "%2"
title = "%2"
base = "%1"

[search]
address = "{base}/search/{keyword}/{page}"

[rows]
start = "<tr>"

[fields]
mc = { start = '<td class="name">', end = "</td>" }
dx = { start = '<td class="size">', end = "</td>" }
rq = { start = '<td class="date">', end = "</td>" }
fhdz = { start = 'href="magnet:', end = '"', prefix = "magnet:" }
)"_s},
        {u"magnet-rows"_s, u"magnet_search"_s, uR"(format = 1
name = "%2"
title = "%2"
base = "%1"

[search]
address = "{base}/?s={keyword}&p={page}"

[rows]
start = '<div class="m-item">'
not_found = "没有找到任何结果"

[fields]
mc = { start = "<li>", end = "<span" }
dx = { start = "大小: ", end = "&nbsp;" }
fhdz = { start = 'href="magnet:', end = '"', prefix = "magnet:" }
)"_s},
    };
    return sources;
}

QStringList farmKeys()
{
    QStringList keys;
    for (const BuiltInSource &source : builtInSources()) {
        if (!keys.contains(source.siteKey))
            keys.append(source.siteKey);
    }
    for (const UserSource &source : userSources())
        keys.append(source.name);
    return keys;
}

// Moves every asked key of the harness's sites to a listener of its own
// and adds the user's definitions, written into `folder`. Empty on success,
// else what went wrong.
QString setUpFarm(TestHarness &h, SiteFarm &sites, const QTemporaryDir &folder)
{
    if (!sites.start() || !folder.isValid())
        return u"the site farm did not start"_s;
    for (const UserSource &source : userSources()) {
        QFile file(QDir(folder.path()).filePath(source.name + u".toml"_s));
        const QString base = sites.server(source.name).siteBase(source.demoSite);
        if (!file.open(QIODevice::WriteOnly) || file.write(source.definition.arg(base, source.name).toUtf8()) < 0)
            return u"could not write "_s + file.fileName();
    }
    auto catalog = std::make_shared<DefinitionCatalog>(DefinitionCatalog::withUserFolders({folder.path()}));
    if (!catalog->problems().isEmpty() || catalog->userSources().size() != userSources().size())
        return u"the user's definitions did not load"_s;
    h.services.sites.setDefinitions(catalog);
    sites.pointAt(h.services.sites);
    for (int i = 0; i < NetdiskBoxes; ++i) {
        if (h.services.sites.netdiskFilter(i).isEmpty())
            return u"a netdisk box has no filter"_s;
    }
    return {};
}

// Runs the event loop until `done` holds (checked every millisecond) or
// the time-out passes. Not QTest::qWaitFor: it sleeps 10 ms at a time
// without handling events, which adds up to 10 ms to every hop a fetch
// makes between the server, the network thread and the window.
bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

struct RowCounts
{
    QHash<QString, qsizetype> rows;
    bool done = false;
};

// Shared: a search that outlives the wait still has somewhere to write.
QCoro::Task<> countRows(const SiteConfig &sites, PageFetcher &fetcher, std::shared_ptr<RowCounts> counts)
{
    QStringList asked;
    for (const BuiltInSource &source : builtInSources())
        asked.append(source.name);
    for (const UserSource &source : userSources())
        asked.append(source.name);
    for (const HeadlessSource &source : headlessSources(sites.definitions())) {
        if (!asked.contains(source.name))
            continue;
        SourceFetch fetch(fetcher, sites);
        const QList<ListRow> listed = co_await source.run(fetch, SourceQuery{.keyword = Keyword});
        counts->rows.insert(source.name, listed.size());
    }
    counts->done = true;
}

// Whether every asked source lists rows for the keyword, as the program's
// headless search reads them (untimed); empty when so, else the first
// source without.
QString sourceWithoutRows(TestHarness &h)
{
    h.window();
    auto counts = std::make_shared<RowCounts>();
    countRows(h.services.sites, *h.services.fetcher, counts);
    if (!waitUntil([&] { return counts->done; }, SearchTimeoutMs))
        return u"(the headless search did not end)"_s;
    const QHash<QString, qsizetype> &rows = counts->rows;
    for (const BuiltInSource &source : builtInSources()) {
        if (rows.value(source.name) == 0)
            return source.name;
    }
    for (const UserSource &source : userSources()) {
        if (rows.value(source.name) == 0)
            return source.name;
    }
    return {};
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

qsizetype roundsOf(qsizetype requests, int parallel)
{
    return (requests + parallel - 1) / parallel;
}

// How many latencies one source must wait at least, one after another,
// from the requests it made: the netdisk's pages go out `parallel` at a
// time; the release channel asks its list, then its detail pages
// `parallel` at a time; every other source waits for one page before it
// asks the next.
qsizetype chainOf(const QString &source, qsizetype requests, int parallel)
{
    if (source == u"netdisk"_s)
        return roundsOf(requests, parallel);
    if (source == u"release"_s)
        return requests > 0 ? 1 + roundsOf(requests - 1, parallel) : 0;
    return requests;
}

struct Chain
{
    qsizetype rounds = 0;
    QString source;
    QString missing; // a source that asked nothing
};

// The source with the longest chain, from the requests each listener got.
Chain longestChain(const SiteFarm &sites, int parallel, bool withUserSources)
{
    Chain longest;
    const auto weigh = [&](const QString &name, const QString &key) {
        const qsizetype rounds = chainOf(name, sites.requestCount(key), parallel);
        if (rounds == 0 && longest.missing.isEmpty())
            longest.missing = name;
        if (rounds > longest.rounds) {
            longest.rounds = rounds;
            longest.source = name;
        }
    };
    for (const BuiltInSource &source : builtInSources())
        weigh(source.name, source.siteKey);
    if (withUserSources) {
        for (const UserSource &source : userSources())
            weigh(source.name, source.name);
    }
    return longest;
}

// Brings the tabs holding `widget` to the front, as a user clicking
// through to it would.
void showTabOf(QWidget *widget)
{
    for (QWidget *page = widget; page; page = page->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        if (auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr)
            tabs->setCurrentWidget(page);
    }
}

// The QVOD search asks nothing until the user has ticked the terms of use.
void acceptPlaybackTerms(TestHarness &h)
{
    h.child<QCheckBox>(u"Check1"_s)->setChecked(true);
}

void reportChain(benchmark::State &state, const Chain &chain, qsizetype requests)
{
    state.counters["longest_chain"] = double(chain.rounds);
    state.counters["bound_ms"] = 1.5 * double(chain.rounds) * double(state.range(0));
    state.counters["latency_ms"] = double(state.range(0));
    state.counters["requests"] = double(requests);
    state.SetLabel(qPrintable(u"longest chain: "_s + chain.source));
}

// Each source's own time as the page shows it in its state column
// ("N 条，M ms"), by source name.
void noteSourceTimes(const QTreeWidget &view, QHash<QString, QList<double>> *times)
{
    static const QRegularExpression shown(u"(\\d+) ms$"_s);
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = view.topLevelItem(i);
        const QRegularExpressionMatch match = shown.match(item->text(1));
        if (match.hasMatch())
            (*times)[item->data(0, Qt::UserRole).toString()].append(match.captured(1).toDouble());
    }
}

// Every source at once: the keyword in AllSearchKeyword, a click on
// AllSearchStart, and the wait until the progress bar shows every source
// done, Cancel is off again and the status bar counts the listed rows.
// Counters: the medians of the whole search, of the time to the first row
// in the results' model and of each source's own time, the rows listed, the
// longest chain of latencies a source needs and the bound it gives.
void BM_AllSearchAtOnce(benchmark::State &state)
{
    // Made after the sites, so the window and its fetcher go first.
    SiteFarm sites(farmKeys(), int(state.range(0)));
    QTemporaryDir folder;
    TestHarness h;
    if (const QString problem = setUpFarm(h, sites, folder); !problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    if (const QString source = sourceWithoutRows(h); !source.isEmpty()) {
        state.SkipWithError(qPrintable(source + u" lists no rows for the keyword"_s));
        return;
    }
    auto *keyword = h.window().findChild<QLineEdit *>(u"AllSearchKeyword"_s);
    auto *start = h.window().findChild<QAbstractButton *>(u"AllSearchStart"_s);
    auto *cancel = h.window().findChild<QAbstractButton *>(u"AllSearchCancel"_s);
    auto *results = h.window().findChild<QAbstractItemView *>(u"AllSearchResults"_s);
    auto *progress = h.window().findChild<QProgressBar *>(u"AllSearchProgress"_s);
    auto *sourceView = h.window().findChild<QTreeWidget *>(u"AllSearchSources"_s);
    if (!keyword || !start || !cancel || !results || !progress || !sourceView) {
        state.SkipWithError("the window has no page that searches every source");
        return;
    }
    acceptPlaybackTerms(h);
    showTabOf(keyword);
    keyword->setText(Keyword);
    const int parallel = h.services.sites.network().parallel;

    QList<double> totals;
    QList<double> firstRows;
    QHash<QString, QList<double>> perSource;
    int rows = 0;
    int sources = 0;
    Chain chain;
    qsizetype requests = 0;
    for (auto _ : state) {
        sites.clearRequests();
        QElapsedTimer clock;
        qint64 firstRowNs = -1;
        clock.start();
        start->click();
        // Cancel is offered while the search runs.
        if (!cancel->isEnabled()) {
            state.SkipWithError("the search across every source did not start");
            break;
        }
        // The page may set a fresh model per search: watch the one it shows now.
        // The page may give the view a fresh model per search: watch the one
        // it shows, whenever that changes.
        QObject scope;
        QPointer<QAbstractItemModel> watched;
        const auto noteRows = [&] {
            QAbstractItemModel *model = results->model();
            if (model && model != watched) {
                watched = model;
                QObject::connect(model, &QAbstractItemModel::rowsInserted, &scope, [&] {
                    if (firstRowNs < 0)
                        firstRowNs = clock.nsecsElapsed();
                });
            }
            if (firstRowNs < 0 && model && model->rowCount() > 0)
                firstRowNs = clock.nsecsElapsed();
        };
        noteRows();
        const bool done = waitUntil(
            [&] {
                noteRows();
                // Every source answered, and every row landed in the list.
                return !cancel->isEnabled() && progress->value() == progress->maximum()
                       && h.status().startsWith(u"全部来源搜索完毕"_s);
            },
            SearchTimeoutMs);
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        QAbstractItemModel *model = results->model();
        if (!done || !model || model->rowCount() == 0 || firstRowNs < 0) {
            state.SkipWithError("the search across every source did not end with rows listed");
            break;
        }
        chain = longestChain(sites, parallel, true);
        if (!chain.missing.isEmpty()) {
            state.SkipWithError(qPrintable(u"the source "_s + chain.missing + u" asked its site nothing"_s));
            break;
        }
        state.SetIterationTime(seconds);
        totals.append(seconds * 1000);
        firstRows.append(double(firstRowNs) / 1e6);
        noteSourceTimes(*sourceView, &perSource);
        rows = model->rowCount();
        sources = progress->maximum();
        requests = sites.totalRequests();
    }
    state.counters["total_ms"] = median(totals);
    state.counters["first_row_ms"] = median(firstRows);
    state.counters["rows"] = rows;
    state.counters["sources"] = sources;
    for (auto source = perSource.cbegin(); source != perSource.cend(); ++source)
        state.counters["ms_" + source.key().toStdString()] = median(source.value());
    reportChain(state, chain, requests);
}
BENCHMARK(BM_AllSearchAtOnce)->Arg(200)->Arg(0)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same search, one source's tab after another: each tab's keyword box
// and start button, waiting for the reader's closing status with the list
// filled and the button back before the next. The user's sources have no
// tab of their own and are not asked here. Counters: the median of the
// whole and of each tab's search, and the longest chain of the built-in
// sources for comparison.
void BM_AllSearchTabByTab(benchmark::State &state)
{
    // Made after the sites, so the window and its fetcher go first.
    SiteFarm sites(farmKeys(), int(state.range(0)));
    QTemporaryDir folder;
    TestHarness h;
    if (const QString problem = setUpFarm(h, sites, folder); !problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    h.window();
    for (int i = 0; i < NetdiskBoxes; ++i)
        h.child<QCheckBox>(u"Check2_"_s + QString::number(i))->setChecked(true);
    acceptPlaybackTerms(h);
    const int parallel = h.services.sites.network().parallel;

    QList<double> totals;
    QHash<QString, QList<double>> perSource;
    int rows = 0;
    Chain chain;
    qsizetype requests = 0;
    for (auto _ : state) {
        sites.clearRequests();
        QElapsedTimer clock;
        clock.start();
        QString failed;
        int listed = 0;
        double sourceStartMs = 0;
        for (const BuiltInSource &source : builtInSources()) {
            auto *keyword = h.child<QLineEdit>(source.keywordBox);
            auto *start = h.child<QAbstractButton>(source.startButton);
            auto *list = h.child<ResultList>(source.list);
            if (!keyword || !start || !list) {
                failed = source.name + u": its tab lacks a control"_s;
                break;
            }
            showTabOf(keyword);
            if (source.channel >= 0)
                h.child<QComboBox>(u"Combo1"_s)->setCurrentIndex(source.channel);
            keyword->setText(Keyword);
            start->click();
            // Each reader says so as it starts, and ends on its own "..完毕.." text.
            const auto ended = [&] { return h.status().endsWith(u"完毕.."_s); };
            if (ended()) {
                failed = source.name + u": the search did not start"_s;
                break;
            }
            const auto filled = [&] {
                return source.rows > 0 ? list->rowCount() == source.rows : list->rowCount() > 0;
            };
            if (!waitUntil([&] { return ended() && start->isEnabled() && filled(); }, SearchTimeoutMs)) {
                failed = source.name + u": the search did not end with rows listed"_s;
                break;
            }
            listed += list->rowCount();
            perSource[source.name].append(double(clock.nsecsElapsed()) / 1e6 - sourceStartMs);
            sourceStartMs = double(clock.nsecsElapsed()) / 1e6;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        if (failed.isEmpty()) {
            chain = longestChain(sites, parallel, false);
            if (!chain.missing.isEmpty())
                failed = u"the source "_s + chain.missing + u" asked its site nothing"_s;
        }
        if (!failed.isEmpty()) {
            state.SkipWithError(qPrintable(failed));
            break;
        }
        state.SetIterationTime(seconds);
        totals.append(seconds * 1000);
        rows = listed;
        requests = sites.totalRequests();
    }
    state.counters["total_ms"] = median(totals);
    state.counters["rows"] = rows;
    state.counters["sources"] = double(builtInSources().size());
    for (const BuiltInSource &source : builtInSources())
        state.counters["ms_" + source.name.toStdString()] = median(perSource.value(source.name));
    reportChain(state, chain, requests);
}
BENCHMARK(BM_AllSearchTabByTab)->Arg(200)->Arg(0)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

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
