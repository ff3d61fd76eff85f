// One writer per data folder, from outside: writing commands started at
// the same moment on one folder take turns, a writer that holds the folder
// makes the others wait and then refuse without changing anything, and a
// killed holder leaves the folder free.

#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Slipdesk;

namespace {

const QString kDelivery = QStringLiteral("出库发货单");

QProcessEnvironment cliEnvironment(double lockWaitSeconds)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SLIPDESK_PRINT_TO"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SLIPDESK_LOCK_WAIT"), QString::number(lockWaitSeconds));
    return environment;
}

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

std::unique_ptr<QProcess> startCli(const TempDir &dir, const QStringList &arguments, double lockWaitSeconds)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(cliEnvironment(lockWaitSeconds));
    process->start(QStringLiteral(SLIPDESK_CLI), QStringList {QStringLiteral("--data"), dir.path()} + arguments);
    process->closeWriteChannel();
    return process;
}

CliRun finish(QProcess &process)
{
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

CliRun cli(const TempDir &dir, const QStringList &arguments, double lockWaitSeconds)
{
    return finish(*startCli(dir, arguments, lockWaitSeconds));
}

// 0101 and 0102 with 100 in stock and nothing pending.
void writeGoodsMaster(const TempDir &dir)
{
    dir.write(QStringLiteral("商品资料.TXT"),
        Codec::encode(QStringLiteral("0101,手机,个,100,1500,翻盖型,1200,示例,0\r\n"
                                     "0102,电脑,台,100,3500,宽屏,3000,自己组装机,0\r\n")));
}

QStringList lines(const TempDir &dir, const QString &relative)
{
    return dir.exists(relative) ? TextTable::load(dir.file(relative)) : QStringList();
}

QString goodsField(const TempDir &dir, int line, int field)
{
    return TextTable::field(lines(dir, QStringLiteral("商品资料.TXT")).value(line), field);
}

QStringList column(const QStringList &rows, int field)
{
    QStringList out;
    for (const QString &row : rows)
        out.append(TextTable::field(row, field));
    return out;
}

QStringList noteArguments(const TempDir &dir, const QString &command, int i)
{
    const QString fields = QStringLiteral("fields%1.txt").arg(i);
    dir.write(fields, QStringLiteral("CmbBuyerName=买家%1\n").arg(i).toUtf8());
    return {command, QStringLiteral("delivery"), QStringLiteral("--template"), kDelivery, QStringLiteral("--fields"),
        dir.file(fields), QStringLiteral("--goods"),
        dir.file(command == u"post" ? QStringLiteral("post-goods.txt") : QStringLiteral("queue-goods.txt"))};
}

// Every file below the folder but the lock, with its bytes.
QMap<QString, QByteArray> contents(const TempDir &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() != QLatin1String(".slipdesk.lock"))
            files.insert(QDir(dir.path()).relativeFilePath(path), dir.read(QDir(dir.path()).relativeFilePath(path)));
    }
    return files;
}

// A child that holds the folder's lock in the name of `program`.
void startHolder(QProcess &holder, const TempDir &dir, const QString &program)
{
    holder.start(QStringLiteral(SLIPDESK_TOOL_DIR "/hold_lock"), {dir.path(), program});
    ASSERT_TRUE(holder.waitForStarted(5000)) << holder.errorString().toStdString();
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("ready"));
}

constexpr int kPostings = 8;
constexpr int kQueueSaves = 8;

} // namespace

