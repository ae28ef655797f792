#include "sources/playback/cloudondemand.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

QString cloudOnDemandAddress(const QString &serviceBase, const QString &address)
{
    return serviceBase + u"/api.php?ed=1&url="_s + address;
}

QString firstEd2kLink(const QString &page)
{
    const MarkerPieces pieces(page, u"<a href=\"ed2k://"_s);
    if (!pieces.has(1))
        return {};
    const QStringView rest = pieces.piece(1);
    // A link whose quote never comes is no link.
    const qsizetype quote = rest.indexOf(u'"');
    return quote < 0 ? QString() : u"ed2k://"_s + rest.left(quote).toString();
}
