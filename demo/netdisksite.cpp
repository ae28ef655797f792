#include "demo/netdisksite.h"

#include "core/siteconfig.h"
#include "demo/demoserver.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// What each netdisk's page titles carry, so the program can tell them apart.
const QStringList &titleMarks()
{
    static const QStringList marks = {
        u"百度"_s,    u"华为"_s,   u"迅雷快传"_s, u"QQ旋风"_s, u"360云"_s,  u"千易"_s,
        u"盛大"_s,    u"爱问"_s,   u"CSDN"_s,     u"金山"_s,   u"千脑"_s,   u"城通"_s,
        u"400网盘"_s, u"纳米"_s,   u"迅载"_s,     u"共享盘_网盘_网络硬盘"_s, u"Good.gd"_s, u"163网盘"_s,
        u"VDISK"_s,   u"115网盘"_s, u"126免费网络"_s, u"RayFile"_s, u"酷牛"_s, u"天空网盘"_s,
    };
    return marks;
}

bool hasNoHits(int index)
{
    return index == 12 || index == 16 || index == 21;
}

int indexOfFilter(const QString &filter)
{
    for (int i = 0; i < 24; ++i) {
        if (demoNetdiskFilter(i) == filter)
            return i;
    }
    return -1;
}

QString jsonText(QString text)
{
    text.replace(u"\\"_s, u"\\\\"_s);
    text.replace(u"\""_s, u"\\\""_s);
    return text;
}

DemoResponse searchPage(const DemoRequest &request)
{
    // wd is "site:<filter> <keyword>"
    const QString wd = request.query.queryItemValue(u"wd"_s, QUrl::FullyDecoded);
    const QString site = wd.section(QLatin1Char(' '), 0, 0);
    const QString keyword = wd.section(QLatin1Char(' '), 1);
    const int index = site.startsWith(u"site:"_s) ? indexOfFilter(site.mid(5)) : -1;
    const int offset = request.query.queryItemValue(u"pn"_s).toInt();

    QString page = u"{\"query\":\""_s + jsonText(wd) + u"\",\"feed\":{\"entry\":["_s;
    // The search benchmark's load: every box full, every page 200 ms late.
    const bool full = index >= 0 && keyword.contains(u"基准"_s);
    const bool none = !full && (index < 0 || hasNoHits(index) || keyword.contains(u"无结果"_s) || keyword.isEmpty());
    if (!none) {
        const int hits = full ? 10 : 5 + index % 4;
        for (int k = 1; k <= hits; ++k) {
            const int number = offset + k;
            QString title = keyword + u" 合集"_s + QString::number(number) + u"_"_s + titleMarks().at(index)
                            + u"_免费高速下载"_s;
            if (k == hits && index == 3)
                title = keyword + u" 资料包"_s + QString::number(number) + u" - CSDN下载"_s;
            if (k == hits && index == 5)
                title = keyword + u" 无名分享"_s + QString::number(number);
            const QString token = QString::asprintf("%02d%04d", index, number);
            if (k > 1)
                page += u","_s;
            page += u"{\"title\":\""_s + jsonText(title) + u"\",\"url\":\""_s + request.siteBase
                    + u"/link?url="_s + token + u"\",\"size\":\""_s + QString::number(k * 37) + u"MB\"}"_s;
        }
    }
    page += u"]}}"_s;
    DemoResponse response = DemoResponse::text(page.toUtf8(), "application/json; charset=utf-8");
    if (keyword.contains(u"慢"_s))
        response.delayMs = 1500;
    if (full)
        response.delayMs = 200;
    // Later boxes answer sooner: the search must still list them in order.
    if (keyword.contains(u"倒序"_s) && index >= 0)
        response.delayMs = (23 - index) * 40;
    return response;
}

} // namespace

QString demoNetdiskFilter(int index)
{
    return QString::asprintf("pan%02d.netdisk.example", index);
}

void configureNetdiskDemo(SiteConfig &config)
{
    for (int i = 0; i < 24; ++i)
        config.setNetdiskFilter(i, demoNetdiskFilter(i));
}

void registerNetdiskSite(DemoServer &server)
{
    server.addSite(u"netdisk_search"_s, [](const DemoRequest &request) {
        if (request.path == u"/s"_s)
            return searchPage(request);
        if (request.path == u"/link"_s)
            return DemoResponse::redirect(request.siteBase + u"/file/"_s
                                          + request.query.queryItemValue(u"url"_s));
        if (request.path.startsWith(u"/file/"_s))
            return DemoResponse::html(u"<html><head><meta charset=\"utf-8\"><title>网盘文件</title></head>"
                                      "<body><h1>网盘文件 "_s
                                      + request.path.mid(6).toHtmlEscaped() + u"</h1></body></html>"_s);
        return DemoResponse::notFound();
    });
}
