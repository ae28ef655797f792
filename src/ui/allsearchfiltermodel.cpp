#include "ui/allsearchfiltermodel.h"

#include "ui/allsearchmodel.h"

AllSearchFilterModel::AllSearchFilterModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(AllSearchModel::SortKeyRole);
}

void AllSearchFilterModel::setSourceModel(QAbstractItemModel *model)
{
    m_rows = qobject_cast<AllSearchModel *>(model);
    QSortFilterProxyModel::setSourceModel(model);
}

void AllSearchFilterModel::setFilterText(const QString &text)
{
    m_text = text;
    // QChar::isSpace takes the ideographic space a Chinese keyboard types.
    m_words.clear();
    const QString folded = text.toCaseFolded();
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool space = i == folded.size() || folded.at(i).isSpace();
        if (space && start >= 0) {
            m_words.append(folded.mid(start, i - start));
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    invalidateFilter();
}

QString AllSearchFilterModel::filterText() const
{
    return m_text;
}

bool AllSearchFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_words.isEmpty())
        return true;
    QString folded;
    if (m_rows) {
        folded = m_rows->foldedNameAt(sourceRow);
    } else {
        const QModelIndex name = sourceModel()->index(sourceRow, AllSearchModel::Name, sourceParent);
        folded = name.data().toString().toCaseFolded();
    }
    for (const QString &word : m_words) {
        if (!folded.contains(word))
            return false;
    }
    return true;
}

bool AllSearchFilterModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_rows)
        return QSortFilterProxyModel::lessThan(left, right);
    const int a = left.row();
    const int b = right.row();
    // Rows without the value go last: in a descending sort the proxy asks
    // lessThan(right, left), so "missing is less" puts them last there.
    const bool descending = sortOrder() == Qt::DescendingOrder;
    auto missingLast = [descending](bool aMissing, bool bMissing) { return descending ? aMissing : bMissing; };
    switch (left.column()) {
    case AllSearchModel::Name:
        return m_rows->nameKeyAt(a).compare(m_rows->nameKeyAt(b)) < 0;
    case AllSearchModel::Size: {
        const qint64 x = m_rows->sizeBytesAt(a);
        const qint64 y = m_rows->sizeBytesAt(b);
        if ((x < 0) != (y < 0))
            return missingLast(x < 0, y < 0);
        return x < y;
    }
    case AllSearchModel::Date: {
        const qint64 x = m_rows->dateKeyAt(a);
        const qint64 y = m_rows->dateKeyAt(b);
        if ((x == NoDateKey) != (y == NoDateKey))
            return missingLast(x == NoDateKey, y == NoDateKey);
        return x < y;
    }
    case AllSearchModel::Source:
        return m_rows->rowAt(a).title < m_rows->rowAt(b).title;
    default:
        return m_rows->rowAt(a).address < m_rows->rowAt(b).address;
    }
}
