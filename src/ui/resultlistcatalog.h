#pragma once

#include "core/resultlistshape.h"

// The 19 result lists of the main window: columns, widths and menus.
const QList<ResultListShape> &resultListShapes();
// The shape of one list by its name; nullptr for an unknown name.
const ResultListShape *findResultListShape(const QString &name);
