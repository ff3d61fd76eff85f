// Drawing throughput: a full express waybill page of 74 items on a PDF
// writer (as a printer page would be drawn), against the same texts drawn
// plainly without fitting; and the measurements each shrink costs.
#include "render/CentimetreGrid.h"
#include "render/Drawing.h"
#include "render/FontMapping.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

using namespace Slipdesk;

namespace {

struct PageItem
{
    ItemParams params;
    QString text;
    bool spaced = false;
};

ItemParams params(
    int left, int top, int width, int spacing = 0, bool shrink = true, ItemParams::Wrap wrap = ItemParams::AutoWrap)
{
    ItemParams p;
    p.print = true;
    p.left = left;
    p.top = top;
    p.width = width;
    p.spacing = spacing;
    p.shrink = shrink;
    p.wrap = wrap;
    return p;
}

// The positions of the built-in express table with typical values: short
// names that fit, addresses that wrap, phone numbers and remarks squeezed
// into the 10 mm default boxes (shrunk, some down to a wrap at 4 points).
std::vector<PageItem> expressPage()
{
    std::vector<PageItem> page {
        {params(1150, 1000, 200), QStringLiteral("李小明")},
        {params(1150, 1000, 200), QStringLiteral("杭州")},
        {params(550, 1100, 150), QStringLiteral("浙江省")},
        {params(700, 1100, 150), QStringLiteral("杭州市")},
        {params(850, 1100, 150), QStringLiteral("西湖区")},
        {params(550, 1100, 600, 0, false), QStringLiteral("文三路478号华星时代广场A座1201室（靠近学院路口）")},
        {params(550, 1000, 600, 0, false), QStringLiteral("杭州小明数码专营店")},
        {params(1500, 1150, 0, 30), QStringLiteral("310012"), true},
        {params(600, 750, 300), QStringLiteral("王大锤")},
        {params(600, 750, 300), QStringLiteral("深圳")},
        {params(300, 350, 150), QStringLiteral("广东省")},
        {params(450, 350, 150), QStringLiteral("深圳市")},
        {params(600, 350, 150), QStringLiteral("南山区")},
        {params(300, 350, 500, 0, false), QStringLiteral("科技园南区高新南七道数字技术园B2栋3楼301，工作日送达")},
        {params(400, 550, 800, 0, false), QStringLiteral("深圳市南山区某某电子科技有限公司")},
        {params(150, 120, 0, 100), QStringLiteral("518057"), true},
        {params(1100, 120, 100), QStringLiteral("A001")},
        {params(1300, 550, 300), QStringLiteral("采购部")},
        {params(900, 750, 100), QStringLiteral("先生")},
        {params(1100, 750, 100), QStringLiteral("收")},
    };
    const QString defaults[] = {
        QStringLiteral("0571-88886666"),
        QStringLiteral("李小明"),
        QStringLiteral("王芳"),
        QStringLiteral("0755-26668888"),
        QStringLiteral("2024-05-01"),
        QStringLiteral("14:30"),
        QStringLiteral("手机壳两个"),
        QStringLiteral("请尽快发货，谢谢！易碎物品小心轻放，勿压"),
        QStringLiteral("√"),
        QString(),
        QStringLiteral("√"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("√"),
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral("0571-88886666"),
        QStringLiteral("小明数码"),
        QStringLiteral("13800138000"),
        QStringLiteral("xiaoming@example.com"),
        QStringLiteral("xm@example.com"),
        QStringLiteral("xiaoming_qq"),
        QStringLiteral("0571-88886667"),
        QStringLiteral("91330100MA2XXXXX0X"),
        QStringLiteral("www.example.com"),
        QStringLiteral("中国工商银行杭州文三路支行"),
        QStringLiteral("6222021202001234567"),
        QStringLiteral("0755-26668888"),
        QStringLiteral("大锤"),
        QStringLiteral("13912345678"),
        QStringLiteral("dachui@example.com"),
        QStringLiteral("dc@example.com"),
        QStringLiteral("dachui_wx"),
        QStringLiteral("0755-26668889"),
        QStringLiteral("VIP"),
        QStringLiteral("K20240501"),
        QStringLiteral("www.example.cn"),
        QStringLiteral("SF1234567890"),
        QStringLiteral("1,500.00"),
        QStringLiteral("壹仟伍佰元整"),
        QStringLiteral("DD202405010001"),
        QStringLiteral("2"),
        QStringLiteral("1.5kg"),
        QStringLiteral("0.00"),
        QString(),
        QStringLiteral("2,000.00"),
        QStringLiteral("贰仟元整"),
        QStringLiteral("10.00"),
        QStringLiteral("12.00"),
        QStringLiteral("0.00"),
        QStringLiteral("加急"),
    };
    for (const QString &text : defaults)
        page.push_back({params(150, 120, 100), text, text == u"6222021202001234567"});
    for (PageItem &item : page) {
        if (item.spaced && item.params.spacing <= 0)
            item.params.spacing = 30;
    }
    return page;
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

double g_fittedPageSeconds = 0;
double g_plainPageSeconds = 0;

void drawPage(Drawing &drawing, const std::vector<PageItem> &page)
{
    for (const PageItem &item : page) {
        if (item.spaced)
            drawing.drawSpacedItem(item.text, item.params);
        else
            drawing.drawItem(item.text, item.params);
    }
}

void BM_ExpressPageFitted(benchmark::State &state)
{
    PdfTarget target;
    const std::vector<PageItem> page = expressPage();
    Drawing drawing(*target.canvas, 20, -10);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        drawPage(drawing, page);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        target.nextPage(state);
    }
    g_fittedPageSeconds = seconds / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * int64_t(page.size()));
    state.counters["page_ms"] = g_fittedPageSeconds * 1000;
    state.counters["items"] = double(page.size());
}
BENCHMARK(BM_ExpressPageFitted)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ExpressPagePlainBaseline(benchmark::State &state)
{
    PdfTarget target;
    const std::vector<PageItem> page = expressPage();
    Drawing drawing(*target.canvas, 20, -10);
    Canvas &canvas = *target.canvas;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const PageItem &item : page) {
            if (item.text.isEmpty())
                continue;
            canvas.setFont(item.params.font, item.params.size);
            const QPoint at = drawing.position(item.params.left, item.params.top);
            canvas.drawText(at.x(), at.y(), item.text);
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        target.nextPage(state);
    }
    g_plainPageSeconds = seconds / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * int64_t(page.size()));
    state.counters["page_ms"] = g_plainPageSeconds * 1000;
}
BENCHMARK(BM_ExpressPagePlainBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Reports fitted ÷ plain from the two runs above (registered after them).
void BM_FittedToPlainRatio(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_fittedPageSeconds);
    state.counters["ratio"] = g_plainPageSeconds > 0 ? g_fittedPageSeconds / g_plainPageSeconds : 0;
    state.counters["fitted_page_ms"] = g_fittedPageSeconds * 1000;
    state.counters["plain_page_ms"] = g_plainPageSeconds * 1000;
    state.counters["under_5ms"] = g_fittedPageSeconds < 0.005 ? 1 : 0;
}
BENCHMARK(BM_FittedToPlainRatio)->Iterations(1);

