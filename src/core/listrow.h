#pragma once

#include <QList>
#include <QString>

// One row as a result list shows it: the item text (column 0) and the
// subitems by column key. Readers and the headless search build it alike.
struct ListRow
{
    struct Cell
    {
        QString key;
        QString text;
    };

    QString text;
    QList<Cell> cells;
};
