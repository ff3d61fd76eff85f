// Posting a 30-row delivery note against a 100,000-line goods master, the
// printer left out: stock rule, new buyer, both logs and the goods master
// written whole. The floor beside it is an atomic write of the same goods
// master bytes, already encoded: posting cannot be cheaper than that.

#include "context/AppContext.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/GoodsTable.h"
#include "trade/TradePosting.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Slipdesk;

namespace {

constexpr int kGoods = 100000;
constexpr int kRows = 30;

QStringList goodsLines()
{
    static const char16_t *const names[] = {u"手机", u"电脑", u"耳机", u"数据线", u"充电宝", u"保护壳"};
    QStringList lines;
    lines.reserve(kGoods);
    for (int i = 0; i < kGoods; ++i)
        lines.append(QStringLiteral("G%1,%2%3,个,%4,%5.00,出库备注%6,%7.50,供应商%8,%9")
                         .arg(i, 6, 10, QLatin1Char('0'))
                         .arg(QString::fromUtf16(names[i % 6]))
                         .arg(i)
                         .arg(100 + i % 900)
                         .arg(10 + i % 5000)
                         .arg(i % 7)
                         .arg(5 + i % 3000)
                         .arg(i % 50)
                         .arg(i % 4));
    return lines;
}

TradeNote note(int round)
{
    TradeNote n {NoteKind::Delivery, {}, {}};
    n.values = {{QStringLiteral("CmbInvoice"), QStringLiteral("出库发货单")},
        {QStringLiteral("EdtInvNo"), QStringLiteral("CK%1").arg(round, 6, 10, QLatin1Char('0'))},
        {QStringLiteral("CmbBuyerName"), QStringLiteral("买家%1").arg(round)},
        {QStringLiteral("EdtAddress"), QStringLiteral("科技园%1号").arg(round)}};
    for (int r = 0; r < kRows; ++r)
        n.goods.append(GoodsTable::row(
            {QString::number(r + 1), QStringLiteral("G%1").arg((r * 3331 + round) % kGoods, 6, 10, QLatin1Char('0')),
                QStringLiteral("商品"), QStringLiteral("个"), QStringLiteral("2"), QStringLiteral("1,500.00"),
                QStringLiteral("3,000.00"), QString(), QStringLiteral("1,200.00")}));
    n.recompute();
    return n;
}

void BM_PostDelivery30RowsOn100kGoods(benchmark::State &state)
{
    QTemporaryDir dir;
    AppContext context {Paths(dir.path())};
    context.loadAddressBooks();
    context.goods().setRows(goodsLines());
    int round = 0;
    for (auto _ : state) {
        const TradePosting::Result result
            = TradePosting::postDelivery(context, note(++round), QDateTime::currentDateTime());
        if (!result.ok())
            state.SkipWithError("posting failed");
        benchmark::DoNotOptimize(result.nextNumber);
    }
    state.SetLabel("goal: at most 2 x the raw write");
}
BENCHMARK(BM_PostDelivery30RowsOn100kGoods)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The worst case: the first posting after the goods master was loaded, when
// every line is encoded for the first time.
void BM_PostDeliveryFirstAfterLoad(benchmark::State &state)
{
    QTemporaryDir dir;
    AppContext context {Paths(dir.path())};
    context.loadAddressBooks();
    const QStringList lines = goodsLines();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        context.goods().setRows(lines);
        const TradeNote posted = note(++round);
        state.ResumeTiming();
        const TradePosting::Result result = TradePosting::postDelivery(context, posted, QDateTime::currentDateTime());
        if (!result.ok())
            state.SkipWithError("posting failed");
    }
    state.SetLabel("worst case; goal: at most 2 x the raw write");
}
BENCHMARK(BM_PostDeliveryFirstAfterLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RawAtomicWriteOfTheGoodsMaster(benchmark::State &state)
{
    QTemporaryDir dir;
    QString text;
    for (const QString &line : goodsLines())
        text += line + QStringLiteral("\r\n");
    const QByteArray bytes = Codec::encode(text);
    const QString path = QDir(dir.path()).filePath(QStringLiteral("商品资料.TXT"));
    for (auto _ : state) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("write failed");
    }
    state.SetLabel("baseline");
}
BENCHMARK(BM_RawAtomicWriteOfTheGoodsMaster)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
