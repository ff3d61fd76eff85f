// The data window over a year's express print log of 200,000 lines (36
// columns, values as the program logs them):
// - BM_DataWindowOpen: from the opener's call to a drawn, fitted grid,
//   against reading and decoding the file alone (TextTable::load) in the
//   same run; with the memory the open window holds against the file's size.
// - BM_DataWindowSave: "保存" after one edit, against a raw atomic write
//   (QSaveFile) of the same bytes.

#include "context/AppContext.h"
#include "datawin/DataTableModel.h"
#include "datawin/ui/TFRMData.h"
#include "platform/MessageService.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "waybill/WaybillLog.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <malloc.h>
#include <unistd.h>

using namespace Slipdesk;

namespace {

constexpr int kLines = 200000;

class SilentMessages : public MessageService
{
public:
    void inform(const QString &, Icon, const QString &) override { }
    Answer ask(const QString &, bool, Icon) override { return Answer::No; }
    bool prompt(const QString &, QString &, bool) override { return false; }
};

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// A year of waybills as the print step logs them, written in pieces so that
// the benchmark's own heap stays small before the window is measured.
class ExpressLog
{
public:
    static ExpressLog &instance()
    {
        static ExpressLog log;
        return log;
    }

    Paths paths() const { return Paths(m_dir.path() + u'/'); }
    QString file() const { return WaybillLog::path(paths(), year()); }
    static int year() { return QDate::currentDate().year(); }
    qint64 bytes() const { return m_bytes; }

private:
    ExpressLog()
    {
        static const char16_t *const names[] = {u"张伟", u"王芳", u"李娜", u"刘洋", u"陈静", u"杨帆", u"赵磊", u"黄敏"};
        static const char16_t *const places[] = {u"上海市|上海市|浦东新区|张江路", u"广东省|深圳市|南山区|科技园南区",
            u"浙江省|杭州市|西湖区|文三路", u"北京市|北京市|朝阳区|建国路", u"江苏省|南京市|鼓楼区|中山北路"};
        static const char16_t *const goods[] = {u"连衣裙", u"T恤", u"手机壳", u"蓝牙耳机", u"保温杯", u"茶叶礼盒"};
        QDir().mkpath(paths().logDir());
        QFile out(file());
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const QDateTime start(QDate(year(), 1, 1), QTime(9, 0));
        QString chunk;
        for (int i = 0; i < kLines; ++i) {
            const QString n = QString::number(i);
            const QStringList address = QString::fromUtf16(places[i % 5]).split(u'|');
            FieldValues v;
            v.insert(QStringLiteral("DateTimeP"), start.date().addDays(i % 365).toString(Qt::ISODate));
            v.insert(QStringLiteral("EdtEmsNo"), QStringLiteral("SF%1").arg(1000000000 + i));
            v.insert(QStringLiteral("CmbLetterSelect"), QStringLiteral("顺丰速运标准快递单"));
            v.insert(QStringLiteral("EdtSjrWW"), u"tb_buyer" + n);
            v.insert(QStringLiteral("CmbSjrMc"), QString::fromUtf16(names[i % 8]));
            v.insert(QStringLiteral("CmbSjdwMc"), i % 4 == 0 ? u"某某贸易有限公司" + n : QString());
            v.insert(QStringLiteral("EdtSjDwSs"), address.at(0));
            v.insert(QStringLiteral("EdtSjDwDs"), address.at(1));
            v.insert(QStringLiteral("EdtSjDwQx"), address.at(2));
            v.insert(QStringLiteral("EdtSjDwDz"),
                address.at(3) + QString::number(i % 300) + u"号" + QString::number(i % 30) + u"栋"
                    + QString::number(100 + i % 2000) + u"室");
            v.insert(QStringLiteral("EdtSjDwTel"),
                i % 3 == 0 ? QStringLiteral("021-5888%1").arg(i % 10000, 4, 10, QLatin1Char('0')) : QString());
            v.insert(QStringLiteral("EdtSjdwYb"), QStringLiteral("200120"));
            v.insert(QStringLiteral("EdtWLDD"), QStringLiteral("WL%1").arg(88000000 + i));
            v.insert(QStringLiteral("CmbLetterWP"), QString::fromUtf16(goods[i % 6]));
            v.insert(QStringLiteral("EdtWpCount"), QString::number(1 + i % 3));
            v.insert(QStringLiteral("EdtWpWeight"), QStringLiteral("0.5"));
            v.insert(QStringLiteral("CmbLetterLy"), i % 5 == 0 ? QStringLiteral("请尽快发货，谢谢") : QString());
            v.insert(QStringLiteral("EdtSjrMobile"), QStringLiteral("138%1").arg(10000000 + i));
            v.insert(QStringLiteral("EdtSjrPayEmail"), i % 2 ? u"buyer" + n + u"@example.com" : QString());
            v.insert(QStringLiteral("EdtWpJe"), QString::number(30 + i % 3000) + QStringLiteral(".00"));
            v.insert(QStringLiteral("EdtYF"), QStringLiteral("12"));
            v.insert(QStringLiteral("CmbJjDwMc"), QStringLiteral("小店旗舰店"));
            const QStringList markers {i % 7 == 0 ? QStringLiteral("加急") : QString(), QString(), QString()};
            chunk += WaybillLog::buildLine(v, markers, start.addSecs(i * 97)) + QStringLiteral("\r\n");
            if (chunk.size() > (1 << 20) || i == kLines - 1) {
                const QByteArray bytes = Codec::encode(chunk);
                out.write(bytes);
                m_bytes += bytes.size();
                chunk.clear();
            }
        }
    }

