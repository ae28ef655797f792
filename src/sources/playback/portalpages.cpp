#include "sources/playback/portalpages.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
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

QString PortalPages::address(const SiteConfig &sites, const QString &option)
{
    const qsizetype at = options().indexOf(option);
    if (at < 0)
        return {};
    const SiteDefinition &definition = sites.definitions().get(u"video-portals"_s);
    return AddressTemplate::expand(definition.address(option.toLower()), {{u"base"_s, sites.portal(option)}});
}
