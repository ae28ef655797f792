#pragma once

#include "core/listrow.h"
#include "core/sitedefinition.h"

#include <QList>
#include <QString>

// Cuts a page into rows as its definition says. Pure; one pass over the
// page per marker, so the cost grows linearly with the page.
class DefinitionRows
{
public:
    // The rows a page holds, numbered 1..n, with the definition's fields in
    // its order. `base` fills the prefixes' {base}. A page showing a
    // not-found text has no rows; a row with no field cut is not listed.
    static QList<ListRow> extract(const SiteDefinition &definition, const QString &body, const QString &base);
    // Rows 1..count only, `count` as a reader counted it.
    static QList<ListRow> extract(const SiteDefinition &definition, const QString &body, const QString &base,
                                  qsizetype count);

    // How many rows the page holds: the count marker's occurrences where
    // the definition names one, otherwise the row (or first field) markers'.
    static qsizetype count(const SiteDefinition &definition, QStringView body);

    // A cut value's clean-ups (removals, then entities).
    static QString cleaned(const SiteDefinition::Field &field, QString value);
    // The prefix: before a value, or also before none where the field asks
    // for it whenever its start marker was found.
    static QString prefixed(const SiteDefinition::Field &field, QString value, const QString &prefix, bool found);
};
