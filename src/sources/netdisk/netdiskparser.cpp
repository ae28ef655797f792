#include "sources/netdisk/netdiskparser.h"

#include "core/addresstemplate.h"
#include "core/definitionrows.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

QString netdiskSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &filter,
                             const QString &encodedKeyword, const QString &pageText)
{
    return AddressTemplate::expand(definition.searchAddress, {{u"base"_s, siteBase},
                                                              {u"filter"_s, filter},
                                                              {u"keyword"_s, encodedKeyword},
                                                              {u"page"_s, pageText}});
}

qsizetype countNetdiskHits(const SiteDefinition &definition, const QString &body)
{
    return DefinitionRows::count(definition, body);
}

QList<ListRow> parseNetdiskPage(const SiteDefinition &definition, const QString &body, qsizetype count)
{
    if (count < 0)
        count = DefinitionRows::count(definition, body);
    return DefinitionRows::extract(definition, body, {}, count);
}

QString netdiskLabel(const SiteDefinition &definition, const QString &title)
{
    for (const SiteDefinition::Label &test : definition.labels) {
        for (const QString &needle : test.needles) {
            if (title.contains(needle))
                return test.label;
        }
    }
    return {};
}

ListRow netdiskListRow(const SiteDefinition &definition, ListRow hit, const QString &boxCaption)
{
    const QString label = netdiskLabel(definition, hit.value(u"mc"));
    hit.text = label.isEmpty() ? boxCaption : label;
    return hit;
}
