#include "core/ed2klink.h"

#include <QStringView>

using namespace Qt::StringLiterals;

QString firstEd2kLink(const QString &page)
{
    static const QString marker = u"<a href=\"ed2k://"_s;
    const qsizetype at = page.indexOf(marker);
    if (at < 0)
        return {};
    // Piece 1 after the marker: up to the next anchor of its kind.
    const qsizetype from = at + marker.size();
    const qsizetype next = page.indexOf(marker, from);
    const QStringView piece = QStringView(page).mid(from, next < 0 ? page.size() - from : next - from);
    const qsizetype quote = piece.indexOf(u'"');
    if (quote <= 0)
        return {};
    return u"ed2k://"_s + piece.left(quote).toString();
}
