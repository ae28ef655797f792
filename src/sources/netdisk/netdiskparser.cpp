#include "sources/netdisk/netdiskparser.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

namespace {

struct LabelTest
{
    QStringList needles; // any of them
    QString label;
};

const QList<LabelTest> &labelTests()
{
    // Order matters: the first test that passes gives the label.
    static const QList<LabelTest> tests = {
        {{u"百度"_s}, u"百度网盘"_s},
        {{u"华为"_s, u"网盘|网盘资源|网盘外链|资源下载"_s}, u"华为网盘"_s},
        {{u"迅雷快传"_s}, u"迅雷快传"_s},
        {{u"QQ旋风"_s}, u"QQ旋风"_s},
        {{u"360云"_s}, u"360网盘"_s},
        {{u"千易"_s, u"1000eb"_s}, u"千易网盘"_s},
        {{u"盛大"_s}, u"盛大网盘"_s},
        {{u"爱问"_s}, u"爱问共享"_s},
        {{u"CSDN"_s}, u"CSDN资源"_s},
        {{u"金山"_s}, u"金山网盘"_s},
        {{u"千脑"_s}, u"千脑网盘"_s},
        {{u"城通"_s}, u"城通网盘"_s},
        {{u"400网盘"_s}, u"400网盘"_s},
        {{u"纳米"_s}, u"纳米网盘"_s},
        {{u"迅载"_s}, u"迅载网盘"_s},
        {{u"共享盘_网盘_网络硬盘"_s}, u"GXP网盘"_s},
        {{u"Good.gd"_s}, u"GOOD.GD"_s},
        {{u"163网盘"_s}, u"163网盘"_s},
        {{u"VDISK"_s}, u"Vdisk网盘"_s},
        {{u"115网盘"_s}, u"115网盘"_s},
        {{u"126免费网络"_s}, u"126网盘"_s},
        {{u"RayFile"_s}, u"RayFile"_s},
        {{u"酷牛"_s}, u"酷牛网盘"_s},
        {{u"天空网盘"_s}, u"天空网盘"_s},
    };
    return tests;
}

const QString &titleMarker()
{
    static const QString marker = u"\"title\":\""_s;
    return marker;
}

const QString &addressMarker()
{
    static const QString marker = u"\"url\":\""_s;
    return marker;
}

QString fieldOf(const MarkerPieces &pieces, qsizetype n)
{
    return removeAll(cutBefore(pieces.piece(n), u"\""), u"\"");
}

} // namespace

const QStringList &netdiskCaptions()
{
    static const QStringList captions = {
        u"百度网盘"_s, u"华为网盘"_s, u"迅雷快传"_s, u"QQ旋风"_s,   u"360网盘"_s, u"千易网盘"_s,
        u"盛大网盘"_s, u"爱问共享"_s, u"CSDN资源"_s, u"金山网盘"_s, u"千脑网盘"_s, u"城通网盘"_s,
        u"400网盘"_s,  u"纳米网盘"_s, u"迅载网盘"_s, u"GXP 网盘"_s, u"GOOD.GD"_s,  u"163网盘"_s,
        u"Vdisk盘"_s,  u"115网盘"_s,  u"126网盘"_s,  u"RayFile"_s,  u"酷牛网盘"_s, u"天空网盘"_s,
    };
    return captions;
}

qsizetype countNetdiskHits(const QString &body)
{
    return countFrom(body, titleMarker());
}

QList<NetdiskHit> parseNetdiskPage(const QString &body, qsizetype count)
{
    const MarkerPieces titles(body, titleMarker());
    const MarkerPieces addresses(body, addressMarker());
    if (count < 0)
        count = titles.size() - 1;
    QList<NetdiskHit> hits;
    hits.reserve(count);
    for (qsizetype n = 1; n <= count; ++n) {
        NetdiskHit hit{fieldOf(titles, n), fieldOf(addresses, n)};
        // A hit with nothing cut carries nothing to show.
        if (!hit.title.isEmpty() || !hit.address.isEmpty())
            hits.append(std::move(hit));
    }
    return hits;
}

QString netdiskLabel(const QString &title)
{
    for (const LabelTest &test : labelTests()) {
        for (const QString &needle : test.needles) {
            if (title.contains(needle))
                return test.label;
        }
    }
    return {};
}

ListRow netdiskListRow(const NetdiskHit &hit, const QString &boxCaption)
{
    const QString label = netdiskLabel(hit.title);
    return {label.isEmpty() ? boxCaption : label, {{u"mc"_s, hit.title}, {u"dz"_s, hit.address}}};
}

QString netdiskSearchAddress(const QString &siteBase, const QString &filter, const QString &encodedKeyword,
                             const QString &pageText)
{
    return siteBase + u"/s?wd=site%3A"_s + filter + u"%20"_s + encodedKeyword + u"&pn="_s + pageText
           + u"&rn=50&ie=utf-8&rsv_page=1"_s;
}
