#include "core/qvodaddresses.h"

#include "core/markerscan.h"

#include <QSet>

using namespace Qt::StringLiterals;

QStringList extractQvodAddresses(const QString &page)
{
    static const QString scheme = u"qvod://"_s;
    const MarkerPieces pieces(page, scheme);
    QStringList addresses;
    QSet<QString> seen;
    for (qsizetype k = 1; k < pieces.size(); ++k) {
        const QStringView piece = pieces.piece(k);
        const qsizetype end = piece.indexOf(u"</a>");
        if (end <= 0)
            continue;
        // The cut keeps the "<" of "</a>"; every "<" then goes.
        const QString address = scheme + removeAll(piece.left(end + 1).toString(), u"<");
        if (!seen.contains(address)) {
            seen.insert(address);
            addresses.append(address);
        }
    }
    return addresses;
}
