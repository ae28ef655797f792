#pragma once

#include "core/headlesssource.h"

#include <QList>
#include <QStringList>

// Every reader's search as the command line and the site check run it,
// family by family, in the order `search --list` names them.
const QList<HeadlessSource> &headlessSources();
// The source called `name`; nullptr for none.
const HeadlessSource *findHeadlessSource(const QString &name);
// The field names of a source's rows: its list's column keys.
QStringList headlessFields(const HeadlessSource &source);
