#pragma once

#include "core/headlesssource.h"

#include <QList>
#include <QStringList>

#include <optional>

class DefinitionCatalog;

// Every reader's search as the command line and the site check run it,
// family by family, in the order `search --list` names them.
const QList<HeadlessSource> &headlessSources();
// Those and, after them, the keyword sources users defined, in name order.
QList<HeadlessSource> headlessSources(const DefinitionCatalog &definitions);
// The source called `name`; nullptr for none.
const HeadlessSource *findHeadlessSource(const QString &name);
// The same among the built-in and the user's sources.
std::optional<HeadlessSource> findHeadlessSource(const QString &name, const DefinitionCatalog &definitions);
// The field names of a source's rows: its list's column keys.
QStringList headlessFields(const HeadlessSource &source);
