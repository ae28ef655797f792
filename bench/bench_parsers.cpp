#include "core/definitioncatalog.h"
#include "core/markerscan.h"
#include "core/procfsprocesscontrol.h"
#include "core/texttools.h"
#include "sources/emule/ed2ksearchparser.h"
#include "sources/emule/emuleparser.h"
#include "sources/movies/moviedetailparser.h"
#include "sources/movies/movielistingparser.h"
#include "sources/netdisk/netdiskparser.h"
#include "sources/torrents/btboardparser.h"
#include "sources/torrents/btmovieparser.h"
#include "sources/playback/qvodsearchdetailparser.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const SiteDefinition &netdisk()
{
    return DefinitionCatalog::builtIns().get(u"netdisk"_s);
}

const SiteDefinition &btMovies()
{
    return DefinitionCatalog::builtIns().get(u"bt-movies"_s);
}

// A result page with `hits` entries, padded like a real page with markup
// between the fields.
QString netdiskPage(int hits)
{
    QString page = u"{\"feed\":{\"entry\":["_s;
    for (int i = 0; i < hits; ++i) {
        page += u"{\"title\":\"流浪地球 高清合集 "_s + QString::number(i) + u"_百度云网盘\",\"url\":\"http://search.example/link?url="_s
                + QString::number(i) + u"\",\"abs\":\""_s + QString(200, u'x') + u"\"},"_s;
    }
    return page + u"]}}"_s;
}

