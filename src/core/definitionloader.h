#pragma once

#include "core/definitionproblem.h"
#include "core/sitedefinition.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reads one definition file (TOML) and checks it before it is trusted:
// syntax, unknown and missing keys, placeholders, the base's scheme, fields
// without an end marker, reserved names. A file with any problem yields no
// definition.
class DefinitionLoader
{
public:
    static constexpr int Format = 1;

    struct Result
    {
        std::optional<SiteDefinition> definition;
        QList<DefinitionProblem> problems;
    };

    // Names no source may take: the command words.
    static const QStringList &reservedNames();

    static Result load(const QByteArray &text, const QString &file, bool builtIn = false);
    static Result loadFile(const QString &path, bool builtIn = false);
};
