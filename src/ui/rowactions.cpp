#include "ui/rowactions.h"

#include "ui/readercontext.h"
#include "ui/resultlist.h"

QTreeWidgetItem *guardedRow(const ResultList &list, const ReaderContext &context)
{
    QTreeWidgetItem *row = list.actionRow();
    if (!row)
        context.report(QStringLiteral("请先查询再进行操作!"));
    return row;
}

void copyCellAction(const ResultList &list, int subitem, const QString &message, const ReaderContext &context)
{
    const QTreeWidgetItem *row = guardedRow(list, context);
    if (!row)
        return;
    context.copyText(list.cellText(row, subitem));
    context.report(message);
}

void openCellAction(const ResultList &list, int subitem, const ReaderContext &context)
{
    const QTreeWidgetItem *row = guardedRow(list, context);
    if (!row)
        return;
    context.openAddress(list.cellText(row, subitem));
}

QString copyInformationText(const QString &name, const QString &address)
{
    return QStringLiteral("名称：") + name + QStringLiteral("\r\n链接地址：") + address;
}
