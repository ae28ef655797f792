// The command line's printed row for a definition with many fields: every
// field's cell looked up once, so eight times the fields cost about eight
// times as much (the lookup per field over every cell cost 64 times).
//   build/bench/jyx_bench_headless
#include "core/listrow.h"
#include "shell/headlesscommand.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_HeadlessCells(benchmark::State &state)
{
    const qsizetype n = state.range(0);
    QStringList fields = {u"xh"_s};
    ListRow row;
    row.text = u"1"_s;
    for (qsizetype i = 0; i < n; ++i) {
        const QString key = u"f"_s + QString::number(i);
        fields.append(key);
        row.cells.append({key, u"value "_s + QString::number(i)});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(HeadlessCommand::cells(row, fields));
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_HeadlessCells)->Arg(1000)->Arg(8000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
