// "import-orders" of a large order table killed at random moments: the
// express queue always holds whole rows only, and every import is in it
// whole or not at all (so that importing again after a kill never doubles
// the orders that had gone in).

#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

namespace {

constexpr int kOrders = 5000;
constexpr int kKills = 30;
constexpr int kQueueCommas = 36; // 37 cells a row

QByteArray orderTable()
{
    QString text
        = QStringLiteral("订单编号,买家会员名,买家支付宝账号,买家应付货款,买家应付邮费,买家支付积分,总金额,返点积分,"
                         "买家实际支付金额,买家实际支付积分,订单状态,收货人姓名,收货地址,运送方式,联系电话,联系手机,"
                         "订单创建时间,订单付款时间,宝贝标题,宝贝种类,物流单号,物流公司,订单备注,宝贝总数量\r\n");
    for (int i = 0; i < kOrders; ++i) {
        QStringList fields(24);
        fields[0] = QStringLiteral("T%1").arg(i, 12, 10, QLatin1Char('0'));
        fields[1] = QStringLiteral("买家%1").arg(i);
        fields[4] = QStringLiteral("12.00");
        fields[6] = QStringLiteral("158.50");
        fields[11] = QStringLiteral("示例公司");
        fields[12] = QStringLiteral("陈小姐");
        fields[13] = QStringLiteral("\"浙江省 杭州市 西湖区 文三路%1号(310012)\"").arg(i);
        fields[15] = QStringLiteral("'0571-88886666");
        fields[16] = QStringLiteral("'13800138000");
        fields[23] = QStringLiteral("\"'连衣裙 L码\"");
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return Slipdesk::Codec::encode(text);
}

// When to kill: after a time, or a moment after the import starts writing
// to the queue folder (the queue grows, or a new file appears there), which
// is where a kill can cut rows.
struct Kill
{
    int afterMs = -1; // -1: let it end
    bool whenWriting = false;
    int thenUs = 0;
};

// Starts an import and kills it (SIGKILL) as `kill` says. True when it was
// killed before it ended.
bool import(const QString &data, const QString &table, const Kill &kill)
{
    const QString folder = data + QStringLiteral("批打数据");
    const QString queue = folder + QStringLiteral("/快递批量打印数据.txt");
    const qint64 before = QFileInfo(queue).size();
    const qsizetype entries = QDir(folder).entryList(QDir::Files | QDir::Hidden).size();
    QProcess child;
    child.start(QStringLiteral(SLIPDESK_CLI), {QStringLiteral("--data"), data, QStringLiteral("import-orders"), table});
    EXPECT_TRUE(child.waitForStarted(5000));
    bool ended = false;
    if (kill.whenWriting) {
        while (!(ended = child.state() == QProcess::NotRunning)) {
            if (QFileInfo(queue).size() != before
                || QDir(folder).entryList(QDir::Files | QDir::Hidden).size() != entries)
                break;
            QThread::usleep(200);
            child.waitForFinished(0);
        }
        QThread::usleep(kill.thenUs);
        ended = ended || child.waitForFinished(0);
    } else if (kill.afterMs >= 0) {
        ended = child.waitForFinished(kill.afterMs);
    } else {
        ended = child.waitForFinished(60000);
    }
    if (!ended) {
        child.kill();
        EXPECT_TRUE(child.waitForFinished(5000));
        if (child.exitStatus() == QProcess::CrashExit)
            return true;
    }
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    return false;
}

} // namespace

TEST(ImportKill, AKilledImportLeavesTheQueueWithWholeRowsAndEachImportAllOrNothing)
{
    TempDir dir;
    dir.write(QStringLiteral("orders.csv"), orderTable());
    const QString table = dir.file(QStringLiteral("orders.csv"));
    const QString queue = dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
    // One whole import first: how long one takes, and a queue to keep.
    QElapsedTimer clock;
    clock.start();
    ASSERT_FALSE(import(dir.path(), table, {}));
    const qint64 wholeMs = clock.elapsed();
    ASSERT_EQ(Slipdesk::TextTable::load(queue).size(), kOrders);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    std::cout << "[ seed     ] " << seed << ", one import " << wholeMs << " ms\n";
    int imports = 1;
    int cut = 0;
    qsizetype checked = 0;
    for (int round = 0; round < kKills; ++round) {
        // Every other kill at a random moment of the run, the others placed
        // in the writing, up to 3 ms after it began.
        Kill kill;
        if (round % 2 == 0)
            kill.afterMs = int(random.bounded(2 * wholeMs + 1));
        else
            kill = {-1, true, int(random.bounded(3000))};
        SCOPED_TRACE(testing::Message() << "round " << round << ", killed after " << kill.afterMs << " ms / "
                                        << kill.thenUs << " us into the writing");
        cut += import(dir.path(), table, kill) ? 1 : 0;
        const QByteArray bytes = dir.read(QStringLiteral("批打数据/快递批量打印数据.txt"));
        ASSERT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << "the last row is cut";
        const QStringList rows = Slipdesk::TextTable::load(queue);
        ASSERT_TRUE(rows.size() == imports * kOrders || rows.size() == (imports + 1) * kOrders)
            << rows.size() << " rows after " << imports << " whole imports";
        imports = int(rows.size() / kOrders);
        checked += rows.size();
        // A queue kept small keeps the runs short (each import rewrites it).
        if (imports >= 2) {
            QFile::remove(queue);
            imports = 0;
        }
        for (qsizetype i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].count(u','), kQueueCommas) << "row " << i;
            ASSERT_TRUE(rows[i].contains(QStringLiteral("T%1,").arg(i % kOrders, 12, 10, QLatin1Char('0'))))
                << "row " << i << ": " << rows[i].toStdString();
        }
    }
    std::cout << "[ figures  ] " << kKills << " runs, " << cut << " killed during the import, " << imports
              << " whole imports in the queue at the end; " << checked << " rows checked over the runs\n";
    EXPECT_GT(cut, kKills / 3) << "too few kills landed during an import";
}
