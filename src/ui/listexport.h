#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTreeWidget;

// The export line format: item text padded to 8 GBK bytes, then every further
// cell; cells joined by three spaces, each at most 1023 bytes; GB18030 (GBK
// for every GBK character) with CR LF line ends.
QByteArray exportBytes(const QList<QStringList> &rows);

// Writes every row of `list` to `path`. False, and no file touched, when the
// list is empty or the file cannot be written; an earlier file survives a
// failed write.
bool ExportListViewContent(const QTreeWidget &list, const QString &path);
