// "检查" (the duplicate check) of one column of a 100,000-row table without
// duplicates, against reading that column's cells once in the same run.

#include "datawin/DataTable.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace Slipdesk;

namespace {

constexpr int kRows = 100000;

const DataTable &table()
{
    static const DataTable t = [] {
        QStringList lines;
        lines.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            lines.append(QStringLiteral("2026-03-01,10:00:00,SF%1,张三%2,上海市|上海市|浦东新区|张江路%3号,1,1500.00")
                             .arg(1000000000 + i * 7)
                             .arg(i % 100)
                             .arg(i % 1000));
        return DataTable(
            QStringLiteral("序号,打印日期,打印时间,信函编号,收件人,收件地址,件数,金额").split(u','), lines);
    }();
    return t;
}

void BM_DuplicateCheck(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const DataTable &t = table();
    const int column = t.findColumn(QStringLiteral("信函编号"));
    double checked = 0;
    double read = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        DataTable::DuplicateScan scan(t, column);
        int pairs = 0;
        while (scan.next())
            ++pairs;
        benchmark::DoNotOptimize(pairs);
        auto t1 = Clock::now();
        qsizetype total = 0;
        for (int r = 0; r < t.rowCount(); ++r)
            total += t.cell(r, column).size();
        benchmark::DoNotOptimize(total);
        auto t2 = Clock::now();
        checked += std::chrono::duration<double, std::milli>(t1 - t0).count();
        read += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["check_ms"] = checked / n;
    state.counters["read_column_ms"] = read / n;
    state.counters["ratio"] = read > 0 ? checked / read : 0;
}

} // namespace

BENCHMARK(BM_DuplicateCheck)->Unit(benchmark::kMillisecond);
