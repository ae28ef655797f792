#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>

class AllSearchModel;

// The merged list as shown: filtered by words of the name, sorted by each
// column's key (sizes as bytes, dates as dates, names in the locale's
// order). Rows without a size or date stay after the others whichever way
// the column is sorted.
class AllSearchFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit AllSearchFilterModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *model) override;

    // Shows only rows whose name holds every whitespace-separated word, in
    // any case; an empty text shows every row.
    void setFilterText(const QString &text);
    QString filterText() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    AllSearchModel *m_rows = nullptr;
    QString m_text;
    QStringList m_words; // case-folded
};
