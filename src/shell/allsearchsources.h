#pragma once

#include "core/headlesssource.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

class DefinitionCatalog;

// The sources a search across every source asks: the built-in keyword
// sources in tab order, then every source the user defined.
QList<HeadlessSource> allSearchSources(const DefinitionCatalog &definitions);

// Where a source's own list is, so a row can be searched again there: the
// tab pages to bring forward (tab strip, index; outermost first), the
// keyword box, the channel a shared tab must be set to, the page box to
// reset and the button that starts its search.
struct SourceTab
{
    QList<std::pair<QString, int>> tabs;
    QString keywordBox;
    QString startButton;
    QString pageBox = {};
    QString channelBox = {};
    int channel = -1;
};

// None for a source without a tab of its own (a user's source).
std::optional<SourceTab> sourceTab(const QString &source);
