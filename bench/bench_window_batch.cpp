// A continuous express batch run in the window, through the virtual PDF
// printer: how long after a press of "结束(&E)" the run stops, against the
// time one form takes in the same run. The press comes from another thread
// at a random moment, as a user's click reaches the window's queue while a
// form prints; the goal is a stop within one form.

#include "app/TForm1.h"
#include "datawin/DataSession.h"
#include "datawin/TableSpec.h"
#include "datawin/ui/BatchRunControl.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/VirtualPdfPrinter.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "waybill/WaybillQueue.h"
#include "waybill/ui/ExpressTab.h"
#include "waybill/ui/ExpressTabUi.h"

#include <QDir>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace Slipdesk;

namespace {

constexpr int kRows = 400;

class SilentMessages : public MessageService
{
public:
    void inform(const QString &, Icon, const QString &) override { }
    Answer ask(const QString &, bool, Icon) override { return Answer::No; }
    bool prompt(const QString &, QString &, bool) override { return false; }
};

using Clock = std::chrono::steady_clock;

void BM_BatchEndLatency(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString root = folder.path() + u'/';
    const Paths paths(root);
    paths.createDataFolders();
    QStringList rows;
    for (int i = 0; i < kRows; ++i) {
        FieldValues values;
        values.insert(QStringLiteral("CmbSjrMc"), QStringLiteral("收件人%1").arg(i));
        values.insert(QStringLiteral("EdtSjDwDz"), QStringLiteral("科技园%1号").arg(i));
        values.insert(QStringLiteral("EdtWpJe"), QString::number(100 + i));
        rows.append(WaybillQueue::row(values));
    }
    TextTable::save(WaybillQueue::file(paths), rows);

    SilentMessages messages;
    MessageService::install(&messages);
    VirtualPrinterService printers(std::make_unique<VirtualPdfPrinter>(root + QStringLiteral("pdf")));
    PrinterService::install(&printers);
    double worstRatio = 0;
    double latencySum = 0;
    double formSum = 0;
    int runs = 0;
    {
        TForm1 form(paths, root, QStringLiteral("/nonexistent-temp"));
        form.FormCreate();
        form.show();
        ExpressTab &express = *form.expressTab();
        QPushButton *end = express.ui().BtnTskSave;
        Clock::time_point stopped;
        QObject::connect(express.batch(), &BatchRunControl::runEnded, [&] { stopped = Clock::now(); });

        for (auto _ : state) {
            DataSession session
                = DataSession::open(form.context(), {TableCode::ExpressBatch, {}, QDate::currentDate()});
            BatchStart start;
            start.code = TableCode::ExpressBatch;
            start.start = 1;
            start.end = session.table().rowCount();
            start.continuous = true;
            start.file = session.file();
            start.table = session.table();
            express.startBatch(start);

            std::atomic<Clock::time_point::rep> pressedAt {0};
            const int delayMs = int(QRandomGenerator::global()->bounded(40, 160));
            std::thread user([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
                pressedAt = Clock::now().time_since_epoch().count();
                QMetaObject::invokeMethod(end, "click", Qt::QueuedConnection);
            });
            const int before = int(QDir(root + QStringLiteral("pdf")).entryList(QDir::Files).size());
            const Clock::time_point began = Clock::now();
            express.print();
            user.join();
            const int printed = int(QDir(root + QStringLiteral("pdf")).entryList(QDir::Files).size()) - before;
            const Clock::time_point pressed {Clock::duration(pressedAt.load())};
            const double latency = std::chrono::duration<double, std::milli>(stopped - pressed).count();
            const double perForm = std::chrono::duration<double, std::milli>(stopped - began).count() / printed;
            latencySum += latency;
            formSum += perForm;
            worstRatio = std::max(worstRatio, latency / perForm);
            ++runs;
        }
    }
    PrinterService::install(nullptr);
    MessageService::install(nullptr);
    state.counters["latency_ms"] = latencySum / runs;
    state.counters["form_ms"] = formSum / runs;
    state.counters["worst_latency_per_form"] = worstRatio;
}
BENCHMARK(BM_BatchEndLatency)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
