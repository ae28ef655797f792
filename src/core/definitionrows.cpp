#include "core/definitionrows.h"

#include "core/markerscan.h"
#include "core/searchlimits.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString readEntities(QString text)
{
    if (!text.contains(u'&'))
        return text;
    text.replace(u"&lt;"_s, u"<"_s);
    text.replace(u"&gt;"_s, u">"_s);
    text.replace(u"&quot;"_s, u"\""_s);
    text.replace(u"&#39;"_s, u"'"_s);
    text.replace(u"&amp;"_s, u"&"_s); // last, so that "&amp;lt;" stays "&lt;"
    return text;
}

} // namespace

QString DefinitionRows::cleaned(const SiteDefinition::Field &field, QString value)
{
    for (const QString &what : field.remove)
        value.remove(what);
    if (field.entities)
        value = readEntities(std::move(value));
    return value;
}

QString DefinitionRows::prefixed(const SiteDefinition::Field &field, QString value, const QString &prefix, bool found)
{
    if (prefix.isEmpty() || (value.isEmpty() && !(field.prefixWhenFound && found)))
        return value;
    return prefix + value;
}

qsizetype DefinitionRows::count(const SiteDefinition &definition, QStringView body)
{
    if (!definition.countMarker.isEmpty())
        return countFrom(body, definition.countMarker);
    const QString &marker = definition.split == SiteDefinition::Split::Rows || definition.fields.isEmpty()
                                ? definition.rowStart
                                : definition.fields.constFirst().start;
    if (marker.isEmpty())
        return 0;
    qsizetype n = 0;
    for (qsizetype at = markerIndex(body, marker); at >= 0; at = markerIndex(body, marker, at + marker.size()))
        ++n;
    return n;
}

QList<ListRow> DefinitionRows::extract(const SiteDefinition &definition, const QString &body, const QString &base)
{
    // The readers' counters are 16-bit: a page of bare markers is no million rows.
    return extract(definition, body, base, SearchLimits::listedRows(count(definition, body)));
}

QList<ListRow> DefinitionRows::extract(const SiteDefinition &definition, const QString &body, const QString &base,
                                       qsizetype count)
{
    QList<ListRow> rows;
    for (const QString &text : definition.notFound) {
        if (markerIndex(body, text) >= 0)
            return rows;
    }
    const qsizetype fieldCount = definition.fields.size();
    if (fieldCount == 0)
        return rows;
    std::vector<QString> prefixes;
    prefixes.reserve(size_t(fieldCount));
    for (const SiteDefinition::Field &field : definition.fields) {
        QString prefix = field.prefix;
        prefix.replace(u"{base}"_s, base);
        prefixes.push_back(prefix);
    }

    auto addRow = [&](QList<ListRow::Cell> &cells, bool anyCut) {
        if (anyCut)
            rows.append(ListRow{QString::number(rows.size() + 1), std::move(cells)});
    };

    if (definition.split == SiteDefinition::Split::Rows) {
        const MarkerPieces pieces(body, definition.rowStart);
        count = qMin(count, pieces.size() - 1);
        rows.reserve(qMax<qsizetype>(count, 0));
        for (qsizetype n = 1; n <= count; ++n) {
            const QStringView row = pieces.piece(n);
            QList<ListRow::Cell> cells;
            cells.reserve(fieldCount);
            bool anyCut = false;
            for (qsizetype f = 0; f < fieldCount; ++f) {
                const SiteDefinition::Field &field = definition.fields.at(f);
                QString value;
                const qsizetype start = markerIndex(row, field.start);
                const bool found = start >= 0;
                if (found) {
                    const qsizetype from = start + field.start.size();
                    const qsizetype end = markerIndex(row, field.end, from);
                    if (end >= 0)
                        value = cleaned(field, row.mid(from, end - from).toString());
                }
                anyCut = anyCut || !value.isEmpty();
                cells.append({field.key, prefixed(field, std::move(value), prefixes[size_t(f)], found)});
            }
            addRow(cells, anyCut);
        }
        return rows;
    }

    // Each field splits the whole page at its own marker: row i takes the
    // i-th piece of every field, so a row missing a field shifts that column.
    std::vector<MarkerPieces> pieces;
    pieces.reserve(size_t(fieldCount));
    for (const SiteDefinition::Field &field : definition.fields)
        pieces.emplace_back(body, field.start);
    rows.reserve(qMax<qsizetype>(count, 0));
    for (qsizetype n = 1; n <= count; ++n) {
        QList<ListRow::Cell> cells;
        cells.reserve(fieldCount);
        bool anyCut = false;
        for (qsizetype f = 0; f < fieldCount; ++f) {
            const SiteDefinition::Field &field = definition.fields.at(f);
            const MarkerPieces &split = pieces[size_t(f)];
            const bool found = split.has(n);
            QString value = found ? cleaned(field, cutBefore(split.piece(n), field.end)) : QString();
            anyCut = anyCut || !value.isEmpty();
            cells.append({field.key, prefixed(field, std::move(value), prefixes[size_t(f)], found)});
        }
        addRow(cells, anyCut);
    }
    return rows;
}
