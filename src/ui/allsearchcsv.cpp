#include "ui/allsearchcsv.h"

#include "core/texttools.h"

#include <QAbstractItemModel>

using namespace Qt::StringLiterals;

namespace {

void appendField(QString &out, QString text)
{
    // A source's title comes from a definition file, like the cells from pages.
    text = cleanCell(text);
    // Tab and CR start formulas too in some spreadsheets.
    static const QString formulaStarts = u"=+-@\t\r"_s;
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u'"') || text.contains(u',') || text.contains(u'\n') || text.contains(u'\r')) {
        text.replace(u'"', u"\"\""_s);
        out += u'"' + text + u'"';
    } else {
        out += text;
    }
}

} // namespace

QByteArray allSearchCsv(const QAbstractItemModel &model)
{
    QString out;
    const int columns = model.columnCount();
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            out += u',';
        appendField(out, model.headerData(column, Qt::Horizontal).toString());
    }
    out += u"\r\n"_s;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                out += u',';
            appendField(out, model.index(row, column).data(Qt::EditRole).toString());
        }
        out += u"\r\n"_s;
    }
    // The mark makes spreadsheet programs read the Chinese text as UTF-8.
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}
