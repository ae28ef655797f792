#include "sources/playback/qvodchannelparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// The text up to and including the first character of `end` (its "<");
// empty when `end` is missing.
QString cutThroughStart(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

QString tableAddress(const QString &page, const QString &start, const QString &end)
{
    const MarkerPieces pieces(page, start);
    if (!pieces.has(1))
        return {};
    return removeAll(cutThroughStart(pieces.piece(1), end), u"<");
}

} // namespace

QString channelListAddress(const SiteDefinition &definition, const QString &siteBase, int page)
{
    return AddressTemplate::expand(definition.address(u"list_page"_s),
                                   {{u"base"_s, siteBase}, {u"page"_s, QString::number(page)}});
}

QList<ChannelEntry> parseChannelPage(const SiteDefinition &definition, const QString &page, const QString &siteBase,
                                     int count)
{
    const QString listStart = definition.marker(u"list_start"_s);
    const qsizetype start = markerIndex(page, listStart);
    QString region;
    if (start >= 0)
        region = cutThroughStart(QStringView(page).mid(start), definition.marker(u"list_end"_s));
    region = preg(region, definition.marker(u"list_link_tags"_s), {}, u"list_link_tags"_s);

    const MarkerPieces names(region, definition.marker(u"name"_s));
    const MarkerPieces links(page, definition.marker(u"detail_link"_s));
    const QString nameEnd = definition.marker(u"name_end"_s);
    const QString detailEnd = definition.marker(u"detail_end"_s);
    const QString detailAddress = definition.address(u"detail"_s);
    QList<ChannelEntry> entries;
    for (int i = 1; i <= count; ++i) {
        if (!names.has(i) || !links.has(i))
            break;
        ChannelEntry entry;
        entry.title = removeAll(cutBefore(names.piece(i), nameEnd), u"<");
        const QString detail = cutBefore(links.piece(i), detailEnd);
        entry.detailAddress = AddressTemplate::expand(detailAddress, {{u"base"_s, siteBase}, {u"path"_s, detail}});
        if (entry.title.isEmpty() && detail.isEmpty())
            continue; // nothing cut
        entries.append(entry);
    }
    return entries;
}

ChannelDetail parseChannelDetail(const SiteDefinition &definition, const QString &page)
{
    ChannelDetail detail;
    const MarkerPieces poster(page, definition.marker(u"poster"_s));
    if (poster.has(1))
        detail.posterPath = cutBefore(poster.piece(1), definition.marker(u"poster_end"_s));
    const QString end = definition.marker(u"address_end"_s);
    detail.xunbo = tableAddress(page, definition.marker(u"xunbo_address"_s), end);
    detail.baidu = tableAddress(page, definition.marker(u"baidu_address"_s), end);
    detail.qq = tableAddress(page, definition.marker(u"qq_address"_s), end);
    detail.kuaibo = tableAddress(page, definition.marker(u"kuaibo_address"_s), end);
    return detail;
}

ListRow channelListRow(const ChannelEntry &entry, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, entry.title}, {u"dz"_s, entry.detailAddress}}};
}
