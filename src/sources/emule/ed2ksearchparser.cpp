#include "sources/emule/ed2ksearchparser.h"

#include "core/addresstemplate.h"
#include "core/markerscan.h"
#include "core/sitedefinition.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

// The page number as the site counts it: the box's numeric value, written
// in decimal; a text that is no number counts as page 1.
QString pageNumber(const QString &pageText)
{
    if (!isNumericText(pageText))
        return u"1"_s;
    const double value = pageText.trimmed().toDouble();
    if (qAbs(value) < 1e15 && value == double(qint64(value)))
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

// The definition's markers, looked up once per page.
struct RowMarkers
{
    explicit RowMarkers(const SiteDefinition &definition)
        : categoryEnd(definition.marker(u"category_end"_s))
        , titleEnd(definition.marker(u"title_end"_s))
        , anchorTags(definition.marker(u"anchor_tag_pattern"_s))
        , fileLink(definition.marker(u"file_link"_s))
        , fileLinkEnd(definition.marker(u"file_link_end"_s))
        , fileAddress(definition.address(u"file"_s))
    {
    }

    QString categoryEnd;
    QString titleEnd;
    QString anchorTags;
    QString fileLink;
    QString fileLinkEnd;
    QString fileAddress;
};

QString fileId(QStringView row, const RowMarkers &markers)
{
    const qsizetype at = markerIndex(row, markers.fileLink);
    if (at < 0)
        return {};
    const QStringView rest = row.mid(at + markers.fileLink.size());
    const qsizetype end = markerIndex(rest, markers.fileLinkEnd);
    return end < 0 ? QString() : rest.left(end).toString();
}

Ed2kSearchRow parseRow(QStringView row, const QString &siteBase, const RowMarkers &markers)
{
    Ed2kSearchRow out;
    const qsizetype bracket = markerIndex(row, markers.categoryEnd);
    QStringView rest = row;
    if (bracket >= 0) {
        out.category = preg(row.left(bracket).toString(), markers.anchorTags, {}, u"anchor_tag_pattern"_s);
        rest = row.mid(bracket + markers.categoryEnd.size());
    }
    const qsizetype close = markerIndex(rest, markers.titleEnd);
    // The title end's first character is cut with the title, then removed.
    if (close >= 0) {
        out.name = preg(rest.left(close + 1).toString(), markers.anchorTags, {}, u"anchor_tag_pattern"_s);
        if (!markers.titleEnd.isEmpty())
            out.name.remove(markers.titleEnd.front());
    }
    const QString id = fileId(row, markers);
    if (!id.isEmpty())
        out.fileAddress = AddressTemplate::expand(markers.fileAddress, {{u"base"_s, siteBase}, {u"number"_s, id}});
    return out;
}

} // namespace

QString ed2kSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                          const QString &pageText)
{
    const QString page = pageNumber(pageText);
    const QString &address = page == u"1"_s ? definition.address(u"first_page"_s) : definition.searchAddress;
    return AddressTemplate::expand(address, {{u"base"_s, siteBase}, {u"keyword"_s, encodedKeyword}, {u"page"_s, page}});
}

qsizetype countEd2kSearchRows(const SiteDefinition &definition, const QString &body)
{
    return countFrom(body, definition.marker(u"row"_s));
}

QList<Ed2kSearchRow> parseEd2kSearchPage(const SiteDefinition &definition, const QString &body,
                                         const QString &siteBase, qsizetype count)
{
    const MarkerPieces rows(body, definition.marker(u"row"_s));
    const RowMarkers markers(definition);
    const qsizetype last = qMin(count, rows.size() - 1);
    QList<Ed2kSearchRow> out;
    out.reserve(qMax<qsizetype>(last, 0));
    for (qsizetype i = 1; i <= last; ++i) {
        Ed2kSearchRow row = parseRow(rows.piece(i), siteBase, markers);
        // Nothing cut: a bare row marker is no row.
        if (!row.name.isEmpty() || !row.category.isEmpty() || !row.fileAddress.isEmpty())
            out.append(std::move(row));
    }
    return out;
}

ListRow ed2kSearchListRow(const Ed2kSearchRow &row, qsizetype number)
{
    return {QString::number(number),
            {{QStringLiteral("mc"), row.name}, {QStringLiteral("dz"), row.fileAddress}, {QStringLiteral("fl"), row.category}}};
}
