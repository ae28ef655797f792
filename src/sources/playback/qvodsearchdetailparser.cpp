#include "sources/playback/qvodsearchdetailparser.h"

#include "core/markerscan.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

QvodSearchDetail parseQvodSearchDetail(const SiteDefinition &search, const QString &page)
{
    QvodSearchDetail detail;
    const MarkerPieces values(page, search.marker(u"file_address"_s));
    detail.fileAddress = removeAll(cutBefore(values.piece(5), search.marker(u"file_address_end"_s)), u"\"");
    const MarkerPieces images(page, search.marker(u"picture"_s));
    detail.pictureAddress = cutBefore(images.piece(3), search.marker(u"picture_end"_s));
    return detail;
}
