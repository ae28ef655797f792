#include "shell/sourcetable.h"

#include "core/definedsource.h"
#include "core/definitioncatalog.h"
#include "sources/emule/emuleheadless.h"
#include "sources/movies/movieheadless.h"
#include "sources/netdisk/netdiskheadless.h"
#include "sources/playback/playbackheadless.h"
#include "sources/torrents/torrentheadless.h"
#include "ui/resultlistcatalog.h"

const QList<HeadlessSource> &headlessSources()
{
    static const QList<HeadlessSource> sources = [] {
        QList<HeadlessSource> all;
        all += netdiskHeadlessSources();
        all += torrentHeadlessSources();
        all += emuleHeadlessSources();
        all += movieHeadlessSources();
        all += playbackHeadlessSources();
        return all;
    }();
    return sources;
}

const HeadlessSource *findHeadlessSource(const QString &name)
{
    for (const HeadlessSource &source : headlessSources()) {
        if (source.name == name)
            return &source;
    }
    return nullptr;
}

QList<HeadlessSource> headlessSources(const DefinitionCatalog &definitions)
{
    QList<HeadlessSource> all = headlessSources();
    for (const SiteDefinition *definition : definitions.userSources())
        all.append(definedSource(*definition));
    return all;
}

std::optional<HeadlessSource> findHeadlessSource(const QString &name, const DefinitionCatalog &definitions)
{
    if (const HeadlessSource *source = findHeadlessSource(name))
        return *source;
    if (const SiteDefinition *definition = definitions.find(name); definition && !definition->builtIn
        && definitions.userSources().contains(definition))
        return definedSource(*definition);
    return std::nullopt;
}

QStringList headlessFields(const HeadlessSource &source)
{
    if (!source.fields.isEmpty())
        return source.fields;
    QStringList fields;
    if (const ResultListShape *shape = findResultListShape(source.list)) {
        for (const ResultColumn &column : shape->columns)
            fields.append(column.key);
    }
    return fields;
}
