#include "sources/torrents/torrentsearchparser.h"

#include "core/addresstemplate.h"
#include "core/definitionrows.h"

using namespace Qt::StringLiterals;

QString torrentSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                             const QString &pageText)
{
    return AddressTemplate::expand(definition.searchAddress,
                                   {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, pageText}});
}

qsizetype countTorrentSearchItems(const SiteDefinition &definition, const QString &body)
{
    return DefinitionRows::count(definition, body);
}

QList<ListRow> parseTorrentSearchPage(const SiteDefinition &definition, const QString &body, const QString &siteBase,
                                      qsizetype count)
{
    return DefinitionRows::extract(definition, body, siteBase, count);
}