// A preview paint: grid and page on a screen-sized image at 96 dpi.
void BM_PreviewPaint(benchmark::State &state)
{
    FontMapping::install();
    QImage image(1920, 1080, QImage::Format_RGB32);
    const std::vector<PageItem> page = expressPage();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterCanvas canvas(painter, 96, 96);
        CentimetreGrid::draw(canvas, image.size(), 96, false);
        canvas.setTextColor(QColor(0, 0, 255));
        Drawing drawing(canvas);
        drawPage(drawing, page);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(page.size()));
}
BENCHMARK(BM_PreviewPaint)->Unit(benchmark::kMillisecond);

// Measurements per item with real font metrics at 600 dpi: never more than
// size − 3 for a fitted item.
void BM_ShrinkMeasurements(benchmark::State &state)
{
    FontMapping::install();
    const std::vector<PageItem> page = expressPage();
    int maxPerItem = 0, shrunk = 0, shrinkMeasurements = 0, violations = 0;
    for (auto _ : state) {
        maxPerItem = shrunk = shrinkMeasurements = violations = 0;
        RecordingCanvas canvas(600, RecordingCanvas::Metrics::Font);
        Drawing drawing(canvas);
        for (const PageItem &item : page) {
            if (item.spaced || item.text.isEmpty())
                continue;
            canvas.clear();
            drawing.drawItem(item.text, item.params);
            const int calls = canvas.widthCalls();
            maxPerItem = std::max(maxPerItem, calls);
            if (calls > std::max(1, item.params.size - 3))
                ++violations;
            if (calls > 1) {
                ++shrunk;
                shrinkMeasurements += calls;
            }
        }
    }
    state.counters["max_measurements_per_item"] = maxPerItem;
    state.counters["allowed"] = 10 - 3;
    state.counters["shrunk_items"] = shrunk;
    state.counters["avg_measurements_per_shrink"] = shrunk ? double(shrinkMeasurements) / shrunk : 0;
    state.counters["violations"] = violations;
    if (violations)
        state.SkipWithError("an item was measured more than size - 3 times");
}
BENCHMARK(BM_ShrinkMeasurements)->Unit(benchmark::kMillisecond);

} // namespace