void BM_NetdiskParse(benchmark::State &state)
{
    const QString page = netdiskPage(int(state.range(0)));
    for (auto _ : state) {
        const qsizetype count = countNetdiskHits(netdisk(), page);
        benchmark::DoNotOptimize(parseNetdiskPage(netdisk(), page, count));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}
BENCHMARK(BM_NetdiskParse)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

void BM_NetdiskLabels(benchmark::State &state)
{
    const QString title = u"某个没有任何网盘名字的很长很长的标题 第一部分 第二部分"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(netdiskLabel(netdisk(), title));
}
BENCHMARK(BM_NetdiskLabels);

void BM_MarkerPieces(benchmark::State &state)
{
    QString body;
    for (int i = 0; i < state.range(0); ++i)
        body += u"<td class=\"name\">item "_s + QString::number(i) + u"</td><td>"_s + QString(100, u'y') + u"</td>"_s;
    const QString marker = u"<td class=\"name\">"_s;
    for (auto _ : state) {
        const MarkerPieces pieces(body, marker);
        qsizetype total = 0;
        for (qsizetype n = 1; n < pieces.size(); ++n)
            total += cutBefore(pieces.piece(n), u"</td>").size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MarkerPieces)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

// An eMule listing page with `items` thumb blocks, markup as the site's.
QString emuleListingPage(int items)
{
    QString page = u"<html><body><ul class=\"list\">"_s;
    for (int i = 0; i < items; ++i) {
        const QString n = QString::number(i);
        page += u"<li><div class=\"thumb\"><a href=\"/emule/detail/movie-"_s + n + u".html\" title=\"电影 第"_s + n
                + u"号\"><img src=\"/img/"_s + n + u".jpg\"></a></div><div class=\"info\"><h3><a href=\"/x\">"_s + n
                + u"</a></h3><p><a href=\"/emule/movie/\">电影</a> | 更新 <b>高清</b> "_s + QString(100, u'y')
                + u"</p></div></li>"_s;
    }
    return page + u"</ul></body></html>"_s;
}

void BM_EmuleListingParse(benchmark::State &state)
{
    const QString page = emuleListingPage(int(state.range(0)));
    const QString base = u"http://emule.example"_s;
    const SiteDefinition &emule = DefinitionCatalog::builtIns().get(u"emule-category"_s);
    for (auto _ : state) {
        const qsizetype count = countEmuleItems(emule, page);
        benchmark::DoNotOptimize(parseEmuleListing(emule, page, base, count));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}
BENCHMARK(BM_EmuleListingParse)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

// An ed2k search result page with `rows` file rows, every third category
// written as an anchor.
QString ed2kSearchPage(int rows)
{
    QString page = u"<html><body><table>"_s;
    for (int i = 0; i < rows; ++i) {
        const QString n = QString::number(i);
        const QString category = i % 3 ? u"电影"_s : u"<a href=\"FileList.asp?CategoryID=1\">电影</a>"_s;
        page += u"<tr><td>["_s + category + u"] <a href=\"ShowFile.asp?FileID="_s + n + u"\" target=\"_blank\">文件 "_s
                + n + QString(80, u'z') + u"</a></td><td>1.2 GB</td></tr>"_s;
    }
    return page + u"</table></body></html>"_s;
}

void BM_Ed2kSearchParse(benchmark::State &state)
{
    const QString page = ed2kSearchPage(int(state.range(0)));
    const QString base = u"http://ed2k.example"_s;
    const SiteDefinition &ed2k = DefinitionCatalog::builtIns().get(u"ed2k"_s);
    for (auto _ : state) {
        const qsizetype count = countEd2kSearchRows(ed2k, page);
        benchmark::DoNotOptimize(parseEd2kSearchPage(ed2k, page, base, count));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}
BENCHMARK(BM_Ed2kSearchParse)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

void BM_UrlEncoding(benchmark::State &state)
{
    const QString keyword = u"流浪地球 2 高清 中英双字"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(UTF8_URLEncoding(keyword));
}
BENCHMARK(BM_UrlEncoding);

// Timer25 asks every 10 ms; at 100 calls a second, the time per call here is
// its share of one core (10 us a call = 0.1 %).
void BM_ExitprocTick(benchmark::State &state)
{
    ProcfsProcessControl processes;
    for (auto _ : state)
        benchmark::DoNotOptimize(processes.exitproc(u"iexplore.exe"_s));
}
BENCHMARK(BM_ExitprocTick);

// A full walk of /proc, as taskkill does.
void BM_ProcessFullScan(benchmark::State &state)
{
    ProcfsProcessControl processes;
    for (auto _ : state)
        benchmark::DoNotOptimize(processes.matchingPids(u"iexplore.exe"_s));
}
BENCHMARK(BM_ProcessFullScan);

// The listing parsers read at most a page's worth of rows, however long the
// page: their cost must follow the page's length, not the rows' count.
QString repeated(const QString &unit, int times)
{
    QString page;
    page.reserve(unit.size() * times);
    for (int i = 0; i < times; ++i)
        page += unit;
    return page;
}

void BM_MovieListing(benchmark::State &state)
{
    const QString page = repeated(u"<tr><td height=\"26\"><b><a href=\"/html/gndy/dyzz/20131201/43001.html\" "
                                  "class=\"ulink\">2013年剧情片《河流》</a></b></td></tr><tr><td>"_s
                                      + QString(200, u'x') + u"</td></tr><tr><td style=\"padding-left:3px\">&nbsp;</td></tr>"_s,
                                  int(state.range(0)));
    const MovieCategory &category = movieCategories().at(0);
    const SiteDefinition &movies = DefinitionCatalog::builtIns().get(u"movie-listing"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseMovieListing(movies, page, u"http://movies.example"_s, category));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MovieListing)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

void BM_BtBoard(benchmark::State &state)
{
    const QString page = repeated(u"<TR><TD>&nbsp;<A href=\"display.php?BoardID=1&ID=1001\" target=_blank>[BT下载] 河流</A>"
                                  "</TD><TD align=center>3</TD><TD align=center>1.37 GB</TD><TD>a</TD><TD><a href=\"x\">"
                                  "<span>剧情片</span></a></TD></TR>"_s,
                                  int(state.range(0)));
    const SiteDefinition &btBoard = DefinitionCatalog::builtIns().get(u"bt-board"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseBtBoard(btBoard, page, u"http://board.example"_s));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BtBoard)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

void BM_BtMovieList(benchmark::State &state)
{
    const QString page = repeated(u"<li><span>12-01</span><a href=\"/Download/xiazai/dy101.html\" target=\"_blank\" "
                                  "title=\"河流 BD1280高清中字\">河流</a></li>"_s,
                                  int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseBtMovieList(btMovies(), page, u"http://emule.example"_s));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BtMovieList)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

// Detail pages: one field each, read once; the page grows around it.
void BM_DetailPages(benchmark::State &state)
{
    const QString filler = repeated(u"<p>"_s + QString(100, u'y') + u"</p>"_s, int(state.range(0)));
    const QString post = u"[IMG]http://img.example/p.jpg[/IMG]<br />◎译　　名　河流<br />◎年　　代　2013"_s + filler
                         + u"<br />◎简　　介<br />故事<br />◎影片截图<a href=\"jump.php?url=http://a.example/1\">"
                           "<a href=\"jump.php?url=b.example/2\">"_s;
    const QString download = filler + u"<div>文件更新时间：2013-12-05</span></div><textarea onclick=\"this.select()\">"
                                      "magnet:?xt=urn:btih:0123&amp;dn=x</textarea>"_s;
    const QString qvod = filler + u"value=1 value=2 value=3 value=4 value=\"qvod://1|2|3|\"><img src=\"a\"><img src=\"b\">"
                                  "<img src=\"c\">"_s;
    const SiteDefinition &search = DefinitionCatalog::builtIns().get(u"qvod-search"_s);
    const QString listingDetail = filler + u"#fdfddf\"><a href=\"ftp://movies.example/a.mkv\">a</a>"_s;
    const SiteDefinition &movieDetail = DefinitionCatalog::builtIns().get(u"movie-detail"_s);
    const SiteDefinition &movies = DefinitionCatalog::builtIns().get(u"movie-listing"_s);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseMovieDetail(movieDetail, post));
        benchmark::DoNotOptimize(parseBtMovieDownload(btMovies(), download));
        benchmark::DoNotOptimize(parseQvodSearchDetail(search, qvod));
        benchmark::DoNotOptimize(movieDownloadAddress(movies, listingDetail));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DetailPages)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
