#pragma once

#include "core/listrow.h"

#include <QList>
#include <QString>

// Pure reading of the BT board's post list.

constexpr int FirstBoard = 1;
constexpr int LastBoard = 8;
constexpr int PostsPerBoardPage = 50;

// base + "/list.php?BoardID=" + board.
QString btBoardAddress(const QString &siteBase, int board);

struct BtBoardRow
{
    QString title;
    QString address; // base + "/display.php?" + the post's query
    QString size;
    QString category;
};

// getys: up to 50 rows, one per post link on the page. A field that
// cannot be cut is empty; a post where nothing can be cut is left out.
QList<BtBoardRow> parseBtBoard(const QString &page, const QString &siteBase);

// Row `number` (1-based) of ListView18 as the reader lists it.
ListRow btBoardListRow(const BtBoardRow &row, qsizetype number);
