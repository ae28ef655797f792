#include "demo/btmoviesection.h"

#include "demo/demoserver.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace {

constexpr int FullPages = 4;
constexpr int PerPage = 35;
constexpr int OnLastPage = 12;

QString nameOf(int id)
{
    return u"演示BT电影"_s + QString::number(id) + u" BD1280高清中字"_s;
}

DemoResponse listPage(int page)
{
    QString html = u"<html><head><meta charset=\"utf-8\"><title>BT电影下载</title></head>\r\n<body>\r\n<ul class=\"list\">\r\n"_s;
    const int movies = page <= FullPages ? PerPage : page == FullPages + 1 ? OnLastPage : 0;
    for (int k = 1; k <= movies; ++k) {
        const int id = page * 100 + k;
        html += u"<li><span class=\"date\">12-"_s + QString::number(1 + k % 28)
                + u"</span><a href=\"/Download/xiazai/dy"_s + QString::number(id) + u".html\" target=\"_blank\" title=\""_s + nameOf(id)
                + u"\">"_s + nameOf(id) + u"</a></li>\r\n"_s;
    }
    html += u"</ul>\r\n<div class=\"pages\"><a href=\"/Download/bt/dianying/"_s + QString::number(page + 1)
            + u"\">下一页</a></div>\r\n</body></html>"_s;
    return DemoResponse::html(html);
}

DemoResponse downloadPage(int id)
{
    QString html = u"<html><head><meta charset=\"utf-8\"><title>"_s + nameOf(id) + u"</title></head>\r\n<body>\r\n"_s;
    if (id != 0) {
        const QString hash =
            QString::fromLatin1(QCryptographicHash::hash(QByteArray::number(id), QCryptographicHash::Sha1).toHex());
        html += u"<div class=\"info\"><span class=\"t\">文件更新时间：2013-12-"_s
                + QString::asprintf("%02d", 1 + id % 28) + u"</span></div>\r\n"
                  "<textarea rows=\"3\" cols=\"80\" onclick=\"this.select()\">magnet:?xt=urn:btih:"_s
                + hash + u"&amp;dn=dy"_s + QString::number(id) + u"</textarea>\r\n"_s;
    }
    return DemoResponse::html(html + u"</body></html>"_s);
}

} // namespace

void registerBtMovieSection(DemoServer &server)
{
    server.addSite(u"emule"_s, [](const DemoRequest &request) {
        const QString list = u"/Download/bt/dianying"_s;
        if (request.path == list)
            return listPage(1);
        if (request.path.startsWith(list + u"/"_s)) {
            bool ok = false;
            const int page = request.path.mid(list.size() + 1).toInt(&ok);
            return ok && page > 0 ? listPage(page) : DemoResponse::notFound();
        }
        const QString download = u"/Download/xiazai/dy"_s;
        if (request.path.startsWith(download) && request.path.endsWith(u".html"_s)) {
            bool ok = false;
            const int id = request.path.mid(download.size()).chopped(5).toInt(&ok);
            return ok ? downloadPage(id) : DemoResponse::notFound();
        }
        return DemoResponse::notFound();
    });
}
