// Sales statistics over a 1,000,000-line delivery detail log, as "汇总统计"
// costs it from the file (load and compute), beside the floor of loading the
// same file alone with TextTable::load, and the computation by itself.

#include "storage/TextTable.h"
#include "trade/SalesStats.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 1000000;
constexpr int kCodes = 3000;

// A year of delivery notes of one to five goods rows each, a few thousand
// goods codes (some written in lower case), printing dates spread over the
// year; written once per run.
class DetailLog
{
public:
    static const DetailLog &instance()
    {
        static const DetailLog log;
        return log;
    }

    QString path() const { return m_dir.filePath(QStringLiteral("出库发货单2024发货清单.TXT")); }
    qint64 bytes() const { return m_bytes; }
    // About half of the year: January to June.
    static QDate from() { return QDate(2024, 1, 1); }
    static QDate to() { return QDate(2024, 6, 30); }

private:
    DetailLog()
    {
        static const char16_t *const kinds[] = {
            u"保温杯", u"茶叶礼盒", u"蓝牙耳机", u"手机壳", u"数据线", u"毛巾", u"台灯", u"收纳箱", u"雨伞", u"笔记本"};
        static const char16_t *const units[] = {u"个", u"盒", u"副", u"条", u"台", u"本"};
        static const char16_t *const remarks[] = {u"", u"", u"加急", u"赠品", u"换货"};
        const QDate start(2024, 1, 1);
        QStringList lines;
        lines.reserve(kLines);
        int note = 0;
        while (lines.size() < kLines) {
            ++note;
            const QString number = QStringLiteral("CK%1").arg(note, 6, 10, QLatin1Char('0'));
            const QString date = start.addDays(note * 7919 % 366).toString(QStringLiteral("yyyy-MM-dd"));
            const int rows = 1 + note % 5;
            for (int r = 0; r < rows && lines.size() < kLines; ++r) {
                const int goods = (note * 31 + r * 977) % kCodes;
                QString code = QStringLiteral("SP%1").arg(goods, 4, 10, QLatin1Char('0'));
                if (note % 7 == 0)
                    code = code.toLower();
                const int quantity = 1 + (note + r) % 9;
                const qint64 price = 500 + goods * 13 % 50000; // fen
                const qint64 cost = price * 6 / 10;
                const auto money = [](qint64 fen) {
                    return QStringLiteral("%1.%2").arg(fen / 100).arg(fen % 100, 2, 10, QLatin1Char('0'));
                };
                const QStringList fields {QStringLiteral("出库发货单"), number, date, code,
                    QString::fromUtf16(kinds[goods % 10]) + QString::number(goods),
                    QString::fromUtf16(units[goods % 6]),
                    note % 11 == 0 ? QStringLiteral("%1.5").arg(quantity) : QString::number(quantity), money(price),
                    money(price * quantity), QString::fromUtf16(remarks[note % 5]),
                    goods % 50 == 0 ? QString() : money(cost), QString()};
                lines.append(fields.join(u','));
            }
        }
        Slipdesk::TextTable::save(path(), lines);
        m_bytes = QFile(path()).size();
    }

    QTemporaryDir m_dir;
    qint64 m_bytes = 0;
};

void report(benchmark::State &state, qint64 bytes)
{
    const auto total = static_cast<double>(state.iterations());
    state.counters["lines/s"] = benchmark::Counter(total * kLines, benchmark::Counter::kIsRate);
    state.counters["MB/s"] = benchmark::Counter(total * double(bytes) / 1e6, benchmark::Counter::kIsRate);
}

// The baseline: the detail log read and decoded into its lines, nothing else.
void BM_StatsBaselineLoad(benchmark::State &state)
{
    const DetailLog &log = DetailLog::instance();
    for (auto _ : state) {
        const QStringList lines = Slipdesk::TextTable::load(log.path());
        if (lines.size() != kLines) {
            state.SkipWithError("wrong line count");
            return;
        }
        benchmark::DoNotOptimize(lines.constData());
    }
    report(state, log.bytes());
}
BENCHMARK(BM_StatsBaselineLoad)->Unit(benchmark::kMillisecond);

// What "汇总统计" costs from the file: loading it and computing the table.
void BM_StatsLoadAndCompute(benchmark::State &state)
{
    const DetailLog &log = DetailLog::instance();
    for (auto _ : state) {
        const std::optional<Slipdesk::SalesTable> table
            = Slipdesk::SalesStats::compute(Slipdesk::TextTable::load(log.path()), DetailLog::from(), DetailLog::to());
        if (!table || table->rows.size() != kCodes + 1) {
            state.SkipWithError("wrong table");
            return;
        }
        benchmark::DoNotOptimize(table->rows.constData());
    }
    report(state, log.bytes());
}
BENCHMARK(BM_StatsLoadAndCompute)->Unit(benchmark::kMillisecond);

// The computation alone, on lines already in memory (the data window loads
// the log when the page opens, so a second query costs only this).
void BM_StatsComputeOnly(benchmark::State &state)
{
    const DetailLog &log = DetailLog::instance();
    const QStringList lines = Slipdesk::TextTable::load(log.path());
    for (auto _ : state) {
        const std::optional<Slipdesk::SalesTable> table
            = Slipdesk::SalesStats::compute(lines, DetailLog::from(), DetailLog::to());
        if (!table || table->rows.size() != kCodes + 1) {
            state.SkipWithError("wrong table");
            return;
        }
        benchmark::DoNotOptimize(table->rows.constData());
    }
    report(state, log.bytes());
}
BENCHMARK(BM_StatsComputeOnly)->Unit(benchmark::kMillisecond);

} // namespace
