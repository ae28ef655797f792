#include "sources/emule/ed2ksearchparser.h"

#include "core/markerscan.h"
#include "core/texttools.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxRows = 32767;

const QString &rowMarker()
{
    static const QString marker = u"<td>["_s;
    return marker;
}

const QString &anchorTags()
{
    static const QString pattern = u"</?a[^<>]*>"_s;
    return pattern;
}

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

QString fileId(QStringView row)
{
    const QString marker = u" <a href=\"ShowFile.asp?FileID="_s;
    const qsizetype at = markerIndex(row, marker);
    if (at < 0)
        return {};
    const QStringView rest = row.mid(at + marker.size());
    const qsizetype quote = rest.indexOf(u'"');
    return quote < 0 ? QString() : rest.left(quote).toString();
}

Ed2kSearchRow parseRow(QStringView row, const QString &siteBase)
{
    Ed2kSearchRow out;
    const qsizetype bracket = row.indexOf(u']');
    QStringView rest = row;
    if (bracket >= 0) {
        out.category = preg(row.left(bracket).toString(), anchorTags());
        rest = row.mid(bracket + 1);
    }
    const qsizetype close = markerIndex(rest, u"</a>");
    if (close >= 0)
        out.name = removeAll(preg(rest.left(close + 1).toString(), anchorTags()), u"<");
    const QString id = fileId(row);
    if (!id.isEmpty())
        out.fileAddress = siteBase + u"/ShowFile.asp?FileID="_s + id;
    return out;
}

} // namespace

QString ed2kSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText)
{
    const QString page = pageNumber(pageText);
    if (page == u"1"_s)
        return siteBase + u"/FileList.asp?SearchWord="_s + encodedKeyword;
    return siteBase + u"/FileList.asp?PageIndex="_s + page + u"&SearchWord="_s + encodedKeyword;
}

qsizetype countEd2kSearchRows(const QString &body)
{
    return qMin(countFrom(body, rowMarker()), MaxRows);
}

QList<Ed2kSearchRow> parseEd2kSearchPage(const QString &body, const QString &siteBase, qsizetype count)
{
    const MarkerPieces rows(body, rowMarker());
    const qsizetype last = qMin(count, rows.size() - 1);
    QList<Ed2kSearchRow> out;
    out.reserve(qMax<qsizetype>(last, 0));
    for (qsizetype i = 1; i <= last; ++i) {
        Ed2kSearchRow row = parseRow(rows.piece(i), siteBase);
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
