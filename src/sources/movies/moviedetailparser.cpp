#include "sources/movies/moviedetailparser.h"

#include "core/markerscan.h"

using namespace Qt::StringLiterals;

namespace {

const QString LayoutBTitle = u"◎译　　名"_s;
const QString Breaks = u"\r\n\r\n"_s;

QStringView pieceOne(QStringView text, QStringView marker)
{
    const qsizetype at = markerIndex(text, marker);
    if (at < 0)
        return {};
    const QStringView rest = text.mid(at + marker.size());
    const qsizetype next = markerIndex(rest, marker);
    return next < 0 ? rest : rest.left(next);
}

// Text up to `end`, keeping the end marker's first character; empty when
// `end` is missing.
QString cutKeepingFirst(QStringView text, QStringView end)
{
    const qsizetype at = markerIndex(text, end);
    return at < 0 ? QString() : text.left(at + 1).toString();
}

QString synopsisText(QStringView piece)
{
    QString text = cutKeepingFirst(piece, u"◎影片截图");
    text.remove(u'◎');
    text.remove(u"<br />"_s);
    text.replace(u"&nbsp;"_s, u" "_s);
    // An escaped ampersand is an ampersand of the text.
    text.replace(u"&amp;"_s, u"&"_s);
    return text;
}

QString linkTarget(QStringView piece)
{
    const qsizetype quote = piece.indexOf(u'"');
    return quote < 0 ? QString() : piece.left(quote).toString();
}

} // namespace

bool MovieDetail::isReadable() const
{
    return !removeAll(filmData, u"片名:").isEmpty();
}

MovieDetail parseMovieDetail(const QString &page)
{
    MovieDetail detail;
    detail.posterAddress = removeAll(cutFirstPiece(page, u"[IMG]", u"[/IMG]"), u"[");

    if (page.contains(LayoutBTitle)) {
        QString data = cutKeepingFirst(pieceOne(page, QString(u"<br />"_s + LayoutBTitle)), u"◎简　　介");
        data.replace(u"◎"_s, Breaks);
        data.remove(u"<br />"_s);
        data.replace(u"&nbsp;"_s, u" "_s);
        detail.filmData = LayoutBTitle + data;
        detail.synopsis = synopsisText(pieceOne(page, u"◎简　　介"));
    } else {
        // Only the data before the synopsis heading, none of its "剧".
        QString data = cutFirstPiece(page, u"<br />片名:", u"剧情简介");
        data.replace(u"<br />"_s, Breaks);
        data.replace(u"&nbsp;"_s, u" "_s);
        detail.filmData = u"片名:"_s + data;
        detail.synopsis = synopsisText(pieceOne(page, u"剧情简介"));
    }

    const MarkerPieces jumps(page, u"jump.php?url="_s);
    detail.link1 = linkTarget(jumps.piece(1));
    detail.link2 = u"http://"_s + removeAll(linkTarget(jumps.piece(2)), u"http://");
    return detail;
}
