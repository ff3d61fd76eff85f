// 1,000 different waybills with every item of the default template switched
// on, drawn as the pages of one PDF through the routine the printer uses:
// seconds and memory, against 100 pages in the same run to show the growth.

#include "render/Drawing.h"
#include "render/FontMapping.h"
#include "render/PageOutput.h"
#include "templates/ItemTable.h"
#include "waybill/WaybillPage.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace Slipdesk;

namespace {

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

FieldValues waybill(int i)
{
    const QString n = QString::number(i);
    return {{QStringLiteral("CmbJjrMc"), QStringLiteral("王五")},
        {QStringLiteral("CmbJjDwMc"), QStringLiteral("示例网店")},
        {QStringLiteral("EdtJjDwDz"), QStringLiteral("浙江省杭州市西湖区文三路") + n + QStringLiteral("号")},
        {QStringLiteral("EdtJjDwYb"), QStringLiteral("310012")}, {QStringLiteral("CmbSjrMc"), QStringLiteral("张") + n},
        {QStringLiteral("CmbSjdwMc"), QStringLiteral("示例科技有限公司第") + n + QStringLiteral("分部")},
        {QStringLiteral("EdtSjDwSs"), QStringLiteral("北京市")},
        {QStringLiteral("EdtSjDwDs"), QStringLiteral("北京市")},
        {QStringLiteral("EdtSjDwQx"), QStringLiteral("海淀区")},
        {QStringLiteral("EdtSjDwDz"), QStringLiteral("中关村大街") + n + QStringLiteral("号院3号楼1201室")},
        {QStringLiteral("EdtSjDwTel"), QStringLiteral("010-6234") + n},
        {QStringLiteral("EdtSjdwYb"), QStringLiteral("100080")},
        {QStringLiteral("EdtSjrMobile"), QStringLiteral("1380000") + n.rightJustified(4, u'0')},
        {QStringLiteral("EdtEmsNo"), QStringLiteral("SF") + n.rightJustified(8, u'0')},
        {QStringLiteral("EdtWpJe"), QString::number(i * 3.5, 'f', 2)},
        {QStringLiteral("EdtDshk"), QStringLiteral("100.01")}, {QStringLiteral("CmbLetterWP"), QStringLiteral("书籍")},
        {QStringLiteral("CmbLetterLy"), QStringLiteral("请查收，易碎物品小心轻放")},
        {QStringLiteral("DateTimeP"), QStringLiteral("2026-12-07")},
        {QStringLiteral("ChbSelect1"), QStringLiteral("1")}};
}

void drawPages(benchmark::State &state)
{
    FontMapping::install();
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    const int print = table.findColumn(QStringLiteral("是否打印"));
    for (int row = 1; row < table.rowCount(); ++row)
        table.setCell(row, print, QStringLiteral("打印"));
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const double before = peakMegabytes();
    for (auto _ : state) {
        PageOutput out(dir.filePath(QStringLiteral("batch.pdf")), PageOutput::Format::Pdf, QSize(2100, 2970), 600);
        out.begin();
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                out.newPage();
            Drawing drawing(out.canvas());
            WaybillPage::draw(drawing, table, waybill(i), {}, QTime(9, 5));
        }
        out.finish();
    }
    state.counters["pages/s"]
        = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_growth_MB"] = peakMegabytes() - before;
}

} // namespace

BENCHMARK(drawPages)->Name("BM_WaybillPdf")->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);
