// A delivery note of 30 goods rows with the built-in delivery table drawn
// on a PDF writer (as a printer page would be drawn), against the same
// number of texts drawn plainly at the same places and sizes in the same run.
#include "render/Drawing.h"
#include "render/FontMapping.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "templates/ItemTable.h"
#include "trade/NotePage.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace Slipdesk;

namespace {

constexpr int GoodsRowCount = 30;

TradeNote deliveryNote()
{
    TradeNote note;
    note.kind = NoteKind::Delivery;
    note.values = {
        {QStringLiteral("LblShopName"), QStringLiteral("杭州小明数码专营店")},
        {QStringLiteral("CmbInvoice"), QStringLiteral("出库发货单")},
        {QStringLiteral("EdtInvNo"), QStringLiteral("CK000123")},
        {QStringLiteral("CmbBuyerName"), QStringLiteral("王大锤")},
        {QStringLiteral("CmbBuyerWW"), QStringLiteral("dachui_wx")},
        {QStringLiteral("EdtBuyerMobile"), QStringLiteral("13912345678")},
        {QStringLiteral("EdtBuyerTel"), QStringLiteral("0755-26668888")},
        {QStringLiteral("DTPSender"), QStringLiteral("2024-05-01")},
        {QStringLiteral("EdtAddSs"), QStringLiteral("广东省")},
        {QStringLiteral("EdtAddDs"), QStringLiteral("深圳市")},
        {QStringLiteral("EdtAddQx"), QStringLiteral("南山区")},
        {QStringLiteral("EdtAddress"), QStringLiteral("科技园南区高新南七道数字技术园B2栋3楼301")},
        {QStringLiteral("EdtBuyerYb"), QStringLiteral("518057")},
        {QStringLiteral("EdtPostPrice"), QStringLiteral("12.00")},
        {QStringLiteral("CmbSalerSay"),
            QStringLiteral("收货时请当场清点核对，单、货是否一致。如有疑议，请当面指出，并及时联系卖家。")},
        {QStringLiteral("EdtSalerShopWeb"), QStringLiteral("https://shop.example.com/xiaoming")},
        {QStringLiteral("EdtSalerAdd"), QStringLiteral("浙江省杭州市西湖区文三路478号华星时代广场A座1201室")},
        {QStringLiteral("CmbSalerName"), QStringLiteral("李小明")},
        {QStringLiteral("EdtSalerWW"), QStringLiteral("小明数码")},
        {QStringLiteral("EdtSalerTel"), QStringLiteral("13800138000")},
        {QStringLiteral("CmbEmsCompany"), QStringLiteral("顺丰速运")},
        {QStringLiteral("EdtInvEmsNo"), QStringLiteral("SF1234567890")},
    };
    for (int i = 1; i <= GoodsRowCount; ++i) {
        const QString n = QString::number(i);
        // Every fifth name is too long for its column and shrinks.
        const QString name = i % 5 == 0
            ? QStringLiteral("超长商品名称：防摔硅胶手机保护壳透明款适用于多种型号第") + n + QStringLiteral("款")
            : QStringLiteral("手机壳第") + n + QStringLiteral("款");
        note.goods.append(GoodsTable::row({n, QStringLiteral("SP") + n.rightJustified(4, u'0'), name,
            QStringLiteral("个"), QString::number(i % 4 + 1), QStringLiteral("25.00"),
            QString::number((i % 4 + 1) * 25) + QStringLiteral(".00"), i % 3 == 0 ? QStringLiteral("赠品") : QString(),
            QStringLiteral("8.00"), QString()}));
    }
    note.recompute();
    return note;
}

struct PdfTarget
{
    static constexpr int Dpi = 600;
    QBuffer buffer;
    QPdfWriter writer {&buffer};
    QPainter painter;
    std::unique_ptr<PainterCanvas> canvas;

    PdfTarget()
    {
        FontMapping::install();
        buffer.open(QIODevice::WriteOnly);
        writer.setResolution(Dpi);
        painter.begin(&writer);
        canvas = std::make_unique<PainterCanvas>(painter, Dpi, Dpi, QPoint(60, 60), true);
    }
    ~PdfTarget() { painter.end(); }

    // Closes the page outside the timed part; keeps the buffer small.
    void nextPage(benchmark::State &state)
    {
        state.PauseTiming();
        writer.newPage();
        if (buffer.size() > (64 << 20))
            buffer.seek(0);
        state.ResumeTiming();
    }
};

// The texts the note draws, where and at which size, from a recording with
// the real font metrics of the PDF's resolution.
QList<RecordingCanvas::Op> noteTexts(const ItemTable &table, const TradeNote &note)
{
    FontMapping::install();
    RecordingCanvas recording(PdfTarget::Dpi, RecordingCanvas::Metrics::Font);
    recording.setPrinting(true);
    recording.setPrintableOffset(QPoint(60, 60));
    Drawing drawing(recording, 20, -10);
    NotePage::draw(drawing, table, note);
    return recording.texts();
}

double g_noteSeconds = 0;
double g_plainSeconds = 0;
int g_texts = 0;

void BM_DeliveryNotePdf(benchmark::State &state)
{
    PdfTarget target;
    const ItemTable table = ItemTable::builtIn(ItemTable::Delivery);
    const TradeNote note = deliveryNote();
    g_texts = int(noteTexts(table, note).size());
    if (g_texts == 0) {
        state.SkipWithError("the note drew no text");
        return;
    }
    Drawing drawing(*target.canvas, 20, -10);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        NotePage::draw(drawing, table, note);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        target.nextPage(state);
    }
    g_noteSeconds = seconds / double(state.iterations());
    state.counters["page_ms"] = g_noteSeconds * 1000;
    state.counters["goods_rows"] = GoodsRowCount;
    state.counters["texts"] = g_texts;
}
BENCHMARK(BM_DeliveryNotePdf)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_DeliveryNotePlainBaseline(benchmark::State &state)
{
    PdfTarget target;
    const QList<RecordingCanvas::Op> texts = noteTexts(ItemTable::builtIn(ItemTable::Delivery), deliveryNote());
    Canvas &canvas = *target.canvas;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const RecordingCanvas::Op &op : texts) {
            canvas.setFont(op.font, op.size);
            canvas.drawText(op.x, op.y, op.text);
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        target.nextPage(state);
    }
    g_plainSeconds = seconds / double(state.iterations());
    state.counters["page_ms"] = g_plainSeconds * 1000;
    state.counters["texts"] = double(texts.size());
}
BENCHMARK(BM_DeliveryNotePlainBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Reports note ÷ plain from the two runs above (registered after them).
void BM_DeliveryNoteToPlainRatio(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_noteSeconds);
    state.counters["ratio"] = g_plainSeconds > 0 ? g_noteSeconds / g_plainSeconds : 0;
    state.counters["note_page_ms"] = g_noteSeconds * 1000;
    state.counters["plain_page_ms"] = g_plainSeconds * 1000;
    state.counters["under_5ms"] = g_noteSeconds > 0 && g_noteSeconds < 0.005 ? 1 : 0;
}
BENCHMARK(BM_DeliveryNoteToPlainRatio)->Iterations(1);

} // namespace
