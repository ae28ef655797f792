#include "core/definedsource.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/definitionrows.h"
#include "core/siteconfig.h"
#include "core/sourcefetch.h"

using namespace Qt::StringLiterals;

namespace {

PageFetcher::Form formOf(SiteDefinition::Fetch fetch)
{
    switch (fetch) {
    case SiteDefinition::Fetch::Plain:
        return PageFetcher::Form::Plain;
    case SiteDefinition::Fetch::Transfer:
        return PageFetcher::Form::Transfer;
    case SiteDefinition::Fetch::GetBody:
        break;
    }
    return PageFetcher::Form::GetBody;
}

QCoro::Task<QList<ListRow>> searchDefined(QString name, SourceFetch &fetch, SourceQuery query)
{
    // Looked up at run time: the definition in use, not a copy.
    const SiteDefinition *definition = fetch.sites().definitions().find(name);
    if (!definition)
        co_return QList<ListRow>();
    const QString base = definition->baseFrom(fetch.sites().site(definition->site));
    const QString address = AddressTemplate::expand(
        definition->searchAddress, {{u"base"_s, base},
                                    {u"keyword"_s, AddressTemplate::encodeKeyword(query.keyword, definition->keyword)},
                                    {u"page"_s, query.page}});
    // An unconfigured base or an address that left it is fetched as nothing.
    const QString asked = AddressTemplate::isUnder(address, base) ? address : QString();
    const QString body = co_await fetch.get(asked, formOf(definition->fetch), definition->charset.toLatin1());
    co_return DefinitionRows::extract(*definition, body, base, fetch.listedRows(DefinitionRows::count(*definition, body)));
}

} // namespace

HeadlessSource definedSource(const SiteDefinition &definition)
{
    HeadlessSource source;
    source.name = definition.name;
    source.title = definition.title;
    source.siteKey = definition.base.isEmpty() ? definition.site : definition.name;
    source.keywordHelp = u"关键字（"_s + definition.file + u"）"_s;
    source.probe = definition.probe.isEmpty() ? u"1"_s : definition.probe;
    source.fields.append(u"xh"_s);
    for (const SiteDefinition::Field &field : definition.fields)
        source.fields.append(field.key);
    source.run = [name = definition.name](SourceFetch &fetch, const SourceQuery &query) {
        return searchDefined(name, fetch, query);
    };
    source.refusal = [](const QString &keyword) {
        return keyword.trimmed().isEmpty() ? u"请输入您要搜索的关键字.."_s : QString();
    };
    return source;
}
