// Every page parser against the physical floor: a page of N items padded to
// about 2 kB per item (1000 items: 2 MB of UTF-16, as the parsers hold it),
// parsed whole, beside one memchr pass over the same bytes. Reported per
// parser: ns per byte, x_floor (parse time / memchr time) and, from N = 1000
// and N = 10000, the BigO fit. Times are the thread's CPU time.
#include "core/definitioncatalog.h"
#include "sources/emule/ed2ksearchparser.h"
#include "sources/emule/emuleparser.h"
#include "sources/movies/movielistingparser.h"
#include "sources/netdisk/netdiskparser.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/qvodsearchparser.h"
#include "sources/torrents/btboardparser.h"
#include "sources/torrents/btmovieparser.h"
#include "sources/torrents/magnetsitesparser.h"
#include "sources/torrents/movieresourceparser.h"
#include "sources/torrents/rssfeedparser.h"
#include "sources/torrents/torrentsearchparser.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <functional>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// The thread's own CPU time: the machine is shared, and wall time counts
// the other processes' turns too.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

constexpr qsizetype CharsPerItem = 1000; // 2 kB of UTF-16

struct ParserCase
{
    const char *name;
    QString head;
    std::function<QString(int n)> item; // one item's markup, unpadded
    QString tail;
    std::function<qsizetype(const QString &page)> parse; // rows read
};

QString pageOf(const ParserCase &c, int items)
{
    QString page = c.head;
    page.reserve(c.head.size() + items * CharsPerItem + c.tail.size());
    for (int n = 1; n <= items; ++n) {
        const QString item = c.item(n);
        // The padding sits between items, where no marker is looked for.
        page += item + u"<p>"_s + QString(qMax<qsizetype>(CharsPerItem - item.size() - 7, 0), u'x') + u"</p>"_s;
    }
    return page + c.tail;
}

