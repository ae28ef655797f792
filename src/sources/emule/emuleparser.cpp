#include "sources/emule/emuleparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString orEmpty(const std::optional<QStringView> &field)
{
    return field ? field->toString() : QString();
}

// The definition's item markers, looked up once per page.
struct ItemMarkers
{
    explicit ItemMarkers(const SiteDefinition &definition)
        : detailLink(definition.marker(u"detail_link"_s))
        , detailLinkEnd(definition.marker(u"detail_link_end"_s))
        , title(definition.marker(u"title"_s))
        , titleEnd(definition.marker(u"title_end"_s))
        , note(definition.marker(u"note"_s))
        , noteEnd(definition.marker(u"note_end"_s))
        , detailAddress(definition.address(u"detail"_s))
    {
    }

    QString detailLink;
    QString detailLinkEnd;
    QString title;
    QString titleEnd;
    QString note;
    QString noteEnd;
    QString detailAddress;
};

QString detailAddressOf(const ItemMarkers &markers, const QString &siteBase, const QString &path)
{
    return AddressTemplate::expand(markers.detailAddress, {{u"base"_s, siteBase}, {u"path"_s, path}});
}

EmuleItem parseItem(const ItemMarkers &markers, QStringView item, const QString &siteBase)
{
    EmuleItem out;
    if (const std::optional<QStringView> path = firstPieceBefore(item, markers.detailLink, markers.detailLinkEnd))
        out.detailAddress = detailAddressOf(markers, siteBase, path->toString());
    out.name = orEmpty(firstPieceBefore(item, markers.title, markers.titleEnd));
    out.note = removeAll(orEmpty(firstPieceBefore(item, markers.note, markers.noteEnd)), u"<");
    return out;
}

} // namespace

const QStringList &emuleCategoryNames()
{
    static const QStringList names = {u"movie"_s, u"music"_s, u"software"_s, u"book"_s,
                                      u"edu"_s,   u"datum"_s, u"cartoon"_s};
    return names;
}

QString emuleCategoryAddress(const SiteDefinition &definition, const QString &siteBase, int index, qint64 page)
{
    return AddressTemplate::expand(definition.address(emuleCategoryNames().value(index)),
                                   {{u"base"_s, siteBase}, {u"page"_s, QString::number(page)}});
}

QString emuleSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                           const QString &pageText)
{
    return AddressTemplate::expand(definition.searchAddress,
                                   {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, pageText}});
}

bool isEmuleSearchEmpty(const SiteDefinition &definition, const QString &body)
{
    const QString marker = definition.marker(u"not_found"_s);
    return !marker.isEmpty() && body.contains(marker);
}

qsizetype countEmuleItems(const SiteDefinition &definition, const QString &body)
{
    return countFrom(body, definition.marker(u"item"_s));
}

EmuleItem parseEmuleItem(const SiteDefinition &definition, QStringView item, const QString &siteBase)
{
    return parseItem(ItemMarkers(definition), item, siteBase);
}

QList<EmuleItem> parseEmuleListing(const SiteDefinition &definition, const QString &body, const QString &siteBase,
                                   qsizetype maxItems)
{
    const MarkerPieces items(body, definition.marker(u"item"_s));
    const ItemMarkers markers(definition);
    const qsizetype count = qMin(maxItems, items.size() - 1);
    QList<EmuleItem> out;
    out.reserve(qMax<qsizetype>(count, 0));
    // What an empty anchor path gives: no address of an item of its own.
    const QString bareAddress = detailAddressOf(markers, siteBase, QString());
    for (qsizetype i = 1; i <= count; ++i) {
        EmuleItem item = parseItem(markers, items.piece(i), siteBase);
        // An item with nothing cut (a bare thumb marker) shows nothing.
        if (!item.name.isEmpty() || !item.note.isEmpty()
            || (!item.detailAddress.isEmpty() && item.detailAddress != bareAddress))
            out.append(std::move(item));
    }
    return out;
}

ListRow emuleListRow(const EmuleItem &item, qsizetype number)
{
    return {QString::number(number), {{u"mc"_s, item.name}, {u"bz"_s, item.note}, {u"zzdz"_s, item.detailAddress}}};
}
