#include "demo/makersite.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "demo/demoserver.h"
#include "sources/playback/livetvchannels.h"
#include "sources/playback/portalpages.h"

#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString announcements(const QString &base)
{
    static const char16_t *titles[] = {u"聚源匣新版发布，欢迎体验", u"网盘搜索支持24家网盘",
                                       u"影音资源频道全面更新", u"在线播放已支持更多频道",
                                       u"感谢您一直以来的支持"};
    static const char16_t *colors[] = {u"red", u"blue", u"green", u"black", u"Red"};
    QString text;
    for (int i = 0; i < 5; ++i) {
        text += u"title:"_s + QString::fromUtf16(titles[i]) + u"|url: "_s + base + u"/news/"_s
                + QString::number(i + 1) + u".html |color: "_s + QString::fromUtf16(colors[i]) + u" |\r\n"_s;
    }
    return text;
}

DemoResponse page(const QString &title)
{
    return DemoResponse::gbkHtml(u"<html><head><title>"_s + title + u"</title></head><body><h1>"_s + title
                                 + u"</h1></body></html>"_s);
}

} // namespace

void registerMakerSite(DemoServer &server)
{
    server.addSite(u"maker"_s, [](const DemoRequest &request) {
        if (request.path == u"/version/gx.txt"_s)
            return DemoResponse::text("V2.0", "text/plain");
        if (request.path == u"/data/gg.txt"_s)
            return DemoResponse::text(gbk(announcements(request.siteBase)), "text/plain");
        if (request.path.startsWith(u"/news/"_s))
            return page(u"公告 "_s + request.path.mid(6));
        if (request.path == u"/"_s || request.path.isEmpty())
            return page(u"澄川官方网站"_s);
        return page(u"澄川 "_s + request.path);
    });
    server.addSite(u"live_tv"_s, [](const DemoRequest &request) {
        // The built-in channel addresses under an empty base are their paths.
        const SiteDefinition &liveTv = DefinitionCatalog::builtIns().get(u"live-tv"_s);
        qsizetype channel = 0;
        while (channel < LiveTvChannels::names().size()
               && LiveTvChannels::address(liveTv, QString(), int(channel)) != request.path)
            ++channel;
        if (channel == LiveTvChannels::names().size())
            return DemoResponse::notFound();
        return DemoResponse::html(u"<html><head><title>网络电视 - "_s + LiveTvChannels::names().at(channel)
                                  + u"</title></head><body style=\"background:#102040;color:white\"><h1>"_s
                                  + LiveTvChannels::names().at(channel) + u"</h1><p>直播画面 "_s + request.path
                                  + u"</p></body></html>"_s);
    });
    server.addSite(u"portal"_s, [](const DemoRequest &request) {
        // "/<option>/<page path>": one page per portal.
        const qsizetype slash = request.path.indexOf(u'/', 1);
        const QString option = request.path.mid(1, slash < 0 ? -1 : slash - 1);
        if (!PortalPages::options().contains(option))
            return DemoResponse::notFound();
        return DemoResponse::html(u"<html><head><title>视频门户 "_s + option + u"</title></head><body><h1>"_s
                                  + option + u"</h1><p>"_s + request.rawPath.toHtmlEscaped()
                                  + u"</p><script>alert('silent');</script></body></html>"_s);
    });
}

void configureMakerDemo(SiteConfig &config, const DemoServer &server)
{
    const QString base = server.siteBase(u"maker"_s);
    config.setPage(u"forum"_s, base + u"/forum/"_s);
    config.setPage(u"guestbook"_s, base + u"/guestbook/"_s);
    config.setPage(u"website"_s, base + u"/"_s);
    config.setPage(u"feedback"_s, base + u"/feedback/"_s);
    const QStringList pages = {u"program_site"_s, u"maker_page"_s, u"design_studio"_s, u"shop"_s,
                               u"contact"_s, u"site_page"_s, u"cloud_site"_s, u"discussion_group"_s,
                               u"tutorial"_s, u"download"_s};
    for (const QString &key : pages)
        config.setPage(key, base + u"/"_s + key + u"/"_s);
    for (int icon = 2; icon <= 6; ++icon) {
        config.setPage(u"share"_s + QString::number(icon),
                       base + u"/share"_s + QString::number(icon) + u"/?url={url}&title={title}"_s);
    }
    for (const QString &option : PortalPages::options())
        config.setPortal(option, server.siteBase(u"portal"_s) + u"/"_s + option);
}
