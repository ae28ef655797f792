#include "core/listrow.h"

QString ListRow::value(QStringView key) const
{
    for (const Cell &cell : cells) {
        if (cell.key == key)
            return cell.text;
    }
    return {};
}
