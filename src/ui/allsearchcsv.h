#pragma once

#include <QByteArray>

class QAbstractItemModel;

// The rows of `model` as it gives them (a filter model: the visible rows in
// their order), each cell's whole text (Qt::EditRole), as CSV: UTF-8 with a byte-order mark, the column headers
// first, RFC 4180 quoting, CR LF line ends. A cell that a spreadsheet would
// read as a formula (= + - @ first) gets a leading "'".
QByteArray allSearchCsv(const QAbstractItemModel &model);
