#include "demo/qvodsites.h"

#include "demo/demomedia.h"
#include "demo/demomediaserver.h"
#include "core/siteconfig.h"
#include "demo/demoserver.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

constexpr int ChannelFullPages = 3;
constexpr int ChannelPageSize = 25;
constexpr int ChannelLastPageSize = 7;
constexpr int ListingPages = 5;
constexpr int ListingPageSize = 20;
constexpr int ResultPageSize = 10;

const QString &regions()
{
    static const QString names = u"大陆香港台湾美国日本韩国"_s;
    return names;
}

QString region(int id)
{
    return regions().mid((id % 6) * 2, 2);
}

DemoMediaServer *mediaServer(DemoServer &server)
{
    auto *media = server.findChild<DemoMediaServer *>();
    return media ? media : new DemoMediaServer(&server);
}

DemoResponse picture(const QString &path)
{
    static const QRegularExpression poster(u"^/(poster|images)/\\d+(-\\d)?\\.png$"_s);
    if (poster.match(path).hasMatch())
        return DemoResponse::text(DemoMedia::posterPng(), "image/png");
    return DemoResponse::notFound();
}

QString playerTable(const QString &family, const QString &address)
{
    return u"<!--"_s + family + u"地址开始--><table cellpadding=\"0\" cellspacing=\"0\" border=\"0\"><tr><td>"_s
           + address + u"</td></tr></table><!--"_s + family + u"地址结束-->\n"_s;
}

