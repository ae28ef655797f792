#include "demo/movielistingsite.h"

#include "demo/demoserver.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

struct Category
{
    QString index;    // the index page's path
    QString titleDir; // where its titles' detail pages live
    QString name;
};

const QList<Category> &categories()
{
    static const QList<Category> list = {
        {u"/html/gndy/dyzz/index.html"_s, u"/html/gndy/dyzz/20131201/"_s, u"最新电影"_s},
        {u"/html/gndy/china/index.html"_s, u"/html/gndy/china/20131202/"_s, u"国产电影"_s},
        {u"/html/gndy/oumei/index.html"_s, u"/html/gndy/dyzz/20131203/"_s, u"欧美电影"_s},
        {u"/html/tv/hytv/index.html"_s, u"/html/tv/hytv/20131204/"_s, u"华语剧集"_s},
        {u"/html/tv/rihantv/index.html"_s, u"/html/tv/rihantv/20131205/"_s, u"日韩剧集"_s},
        {u"/html/dongman/index.html"_s, u"/html/dongman/20131206/"_s, u"动漫"_s},
    };
    return list;
}

QString titleOf(const Category &category, int n)
{
    return u"2013年"_s + category.name + u"《演示影片"_s + QString::number(n) + u"》BD中英双字"_s;
}

DemoResponse indexPage(const Category &category)
{
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"
                   "<title>"_s + category.name + u"</title></head>\r\n<body>\r\n<div class=\"co_content8\">\r\n"_s;
    for (int n = 1; n <= 25; ++n) {
        QString title = titleOf(category, n);
        if (n % 3 == 0)
            title = u"<font color=\"#FF0000\">"_s + title + u"</font>"_s;
        html += u"<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" class=\"tbspan\">\r\n"
                "<tr><td height=\"26\"><b><a href=\""_s + category.titleDir + QString::number(40000 + n)
                + u".html\" class=\"ulink\">"_s + title + u"</a></b></td></tr>\r\n"
                "<tr><td>日期：2013-12-"_s + QString::number(1 + n % 28)
                + u"</td></tr>\r\n<tr><td style=\"padding-left:3px\">&nbsp;</td></tr>\r\n</table>\r\n"_s;
    }
    html += u"</div>\r\n</body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

DemoResponse detailPage(const QString &path)
{
    const QString file = path.section(u'/', -1);
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"
                   "<title>影片下载</title></head>\r\n<body>\r\n<div id=\"Zoom\">\r\n<p>◎片　　名　演示影片</p>\r\n"_s;
    if (file != u"nolink.html"_s) {
        const QString address = u"ftp://movies.example:21/[演示]"_s + file.chopped(5) + u".mkv"_s;
        html += u"<table><tr><td style=\"WORD-WRAP: break-word\" bgcolor=\"#fdfddf\"><a href=\""_s + address
                + u"\">"_s + address + u"</a></td></tr></table>\r\n"_s;
    }
    html += u"</div>\r\n</body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

} // namespace

void registerMovieListingSite(DemoServer &server)
{
    server.addSite(u"movie_listing"_s, [](const DemoRequest &request) {
        for (const Category &category : categories()) {
            if (request.path == category.index)
                return indexPage(category);
        }
        static const QStringList trees = {u"/html/gndy/"_s, u"/html/tv/"_s, u"/html/dongman/"_s};
        for (const QString &tree : trees) {
            if (request.path.startsWith(tree) && request.path.endsWith(u".html"_s))
                return detailPage(request.path);
        }
        return DemoResponse::notFound();
    });
}