    QTemporaryDir m_dir;
    qint64 m_bytes = 0;
};

DataSession::Request logRequest()
{
    DataSession::Request request;
    request.code = TableCode::ExpressLog;
    return request;
}

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void BM_DataWindowOpen(benchmark::State &state)
{
    ExpressLog &log = ExpressLog::instance();
    SilentMessages messages;
    MessageService::install(&messages);
    AppContext context(log.paths());
    TFRMData window(context);
    double opened = 0;
    double loaded = 0;
    qint64 growth = 0;
    bool first = true;
    for (auto _ : state) {
        malloc_trim(0);
        const qint64 before = residentBytes();
        auto t0 = Clock::now();
        window.open(logRequest());
        window.ui().SgData->viewport()->repaint();
        opened += msSince(t0);
        if (first) {
            growth = residentBytes() - before;
            first = false;
        }
        window.close();
        malloc_trim(0);

        t0 = Clock::now();
        benchmark::DoNotOptimize(TextTable::load(log.file()).size());
        loaded += msSince(t0);
    }
    MessageService::install(nullptr);
    const double n = double(state.iterations());
    state.counters["open_ms"] = opened / n;
    state.counters["load_ms"] = loaded / n;
    state.counters["ratio"] = loaded > 0 ? opened / loaded : 0;
    state.counters["file_MB"] = double(log.bytes()) / (1 << 20);
    state.counters["growth_MB"] = double(growth) / (1 << 20);
    state.counters["growth_per_file"] = double(growth) / double(log.bytes());
}

void BM_DataWindowSave(benchmark::State &state)
{
    ExpressLog &log = ExpressLog::instance();
    SilentMessages messages;
    MessageService::install(&messages);
    AppContext context(log.paths());
    TFRMData window(context);
    window.open(logRequest());
    QAbstractItemModel *model = window.ui().SgData->model();
    const QModelIndex cell = model->index(kLines / 2, model->columnCount() - 1);
    double saved = 0;
    double raw = 0;
    int edit = 0;
    for (auto _ : state) {
        model->setData(cell, QStringLiteral("已签收%1").arg(++edit));
        auto t0 = Clock::now();
        window.saveTable();
        saved += msSince(t0);

        QFile file(log.file());
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.close();
        t0 = Clock::now();
        QSaveFile out(log.file());
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.commit();
        raw += msSince(t0);
        // The raw write changed the file under the window: it reads it again.
        window.session()->reload();
    }
    window.close();
    MessageService::install(nullptr);
    const double n = double(state.iterations());
    state.counters["save_ms"] = saved / n;
    state.counters["raw_write_ms"] = raw / n;
    state.counters["ratio"] = raw > 0 ? saved / raw : 0;
}

} // namespace

BENCHMARK(BM_DataWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DataWindowSave)->Unit(benchmark::kMillisecond)->Iterations(3);
