#include "demo/cloudsite.h"

#include "demo/demoserver.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

DemoResponse servicePage(const DemoRequest &request)
{
    const QString query = request.query.toString(QUrl::FullyDecoded);
    const qsizetype at = query.indexOf(u"url="_s);
    const QString address = at < 0 ? QString() : query.mid(at + 4);
    return DemoResponse::html(u"<html><head><meta charset=\"utf-8\"><title>澄川云点播</title></head><body>"
                              "<h1>澄川云点播</h1><p>正在为您播放：</p><p id=\"address\">"_s
                              + address.toHtmlEscaped() + u"</p></body></html>"_s);
}

DemoResponse samplePage(bool withLinks)
{
    QString html = u"<html><head><meta charset=\"utf-8\"><title>资源详情</title></head><body><h1>资源详情</h1>\n"_s;
    if (withLinks) {
        html += u"<p><a href=\"ed2k://|file|演示影片.CD1.rmvb|734003200|0123456789ABCDEF0123456789ABCDEF|/\">CD1</a></p>\n"
                "<p><a href=\"ed2k://|file|演示影片.CD2.rmvb|734003200|FEDCBA9876543210FEDCBA9876543210|/\">CD2</a></p>\n"_s;
    } else {
        html += u"<p>本资源暂无下载地址</p>\n"_s;
    }
    return DemoResponse::html(html + u"</body></html>"_s);
}

} // namespace

void registerCloudSite(DemoServer &server)
{
    server.addSite(u"cloud_on_demand"_s, [](const DemoRequest &request) {
        if (request.path == u"/api.php"_s)
            return servicePage(request);
        if (request.path == u"/sample/ed2k-two.html"_s)
            return samplePage(true);
        if (request.path == u"/sample/ed2k-none.html"_s)
            return samplePage(false);
        return DemoResponse::notFound();
    });
}
