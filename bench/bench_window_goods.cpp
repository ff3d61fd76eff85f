// What one keystroke in a goods grid's code or name cell costs with a
// 100,000-line goods master: the search, handing the matching lines to the
// picker's model, sizing its columns and placing it (BM_GoodsKeystroke), and
// the same with the picker painted (BM_GoodsKeystrokePainted), each against a
// bare substring scan of the same field timed in the same run.

#include "GoodsBenchData.h"
#include "trade/GoodsMaster.h"
#include "trade/GoodsSearch.h"
#include "trade/ui/GoodsPicker.h"

#include <QTableView>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace Slipdesk;
using GoodsBench::kQueries;

// The window's central area with a stand-in for the grid cell being typed in.
struct Window
{
    QWidget area;
    QWidget *cellParent = new QWidget(&area);
    GoodsPicker picker {&area, nullptr};
    GoodsMaster goods;
    GoodsSearch search;

    Window()
    {
        area.resize(1200, 800);
        cellParent->setGeometry(10, 150, 1000, 600);
        area.show();
        goods.setRows(GoodsBench::goodsMaster());
    }

    qsizetype keystroke(const GoodsBench::Query &q, bool paint)
    {
        QList<int> found = search.find(goods.rows(), q.field, q.text);
        const qsizetype count = found.size();
        picker.show(goods, NoteKind::Delivery, std::move(found), cellParent, QRect(40, 20, 81, 20), &area);
        if (paint)
            picker.table()->viewport()->repaint();
        return count;
    }
};

void run(benchmark::State &state, bool paint)
{
    using Clock = std::chrono::steady_clock;
    const auto &q = kQueries[state.range(0)];
    const QString upper = QString::fromUtf16(q.text).toUpper();
    Window w;
    const qsizetype hits = w.keystroke(q, paint); // the keystrokes before this one
    double rebuilt = 0;
    double scanned = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(w.keystroke(q, paint));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(GoodsBench::bareScan(w.goods.rows(), q.field, upper));
        const auto t2 = Clock::now();
        rebuilt += std::chrono::duration<double, std::milli>(t1 - t0).count();
        scanned += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["matches"] = double(hits);
    state.counters["keystroke_ms"] = rebuilt / n;
    state.counters["scan_ms"] = scanned / n;
    state.counters["ratio"] = scanned > 0 ? rebuilt / scanned : 0;
    state.SetLabel(q.label);
}

void BM_GoodsKeystroke(benchmark::State &state)
{
    run(state, false);
}

void BM_GoodsKeystrokePainted(benchmark::State &state)
{
    run(state, true);
}

void queries(benchmark::internal::Benchmark *b)
{
    for (int i = 0; i < GoodsBench::kQueryCount; ++i)
        b->Arg(i);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GoodsKeystroke)->Apply(queries);
BENCHMARK(BM_GoodsKeystrokePainted)->Apply(queries);

} // namespace
