#include "core/definitioncatalog.h"

#include "core/definitionloader.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

DefinitionCatalog loadBuiltIns()
{
    DefinitionCatalog catalog;
    const QStringList names = QDir(u":/definitions"_s).entryList({u"*.toml"_s}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString path = u":/definitions/"_s + name;
        DefinitionLoader::Result result = DefinitionLoader::loadFile(path, true);
        // A broken built-in is a build fault, caught by the tests.
        for (const DefinitionProblem &problem : std::as_const(result.problems))
            qWarning("%s", qPrintable(problem.text()));
        if (result.definition)
            catalog.add(*result.definition);
    }
    return catalog;
}

} // namespace

const DefinitionCatalog &DefinitionCatalog::builtIns()
{
    static const DefinitionCatalog catalog = loadBuiltIns();
    return catalog;
}

DefinitionCatalog DefinitionCatalog::withUserFolders(const QStringList &folders)
{
    DefinitionCatalog catalog = builtIns();
    for (const QString &folder : folders) {
        const QDir dir(folder);
        const QStringList names = dir.entryList({u"*.toml"_s}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString &name : names) {
            DefinitionLoader::Result result = DefinitionLoader::loadFile(dir.filePath(name));
            catalog.m_problems.append(result.problems);
            if (result.definition)
                catalog.add(*result.definition);
        }
    }
    return catalog;
}

bool DefinitionCatalog::add(const SiteDefinition &definition)
{
    const qsizetype at = [&] {
        for (qsizetype i = 0; i < m_definitions.size(); ++i) {
            if (m_definitions.at(i).name == definition.name)
                return i;
        }
        return qsizetype(-1);
    }();
    if (definition.builtIn) {
        m_builtInNames.append(definition.name);
        m_definitions.append(definition);
        return true;
    }
    const bool replacesBuiltIn = m_builtInNames.contains(definition.name);
    if (!replacesBuiltIn) {
        // A new keyword source: the generic reading only.
        if (!definition.markers.isEmpty() || !definition.addresses.isEmpty() || !definition.labels.isEmpty()
            || !definition.captions.isEmpty()) {
            m_problems.append({definition.file, 1, 1,
                               u"[markers], [addresses], [[labels]] and captions are read only by a built-in "
                               u"source's reader, and \""_s
                                   + definition.name + u"\" is none"_s});
            return false;
        }
    } else {
        // The built-in's reader looks up what its definition names.
        const SiteDefinition &builtIn = builtIns().get(definition.name);
        QStringList missing;
        for (const SiteDefinition::Named &marker : builtIn.markers) {
            if (definition.marker(marker.name).isEmpty())
                missing.append(u"markers."_s + marker.name);
        }
        for (const SiteDefinition::Named &address : builtIn.addresses) {
            if (definition.address(address.name).isEmpty())
                missing.append(u"addresses."_s + address.name);
        }
        for (const SiteDefinition::Field &field : builtIn.fields) {
            if (!definition.field(field.key))
                missing.append(u"fields."_s + field.key);
        }
        if (builtIn.labels.size() && definition.labels.isEmpty())
            missing.append(u"labels"_s);
        if (builtIn.captions.size() != definition.captions.size())
            missing.append(u"captions ("_s + QString::number(builtIn.captions.size()) + u")"_s);
        if (builtIn.searchAddress.isEmpty() != definition.searchAddress.isEmpty())
            missing.append(u"search.address"_s);
        if (!missing.isEmpty()) {
            m_problems.append({definition.file, 1, 1,
                               u"replaces the built-in \""_s + definition.name + u"\" but lacks what its reader reads: "_s
                                   + missing.join(u", "_s)});
            return false;
        }
    }
    if (at >= 0)
        m_definitions[at] = definition;
    else
        m_definitions.append(definition);
    return true;
}

const SiteDefinition *DefinitionCatalog::find(const QString &name) const
{
    for (const SiteDefinition &definition : m_definitions) {
        if (definition.name == name)
            return &definition;
    }
    return nullptr;
}

const SiteDefinition &DefinitionCatalog::get(const QString &name) const
{
    const SiteDefinition *definition = find(name);
    if (!definition)
        qFatal("no built-in definition \"%s\"", qPrintable(name));
    return *definition;
}

QList<const SiteDefinition *> DefinitionCatalog::userSources() const
{
    QList<const SiteDefinition *> sources;
    for (const SiteDefinition &definition : m_definitions) {
        if (!m_builtInNames.contains(definition.name))
            sources.append(&definition);
    }
    std::sort(sources.begin(), sources.end(), [](auto *a, auto *b) { return a->name < b->name; });
    return sources;
}

QStringList DefinitionCatalog::overridden() const
{
    QStringList names;
    for (const SiteDefinition &definition : m_definitions) {
        if (!definition.builtIn)
            names.append(definition.name);
    }
    names.removeIf([this](const QString &name) { return !m_builtInNames.contains(name); });
    return names;
}

const QList<DefinitionProblem> &DefinitionCatalog::problems() const
{
    return m_problems;
}
