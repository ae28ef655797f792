#include "sources/playback/livetvchannels.h"

#include "core/addresstemplate.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

const QStringList &LiveTvChannels::names()
{
    static const QStringList list = {u"抢先看"_s,   u"电视剧"_s,   u"同步跟播"_s, u"综艺频道"_s, u"动漫频道"_s,
                                     u"音乐频道"_s, u"在线视频"_s, u"搞笑频道"_s, u"小品频道"_s, u"VIP频道"_s};
    return list;
}

const QStringList &LiveTvChannels::addressNames()
{
    static const QStringList list = {u"preview"_s, u"drama"_s,        u"in_sync"_s, u"variety"_s, u"anime"_s,
                                     u"music"_s,   u"online_video"_s, u"comedy"_s,  u"sketch"_s,  u"vip"_s};
    return list;
}

QString LiveTvChannels::address(const SiteDefinition &definition, const QString &base, int index)
{
    if (index < 0 || index >= addressNames().size())
        return {};
    return AddressTemplate::expand(definition.address(addressNames().at(index)), {{u"base"_s, base}});
}