// Eight "post delivery" and eight "queue delivery" started at once on one
// folder: with a wait long enough every one succeeds in its turn, each note
// gets its own number (CK000001 … CK000008, each logged once), each queued
// note its own key, and stock and pending are exactly what the postings and
// saves make of them. A process that could not get its turn would have to
// say so (exit 1, the message) and change nothing.
TEST(CliLock, ConcurrentPostingsAndQueueSavesTakeTurns)
{
    TempDir dir;
    writeGoodsMaster(dir);
    dir.write(QStringLiteral("post-goods.txt"), QStringLiteral("0101,手机,个,2,1500\n0102,电脑,台,1,3500\n").toUtf8());
    dir.write(QStringLiteral("queue-goods.txt"), QStringLiteral("0101,手机,个,1,1500\n").toUtf8());
    const QString pdf = dir.file(QStringLiteral("pdf"));

    std::vector<std::unique_ptr<QProcess>> posts;
    std::vector<std::unique_ptr<QProcess>> queues;
    for (int i = 0; i < std::max(kPostings, kQueueSaves); ++i) {
        if (i < kPostings)
            posts.push_back(startCli(dir,
                noteArguments(dir, QStringLiteral("post"), i) + QStringList {QStringLiteral("--print-to"), pdf}, 60));
        if (i < kQueueSaves)
            queues.push_back(startCli(dir, noteArguments(dir, QStringLiteral("queue"), 100 + i), 60));
    }

    QStringList numbers;
    int refusedPosts = 0;
    for (const auto &process : posts) {
        const CliRun run = finish(*process);
        if (run.code == 1 && run.err.contains(QStringLiteral("数据文件夹正被另一个程序使用"))) {
            EXPECT_TRUE(run.out.isEmpty());
            ++refusedPosts;
            continue;
        }
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        numbers.append(run.out.trimmed());
    }
    QStringList keys;
    int refusedQueues = 0;
    for (const auto &process : queues) {
        const CliRun run = finish(*process);
        if (run.code == 1 && run.err.contains(QStringLiteral("数据文件夹正被另一个程序使用"))) {
            EXPECT_TRUE(run.out.isEmpty());
            ++refusedQueues;
            continue;
        }
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        keys.append(run.out.trimmed());
    }
    // A minute's wait is far more than sixteen turns take.
    EXPECT_EQ(refusedPosts, 0);
    EXPECT_EQ(refusedQueues, 0);
    const int posted = int(numbers.size());
    const int queued = int(keys.size());

    // Numbers: unique and consecutive, each logged once, the next one saved.
    QStringList expected;
    for (int n = 1; n <= posted; ++n)
        expected.append(QStringLiteral("CK%1").arg(n, 6, 10, QLatin1Char('0')));
    numbers.sort();
    EXPECT_EQ(numbers.join(u' ').toStdString(), expected.join(u' ').toStdString());
    const QString year = QString::number(QDate::currentDate().year());
    QStringList logged = column(lines(dir, QStringLiteral("打印记录/出库发货单") + year + QStringLiteral(".TXT")), 4);
    logged.sort();
    EXPECT_EQ(logged.join(u' ').toStdString(), expected.join(u' ').toStdString());
    const QStringList details
        = lines(dir, QStringLiteral("打印记录/出库发货单") + year + QStringLiteral("发货清单.TXT"));
    EXPECT_EQ(details.size(), 2 * posted);
    const QStringList detailNumbers = column(details, 1);
    EXPECT_EQ(QSet<QString>(detailNumbers.cbegin(), detailNumbers.cend()).size(), posted);
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/出库发货单.INI")))
                  .readString(QStringLiteral("打印设备"), QStringLiteral("发货单号码")),
        QStringLiteral("CK%1").arg(posted + 1, 6, 10, QLatin1Char('0')));
    EXPECT_EQ(QDir(pdf).entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), posted);
    // Each new buyer was added to the book once.
    EXPECT_EQ(lines(dir, QStringLiteral("收件单位.TXT")).size(), posted);

    // Keys: unique, each with its note line and its goods line.
    EXPECT_EQ(QSet<QString>(keys.cbegin(), keys.cend()).size(), queued);
    QStringList queuedKeys = column(lines(dir, QStringLiteral("批打数据/出库发货单.TSK")), 1);
    QStringList goodsKeys = column(lines(dir, QStringLiteral("批打数据/出库发货单发货清单.TSK")), 1);
    keys.sort();
    queuedKeys.sort();
    goodsKeys.sort();
    EXPECT_EQ(queuedKeys.join(u' ').toStdString(), keys.join(u' ').toStdString());
    EXPECT_EQ(goodsKeys.join(u' ').toStdString(), keys.join(u' ').toStdString());

    // Stock: the start less what the postings took; pending: what the saves reserved.
    EXPECT_EQ(goodsField(dir, 0, 3), QString::number(100 - 2 * posted));
    EXPECT_EQ(goodsField(dir, 1, 3), QString::number(100 - posted));
    EXPECT_EQ(goodsField(dir, 0, 8), QString::number(queued));
    EXPECT_EQ(goodsField(dir, 1, 8), QStringLiteral("0"));
    EXPECT_EQ(lines(dir, QStringLiteral("商品资料.TXT")).size(), 2);
}

