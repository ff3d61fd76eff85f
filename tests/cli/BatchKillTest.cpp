// A batch run killed in the middle: the queue is untouched, the run's record
// names exactly the forms whose record was kept, the next run refuses until
// the user settles it, and removing the recorded rows leaves the rest.

#include "datawin/BatchRun.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillQueue.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QString kExpress = QStringLiteral("默认B6国内信封");
const QString kDelivery = QStringLiteral("出库发货单");

QProcessEnvironment cliEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SLIPDESK_PRINT_TO"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// The record as the test sees it while the run rewrites it.
QList<PrintedRow> recordOf(const QString &queue)
{
    try {
        return BatchRecord::read(queue);
    } catch (const IoError &) {
        return {};
    }
}

// Starts `batch KIND` over the queue and waits until its record lists at
// least three printed rows.
void startAndWait(QProcess &child, const TempDir &dir, const QString &kind, const QString &templateName,
    const QString &queue, const QStringList &more = {})
{
    child.setProcessEnvironment(cliEnvironment());
    child.start(QStringLiteral(SLIPDESK_CLI),
        QStringList {QStringLiteral("--data"), dir.path(), QStringLiteral("batch"), kind, QStringLiteral("--template"),
            templateName, QStringLiteral("--print-to"), dir.file(QStringLiteral("pdf"))}
            + more);
    ASSERT_TRUE(child.waitForStarted(5000)) << child.errorString().toStdString();
    QElapsedTimer waited;
    waited.start();
    while (recordOf(queue).size() < 3) {
        ASSERT_EQ(child.state(), QProcess::Running)
            << "the run ended before it was killed: " << child.readAllStandardError().toStdString();
        ASSERT_LT(waited.elapsed(), 60000) << "no record of three printed rows";
        QThread::msleep(1);
    }
}

// The same, then killed (SIGKILL).
void startAndKill(const TempDir &dir, const QString &kind, const QString &templateName, const QString &queue)
{
    QProcess child;
    startAndWait(child, dir, kind, templateName, queue);
    if (testing::Test::HasFatalFailure())
        return;
    child.kill();
    ASSERT_TRUE(child.waitForFinished(5000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
}

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    process.start(QStringLiteral(SLIPDESK_CLI), arguments);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

QStringList pdfs(const TempDir &dir, const QString &folder)
{
    return QDir(dir.file(folder)).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// The next run without --delete-printed or --keep-printed refuses, prints
// nothing and leaves the record.
void expectRefusal(const TempDir &dir, const QString &kind, const QString &templateName, const QString &queue, int k)
{
    const CliRun run = cli({QStringLiteral("--data"), dir.path(), QStringLiteral("batch"), kind,
        QStringLiteral("--template"), templateName, QStringLiteral("--print-to"), dir.file(QStringLiteral("pdf2"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("当时已经打印了 %1 条批打数据").arg(k))) << run.err.toStdString();
    EXPECT_TRUE(pdfs(dir, QStringLiteral("pdf2")).isEmpty());
    EXPECT_EQ(recordOf(queue).size(), k);
}

// 1,500 different rows in the express queue.
QStringList queueWaybills(const TempDir &dir)
{
    QStringList rows;
    for (int i = 1; i <= 1500; ++i)
        rows.append(WaybillQueue::row({{QStringLiteral("CmbSjrMc"), QStringLiteral("张%1").arg(i)},
            {QStringLiteral("EdtSjDwDz"), QStringLiteral("湖滨路%1号").arg(i)},
            {QStringLiteral("EdtSjrMobile"), QStringLiteral("1380000%1").arg(i, 4, 10, QLatin1Char('0'))}}));
    QDir().mkpath(dir.file(QStringLiteral("批打数据")));
    TextTable::save(dir.file(QStringLiteral("批打数据/快递批量打印数据.txt")), rows);
    return rows;
}

} // namespace

TEST(BatchKill, AKilledExpressRunLeavesTheQueueAndARecordOfThePrintedRows)
{
    TempDir dir;
    const QStringList rows = queueWaybills(dir);
    const QString queue = dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));

    startAndKill(dir, QStringLiteral("waybill"), kExpress, queue);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(TextTable::load(queue), rows);
    const QList<PrintedRow> record = BatchRecord::read(queue);
    const int k = int(record.size());
    RecordProperty("recorded", k);
    ASSERT_GE(k, 3);
    ASSERT_LT(k, rows.size());
    const QString log = dir.file(QStringLiteral("打印记录/快递打印记录%1.txt").arg(QDate::currentDate().year()));
    const QStringList logged = TextTable::load(log);
    // The form after the last recorded one may be on paper (and logged)
    // without its record: the kill came between the two.
    ASSERT_GE(logged.size(), k);
    ASSERT_LE(logged.size(), k + 1);
    const QStringList printed = pdfs(dir, QStringLiteral("pdf"));
    EXPECT_GE(printed.size(), k);
    EXPECT_LE(printed.size(), k + 1);
    for (int i = 0; i < k; ++i) {
        EXPECT_EQ(record.at(i).row, i + 1);
        EXPECT_EQ(record.at(i).line, rows.at(i));
        EXPECT_EQ(TextTable::field(logged.at(i), 7), QStringLiteral("张%1").arg(i + 1));
        EXPECT_TRUE(printed.contains(kExpress + TextTable::field(logged.at(i), 4) + QStringLiteral(".pdf")))
            << "row " << i + 1;
    }

    expectRefusal(dir, QStringLiteral("waybill"), kExpress, queue, k);
    EXPECT_EQ(TextTable::load(queue), rows);

    const PostingResult removed = BatchRecord::removePrinted(queue, QString(), record);
    ASSERT_TRUE(removed.ok()) << removed.failed.join(u'\n').toStdString();
    EXPECT_EQ(TextTable::load(queue), rows.mid(k));
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(queue)));
}

