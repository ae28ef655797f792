#pragma once

#include "core/definitionproblem.h"
#include "core/sitedefinition.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every source's definition in use: the built-in ones (compiled in as
// resources under :/definitions/), replaced by a user's file of the same
// name, and the user's new sources. A user file with a problem is skipped,
// and the built-in it would have replaced stays.
class DefinitionCatalog
{
public:
    // The built-in definitions alone.
    static const DefinitionCatalog &builtIns();

    // The built-ins, then every *.toml of each folder in turn; a later
    // folder's file wins over an earlier one's of the same name.
    static DefinitionCatalog withUserFolders(const QStringList &folders);

    // The definition in use for `name`, or nullptr.
    const SiteDefinition *find(const QString &name) const;
    // The definition of a built-in source; it always exists.
    const SiteDefinition &get(const QString &name) const;

    // The sources users added, in name order.
    QList<const SiteDefinition *> userSources() const;
    // The built-in sources a user file replaces.
    QStringList overridden() const;
    const QList<DefinitionProblem> &problems() const;

    // Adds `definition`, checked against the built-in it replaces; false
    // (with the problems added) when it cannot be used.
    bool add(const SiteDefinition &definition);

private:
    QList<SiteDefinition> m_definitions;
    QList<DefinitionProblem> m_problems;
    QStringList m_builtInNames;
};
