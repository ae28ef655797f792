#include "sources/playback/portalpages.h"

#include "core/siteconfig.h"

using namespace Qt::StringLiterals;

const QString &PortalPages::startOption()
{
    static const QString option = u"Option3"_s;
    return option;
}

const QStringList &PortalPages::options()
{
    static const QStringList list = {u"Option1"_s, u"Option2"_s, u"Option3"_s, u"Option4"_s,
                                     u"Option5"_s, u"Option6"_s, u"Option8"_s};
    return list;
}

const QStringList &PortalPages::captions()
{
    static const QStringList list = {u"优酷视频"_s,   u"搜狐视频"_s, u"腾讯视频"_s, u"土豆视频"_s,
                                     u"爱奇艺视频"_s, u"乐视网"_s,   u"迅雷看看"_s};
    return list;
}

const QStringList &PortalPages::paths()
{
    // Option5's query and fragment (a percent-encoded word) belong to it.
    static const QStringList list = {u"/widget/qqplus/index.html"_s,
                                     u"/upload/sohuapp/index.html"_s,
                                     u"/qplus/"_s,
                                     u"/360api/index.php"_s,
                                     u"/mini/home800.html?app800&bd#pd%E9%A6%96%E9%A1%B5"_s,
                                     u"/cooperation/qq.html"_s,
                                     u"/channel_360_v2/zuixin.html"_s};
    return list;
}

QString PortalPages::address(const SiteConfig &sites, const QString &option)
{
    const qsizetype at = options().indexOf(option);
    if (at < 0)
        return {};
    return sites.portal(option) + paths().at(at);
}
