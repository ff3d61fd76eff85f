// The whole program's batch run: `slipdesk-cli batch waybill --print-to DIR`
// over 100, 1,000 and 5,000 queued waybills, all different, every item of
// the default express template switched on. Wall seconds and the child's
// own peak memory (wait4), beside the baselines of the same run: the
// process starting and doing nothing (`where`) and drawing one waybill
// (`render waybill`). Run with BM_WaybillPdf for the drawing routine alone.
//
// The program is found beside the build's bench folder, or at $SLIPDESK_CLI.

#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "waybill/WaybillQueue.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <vector>

extern char **environ;

using namespace Slipdesk;

namespace {

const QString kTemplate = QStringLiteral("默认B6国内信封");

QString cliPath()
{
    const QString given = qEnvironmentVariable("SLIPDESK_CLI");
    return given.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../slipdesk-cli") : given;
}

struct ChildRun
{
    double seconds = 0;
    double peakMegabytes = 0;
    int code = -1;
};

// Runs the program to its end, its output discarded.
ChildRun runChild(const QStringList &arguments)
{
    const QByteArray path = QFile::encodeName(cliPath());
    std::vector<QByteArray> bytes {path};
    for (const QString &argument : arguments)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage {};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.seconds = double(timer.nsecsElapsed()) / 1e9;
            run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
            run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

FieldValues recipient(int i)
{
    const QString n = QString::number(i);
    return {{QStringLiteral("CmbSjrMc"), QStringLiteral("张") + n},
        {QStringLiteral("CmbSjdwMc"), QStringLiteral("示例科技有限公司第") + n + QStringLiteral("分部")},
        {QStringLiteral("EdtSjDwSs"), QStringLiteral("北京市")},
        {QStringLiteral("EdtSjDwDs"), QStringLiteral("北京市")},
        {QStringLiteral("EdtSjDwQx"), QStringLiteral("海淀区")},
        {QStringLiteral("EdtSjDwDz"), QStringLiteral("中关村大街") + n + QStringLiteral("号院3号楼1201室")},
        {QStringLiteral("EdtSjDwTel"), QStringLiteral("010-6234") + n},
        {QStringLiteral("EdtSjdwYb"), QStringLiteral("100080")},
        {QStringLiteral("EdtSjrMobile"), QStringLiteral("1380000") + n.rightJustified(4, u'0')},
        {QStringLiteral("EdtWpJe"), QString::number(i * 3.5, 'f', 2)},
        {QStringLiteral("EdtDshk"), QStringLiteral("100.01")}, {QStringLiteral("CmbLetterWP"), QStringLiteral("书籍")},
        {QStringLiteral("CmbLetterLy"), QStringLiteral("请查收，易碎物品小心轻放")},
        {QStringLiteral("ChbSelect1"), QStringLiteral("1")}};
}

// The sender under every row, as --fields gives it.
const QByteArray kSender = QStringLiteral("CmbJjrMc=王五\nCmbJjDwMc=示例网店\nEdtJjDwDz=浙江省杭州市西湖区文三路8号\n"
                                          "EdtJjDwYb=310012\nDateTimeP=2026-12-07\n")
                               .toUtf8();

// A data folder whose default express template prints every item, its
// number set so that every form gets a title of its own, and `rows` queued.
void prepare(const QTemporaryDir &dir, int rows)
{
    const Paths paths(dir.path() + u'/');
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    const int print = table.findColumn(QStringLiteral("是否打印"));
    for (int row = 1; row < table.rowCount(); ++row)
        table.setCell(row, print, QStringLiteral("打印"));
    table.save(paths.templateSet(kTemplate));
    TemplateSettings(paths, kTemplate).setWaybillNumber(QStringLiteral("SF00000001"));
    QFile sender(dir.filePath(QStringLiteral("sender.txt")));
    sender.open(QIODevice::WriteOnly);
    sender.write(kSender);
    sender.close();
    QStringList queue;
    queue.reserve(rows);
    for (int i = 1; i <= rows; ++i)
        queue.append(WaybillQueue::row(recipient(i)));
    if (rows > 0) {
        QDir().mkpath(paths.batchDir());
        TextTable::save(WaybillQueue::file(paths), queue);
    }
}

void report(benchmark::State &state, const ChildRun &run, int forms)
{
    state.SetIterationTime(run.seconds);
    state.counters["peak_MB"] = run.peakMegabytes;
    if (forms > 0)
        state.counters["ms/form"] = run.seconds * 1000.0 / forms;
    if (run.code != 0)
        state.SkipWithError("the program failed");
}

void startup(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        report(state, runChild({QStringLiteral("--data"), dir.path(), QStringLiteral("where")}), 0);
}

void renderOne(benchmark::State &state)
{
    QTemporaryDir dir;
    prepare(dir, 0);
    QFile fields(dir.filePath(QStringLiteral("fields.txt")));
    fields.open(QIODevice::WriteOnly);
    fields.write(kSender);
    const FieldValues one = recipient(1);
    for (auto it = one.cbegin(); it != one.cend(); ++it)
        fields.write((it.key() + u'=' + it.value() + u'\n').toUtf8());
    fields.close();
    for (auto _ : state)
        report(state,
            runChild({QStringLiteral("--data"), dir.path(), QStringLiteral("render"), QStringLiteral("waybill"),
                QStringLiteral("--template"), kTemplate, QStringLiteral("--fields"), fields.fileName(),
                QStringLiteral("--out"), dir.filePath(QStringLiteral("one.pdf"))}),
            1);
}

void batchRun(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        prepare(dir, rows);
        state.ResumeTiming();
        const ChildRun run = runChild({QStringLiteral("--data"), dir.path(), QStringLiteral("batch"),
            QStringLiteral("waybill"), QStringLiteral("--template"), kTemplate, QStringLiteral("--fields"),
            dir.filePath(QStringLiteral("sender.txt")), QStringLiteral("--print-to"),
            dir.filePath(QStringLiteral("pdf"))});
        report(state, run, rows);
        const qsizetype printed = QDir(dir.filePath(QStringLiteral("pdf"))).entryList(QDir::Files).size();
        if (printed != rows)
            state.SkipWithError("not every row was printed");
    }
}

} // namespace

BENCHMARK(startup)->Name("BM_CliStartup")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(renderOne)->Name("BM_CliRenderOneWaybill")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(batchRun)
    ->Name("BM_CliBatchWaybills")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
