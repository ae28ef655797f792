#include "core/definitioncatalog.h"

#include "core/definitionloader.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

DefinitionProblem problemAt(const SiteDefinition &definition, const QString &key, const QString &what)
{
    const SiteDefinition::Place place = definition.placeOf(key);
    return {definition.file, place.line, place.column, what};
}

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
        bool usable = true;
        for (const QString &key : {u"markers"_s, u"addresses"_s, u"labels"_s, u"captions"_s}) {
            if (!definition.places.contains(key))
                continue;
            m_problems.append(problemAt(definition, key,
                                        u"[markers], [addresses], [[labels]] and captions are read only by a "
                                        u"built-in source's reader, and \""_s
                                            + definition.name + u"\" is none"_s));
            usable = false;
            break;
        }
        // Its search fills the base, the keyword and the page, nothing else.
        for (const QString &placeholder : {u"filter"_s, u"path"_s, u"number"_s}) {
            if (definition.searchAddress.contains(u'{' + placeholder + u'}')) {
                m_problems.append(problemAt(definition, u"search.address"_s,
                                            u"search.address names {"_s + placeholder
                                                + u"}, which only a built-in source's reader fills; a source of "
                                                  u"its own has {base}, {keyword} and {page}"_s));
                usable = false;
            }
        }
        if (!usable)
            return false;
    } else {
        // The built-in's reader looks up what its definition names.
        // What is missing, by the key of the file it belongs under: each
        // is said at that key's place (1:1 when the file lacks the key).
        const SiteDefinition &builtIn = builtIns().get(definition.name);
        QList<std::pair<QString, QStringList>> missing = {
            {u"markers"_s, {}}, {u"addresses"_s, {}}, {u"fields"_s, {}},
            {u"labels"_s, {}},  {u"captions"_s, {}},  {u"search"_s, {}},
        };
        for (const SiteDefinition::Named &marker : builtIn.markers) {
            if (definition.marker(marker.name).isEmpty())
                missing[0].second.append(u"markers."_s + marker.name);
        }
        for (const SiteDefinition::Named &address : builtIn.addresses) {
            if (definition.address(address.name).isEmpty())
                missing[1].second.append(u"addresses."_s + address.name);
        }
        for (const SiteDefinition::Field &field : builtIn.fields) {
            if (!definition.field(field.key))
                missing[2].second.append(u"fields."_s + field.key);
        }
        if (builtIn.labels.size() && definition.labels.isEmpty())
            missing[3].second.append(u"labels"_s);
        if (builtIn.captions.size() != definition.captions.size())
            missing[4].second.append(u"captions ("_s + QString::number(builtIn.captions.size()) + u")"_s);
        if (builtIn.searchAddress.isEmpty() != definition.searchAddress.isEmpty())
            missing[5].second.append(u"search.address"_s);
        bool usable = true;
        for (const auto &[key, names] : std::as_const(missing)) {
            if (names.isEmpty())
                continue;
            m_problems.append(problemAt(definition, key,
                                        u"replaces the built-in \""_s + definition.name
                                            + u"\" but lacks what its reader reads: "_s + names.join(u", "_s)));
            usable = false;
        }
        if (!usable)
            return false;
    }
    if (at >= 0 && !m_definitions.at(at).builtIn) {
        // Two files of the user's with one name: the later wins, and the
        // earlier is named, so that no mend goes unused unseen.
        const SiteDefinition &earlier = m_definitions.at(at);
        DefinitionProblem setAside = problemAt(earlier, u"name"_s,
                                               u"set aside: \""_s + definition.name + u"\" is defined again by "_s
                                                   + definition.file + u", which is used"_s);
        setAside.setAside = true;
        m_problems.append(setAside);
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