TEST(BatchKill, AKilledDeliveryRunKeepsStockAndRecordInStep)
{
    TempDir dir;
    constexpr int notes = 300;
    QStringList queued;
    QStringList goods;
    for (int i = 1; i <= notes; ++i) {
        const QString key = QStringLiteral("2026-01-01+%1").arg(QTime(0, 0).addSecs(i).toString(u"hh:mm:ss"));
        queued.append(kDelivery + u',' + key + QStringLiteral(",买家%1,,,,,,,路%1号,,0").arg(i));
        goods.append(kDelivery + u',' + key + QStringLiteral(",0101,手机,个,1,1500,1500.00,,1200,"));
    }
    QDir().mkpath(dir.file(QStringLiteral("批打数据")));
    const QString queue = dir.file(QStringLiteral("批打数据/出库发货单.TSK"));
    const QString goodsFile = dir.file(QStringLiteral("批打数据/出库发货单发货清单.TSK"));
    TextTable::save(queue, queued);
    TextTable::save(goodsFile, goods);
    dir.write(QStringLiteral("商品资料.TXT"), Codec::encode(QStringLiteral("0101,手机,个,1000,1500,,1200,,300\r\n")));

    startAndKill(dir, QStringLiteral("delivery"), kDelivery, queue);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(TextTable::load(queue), queued);
    EXPECT_EQ(TextTable::load(goodsFile), goods);
    const QList<PrintedRow> record = BatchRecord::read(queue);
    const int k = int(record.size());
    RecordProperty("recorded", k);
    ASSERT_GE(k, 3);
    ASSERT_LT(k, notes);
    for (int i = 0; i < k; ++i) {
        EXPECT_EQ(record.at(i).row, i + 1);
        EXPECT_EQ(record.at(i).goodsRows, 1);
        EXPECT_EQ(record.at(i).line, queued.at(i));
    }
    // Each posted note took one off the stock and one off the pending, in
    // the same save: k notes, or k + 1 when the kill came before the record.
    const QString master = TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))).value(0);
    const int posted = 1000 - TextTable::field(master, 3).toInt();
    EXPECT_TRUE(posted == k || posted == k + 1) << posted << " posted, " << k << " recorded";
    EXPECT_EQ(TextTable::field(master, 8).toInt(), notes - posted);
    const QStringList printed = pdfs(dir, QStringLiteral("pdf"));
    EXPECT_GE(printed.size(), k);
    EXPECT_LE(printed.size(), k + 1);

    expectRefusal(dir, QStringLiteral("delivery"), kDelivery, queue, k);

    const PostingResult removed = BatchRecord::removePrinted(queue, goodsFile, record);
    ASSERT_TRUE(removed.ok()) << removed.failed.join(u'\n').toStdString();
    EXPECT_EQ(TextTable::load(queue), queued.mid(k));
    EXPECT_EQ(TextTable::load(goodsFile), goods.mid(k));
}

// Ctrl+C or a plain kill (SIGTERM) ends the run after the form in hand: the
// end of the run still takes the printed rows out, and no record is left.
TEST(BatchKill, ATerminatedRunStopsAfterTheFormInHandAndSettlesTheQueue)
{
    TempDir dir;
    const QStringList rows = queueWaybills(dir);
    const QString queue = dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
    QProcess child;
    startAndWait(child, dir, QStringLiteral("waybill"), kExpress, queue, {QStringLiteral("--delete-printed")});
    if (HasFatalFailure())
        return;
    child.terminate();
    ASSERT_TRUE(child.waitForFinished(20000));
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 1);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.readAllStandardError());
    EXPECT_TRUE(out.endsWith(QStringLiteral(" printed, deleted from the queue\n"))) << out.toStdString();
    const int k = out.section(u' ', 0, 0).toInt();
    ASSERT_GE(k, 3);
    EXPECT_TRUE(err.contains(QStringLiteral("stopped after %1 of 1500 forms").arg(k))) << err.toStdString();
    EXPECT_EQ(pdfs(dir, QStringLiteral("pdf")).size(), k);
    EXPECT_EQ(TextTable::load(queue), rows.mid(k));
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(queue)));
}
