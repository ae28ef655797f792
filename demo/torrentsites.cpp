#include "demo/torrentsites.h"

#include "demo/demoserver.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString hashOf(const QString &seed)
{
    return QString::fromLatin1(QCryptographicHash::hash(seed.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// A page number as such a site reads it: anything but a positive whole
// number is page 1.
int pageOf(const QString &text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    return ok && page > 0 ? page : 1;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString dateOf(int number)
{
    return QString::asprintf("2013-12-%02d", 1 + number % 28);
}

QString sizeOf(int number)
{
    return QString::asprintf("%d.%d GB", 1 + number % 4, number % 10);
}

QString magnetOf(const QString &hash, const QString &name)
{
    return u"magnet:?xt=urn:btih:"_s + hash + u"&dn="_s + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

// --- torrent search ---------------------------------------------------------

constexpr int TorrentHits = 25;
constexpr int TorrentsPerPage = 10;

DemoResponse torrentSearchPage(const QString &keyword, int page)
{
    QString html = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s + escaped(keyword)
                   + u" - 种子搜索</title></head>\n<body>\n<div class=\"search\">"_s;
    const int first = (page - 1) * TorrentsPerPage + 1;
    const int last = qMin(page * TorrentsPerPage, TorrentHits);
    if (keyword.contains(u"无结果"_s) || first > last) {
        html += u"<p class=\"empty\">没有找到与“"_s + escaped(keyword) + u"”相关的种子。</p></div></body></html>"_s;
        return DemoResponse::html(html);
    }
    html += u"<p>找到 "_s + QString::number(TorrentHits) + u" 个种子</p>\n<table class=\"data\">\n"
            "<tr><th>名称</th><th>大小</th><th>日期</th><th>下载</th></tr>\n"_s;
    for (int n = first; n <= last; ++n) {
        const QString name = keyword + u" 第"_s + QString::number(n) + u"集 1080P"_s;
        const QString hash = hashOf(keyword + QString::number(n));
        html += u"<tr><td class=\"name\">"_s + escaped(name) + u"</td><td class=\"size\">"_s + sizeOf(n)
                + u"</td><td class=\"date\">"_s + dateOf(n) + u"</td><td><a href=\"/information/"_s + hash
                + u"\">详情</a> <a href=\""_s + magnetOf(hash, name)
                + u"\">磁力链接</a></td></tr>\n"_s;
    }
    html += u"</table>\n<div class=\"pages\">第 "_s + QString::number(page) + u" 页</div></div></body></html>"_s;
    return DemoResponse::html(html);
}

// --- RSS feed ----------------------------------------------------------------

constexpr int FeedItems = 6;

DemoResponse rssFeed(const QString &keyword, const QString &base)
{
    QString xml = u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\">\n<channel>\n"
                  "<title><![CDATA[种子订阅 - "_s
                  + keyword + u"]]></title>\n<link>"_s + base + u"/</link>\n"
                  "<description><![CDATA[最新种子]]></description>\n"
                  "<lastBuildDate>Sun, 01 Dec 2013 12:00:00 +0800</lastBuildDate>\n"_s;
    if (!keyword.contains(u"无结果"_s)) {
        for (int n = 1; n <= FeedItems; ++n) {
            const QString hash = hashOf(u"rss"_s + keyword + QString::number(n));
            xml += u"<item>\n<title><![CDATA["_s + keyword + u" 合集"_s + QString::number(n)
                   + u"]]></title>\n<link>"_s + base + u"/details/"_s + hash + u"</link>\n"
                   "<description><![CDATA[<b>Size: "_s + sizeOf(n) + u"</b><br/>Seeds: "_s + QString::number(n * 7)
                   + u"]]></description>\n<enclosure url=\""_s + base + u"/torrent/"_s + hash
                   + u".torrent\" length=\"321\" type=\"application/x-bittorrent\" />\n<pubDate>"_s
                   + QString::asprintf("Sun, %02d Dec 2013 12:00:00 +0800", n) + u"</pubDate>\n</item>\n"_s;
        }
    }
    xml += u"</channel>\n</rss>\n"_s;
    return DemoResponse::text(xml.toUtf8(), "application/rss+xml; charset=utf-8");
}

QByteArray torrentFile(const QString &hash)
{
    const QByteArray tracker = "http://tracker.example/announce";
    const QByteArray name = "demo-" + hash.toLatin1() + ".bin";
    return "d8:announce" + QByteArray::number(tracker.size()) + ':' + tracker + "4:infod6:lengthi1024e4:name"
           + QByteArray::number(name.size()) + ':' + name + "12:piece lengthi16384eee";
}

// --- magnet search -----------------------------------------------------------

constexpr int MagnetHits = 20;
constexpr int MagnetsPerPage = 8;

DemoResponse magnetSearchPage(const QString &keyword, int page)
{
    QString html = u"<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>"_s + escaped(keyword)
                   + u" - 磁力搜索</title></head>\r\n<body>\r\n"_s;
    if (keyword.contains(u"无结果"_s))
        return DemoResponse::html(html + u"<div class=\"m-none\">没有找到任何结果</div></body></html>"_s);
    if (keyword.contains(u"零结果"_s))
        return DemoResponse::html(html + u"<div class=\"m-count\">找到 <strong>0</strong>个结果</div></body></html>"_s);
    html += u"<div class=\"m-count\">找到 <strong>"_s + QString::number(MagnetHits) + u"</strong>个结果</div>\r\n"_s;
    const int first = (page - 1) * MagnetsPerPage + 1;
    const int last = qMin(page * MagnetsPerPage, MagnetHits);
    for (int n = first; n <= last; ++n) {
        const QString name = keyword + u" 高清合集 "_s + QString::number(n);
        const QString hash = hashOf(u"magnet"_s + keyword + QString::number(n));
        const QString link = n == last ? u"magnet:?xt=urn:btih:"_s + hash : magnetOf(hash, name);
        html += u"<div class=\"m-item\">\r\n<ul class=\"m-files-ul\">\r\n<li>"_s + escaped(name)
                + u"<span class=\"m-files-size\">"_s + QString::number(1 + n % 5) + u"个文件</span></li>\r\n</ul>\r\n"
                  "<ul class=\"m-meta-ul\"><li><p class=\"m-meta\">创建时间: "_s + dateOf(n)
                + u"&nbsp;&nbsp;大小: "_s + sizeOf(n) + u"&nbsp;&nbsp;<a href=\""_s + link
                + u"\">磁力链接</a></p></li></ul>\r\n</div>\r\n"_s;
    }
    html += u"<div class=\"m-page\">第"_s + QString::number(page) + u"页</div>\r\n</body></html>"_s;
    return DemoResponse::html(html);
}

// --- resource release --------------------------------------------------------

constexpr int ReleaseHits = 12;
constexpr int ReleasesPerPage = 5;

DemoResponse resourceReleasePage(const QString &keyword, int page)
{
    QString html = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s + escaped(keyword)
                   + u" - 资源发布</title></head>\n<body>\n"_s;
    if (keyword.contains(u"无结果"_s))
        return DemoResponse::html(html + u"<div class=\"count\">共 <strong>0</strong>个结果</div></body></html>"_s);
    html += u"<div class=\"count\">共 <strong>"_s + QString::number(ReleaseHits) + u"</strong>个结果</div>\n"_s;
    const QString prefix = keyword.contains(u"慢速"_s) ? u"s"_s : keyword.contains(u"倒序"_s) ? u"r"_s : u"d"_s;
    const int first = (page - 1) * ReleasesPerPage + 1;
    const int last = qMin(page * ReleasesPerPage, ReleaseHits);
    for (int n = first; n <= last; ++n) {
        const QString id = prefix + hashOf(u"release"_s + keyword).left(8) + u"n"_s + QString::number(n)
                           + (n - first == 3 ? u"x"_s : QString());
        html += u"<div class=\"item\">\n<div class=\"name\"><font class=\"num\">"_s + QString::number(n)
                + u".</font><a href=\"/detail/"_s + id + u".html\" target=\"_blank\"><font color=\"red\">"_s
                + escaped(keyword) + u"</font> 资源 "_s + QString::number(n) + u"</a></div>\n<p>发布:"_s
                + dateOf(n) + u"</p>\n</div>\n"_s;
    }
    html += u"</body></html>"_s;
    return DemoResponse::html(html);
}

// Ids ending in "x" have lost their download.
DemoResponse resourceReleaseDetail(const QString &id)
{
    QString html = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>资源详情</title></head>\n<body>\n"
                   "<h1>资源 "_s + escaped(id) + u"</h1>\n"_s;
    if (id.endsWith(u'x'))
        html += u"<p>资源已失效</p>\n"_s;
    else
        html += u"<a class=\"bnt-0 resource-download-name\"  data-download-type=\"1\" target='blank' href=\""
                "magnet:?xt=urn:btih:"_s + hashOf(id) + (id.startsWith(u'r') ? u"&dn="_s + id : QString())
                + u"\">磁力下载</a>\n"_s;
    html += u"</body></html>"_s;
    DemoResponse response = DemoResponse::html(html);
    if (id.startsWith(u's'))
        response.delayMs = 400;
    // Later items answer sooner: the rows must still come in page order.
    if (id.startsWith(u'r'))
        response.delayMs = qMax(0, 10 - id.section(u'n', -1).toInt()) * 60;
    return response;
}

// --- movie resource ----------------------------------------------------------

constexpr int TitlesPerPage = 30;
constexpr int DefaultTitles = 45;

int movieTotal(const QString &keyword)
{
    static const QRegularExpression trailingNumber(u"(\\d+)$"_s);
    const QRegularExpressionMatch match = trailingNumber.match(keyword);
    return match.hasMatch() ? match.captured(1).left(6).toInt() : DefaultTitles;
}

DemoResponse movieResourcePage(const QString &keyword, int page)
{
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                   "<title>影视资源搜索</title></head>\r\n<body>\r\n"_s;
    const int total = movieTotal(keyword);
    if (keyword.contains(u"无此片"_s) || total == 0) {
        html += u"<div class=\"none\">没有符合属性的影片</div>\r\n</body></html>"_s;
        return DemoResponse::gbkHtml(html);
    }
    const QString stat = u"搜索“"_s + escaped(keyword) + u"”，共有"_s + QString::number(total) + u"部，当前第"_s
                         + QString::number(page) + u"页"_s;
    html += u"<div class=\"stat\">"_s + stat + u"</div>\r\n<table class=\"list\">\r\n"
            "<tr><td>序号</td><td>名称</td><td>地区</td><td>更新时间</td></tr>\r\n"_s;
    static const char16_t *regions[] = {u"大陆", u"香港", u"欧美", u"日韩"};
    const int first = (page - 1) * TitlesPerPage + 1;
    const int last = qMin(page * TitlesPerPage, total);
    for (int n = first; n <= last; ++n) {
        const QString name = escaped(keyword + u" 第"_s + QString::number(n) + u"部"_s);
        html += u"<tr><td class=\"l1\">"_s + QString::number(n) + u"</td><td class=\"l2\"><a href=\"detail.asp?ID="_s
                + QString::number(1000 + n) + u"\" title=\""_s + name + u"\">"_s + name
                + u"</a></td><td class=\"l3\"><a href=\"index.asp?RegionID="_s + QString::number(1 + n % 4)
                + u"\">"_s + QString::fromUtf16(regions[n % 4]) + u"</a></td><td class=\"l6 \">"_s + dateOf(n)
                + u"</td></tr>\r\n"_s;
    }
    html += u"</table>\r\n<div class=\"pager\">"_s + stat + u"</div>\r\n</body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

// Three episode links, the first listed twice; a title whose number ends
// in 5 or 0 has none.
DemoResponse movieResourceDetail(const QString &id)
{
    const QString number = id.trimmed();
    QString html = u"<html><head><title>影片详情</title></head><body><h1>影片 "_s + escaped(number) + u"</h1>\r\n"_s;
    if (!number.endsWith(u'5') && !number.endsWith(u'0')) {
        const QString hash = hashOf(number).left(40).toUpper();
        html += u"<ul class=\"qvod\">\r\n"_s;
        for (int episode : {1, 2, 1, 3}) {
            const QString address = u"qvod://"_s + QString::number(300000000 + episode) + u"|"_s + hash
                                    + u"|影片"_s + escaped(number) + u"第"_s + QString::number(episode) + u"集.rmvb|"_s;
            html += u"<li><a href=\"javascript:void(0)\">"_s + address + u"</a></li>\r\n"_s;
        }
        html += u"</ul>\r\n"_s;
    }
    return DemoResponse::gbkHtml(html + u"</body></html>"_s);
}

} // namespace

void registerTorrentSearchSite(DemoServer &server)
{
    server.addSite(u"torrent_search"_s, [](const DemoRequest &request) {
        if (request.path.startsWith(u"/search/"_s)) {
            const QString rest = request.path.mid(8);
            const qsizetype slash = rest.lastIndexOf(u'/');
            if (slash < 0)
                return torrentSearchPage(rest, 1);
            return torrentSearchPage(rest.left(slash), pageOf(rest.mid(slash + 1)));
        }
        if (request.path.startsWith(u"/information/"_s)) {
            const QString hash = escaped(request.path.mid(13));
            return DemoResponse::html(u"<html><head><meta charset=\"utf-8\"><title>种子信息</title></head><body>"
                                      "<h1>种子 "_s + hash + u"</h1></body></html>"_s);
        }
        return DemoResponse::notFound();
    });
}

void registerRedesignedTorrentSearchSite(DemoServer &server)
{
    // The same answers, with the name cell's class renamed: what a site's
    // redesign does to a built-in definition.
    server.addSite(u"torrent_search_redesign"_s, [](const DemoRequest &request) {
        if (!request.path.startsWith(u"/search/"_s))
            return DemoResponse::notFound();
        const QString rest = request.path.mid(8);
        const qsizetype slash = rest.lastIndexOf(u'/');
        DemoResponse response = slash < 0 ? torrentSearchPage(rest, 1)
                                          : torrentSearchPage(rest.left(slash), pageOf(rest.mid(slash + 1)));
        response.body.replace("<td class=\"name\">", "<td class=\"title\">");
        return response;
    });
}

void registerRssFeedSite(DemoServer &server)
{
    server.addSite(u"rss_feed"_s, [](const DemoRequest &request) {
        if (request.path.startsWith(u"/rss/"_s)) {
            QString keyword = request.path.mid(5);
            if (keyword.endsWith(u'/'))
                keyword.chop(1);
            return rssFeed(keyword, request.siteBase);
        }
        if (request.path.startsWith(u"/torrent/"_s) && request.path.endsWith(u".torrent"_s)) {
            const QString hash = request.path.mid(9).chopped(8);
            return DemoResponse::text(torrentFile(hash), "application/x-bittorrent");
        }
        return DemoResponse::notFound();
    });
}

void registerMagnetSearchSite(DemoServer &server)
{
    server.addSite(u"magnet_search"_s, [](const DemoRequest &request) {
        if (request.path != u"/"_s || !request.query.hasQueryItem(u"s"_s))
            return DemoResponse::html(u"<html><head><meta charset=\"utf-8\"><title>磁力搜索</title></head>"
                                      "<body><form action=\"/\"><input name=\"s\"></form></body></html>"_s);
        return magnetSearchPage(request.query.queryItemValue(u"s"_s, QUrl::FullyDecoded),
                                pageOf(request.query.queryItemValue(u"p"_s)));
    });
}

void registerResourceReleaseSite(DemoServer &server)
{
    server.addSite(u"resource_release"_s, [](const DemoRequest &request) {
        if (request.path.startsWith(u"/search/"_s))
            return resourceReleasePage(request.path.mid(8), pageOf(request.query.queryItemValue(u"page"_s)));
        if (request.path.startsWith(u"/detail/"_s) && request.path.endsWith(u".html"_s))
            return resourceReleaseDetail(request.path.mid(8).chopped(5));
        return DemoResponse::notFound();
    });
}

void registerMovieResourceSite(DemoServer &server)
{
    server.addSite(u"movie_resource"_s, [](const DemoRequest &request) {
        if (request.path == u"/index.asp"_s)
            return movieResourcePage(request.query.queryItemValue(u"keyword"_s, QUrl::FullyDecoded),
                                     pageOf(request.query.queryItemValue(u"page"_s)));
        if (request.path == u"/detail.asp"_s)
            return movieResourceDetail(request.query.queryItemValue(u"ID"_s, QUrl::FullyDecoded));
        return DemoResponse::notFound();
    });
}