const QList<ParserCase> &cases()
{
    static const QList<ParserCase> list = {
        {"netdisk", u"{\"feed\":{\"entry\":["_s,
         [](int n) -> QString {
             return u"{\"title\":\"流浪地球 合集"_s + QString::number(n)
                    + u"_百度云网盘\",\"url\":\"http://s.example/link?url="_s + QString::number(n) + u"\"},"_s;
         },
         u"]}}"_s,
         [](const QString &p) {
             const SiteDefinition &netdisk = DefinitionCatalog::builtIns().get(u"netdisk"_s);
             return parseNetdiskPage(netdisk, p, countNetdiskHits(netdisk, p)).size();
         }},
        {"emule_listing", u"<html><body><ul class=\"list\">"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<li><div class=\"thumb\"><a href=\"/emule/detail/movie-"_s + s + u".html\" title=\"电影 第"_s + s
                    + u"号\"><img src=\"/img/"_s + s + u".jpg\"></a></div><div class=\"info\"><h3><a href=\"/x\">"_s + s
                    + u"</a></h3><p><a href=\"/emule/movie/\">电影</a> | 更新 <b>高清</b></p></div></li>"_s;
         },
         u"</ul></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &emule = DefinitionCatalog::builtIns().get(u"emule-category"_s);
             return parseEmuleListing(emule, p, u"http://e.example"_s, countEmuleItems(emule, p)).size();
         }},
        {"ed2k_search", u"<html><body><table>"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<tr><td>[<a href=\"FileList.asp?CategoryID=1\">电影</a>] <a href=\"ShowFile.asp?FileID="_s + s
                    + u"\" target=\"_blank\">文件 "_s + s + u"</a></td><td>1.2 GB</td></tr>"_s;
         },
         u"</table></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &ed2k = DefinitionCatalog::builtIns().get(u"ed2k"_s);
             return parseEd2kSearchPage(ed2k, p, u"http://d.example"_s, countEd2kSearchRows(ed2k, p)).size();
         }},
        {"torrent_search", u"<table class=\"data\">"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<tr><td class=\"name\">河流 第"_s + s + u"集</td><td class=\"size\">1.2 GB</td><td class=\"date\">"
                    "2013-12-01</td><td><a href=\"/information/h"_s + s + u"\">详情</a> <a href=\"magnet:?xt=urn:btih:h"_s
                    + s + u"\">磁力链接</a></td></tr>"_s;
         },
         u"</table>"_s,
         [](const QString &p) {
             const SiteDefinition &torrent = DefinitionCatalog::builtIns().get(u"torrent"_s);
             return parseTorrentSearchPage(torrent, p, u"http://t.example"_s, countTorrentSearchItems(torrent, p)).size();
         }},
        {"rss_feed", u"<?xml version=\"1.0\"?><rss><channel><title>t</title>"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<item>\n<title><![CDATA[河流 合集"_s + s + u"]]></title>\n<link>http://r.example/details/"_s + s
                    + u"</link>\n<description><![CDATA[<b>Size: 1.2 GB</b>]]></description>\n<enclosure url=\""
                      "http://r.example/torrent/"_s + s + u".torrent\" length=\"321\" />\n<pubDate>Sun, 01 Dec 2013"
                      "</pubDate>\n</item>\n"_s;
         },
         u"</channel></rss>"_s, [](const QString &p) {
             const SiteDefinition &rss = DefinitionCatalog::builtIns().get(u"rss"_s);
             return parseRssFeed(rss, p, countRssFeedItems(rss, p)).size();
         }},
        {"magnet_search", u"<html><body><div class=\"m-count\">找到 <strong>9</strong>个结果</div>"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<div class=\"m-item\">\r\n<ul class=\"m-files-ul\">\r\n<li>河流 "_s + s
                    + u"<span class=\"m-files-size\">2个文件</span></li>\r\n</ul>\r\n<ul class=\"m-meta-ul\"><li>"
                      "<p class=\"m-meta\">创建时间: 2013-12-01&nbsp;&nbsp;大小: 1.2 GB&nbsp;&nbsp;<a href=\""
                      "magnet:?xt=urn:btih:h"_s
                    + s + u"\">磁力链接</a></p></li></ul>\r\n</div>\r\n"_s;
         },
         u"</body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &magnet = DefinitionCatalog::builtIns().get(u"magnet"_s);
             return parseMagnetSearchPage(magnet, p, countMagnetSearchItems(magnet, p)).size();
         }},
        {"resource_release", u"<html><body><div class=\"count\">共 <strong>9</strong>个结果</div>\n"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<div class=\"item\">\n<div class=\"name\"><font class=\"num\">"_s + s
                    + u".</font><a href=\"/detail/d"_s + s
                    + u".html\" target=\"_blank\"><font color=\"red\">河流</font> 资源 "_s + s
                    + u"</a></div>\n<p>发布:2013-12-01</p>\n</div>\n"_s;
         },
         u"</body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &release = DefinitionCatalog::builtIns().get(u"release"_s);
             return parseResourceReleasePage(release, p, countResourceReleaseItems(release, p)).size();
         }},
        {"movie_resource", u"<html><body><div class=\"stat\">搜索“河流”，共有30部，当前第1页</div><table>"_s,
         [](int n) -> QString {
             const QString s = QString::number(n);
             return u"<tr><td class=\"l1\">"_s + s + u"</td><td class=\"l2\"><a href=\"detail.asp?ID="_s + s
                    + u"\" title=\"河流\">河流</a></td><td class=\"l3\"><a href=\"index.asp?RegionID=1\">大陆</a></td>"
                      "<td class=\"l6 \">2013-12-01</td></tr>\r\n"_s;
         },
         u"</table></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &movieResource = DefinitionCatalog::builtIns().get(u"movie-resource"_s);
             return parseMovieResourcePage(movieResource, p, u"http://m.example"_s).size();
         }},
        {"movie_listing", u"<html><body><table>"_s,
         [](int) -> QString {
             return u"<tr><td height=\"26\"><b><a href=\"/html/gndy/dyzz/20131201/43001.html\" class=\"ulink\">"
                    "2013年剧情片《河流》</a></b></td></tr><tr><td style=\"padding-left:3px\">&nbsp;</td></tr>"_s;
         },
         u"</table></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &movies = DefinitionCatalog::builtIns().get(u"movie-listing"_s);
             return parseMovieListing(movies, p, u"http://l.example"_s, movieCategories().at(0)).size();
         }},
        {"bt_board", u"<html><body><table>"_s,
         [](int n) -> QString {
             return u"<TR><TD>&nbsp;<A href=\"display.php?BoardID=1&ID="_s + QString::number(n)
                    + u"\" target=_blank>[BT下载] 河流</A></TD><TD align=center>3</TD><TD align=center>1.37 GB</TD>"
                      "<TD>a</TD><TD><a href=\"x\"><span>剧情片</span></a></TD></TR>"_s;
         },
         u"</table></body></html>"_s,
         [](const QString &p) {
             return parseBtBoard(DefinitionCatalog::builtIns().get(u"bt-board"_s), p, u"http://b.example"_s).size();
         }},
        {"bt_movie_list", u"<html><body><ul>"_s,
         [](int n) -> QString {
             return u"<li><span>12-01</span><a href=\"/Download/xiazai/dy"_s + QString::number(n)
                    + u".html\" target=\"_blank\" title=\"河流 BD1280高清中字\">河流</a></li>"_s;
         },
         u"</ul></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &btMovies = DefinitionCatalog::builtIns().get(u"bt-movies"_s);
             return parseBtMovieList(btMovies, p, u"http://e.example"_s).size();
         }},
        {"qvod_channel", u"<html><body><div class=\"mlist\"> <ul>"_s,
         [](int n) -> QString {
             const QString link = u"/content/detail_"_s + QString::number(n) + u".html"_s;
             return u"<li><div class=\"c_pic\"><a href=\""_s + link + u"\"><img src=\"/p.jpg\"></a></div>"
                    "<div class=\"c_contentcj\"><a href=\""_s + link + u"\">影片"_s + QString::number(n)
                    + u"</a></div></li>"_s;
         },
         u"</ul></div></body></html>"_s,
         [](const QString &p) {
             const SiteDefinition &channel = DefinitionCatalog::builtIns().get(u"qvod-channel"_s);
             return parseChannelPage(channel, p, u"http://c.example"_s, 32767).size();
         }},
        {"qvod_result", u"<div>共30000部 当前:1/1页</div><table>"_s,
         [](int n) -> QString {
             return u"<tr bgcolor=\"#F5FAFE\"><td><a href=\"/vod-detail-id-"_s + QString::number(n)
                    + u".html\">结果</a></td><td><a href=\"/t.html\">电影</a></td><td><font color=\"#3D709E\">大陆"
                      "</font></td><td><font color=\"#008000\">2013-12-01</font></td></tr>"_s;
         },
         u"</table>"_s,
         [](const QString &p) {
             const SiteDefinition &search = DefinitionCatalog::builtIns().get(u"qvod-search"_s);
             return parseQvodRows(search, p, u"http://s.example"_s, qvodResultCount(search, p)).size();
         }},
    };
    return list;
}

