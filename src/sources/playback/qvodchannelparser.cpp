#include "sources/playback/qvodchannelparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// The text up to and including the "<" that begins `end`; empty when `end`
// is missing.
QString cutThroughStart(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

// The text up to and including the first double quote, quotes removed.
QString cutAtQuote(QStringView text)
{
    const qsizetype at = text.indexOf(u'"');
    return at < 0 ? QString() : text.left(at).toString();
}

QString tableAddress(const QString &page, const QString &comment)
{
    static const QString table = u"<table cellpadding=\"0\" cellspacing=\"0\" border=\"0\"><tr><td>"_s;
    const MarkerPieces pieces(page, comment + table);
    if (!pieces.has(1))
        return {};
    return removeAll(cutThroughStart(pieces.piece(1), u"</td>"), u"<");
}

} // namespace

QString channelListAddress(const QString &siteBase, int page)
{
    return siteBase + u"/channel/list_0_"_s + QString::number(page) + u".html"_s;
}

QList<ChannelEntry> parseChannelPage(const QString &page, const QString &siteBase, int count)
{
    static const QString listStart = u"<div class=\"mlist\"> <ul>"_s;
    const qsizetype start = markerIndex(page, listStart);
    QString region;
    if (start >= 0)
        region = cutThroughStart(QStringView(page).mid(start), u"</ul>");
    region = preg(region, u"</?a[^<>]*>"_s);

    const MarkerPieces names(region, u"c_contentcj\">"_s);
    const MarkerPieces links(page, u"c_contentcj\"><a href=\"/content/detail_"_s);
    QList<ChannelEntry> entries;
    for (int i = 1; i <= count; ++i) {
        if (!names.has(i) || !links.has(i))
            break;
        ChannelEntry entry;
        entry.title = removeAll(cutBefore(names.piece(i), u"</div>"), u"<");
        const QString detail = cutAtQuote(links.piece(i));
        entry.detailAddress = siteBase + u"/content/detail_"_s + detail;
        if (entry.title.isEmpty() && detail.isEmpty())
            continue; // nothing cut
        entries.append(entry);
    }
    return entries;
}

ChannelDetail parseChannelDetail(const QString &page)
{
    ChannelDetail detail;
    const MarkerPieces poster(page, u"<!--海报开始--><img src=\""_s);
    if (poster.has(1))
        detail.posterPath = cutAtQuote(poster.piece(1));
    detail.xunbo = tableAddress(page, u"<!--迅播高清1地址开始-->"_s);
    detail.baidu = tableAddress(page, u"<!--百度影音5地址开始-->"_s);
    detail.qq = tableAddress(page, u"<!--ＱＱ影音2地址开始-->"_s);
    detail.kuaibo = tableAddress(page, u"<!--快播资源4地址开始-->"_s);
    return detail;
}

ListRow channelListRow(const ChannelEntry &entry, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, entry.title}, {u"dz"_s, entry.detailAddress}}};
}
