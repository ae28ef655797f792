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

    // The text of the cell with `key`; empty when there is none.
    QString value(QStringView key) const;
};

// Parsed items as rows numbered 1..n, each built by `make(item, number)`.
template<typename Item, typename Make>
QList<ListRow> numberedRows(const QList<Item> &items, Make make)
{
    QList<ListRow> rows;
    rows.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        rows.append(make(items.at(i), i + 1));
    return rows;
}
