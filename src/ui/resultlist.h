#pragma once

#include "core/listrow.h"
#include "core/resultlistshape.h"

#include <QTreeWidget>

class QMenu;
class ReaderContext;

// A report-style result list: column 0 is the row's item text, columns 1..n
// the subitems. Readers write cells by key, row actions read them by subitem
// number. Column widths are locked and nothing is edited in place.
class ResultList : public QTreeWidget
{
    Q_OBJECT

public:
    using Cell = ListRow::Cell;

    explicit ResultList(const ResultListShape &shape, QWidget *parent = nullptr);
    // A list of the catalog by name (e.g. "ListView1").
    static ResultList *create(const QString &name, QWidget *parent = nullptr);

    const ResultListShape &shape() const;
    // Column of a key; -1 when the list has no such column.
    int columnOf(const QString &key) const;

    QTreeWidgetItem *addRow(const QString &itemText, std::initializer_list<Cell> cells = {});
    QTreeWidgetItem *addRow(const ListRow &row);
    void setCell(QTreeWidgetItem *row, const QString &key, const QString &text);
    // Subitem n of a row (1-based); empty when the row or the cell is missing.
    QString cellText(const QTreeWidgetItem *row, int subitem) const;
    int rowCount() const;

    // The row an action works on: the selected row, when its item text is
    // not empty; nullptr otherwise.
    QTreeWidgetItem *actionRow() const;

    // The right-click menu and its actions; nullptr for a list without one.
    QMenu *menu() const;
    QAction *menuAction(const QString &name) const;
    // Connects the copy-cell and open-cell items to their generic actions.
    void bindRowActions(const ReaderContext &context);

private:
    void showMenu(const QPoint &pos);

    ResultListShape m_shape;
    QMenu *m_menu = nullptr;
};