DemoResponse channelList(int page)
{
    const int count = page >= 1 && page <= ChannelFullPages ? ChannelPageSize
                      : page == ChannelFullPages + 1        ? ChannelLastPageSize
                                                            : 0;
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
                   "<title>最新影片</title></head><body>\n<div class=\"mlist\"> <ul>\n"_s;
    for (int i = 1; i <= count; ++i) {
        const int id = (page - 1) * ChannelPageSize + i;
        const QString link = u"/content/detail_"_s + QString::number(id) + u".html"_s;
        QString title = u"频道影片"_s + QString::number(id);
        if (i % 3 == 0)
            title += u"<font color=\"red\">新</font>"_s;
        html += u"<li><div class=\"c_pic\"><a href=\""_s + link + u"\"><img src=\"/poster/"_s + QString::number(id)
                + u".png\"></a></div><div class=\"c_contentcj\"><a href=\""_s + link + u"\">"_s + title
                + u"</a></div></li>\n"_s;
    }
    html += u"</ul></div>\n<div class=\"pages\">第"_s + QString::number(page) + u"页</div></body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

DemoResponse channelDetail(int id, const QString &mediaAddress)
{
    const QString number = QString::number(id);
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
                   "<title>频道影片"_s + number + u"</title></head><body>\n"_s;
    html += u"<div class=\"poster\"><!--海报开始--><img src=\"/poster/"_s + number + u".png\" /><!--海报结束--></div>\n"_s;
    html += playerTable(u"迅播高清1"_s, u"http://xunbo.example/"_s + number + u".mkv"_s);
    if (id % 5 != 2)
        html += playerTable(u"ＱＱ影音2"_s, u"qqlive://"_s + number + u"|频道影片"_s + number + u".rmvb|"_s);
    html += playerTable(u"百度影音5"_s, u"bdhd://"_s + number + u"|频道影片"_s + number + u".rmvb|"_s);
    html += playerTable(u"快播资源4"_s, mediaAddress);
    html += u"</body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

QString searchRow(const QString &marker, int id, const QString &title)
{
    const QString number = QString::number(id);
    return u"<tr bgcolor=\""_s + marker + u"\"><td><a href=\"/vod-detail-id-"_s + number + u".html\">"_s + title
           + u"</a></td><td><a href=\"/vod-type-id-"_s + QString::number(1 + id % 4) + u".html\">"_s
           + QStringList{u"电影"_s, u"电视剧"_s, u"动漫"_s, u"综艺"_s}.at(id % 4)
           + u"</a></td><td><font color=\"#3D709E\">"_s + region(id)
           + u"</font></td><td><font color=\"#008000\">2013-12-"_s + QString::number(10 + id % 18)
           + u"</font></td></tr>\n"_s;
}

DemoResponse listingPage(int page)
{
    QString html = u"<html><head><meta charset=\"utf-8\"><title>影片列表</title></head><body><table>\n"_s;
    const int rows = page >= 1 && page < ListingPages ? ListingPageSize : page == ListingPages ? 18 : 0;
    for (int i = 1; i <= rows; ++i) {
        const int id = (page - 1) * ListingPageSize + i;
        html += searchRow(u"#f5fef7"_s, id, u"列表影片"_s + QString::number(id));
    }
    html += u"</table>\n"_s;
    if (page == ListingPages)
        html += u"<p><font color=\"#008000\">绿色</font>为今日更新，<font color=\"#008000\">日期</font>为上架日</p>\n"_s;
    html += u"</body></html>"_s;
    return DemoResponse::html(html);
}

DemoResponse resultPage(const QString &keyword, int page)
{
    QString html = u"<html><head><meta charset=\"utf-8\"><title>搜索结果</title></head><body>\n"_s;
    if (keyword.contains(u"无结果"_s))
        return DemoResponse::html(html + u"<div class=\"none\">对不起，没有搜索到相关影片</div></body></html>"_s);
    if (page > 1 && keyword.contains(u"断页"_s)) {
        DemoResponse broken;
        broken.status = 500;
        broken.body.clear();
        return broken;
    }
    static const QRegularExpression trailing(u"(\\d+)$"_s);
    const QRegularExpressionMatch number = trailing.match(keyword);
    const int total = number.hasMatch() ? number.captured(1).toInt() : 25;
    const int pages = qMax(1, (total + ResultPageSize - 1) / ResultPageSize);
    html += u"<div class=\"count\">共"_s + QString::number(total) + u"部 当前:"_s + QString::number(page) + u"/"_s
            + QString::number(pages) + u"页</div>\n<table>\n"_s;
    const int first = (page - 1) * ResultPageSize + 1;
    const int last = qMin(total, page * ResultPageSize);
    for (int i = first; i <= last && page <= pages; ++i)
        html += searchRow(u"#F5FAFE"_s, 1000 + i, keyword.toHtmlEscaped() + u" 结果"_s + QString::number(i));
    html += u"</table></body></html>"_s;
    return DemoResponse::html(html);
}

DemoResponse searchDetail(int id, const QString &mediaAddress)
{
    const QString number = QString::number(id);
    QString html = u"<html><head><meta charset=\"utf-8\"><title>影片"_s + number + u"</title></head><body>\n"_s;
    html += u"<img src=\"/images/logo.png\"><img src=\"/images/"_s + number + u"-1.png\">\n"_s;
    html += u"<img src=\"/images/"_s + number + u"-2.png\" class=\"preview\">\n<form>\n"_s;
    const int values = id % 10 == 3 ? 4 : 5;
    for (int v = 1; v < values; ++v)
        html += u"<input type=\"hidden\" name=\"f"_s + QString::number(v) + u"\" value=\""_s + QString::number(v) + u"\">\n"_s;
    if (values == 5)
        html += u"<input type=\"text\" name=\"file\" value=\""_s + mediaAddress + u"\">\n"_s;
    html += u"</form>\n<ul>\n"_s;
    const QString first = u"qvod://1"_s + number + u"|A1B2C3|影片"_s + number + u"上.rmvb|"_s;
    const QString second = u"qvod://2"_s + number + u"|D4E5F6|影片"_s + number + u"下.rmvb|"_s;
    for (const QString &address : {first, second, first})
        html += u"<li><a href=\""_s + address + u"\">"_s + address + u"</a></li>\n"_s;
    html += u"</ul></body></html>"_s;
    return DemoResponse::html(html);
}

int numberIn(const QRegularExpressionMatch &match)
{
    return match.captured(1).toInt();
}

} // namespace

void registerQvodChannelSite(DemoServer &server)
{
    const QString mediaAddress = mediaServer(server)->mediaAddress();
    server.addSite(u"qvod_channel"_s, [mediaAddress](const DemoRequest &request) {
        static const QRegularExpression list(u"^/channel/list_0_(\\d+)\\.html$"_s);
        static const QRegularExpression detail(u"^/content/detail_(\\d+)\\.html$"_s);
        if (const auto match = list.match(request.path); match.hasMatch())
            return channelList(numberIn(match));
        if (const auto match = detail.match(request.path); match.hasMatch())
            return channelDetail(numberIn(match), mediaAddress);
        if (request.path == u"/download/"_s)
            return DemoResponse::gbkHtml(u"<html><head><title>快播下载</title></head><body>"
                                         "<h1>快播播放器下载</h1></body></html>"_s);
        return picture(request.path);
    });
}

void registerQvodSearchSite(DemoServer &server)
{
    const QString mediaAddress = mediaServer(server)->mediaAddress();
    server.addSite(u"qvod_search"_s, [mediaAddress](const DemoRequest &request) {
        static const QRegularExpression listing(u"^/vod-show-p(?:-(\\d+))?\\.html$"_s);
        static const QRegularExpression search(u"^/vod-search-wd-(.*)-p(?:-(\\d+))?\\.html$"_s);
        static const QRegularExpression detail(u"^/vod-detail-id-(\\d+)\\.html$"_s);
        if (const auto match = listing.match(request.path); match.hasMatch())
            return listingPage(match.hasCaptured(1) ? numberIn(match) : 1);
        if (const auto match = search.match(request.path); match.hasMatch())
            return resultPage(match.captured(1), match.hasCaptured(2) ? match.captured(2).toInt() : 1);
        if (const auto match = detail.match(request.path); match.hasMatch())
            return searchDetail(numberIn(match), mediaAddress);
        return picture(request.path);
    });
}

void configureQvodDemo(SiteConfig &config, const DemoServer &server)
{
    config.setPage(u"qvod_player_download"_s, server.siteBase(u"qvod_channel"_s) + u"/download/"_s);
}
