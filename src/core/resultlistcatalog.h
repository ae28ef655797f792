#pragma once

#include "core/resultlistspec.h"

// The 19 result lists of the main window: columns, widths and menus.
const QList<ResultListSpec> &resultListSpecs();
// The spec of one list by its name; nullptr for an unknown name.
const ResultListSpec *findResultListSpec(const QString &name);
