#include "ui/resultlist.h"

#include "core/texttools.h"

#include "ui/readercontext.h"
#include "ui/resultlistcatalog.h"
#include "ui/rowactions.h"

#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace {

constexpr int TwipsPerPixel = 15;

} // namespace

ResultList::ResultList(const ResultListShape &shape, QWidget *parent)
    : QTreeWidget(parent)
    , m_shape(shape)
{
    setObjectName(shape.name);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);

    QStringList captions;
    for (const ResultColumn &column : shape.columns)
        captions.append(column.caption);
    setColumnCount(int(captions.size()));
    setHeaderLabels(captions);

    QHeaderView *head = header();
    head->setStretchLastSection(false);
    head->setSectionsMovable(false);
    head->setMinimumSectionSize(0);
    head->setSectionResizeMode(QHeaderView::Fixed); // the user cannot resize a column
    for (int i = 0; i < shape.columns.size(); ++i) {
        const int width = shape.columns.at(i).twips / TwipsPerPixel;
        head->resizeSection(i, width);
        if (width == 0)
            head->hideSection(i);
    }

    if (!shape.menuName.isEmpty()) {
        m_menu = new QMenu(shape.menuCaption, this);
        m_menu->setObjectName(shape.menuName);
        for (int i = 0; i < shape.menuItems.size(); ++i) {
            if (i > 0)
                m_menu->addSeparator();
            QAction *action = m_menu->addAction(shape.menuItems.at(i).caption);
            action->setObjectName(shape.menuItems.at(i).name);
        }
        setContextMenuPolicy(Qt::CustomContextMenu);
        connect(this, &QWidget::customContextMenuRequested, this, &ResultList::showMenu);
    } else {
        setContextMenuPolicy(Qt::NoContextMenu);
    }
}

ResultList *ResultList::create(const QString &name, QWidget *parent)
{
    const ResultListShape *shape = findResultListShape(name);
    Q_ASSERT_X(shape, "ResultList::create", "unknown list name");
    return shape ? new ResultList(*shape, parent) : nullptr;
}

const ResultListShape &ResultList::shape() const
{
    return m_shape;
}

int ResultList::columnOf(const QString &key) const
{
    for (int i = 0; i < m_shape.columns.size(); ++i) {
        if (m_shape.columns.at(i).key == key)
            return i;
    }
    return -1;
}

QTreeWidgetItem *ResultList::addRow(const QString &itemText, std::initializer_list<Cell> cells)
{
    auto *row = new QTreeWidgetItem();
    row->setText(0, cleanCell(itemText));
    for (const Cell &cell : cells)
        setCell(row, cell.key, cell.text);
    addTopLevelItem(row);
    return row;
}

QTreeWidgetItem *ResultList::addRow(const ListRow &listRow)
{
    auto *row = new QTreeWidgetItem();
    row->setText(0, cleanCell(listRow.text));
    for (const Cell &cell : listRow.cells)
        setCell(row, cell.key, cell.text);
    addTopLevelItem(row);
    return row;
}

void ResultList::setCell(QTreeWidgetItem *row, const QString &key, const QString &text)
{
    const int column = columnOf(key);
    if (row && column >= 0)
        row->setText(column, cleanCell(text));
}

QString ResultList::cellText(const QTreeWidgetItem *row, int subitem) const
{
    if (!row || subitem < 0 || subitem >= columnCount())
        return {};
    return row->text(subitem);
}

int ResultList::rowCount() const
{
    return topLevelItemCount();
}

QTreeWidgetItem *ResultList::actionRow() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (selected.isEmpty() || selected.first()->text(0).isEmpty())
        return nullptr;
    return selected.first();
}

QMenu *ResultList::menu() const
{
    return m_menu;
}

QAction *ResultList::menuAction(const QString &name) const
{
    return m_menu ? m_menu->findChild<QAction *>(name) : nullptr;
}

void ResultList::bindRowActions(const ReaderContext &context)
{
    for (const ResultMenuItem &item : m_shape.menuItems) {
        QAction *action = menuAction(item.name);
        if (!action)
            continue;
        if (item.kind == ResultMenuItem::Kind::CopyCell) {
            connect(action, &QAction::triggered, this, [this, context, item] {
                copyCellAction(*this, item.subitem, item.message, context);
            });
        } else if (item.kind == ResultMenuItem::Kind::OpenCell) {
            connect(action, &QAction::triggered, this, [this, context, item] {
                openCellAction(*this, item.subitem, context);
            });
        }
    }
}

void ResultList::showMenu(const QPoint &pos)
{
    // popup(), not exec(): the menu must not run an event loop of its own.
    m_menu->popup(viewport()->mapToGlobal(pos));
}
