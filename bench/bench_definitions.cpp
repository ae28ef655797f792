#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/definitionrows.h"
#include "reference/handwrittenparsers.h"
#include "sources/netdisk/netdiskparser.h"
#include "sources/torrents/torrentsearchparser.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

// Cutting driven by a site definition against the hand-written parsers it
// replaced, on the same pages in the same run; and the loading of every
// built-in definition.

using namespace Qt::StringLiterals;

namespace {

const QString Base = u"http://t.example"_s;
const QString Label = u"百度网盘"_s;

// About 330 characters a row: 6,000 rows make a 2 MB page.
QString torrentPage(int rows)
{
    QString page = u"<html><head><meta charset=\"utf-8\"></head><body><table class=\"data\">"_s;
    for (int n = 0; n < rows; ++n) {
        const QString s = QString::number(n);
        page += u"<tr><td class=\"name\">河流 第"_s + s + u"集 1080P 高清 中文字幕</td><td class=\"size\">1.2 GB</td>"
                "<td class=\"date\">2013-12-01</td><td><a href=\"/information/"_s + s
                + u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">详情</a> <a href=\"magnet:?xt=urn:btih:"_s + s
                + u"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb&dn=river\">磁力链接</a></td></tr>\n"_s;
    }
    return page + u"</table></body></html>"_s;
}

// About 330 characters a hit.
QString netdiskPage(int hits)
{
    QString page = u"{\"feed\":{\"entry\":["_s;
    for (int i = 0; i < hits; ++i) {
        page += u"{\"title\":\"流浪地球 高清合集 "_s + QString::number(i) + u"_百度云网盘\",\"url\":\"http://search.example/link?url="_s
                + QString::number(i) + u"\",\"abs\":\""_s + QString(240, u'x') + u"\"},"_s;
    }
    return page + u"]}}"_s;
}

const SiteDefinition &definition(const QString &name)
{
    return DefinitionCatalog::builtIns().get(name);
}

void reportPage(benchmark::State &state, const QString &page)
{
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
    state.counters["page_MB"] = double(page.toUtf8().size()) / (1024.0 * 1024.0);
}

// The old parser to its rows, then the list rows the reader built of them.
void BM_TorrentSearch_Handwritten(benchmark::State &state)
{
    const QString page = torrentPage(int(state.range(0)));
    for (auto _ : state) {
        const qsizetype count = Handwritten::countTorrentSearchItems(page);
        const QList<Handwritten::TorrentSearchRow> rows = Handwritten::parseTorrentSearchPage(page, Base, count);
        benchmark::DoNotOptimize(numberedRows(rows, Handwritten::torrentSearchListRow));
    }
    reportPage(state, page);
}
BENCHMARK(BM_TorrentSearch_Handwritten)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// The old parser alone, without the rows the list shows.
void BM_TorrentSearch_HandwrittenParseOnly(benchmark::State &state)
{
    const QString page = torrentPage(int(state.range(0)));
    for (auto _ : state) {
        const qsizetype count = Handwritten::countTorrentSearchItems(page);
        benchmark::DoNotOptimize(Handwritten::parseTorrentSearchPage(page, Base, count));
    }
    reportPage(state, page);
}
BENCHMARK(BM_TorrentSearch_HandwrittenParseOnly)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_TorrentSearch_Definition(benchmark::State &state)
{
    const QString page = torrentPage(int(state.range(0)));
    const SiteDefinition &torrent = definition(u"torrent"_s);
    for (auto _ : state) {
        const qsizetype count = countTorrentSearchItems(torrent, page);
        benchmark::DoNotOptimize(parseTorrentSearchPage(torrent, page, Base, count));
    }
    reportPage(state, page);
}
BENCHMARK(BM_TorrentSearch_Definition)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_Netdisk_Handwritten(benchmark::State &state)
{
    const QString page = netdiskPage(int(state.range(0)));
    const SiteDefinition &netdisk = definition(u"netdisk"_s);
    for (auto _ : state) {
        const qsizetype count = Handwritten::countNetdiskHits(page);
        QList<ListRow> rows;
        for (const Handwritten::NetdiskHit &hit : Handwritten::parseNetdiskPage(page, count)) {
            const QString label = netdiskLabel(netdisk, hit.title); // the same label tests as before
            rows.append(Handwritten::netdiskListRow(hit, label.isEmpty() ? Label : label));
        }
        benchmark::DoNotOptimize(rows);
    }
    reportPage(state, page);
}
BENCHMARK(BM_Netdisk_Handwritten)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_Netdisk_Definition(benchmark::State &state)
{
    const QString page = netdiskPage(int(state.range(0)));
    const SiteDefinition &netdisk = definition(u"netdisk"_s);
    for (auto _ : state) {
        const qsizetype count = countNetdiskHits(netdisk, page);
        QList<ListRow> rows;
        QList<ListRow> hits = parseNetdiskPage(netdisk, page, count);
        for (ListRow &hit : hits)
            rows.append(netdiskListRow(netdisk, std::move(hit), Label));
        benchmark::DoNotOptimize(rows);
    }
    reportPage(state, page);
}
BENCHMARK(BM_Netdisk_Definition)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A user's definition (rows cut within their row) over the same torrent page.
void BM_UserDefinitionRows(benchmark::State &state)
{
    const QString page = torrentPage(int(state.range(0)));
    const DefinitionLoader::Result loaded = DefinitionLoader::load(R"(format = 1
name = "rows"
title = "rows"
base = "http://t.example"
[search]
address = "{base}/s?q={keyword}"
[rows]
start = "<tr>"
[fields]
mc = { start = '<td class="name">', end = "</td>" }
dx = { start = '<td class="size">', end = "</td>" }
rq = { start = '<td class="date">', end = "</td>" }
dz = { start = 'href="/information/', end = '"', prefix = "{base}/information/" }
fhdz = { start = 'href="magnet:', end = '"', prefix = "magnet:" }
)", u"rows.toml"_s);
    if (!loaded.definition) {
        state.SkipWithError("the benchmark's definition does not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DefinitionRows::extract(*loaded.definition, page, Base));
    reportPage(state, page);
}
BENCHMARK(BM_UserDefinitionRows)->Arg(600)->Arg(6000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Every built-in definition read and checked from the resources, as a start
// of the program does once.
void BM_LoadBuiltInDefinitions(benchmark::State &state)
{
    const QStringList files = QDir(u":/definitions"_s).entryList({u"*.toml"_s}, QDir::Files, QDir::Name);
    for (auto _ : state) {
        for (const QString &file : files)
            benchmark::DoNotOptimize(DefinitionLoader::loadFile(u":/definitions/"_s + file, true));
    }
    state.counters["files"] = double(files.size());
}
BENCHMARK(BM_LoadBuiltInDefinitions)->Unit(benchmark::kMillisecond);

} // namespace
