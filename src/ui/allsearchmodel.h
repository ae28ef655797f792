#pragma once

#include "core/allsearchrow.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <QTimer>

#include <vector>

// The one list of the search across every source: 来源, 名称, 大小, 日期,
// 地址. Rows of the same address (see addressKey) are one row naming every
// source. Rows land in chunks from the event loop, so a window stays
// responsive while thousands arrive.
class AllSearchModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Source, Name, Size, Date, Address, ColumnCount };
    // Qt::UserRole holds each column's sort key: the 来源 text, the name's
    // rank in the locale's order, the size in bytes (-1 for none), the
    // dateKey, the address.
    static constexpr int SortKeyRole = Qt::UserRole;
    // Qt::DisplayRole and Qt::ToolTipRole show at most this many characters
    // of a cell, then "…"; Qt::EditRole holds the whole text.
    static constexpr int ShownChars = 500;
    // A chunk lands at most this many rows, and stops taking rows once it
    // has spent the budget (the view's own work after it comes on top).
    static constexpr int DefaultChunkRows = 2000;
    static constexpr int ChunkBudgetMs = 10;

    // Names are ordered for `locale`.
    explicit AllSearchModel(QObject *parent = nullptr, const QLocale &locale = QLocale());

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Queues rows; they land on later turns of the event loop.
    void addRows(const QList<AllSearchRow> &rows);
    // Drops every row and every queued one: nothing of the old search lands.
    void clear();
    int pendingRows() const;

    // How many queued rows land per turn at most (at least 1).
    void setChunkRows(int rows);
    int chunkRows() const;

    // The row as listed: `source` is the first source's name, `title` the
    // 来源 text (every source's title once, joined by "、"), `name` the
    // first source's name for it. The reference holds until rows land or
    // the model is cleared.
    const AllSearchRow &rowAt(int row) const;
    // Every source's name the row came from, first first.
    QStringList sourcesAt(int row) const;

    // The sort and filter keys, for the filter model.
    qint64 sizeBytesAt(int row) const;
    qint64 dateKeyAt(int row) const;
    const QCollatorSortKey &nameKeyAt(int row) const;
    const QString &foldedNameAt(int row) const; // case-folded, for matching

Q_SIGNALS:
    // After each chunk of queued rows landed (inserted or merged).
    void rowsLanded();

private:
    struct Entry
    {
        AllSearchRow row;
        QStringList sources;
        QStringList titles;
        QString key; // addressKey; empty for no address
        QString foldedName;
        QCollatorSortKey nameKey;
        qint64 sizeBytes;
        qint64 date;
    };

    void landChunk();
    Entry entryFor(AllSearchRow row, QString key) const;
    // Adds `from`'s source to `into`; true when anything shown changed.
    static bool merge(Entry &into, const AllSearchRow &from);
    int nameRank(int row) const;

    QCollator m_collator;
    std::vector<Entry> m_entries;
    QHash<QString, int> m_rowOfKey;
    QList<AllSearchRow> m_pending;
    qsizetype m_pendingHead = 0;
    int m_chunkRows = DefaultChunkRows;
    QTimer m_landTimer;
    // Name ranks for the sort key role, worked out when first asked.
    mutable std::vector<int> m_nameRanks;
};