// One memchr pass over the page's bytes for a byte that is not there.
double floorSeconds(const QString &page)
{
    const auto *bytes = reinterpret_cast<const char *>(page.constData());
    const size_t size = size_t(page.size()) * sizeof(QChar);
    double best = 1e9;
    for (int round = 0; round < 50; ++round) {
        const double start = cpuSeconds();
        const void *found = std::memchr(bytes, 0x01, size);
        benchmark::DoNotOptimize(found);
        best = qMin(best, cpuSeconds() - start);
    }
    return best;
}

// A marker search's floor: one std::u16string_view::find pass for a
// marker that is not on the page.
double findFloorSeconds(const QString &page)
{
    const std::u16string_view text(reinterpret_cast<const char16_t *>(page.constData()), size_t(page.size()));
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(text.find(u"<td class=\"none\">"));
        best = qMin(best, cpuSeconds() - start);
    }
    return best;
}

void runCase(benchmark::State &state, const ParserCase &c)
{
    const QString page = pageOf(c, int(state.range(0)));
    const double floor = floorSeconds(page);
    const double findFloor = findFloorSeconds(page);
    qsizetype rows = 0;
    const double start = cpuSeconds();
    for (auto _ : state) {
        rows = c.parse(page);
        benchmark::DoNotOptimize(rows);
    }
    const double perParse = (cpuSeconds() - start) / double(state.iterations());
    const double bytes = double(page.size()) * sizeof(QChar);
    state.SetComplexityN(state.range(0));
    state.counters["MB"] = bytes / 1e6;
    state.counters["rows"] = double(rows);
    state.counters["ns_per_byte"] = perParse * 1e9 / bytes;
    state.counters["floor_ns_per_byte"] = floor * 1e9 / bytes;
    state.counters["x_floor"] = perParse / floor;
    state.counters["x_find"] = perParse / findFloor;
}

// The floor itself, for the table.
void BM_Floor_memchr(benchmark::State &state)
{
    const QString page(qsizetype(state.range(0)) * CharsPerItem, u'x');
    const auto *bytes = reinterpret_cast<const char *>(page.constData());
    const size_t size = size_t(page.size()) * sizeof(QChar);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes, 0x01, size));
    state.SetBytesProcessed(state.iterations() * qint64(size));
}
BENCHMARK(BM_Floor_memchr)->Arg(1000)->Arg(10000);

[[maybe_unused]] const bool registered = [] {
    for (const ParserCase &c : cases()) {
        benchmark::RegisterBenchmark((std::string("BM_Page/") + c.name).c_str(),
                                     [&c](benchmark::State &state) { runCase(state, c); })
            ->Arg(1000)
            ->Arg(10000)
            ->Complexity(benchmark::oN)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
