#pragma once

#include <QString>

class QTreeWidgetItem;
class ReaderContext;
class ResultList;

// The generic row actions shared by every list.

// The row guard: the row to act on, or nullptr after reporting
// "请先查询再进行操作!" when nothing usable is selected.
QTreeWidgetItem *guardedRow(const ResultList &list, const ReaderContext &context);

// Copy one cell to the clipboard, then report `message`.
void copyCellAction(const ResultList &list, int subitem, const QString &message, const ReaderContext &context);

// Open one cell's address in the default browser.
void openCellAction(const ResultList &list, int subitem, const ReaderContext &context);

// The "复制信息" block: "名称：" name CR LF "链接地址：" address.
QString copyInformationText(const QString &name, const QString &address);
