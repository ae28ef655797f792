#include "core/markerscan.h"
#include "core/texttools.h"

#include <QRegularExpression>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A marker whose both ends are the page's most common character, so every
// position is a candidate and only the middle tells a near miss.
QString markerOf(qsizetype length)
{
    return QString(length / 2, u'a') + u'b' + QString(length - length / 2 - 1, u'a');
}

// 32 Mi characters of near misses of `marker`: the marker less its last
// character, repeated (shape 0), or the marker with its middle character
// changed, repeated (shape 1).
QString nearMisses(const QString &marker, int shape)
{
    QString unit = marker;
    if (shape == 0)
        unit.chop(1);
    else
        unit[marker.size() / 2] = u'c';
    const qsizetype size = qsizetype(32) << 20;
    QString page = unit.repeated(size / unit.size() + 1);
    page.truncate(size);
    return page;
}

// Splitting such a page at the marker (no hit): the cost per character of
// a 16-character and a 4 KB marker; their ratio is what the marker's length
// costs on near misses.
void BM_MarkerNearMisses(benchmark::State &state)
{
    const QString marker = markerOf(state.range(0));
    const QString page = nearMisses(marker, int(state.range(1)));
    for (auto _ : state) {
        const MarkerPieces pieces(page, marker);
        benchmark::DoNotOptimize(pieces.size());
    }
    state.SetItemsProcessed(state.iterations() * page.size());
    state.SetLabel(state.range(1) == 0 ? "marker less its last, repeated" : "middle changed, repeated");
}

// The overlapping count on the same pages (countFrom).
void BM_MarkerCountNearMisses(benchmark::State &state)
{
    const QString marker = markerOf(state.range(0));
    const QString page = nearMisses(marker, int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(countFrom(page, marker));
    state.SetItemsProcessed(state.iterations() * page.size());
}

} // namespace

BENCHMARK(BM_MarkerNearMisses)->ArgsProduct({{16, 4096}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkerCountNearMisses)->ArgsProduct({{16, 4096}, {0, 1}})->Unit(benchmark::kMillisecond);

namespace {

QString tableRows(int rows)
{
    QString page;
    for (int i = 0; i < rows; ++i)
        page += u"<tr><td class=\"n\"><a href=\"/detail/"_s + QString::number(i) + u".html\">地球 结果</a></td><TD>大陆</TD></tr>"_s;
    return page;
}

// A definition's regex that is no tag stripper, over 2,000 rows at once
// (12,000 hits): through the bounded PCRE2 matcher (preg), and through
// QRegularExpression (JIT) as preg did before.
void BM_RegexReplaceBounded(benchmark::State &state)
{
    const QString page = tableRows(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(preg(page, u"</?(td|a|tr)[^<>]*>"_s));
    state.SetItemsProcessed(state.iterations() * page.size());
}

void BM_RegexReplaceQt(benchmark::State &state)
{
    const QString page = tableRows(2000);
    const QRegularExpression re(u"</?(td|a|tr)[^<>]*>"_s, QRegularExpression::CaseInsensitiveOption);
    for (auto _ : state) {
        QString out = page;
        benchmark::DoNotOptimize(out.replace(re, QString()));
    }
    state.SetItemsProcessed(state.iterations() * page.size());
}

} // namespace

BENCHMARK(BM_RegexReplaceBounded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexReplaceQt)->Unit(benchmark::kMillisecond);