// While another program holds the folder, every writing command waits its
// moment and then refuses, naming the holder, and changes nothing; the
// reading commands run beside it.
TEST(CliLock, AWriterRefusesWhileTheFolderIsHeldAndReadersRunBeside)
{
    TempDir dir;
    writeGoodsMaster(dir);
    dir.write(QStringLiteral("post-goods.txt"), QStringLiteral("0101,手机,个,2,1500\n").toUtf8());
    dir.write(QStringLiteral("queue-goods.txt"), QStringLiteral("0101,手机,个,1,1500\n").toUtf8());
    dir.write(QStringLiteral("orders.csv"), QByteArray("x\r\n"));
    ASSERT_EQ(cli(dir, noteArguments(dir, QStringLiteral("queue"), 1), 0).code, 0);
    const QString pdf = dir.file(QStringLiteral("pdf"));

    QProcess holder;
    startHolder(holder, dir, QStringLiteral("slipdesk"));
    if (HasFatalFailure())
        return;
    const QString holderText
        = QStringLiteral("数据文件夹正被另一个程序使用：slipdesk（进程 %1，始于 ").arg(holder.processId());

    const QList<QStringList> writers {
        noteArguments(dir, QStringLiteral("post"), 2) + QStringList {QStringLiteral("--print-to"), pdf},
        noteArguments(dir, QStringLiteral("queue"), 3),
        {QStringLiteral("print"), QStringLiteral("waybill"), QStringLiteral("--template"),
            QStringLiteral("默认B6国内信封"), QStringLiteral("--fields"), dir.file(QStringLiteral("fields2.txt")),
            QStringLiteral("--print-to"), pdf},
        {QStringLiteral("batch"), QStringLiteral("delivery"), QStringLiteral("--template"), kDelivery,
            QStringLiteral("--print-to"), pdf, QStringLiteral("--delete-printed")},
        {QStringLiteral("import-orders"), dir.file(QStringLiteral("orders.csv"))},
    };
    const QMap<QString, QByteArray> written = contents(dir); // the field files just written
    for (const QStringList &arguments : writers) {
        QElapsedTimer took;
        took.start();
        const CliRun run = cli(dir, arguments, 0.3);
        EXPECT_EQ(run.code, 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(holderText)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("），请稍后再试。"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_GE(took.elapsed(), 300) << "refused without waiting";
        EXPECT_EQ(contents(dir), written) << arguments.join(u' ').toStdString();
    }
    EXPECT_FALSE(dir.exists(QStringLiteral("pdf")));

    // Reading commands do not wait for the lock.
    const CliRun render = cli(dir,
        {QStringLiteral("render"), QStringLiteral("delivery"), QStringLiteral("--template"), kDelivery,
            QStringLiteral("--fields"), dir.file(QStringLiteral("fields2.txt")), QStringLiteral("--out"),
            dir.file(QStringLiteral("note.ops"))},
        60);
    EXPECT_EQ(render.code, 0) << render.err.toStdString();
    const CliRun exported = cli(dir,
        {QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("12"), QStringLiteral("--out"),
            dir.file(QStringLiteral("goods.xlsx"))},
        60);
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(cli(dir, {QStringLiteral("where")}, 60).code, 0);

    holder.kill();
    holder.waitForFinished(5000);
}

// A holder killed outright (SIGKILL) leaves its lock file with its text, but
// the kernel has let go of the lock: the next writer takes it at once.
TEST(CliLock, AKilledHolderNeverLeavesTheFolderLocked)
{
    TempDir dir;
    writeGoodsMaster(dir);
    dir.write(QStringLiteral("post-goods.txt"), QStringLiteral("0101,手机,个,2,1500\n").toUtf8());
    QProcess holder;
    startHolder(holder, dir, QStringLiteral("slipdesk-cli batch"));
    if (HasFatalFailure())
        return;
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(5000));
    ASSERT_EQ(holder.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(dir.read(QStringLiteral(".slipdesk.lock")).contains("program=slipdesk-cli batch"));

    // No wait at all: the folder is free the moment the holder is gone.
    const CliRun run = cli(dir,
        noteArguments(dir, QStringLiteral("post"), 1)
            + QStringList {QStringLiteral("--print-to"), dir.file(QStringLiteral("pdf"))},
        0);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("CK000001\n"));
    EXPECT_EQ(goodsField(dir, 0, 3), QStringLiteral("98"));
    // The writer that ended normally leaves an empty lock file.
    EXPECT_EQ(dir.read(QStringLiteral(".slipdesk.lock")), QByteArray());
}
