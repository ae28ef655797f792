#include "ui/allsearchmodel.h"

#include <QElapsedTimer>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// What the 来源 column shows for a source: its title, else its name.
const QString &shownTitle(const AllSearchRow &row)
{
    return row.title.isEmpty() ? row.source : row.title;
}

// A cell as the view shows it: a view lays out and elides the whole text
// of every visible cell on each repaint, which a name of 100,000
// characters cut from a page turns into seconds.
QString shownText(const QString &text)
{
    if (text.size() <= AllSearchModel::ShownChars)
        return text;
    qsizetype cut = AllSearchModel::ShownChars;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + u'…';
}

} // namespace

AllSearchModel::AllSearchModel(QObject *parent, const QLocale &locale)
    : QAbstractTableModel(parent)
    , m_collator(locale)
{
    // "第2集" before "第10集".
    m_collator.setNumericMode(true);
    m_landTimer.setSingleShot(true);
    m_landTimer.setInterval(0);
    connect(&m_landTimer, &QTimer::timeout, this, &AllSearchModel::landChunk);
}

int AllSearchModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int AllSearchModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AllSearchModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Entry &entry = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return shownText(data(index, Qt::EditRole).toString());
    if (role == Qt::EditRole) {
        switch (index.column()) {
        case Source:
            return entry.row.title;
        case Name:
            return entry.row.name;
        case Size:
            return entry.row.size;
        case Date:
            return entry.row.date;
        default:
            return entry.row.address;
        }
    }
    if (role == SortKeyRole) {
        switch (index.column()) {
        case Source:
            return entry.row.title;
        case Name:
            return nameRank(index.row());
        case Size:
            return entry.sizeBytes;
        case Date:
            return entry.date;
        default:
            return entry.row.address;
        }
    }
    return {};
}

QVariant AllSearchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers = {u"来源"_s, u"名称"_s, u"大小"_s, u"日期"_s, u"地址"_s};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers.at(section);
}

void AllSearchModel::addRows(const QList<AllSearchRow> &rows)
{
    if (rows.isEmpty())
        return;
    m_pending.append(rows);
    if (!m_landTimer.isActive())
        m_landTimer.start();
}

void AllSearchModel::clear()
{
    beginResetModel();
    m_landTimer.stop();
    m_entries.clear();
    m_rowOfKey.clear();
    m_pending.clear();
    m_pendingHead = 0;
    m_nameRanks.clear();
    endResetModel();
}

int AllSearchModel::pendingRows() const
{
    return int(m_pending.size() - m_pendingHead);
}

void AllSearchModel::setChunkRows(int rows)
{
    m_chunkRows = qMax(1, rows);
}

int AllSearchModel::chunkRows() const
{
    return m_chunkRows;
}

const AllSearchRow &AllSearchModel::rowAt(int row) const
{
    return m_entries.at(size_t(row)).row;
}

QStringList AllSearchModel::sourcesAt(int row) const
{
    return m_entries.at(size_t(row)).sources;
}

qint64 AllSearchModel::sizeBytesAt(int row) const
{
    return m_entries.at(size_t(row)).sizeBytes;
}

qint64 AllSearchModel::dateKeyAt(int row) const
{
    return m_entries.at(size_t(row)).date;
}

const QCollatorSortKey &AllSearchModel::nameKeyAt(int row) const
{
    return m_entries.at(size_t(row)).nameKey;
}

const QString &AllSearchModel::foldedNameAt(int row) const
{
    return m_entries.at(size_t(row)).foldedName;
}

void AllSearchModel::landChunk()
{
    const int first = rowCount();
    const qsizetype end = qMin(m_pending.size(), m_pendingHead + m_chunkRows);
    std::vector<Entry> added;
    QList<int> changed; // rows listed before this chunk that took a source
    QElapsedTimer spent;
    spent.start();
    qsizetype i = m_pendingHead;
    // Rows with huge names cost more: a chunk also ends when its time is up.
    for (; i < end && (i == m_pendingHead || spent.elapsed() < ChunkBudgetMs); ++i) {
        AllSearchRow &row = m_pending[i];
        QString key = addressKey(row.address);
        if (!key.isEmpty()) {
            const auto found = m_rowOfKey.constFind(key);
            if (found != m_rowOfKey.cend()) {
                const int at = *found;
                if (at >= first)
                    merge(added[size_t(at - first)], row);
                else if (merge(m_entries[size_t(at)], row) && !changed.contains(at))
                    changed.append(at);
                continue;
            }
            m_rowOfKey.insert(key, first + int(added.size()));
        }
        added.push_back(entryFor(std::move(row), std::move(key)));
    }
    m_pendingHead = i;
    if (m_pendingHead == m_pending.size()) {
        m_pending.clear();
        m_pendingHead = 0;
    }
    if (!added.empty()) {
        beginInsertRows({}, first, first + int(added.size()) - 1);
        m_entries.insert(m_entries.end(), std::make_move_iterator(added.begin()),
                         std::make_move_iterator(added.end()));
        m_nameRanks.clear();
        endInsertRows();
    }
    for (int row : std::as_const(changed))
        Q_EMIT dataChanged(index(row, Source), index(row, Date));
    if (pendingRows() > 0)
        m_landTimer.start();
    Q_EMIT rowsLanded();
}

AllSearchModel::Entry AllSearchModel::entryFor(AllSearchRow row, QString key) const
{
    const qint64 bytes = sizeInBytes(row.size);
    const qint64 date = dateKey(row.date);
    QString folded = row.name.toCaseFolded();
    QCollatorSortKey nameKey = m_collator.sortKey(row.name);
    QStringList sources{row.source};
    QStringList titles{shownTitle(row)};
    row.title = titles.first();
    return Entry{.row = std::move(row),
                 .sources = std::move(sources),
                 .titles = std::move(titles),
                 .key = std::move(key),
                 .foldedName = std::move(folded),
                 .nameKey = std::move(nameKey),
                 .sizeBytes = bytes,
                 .date = date};
}

bool AllSearchModel::merge(Entry &into, const AllSearchRow &from)
{
    if (!into.sources.contains(from.source))
        into.sources.append(from.source);
    bool changed = false;
    const QString &title = shownTitle(from);
    if (!title.isEmpty() && !into.titles.contains(title)) {
        into.titles.append(title);
        into.row.title = into.titles.join(u"、"_s);
        changed = true;
    }
    // The first source keeps its name; a size or date it lacks comes from
    // the next that has one.
    if (into.sizeBytes < 0) {
        if (const qint64 bytes = sizeInBytes(from.size); bytes >= 0) {
            into.row.size = from.size;
            into.sizeBytes = bytes;
            changed = true;
        }
    }
    if (into.date == NoDateKey) {
        if (const qint64 date = dateKey(from.date); date != NoDateKey) {
            into.row.date = from.date;
            into.date = date;
            changed = true;
        }
    }
    return changed;
}

int AllSearchModel::nameRank(int row) const
{
    if (m_nameRanks.size() != m_entries.size()) {
        std::vector<int> order(m_entries.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return m_entries[size_t(a)].nameKey.compare(m_entries[size_t(b)].nameKey) < 0;
        });
        m_nameRanks.assign(m_entries.size(), 0);
        for (size_t i = 1; i < order.size(); ++i) {
            const Entry &previous = m_entries[size_t(order[i - 1])];
            const bool same = m_entries[size_t(order[i])].nameKey.compare(previous.nameKey) == 0;
            m_nameRanks[size_t(order[i])] = same ? m_nameRanks[size_t(order[i - 1])] : int(i);
        }
    }
    return m_nameRanks[size_t(row)];
}
