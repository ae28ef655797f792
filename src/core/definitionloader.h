#pragma once

#include "core/definitionproblem.h"
#include "core/sitedefinition.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reads one definition file (TOML) and checks it before it is trusted:
// its depth before any parser sees it, syntax, unknown and missing keys,
// placeholders, the base address, fields without an end marker, reserved
// names, and what it may hold. A file with any problem yields no definition.
class DefinitionLoader
{
public:
    static constexpr int Format = 1;

    // What one definition may hold: generous for real sites (the built-ins
    // use a tenth of it), small enough that no list or marker multiplies
    // the work of cutting a page.
    static constexpr int MaxFields = 64;
    static constexpr int MaxListLength = 64;   // a field's remove, rows.not_found, a label's any
    static constexpr int MaxEntries = 256;     // [markers], [addresses], [[labels]], captions
    static constexpr int MaxTextLength = 4096; // any text: a marker, an address, a label
    // Past this many problems a file is only said to have more.
    static constexpr int MaxProblems = 50;

    struct Result
    {
        std::optional<SiteDefinition> definition;
        QList<DefinitionProblem> problems;
    };

    // Names no source may take: the command words.
    static const QStringList &reservedNames();
    // Column keys no field may take: the program writes them itself.
    static const QStringList &reservedFieldNames();

    static Result load(const QByteArray &text, const QString &file, bool builtIn = false);
    static Result loadFile(const QString &path, bool builtIn = false);
};
