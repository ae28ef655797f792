#include "sources/playback/qvodsearchdetailparser.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

QvodSearchDetail parseQvodSearchDetail(const QString &page)
{
    QvodSearchDetail detail;
    const MarkerPieces values(page, u"value="_s);
    detail.fileAddress = removeAll(cutBefore(values.piece(5), u"\">"), u"\"");
    const MarkerPieces images(page, u"<img src=\""_s);
    detail.pictureAddress = cutBefore(images.piece(3), u"\"");
    return detail;
}
