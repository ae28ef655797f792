#include "sources/movies/moviedetailparser.h"

#include "core/markerscan.h"
#include "core/sitedefinition.h"

using namespace Qt::StringLiterals;

namespace {

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

// The definition's markers, looked up once per page.
struct DetailMarkers
{
    explicit DetailMarkers(const SiteDefinition &definition)
        : lineBreak(definition.marker(u"line_break"_s))
        , headingSign(definition.marker(u"heading_sign"_s))
        , screenshots(definition.marker(u"screenshots"_s))
    {
    }

    QString lineBreak;
    QString headingSign;
    QString screenshots;
};

QString synopsisText(QStringView piece, const DetailMarkers &markers)
{
    QString text = cutKeepingFirst(piece, markers.screenshots);
    text.remove(markers.headingSign);
    text.remove(markers.lineBreak);
    text.replace(u"&nbsp;"_s, u" "_s);
    // An escaped ampersand is an ampersand of the text.
    text.replace(u"&amp;"_s, u"&"_s);
    return text;
}

QString linkTarget(QStringView piece, QStringView end)
{
    const qsizetype at = markerIndex(piece, end);
    return at < 0 ? QString() : piece.left(at).toString();
}

} // namespace

bool MovieDetail::isReadable() const
{
    return readable;
}

MovieDetail parseMovieDetail(const SiteDefinition &definition, const QString &page)
{
    const DetailMarkers markers(definition);
    MovieDetail detail;
    detail.posterAddress = removeAll(
        cutFirstPiece(page, definition.marker(u"poster"_s), definition.marker(u"poster_end"_s)), u"[");

    const QString translatedTitle = definition.marker(u"translated_title"_s);
    const QString titleLabel = definition.marker(u"title_label"_s);
    if (!translatedTitle.isEmpty() && page.contains(translatedTitle)) {
        const QString synopsisHeading = definition.marker(u"synopsis_b"_s);
        QString data = cutKeepingFirst(pieceOne(page, QString(markers.lineBreak + translatedTitle)), synopsisHeading);
        data.replace(markers.headingSign, Breaks);
        data.remove(markers.lineBreak);
        data.replace(u"&nbsp;"_s, u" "_s);
        detail.filmData = translatedTitle + data;
        detail.synopsis = synopsisText(pieceOne(page, synopsisHeading), markers);
    } else {
        // Only the data before the synopsis heading, none of its "剧".
        const QString synopsisHeading = definition.marker(u"synopsis_a"_s);
        QString data = cutFirstPiece(page, QString(markers.lineBreak + titleLabel), synopsisHeading);
        data.replace(markers.lineBreak, Breaks);
        data.replace(u"&nbsp;"_s, u" "_s);
        detail.filmData = titleLabel + data;
        detail.synopsis = synopsisText(pieceOne(page, synopsisHeading), markers);
    }
    detail.readable = !removeAll(detail.filmData, titleLabel).isEmpty();

    const MarkerPieces jumps(page, definition.marker(u"jump_link"_s));
    const QString jumpEnd = definition.marker(u"jump_link_end"_s);
    detail.link1 = linkTarget(jumps.piece(1), jumpEnd);
    detail.link2 = u"http://"_s + removeAll(linkTarget(jumps.piece(2), jumpEnd), u"http://");
    return detail;
}
