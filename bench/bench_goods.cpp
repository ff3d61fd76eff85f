// The goods picker's search while typing, over a 100,000-line goods master:
// the matching lines for one keystroke against a bare substring scan of the
// same field over the same lines. BM_GoodsSearchVsScan times both in the same
// run and reports the ratio; the whole keystroke with the picker's list is in
// bench_window_goods.cpp.

#include "GoodsBenchData.h"
#include "trade/GoodsSearch.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using GoodsBench::kQueries;
using Slipdesk::GoodsSearch;

void labelled(benchmark::State &state)
{
    state.SetLabel(kQueries[state.range(0)].label);
}

// A keystroke after the first: the searched field is kept upper-cased.
void BM_GoodsSearch(benchmark::State &state)
{
    const auto &q = kQueries[state.range(0)];
    GoodsSearch search;
    const qsizetype hits = search.find(GoodsBench::goodsMaster(), q.field, q.text).size();
    for (auto _ : state)
        benchmark::DoNotOptimize(search.find(GoodsBench::goodsMaster(), q.field, q.text).size());
    state.counters["matches"] = double(hits);
    labelled(state);
}

// The first keystroke after the goods master was loaded or changed: the
// searched field is upper-cased afresh (the grid does this when the editor
// of a code or name cell opens, before the first keystroke).
void BM_GoodsSearchFirstKeystroke(benchmark::State &state)
{
    const auto &q = kQueries[state.range(0)];
    for (auto _ : state) {
        GoodsSearch search;
        benchmark::DoNotOptimize(search.find(GoodsBench::goodsMaster(), q.field, q.text).size());
    }
    labelled(state);
}

void BM_GoodsBareScan(benchmark::State &state)
{
    const auto &q = kQueries[state.range(0)];
    const QString upper = QString::fromUtf16(q.text).toUpper();
    for (auto _ : state)
        benchmark::DoNotOptimize(GoodsBench::bareScan(GoodsBench::goodsMaster(), q.field, upper));
    labelled(state);
}

void BM_GoodsSearchVsScan(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const auto &q = kQueries[state.range(0)];
    const QStringList &lines = GoodsBench::goodsMaster();
    const QString upper = QString::fromUtf16(q.text).toUpper();
    GoodsSearch search;
    search.find(lines, q.field, q.text);
    double searched = 0;
    double scanned = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(search.find(lines, q.field, q.text).size());
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(GoodsBench::bareScan(lines, q.field, upper));
        const auto t2 = Clock::now();
        searched += std::chrono::duration<double, std::milli>(t1 - t0).count();
        scanned += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["search_ms"] = searched / n;
    state.counters["scan_ms"] = scanned / n;
    state.counters["ratio"] = scanned > 0 ? searched / scanned : 0;
    labelled(state);
}

void queries(benchmark::internal::Benchmark *b)
{
    for (int i = 0; i < GoodsBench::kQueryCount; ++i)
        b->Arg(i);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GoodsSearch)->Apply(queries);
BENCHMARK(BM_GoodsSearchFirstKeystroke)->Apply(queries);
BENCHMARK(BM_GoodsBareScan)->Apply(queries);
BENCHMARK(BM_GoodsSearchVsScan)->Apply(queries);

} // namespace
