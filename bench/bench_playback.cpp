#include "core/definitioncatalog.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/qvodsearchparser.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString channelPage(int entries)
{
    QString page = u"<html><body><div class=\"mlist\"> <ul>"_s;
    for (int i = 0; i < entries; ++i) {
        const QString link = u"/content/detail_"_s + QString::number(i) + u".html"_s;
        page += u"<li><div class=\"c_pic\"><a href=\""_s + link + u"\"><img src=\"/p.jpg\"></a></div>"
                "<div class=\"c_contentcj\"><a href=\""_s + link + u"\">影片"_s + QString::number(i)
                + u"</a></div>"_s + QString(100, u'x') + u"</li>"_s;
    }
    return page + u"</ul></div></body></html>"_s;
}

QString resultPages(int rows)
{
    QString page = u"<div>共"_s + QString::number(rows) + u"部 当前:1/1页</div><table>"_s;
    for (int i = 0; i < rows; ++i) {
        page += u"<tr bgcolor=\"#F5FAFE\"><td><a href=\"/vod-detail-id-"_s + QString::number(i)
                + u".html\">结果</a></td><td><a href=\"/t.html\">电影</a></td><td><font color=\"#3D709E\">大陆</font>"
                  "</td><td><font color=\"#008000\">2013-12-01</font></td></tr>"_s;
    }
    return page + u"</table>"_s;
}

void BM_QvodChannelParse(benchmark::State &state)
{
    const int entries = int(state.range(0));
    const QString page = channelPage(entries);
    const SiteDefinition &channel = DefinitionCatalog::builtIns().get(u"qvod-channel"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseChannelPage(channel, page, u"http://c.example"_s, entries));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_QvodChannelParse)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

void BM_QvodResultParse(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString page = resultPages(rows);
    const SiteDefinition &search = DefinitionCatalog::builtIns().get(u"qvod-search"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseQvodRows(search, page, u"http://s.example"_s, qvodResultCount(search, page)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_QvodResultParse)->RangeMultiplier(4)->Range(16, 16384)->Complexity(benchmark::oN);

} // namespace
