#include "ui/listexport.h"

#include "core/texttools.h"

#include <QSaveFile>
#include <QTreeWidget>

namespace {

constexpr int FirstCellWidth = 8;
constexpr int MaxCellBytes = 1023;

} // namespace

QByteArray exportBytes(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &cells : rows) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            QString cell = truncatedToGbkBytes(cells.at(i), MaxCellBytes);
            if (i == 0)
                cell = SetStringFixedLength(cell, FirstCellWidth);
            else
                text += QLatin1String("   ");
            text += cell;
        }
        text += QLatin1String("\r\n");
    }
    return toGbk(text);
}

bool ExportListViewContent(const QTreeWidget &list, const QString &path)
{
    const int count = list.topLevelItemCount();
    if (count == 0)
        return false;
    QList<QStringList> rows;
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        const QTreeWidgetItem *item = list.topLevelItem(r);
        QStringList cells;
        for (int c = 0; c < list.columnCount(); ++c)
            cells.append(item->text(c));
        rows.append(cells);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(exportBytes(rows));
    return file.commit();
}
