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

QList<NetdiskHit> parseNetdiskPage(const SiteDefinition &definition, const QString &body, qsizetype count)
{
    if (count < 0)
        count = DefinitionRows::count(definition, body);
    const QList<ListRow> rows = DefinitionRows::extract(definition, body, {}, count);
    QList<NetdiskHit> hits;
    hits.reserve(rows.size());
    for (const ListRow &row : rows) {
        NetdiskHit hit;
        for (const ListRow::Cell &cell : row.cells) {
            if (cell.key == u"mc")
                hit.title = cell.text;
            else if (cell.key == u"dz")
                hit.address = cell.text;
        }
        hits.append(std::move(hit));
    }
    return hits;
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

ListRow netdiskListRow(const SiteDefinition &definition, const NetdiskHit &hit, const QString &boxCaption)
{
    const QString label = netdiskLabel(definition, hit.title);
    return {label.isEmpty() ? boxCaption : label, {{u"mc"_s, hit.title}, {u"dz"_s, hit.address}}};
}
