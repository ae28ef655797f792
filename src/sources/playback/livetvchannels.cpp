#include "sources/playback/livetvchannels.h"

using namespace Qt::StringLiterals;

const QStringList &LiveTvChannels::names()
{
    static const QStringList list = {u"抢先看"_s,   u"电视剧"_s,   u"同步跟播"_s, u"综艺频道"_s, u"动漫频道"_s,
                                     u"音乐频道"_s, u"在线视频"_s, u"搞笑频道"_s, u"小品频道"_s, u"VIP频道"_s};
    return list;
}

const QStringList &LiveTvChannels::paths()
{
    static const QStringList list = {u"/qxk/livecn.swf"_s, u"/dsj/livecn.swf"_s,   u"/tb/livecn.swf"_s,
                                     u"/zy/livecn.swf"_s,  u"/dm/livecn.swf"_s,    u"/music/livecn.swf"_s,
                                     u"/sp/livecn.swf"_s,  u"/gx/livecn.swf"_s,    u"/xp/livecn.swf"_s,
                                     u"/vip/1.swf"_s};
    return list;
}

QString LiveTvChannels::address(const QString &base, int index)
{
    if (index < 0 || index >= paths().size())
        return {};
    return base + paths().at(index);
}
