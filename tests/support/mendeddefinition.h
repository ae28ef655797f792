#pragma once

#include "core/definitionloader.h"

#include <QString>

// A built-in definition file as a user would mend it: its text with `from`
// replaced by `to`, read by the loader. A file without `from` gives no
// definition and one problem saying so.
DefinitionLoader::Result mendedBuiltIn(const QString &name, const QString &from, const QString &to);
