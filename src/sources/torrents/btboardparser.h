#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

struct SiteDefinition;

// Pure reading of the BT board's post list, with the markers and addresses
// of its definition ("bt-board").

constexpr int FirstBoard = 1;
constexpr int LastBoard = 8;
constexpr int PostsPerBoardPage = 50;

// The list address of a board.
QString btBoardAddress(const SiteDefinition &definition, const QString &siteBase, int board);

struct BtBoardRow
{
    QString title;
    QString address; // the post address with the post's query
    QString size;
    QString category;
};

// getys: up to 50 rows, one per post link on the page. A field that
// cannot be cut is empty; a post where nothing can be cut is left out.
QList<BtBoardRow> parseBtBoard(const SiteDefinition &definition, const QString &page, const QString &siteBase);

// Row `number` (1-based) of ListView18 as the reader lists it.
ListRow btBoardListRow(const BtBoardRow &row, qsizetype number);
