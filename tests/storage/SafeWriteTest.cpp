// What a failed write leaves behind: the old file whole, or every row of an
// append or none, a message naming the file and the cause; read-only files,
// links leading out of the data folder and outside files that are no plain
// files or too large are refused. Failures are injected in the storage
// layer (FullDiskTest does the same on a real full file system).

#include "storage/Codec.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Slipdesk;

namespace {

// Clears an injected failure however the test ends.
struct Failing
{
    Failing(qint64 after, int error) { FileIo::Testing::failWritesAfter(after, error); }
    ~Failing() { FileIo::Testing::clearFailures(); }
};

QString messageOf(const std::function<void()> &write)
{
    try {
        write();
    } catch (const IoError &e) {
        return e.message();
    }
    return QString();
}

// Equal bytes, told without printing them all.
::testing::AssertionResult sameBytes(const QByteArray &now, const QByteArray &before)
{
    if (now == before)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the file changed: " << before.size() << " bytes before, " << now.size()
                                         << " now";
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Every entry of the folder, hidden ones too: a failed write leaves no part.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList rows(int count, const QString &what)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("%1,%2,上海市浦东新区张江路%1弄").arg(i, 5, 10, QLatin1Char('0')).arg(what));
    return list;
}

class SafeWrite : public ::testing::Test
{
protected:
    TempDir m_dir;
    Paths m_paths {m_dir.path()}; // the folder is a data folder
};

} // namespace

TEST_F(SafeWrite, AFailedRewriteKeepsTheOldFileWholeAndSaysWhy)
{
    const QString path = m_dir.file(QStringLiteral("商品资料.TXT"));
    TextTable::save(path, rows(300, QStringLiteral("旧")));
    const QByteArray old = m_dir.read(QStringLiteral("商品资料.TXT"));
    const QStringList before = entries(m_dir.path());
    // Cut at once, inside a character, at a page, near the end; then a disk
    // that takes every byte but fails the sync.
    const qint64 size
        = Codec::encode(QString(rows(300, QStringLiteral("新")).join(QStringLiteral("\r\n")) + u"\r\n")).size();
    for (const qint64 after : {qint64(0), qint64(1), qint64(4096), size - 10, size}) {
        SCOPED_TRACE(after);
        const Failing full(after, ENOSPC);
        const QString message = messageOf([&] { TextTable::save(path, rows(300, QStringLiteral("新"))); });
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("磁盘已满"))) << message.toStdString();
        EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("商品资料.TXT")), old));
        EXPECT_EQ(entries(m_dir.path()), before);
    }
    {
        const Failing io(100, EIO);
        EXPECT_TRUE(messageOf([&] {
            TextTable::save(path, rows(3, QStringLiteral("新")));
        }).contains(QStringLiteral("磁盘读写出错")));
    }
    EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("商品资料.TXT")), old));
    TextTable::save(path, rows(3, QStringLiteral("新")));
    EXPECT_EQ(TextTable::load(path), rows(3, QStringLiteral("新")));
}

TEST_F(SafeWrite, AFailedAppendIsCutBackToTheFormerLength)
{
    const QString path = m_dir.file(QStringLiteral("打印记录/快递打印记录2026.txt"));
    TextTable::appendRows(path, rows(3, QStringLiteral("在")));
    const QByteArray old = m_dir.read(QStringLiteral("打印记录/快递打印记录2026.txt"));
    const qint64 rowBytes = Codec::encode(QString(rows(1, QStringLiteral("半")).first() + u"\r\n")).size();
    for (const qint64 after : {qint64(0), qint64(7), rowBytes - 1}) {
        SCOPED_TRACE(after);
        const Failing full(after, ENOSPC);
        const QString message = messageOf([&] { TextTable::appendRow(path, rows(1, QStringLiteral("半")).first()); });
        EXPECT_TRUE(message.contains(QStringLiteral("磁盘已满"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("快递打印记录2026.txt"))) << message.toStdString();
        EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("打印记录/快递打印记录2026.txt")), old));
    }
    // A synced append whose sync fails is taken back too.
    {
        const Failing syncFails(Codec::encode(rows(1, QStringLiteral("同")).first()).size() + 2, EIO);
        EXPECT_FALSE(messageOf([&] {
            FileIo::appendLine(
                path, Codec::encode(QString(rows(1, QStringLiteral("同")).first() + u"\r\n")), FileIo::Sync::Now);
        }).isEmpty());
    }
    EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("打印记录/快递打印记录2026.txt")), old));
    // A big append (a rewrite) that fails leaves the file as it was.
    {
        const Failing full(old.size() + 5000, ENOSPC);
        EXPECT_TRUE(messageOf([&] {
            TextTable::appendRows(path, rows(400, QStringLiteral("批")));
        }).contains(QStringLiteral("磁盘已满")));
    }
    EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("打印记录/快递打印记录2026.txt")), old));
    // A file the failed append would have made is not left empty.
    {
        const Failing full(1, ENOSPC);
        EXPECT_FALSE(messageOf([&] {
            TextTable::appendRow(m_dir.file(QStringLiteral("打印记录/新.txt")), QStringLiteral("行"));
        }).isEmpty());
    }
    EXPECT_EQ(entries(m_dir.file(QStringLiteral("打印记录"))), QStringList {QStringLiteral("快递打印记录2026.txt")});
    TextTable::appendRows(path, rows(400, QStringLiteral("批")));
    EXPECT_EQ(TextTable::load(path), rows(3, QStringLiteral("在")) + rows(400, QStringLiteral("批")));
}

TEST_F(SafeWrite, ReplacedFilesKeepTheirModeAndReadOnlyFilesAreNotWritten)
{
    const QString path = m_dir.file(QStringLiteral("收件单位.TXT"));
    TextTable::save(path, rows(2, QStringLiteral("甲")));
    setMode(path, 0640);
    TextTable::save(path, rows(3, QStringLiteral("乙")));
    EXPECT_EQ(modeOf(path), mode_t(0640));
    TextTable::appendRows(path, rows(300, QStringLiteral("丙"))); // a big append: a rewrite
    EXPECT_EQ(modeOf(path), mode_t(0640));

    // No owner write bit: refused, also for root, and the file stays as it is.
    setMode(path, 0444);
    const QByteArray old = m_dir.read(QStringLiteral("收件单位.TXT"));
    for (const auto &write :
        std::initializer_list<std::function<void()>> {[&] { TextTable::save(path, rows(1, QStringLiteral("丁"))); },
            [&] { TextTable::appendRow(path, QStringLiteral("戊")); },
            [&] { TextTable::appendRows(path, rows(300, QStringLiteral("己"))); }}) {
        const QString message = messageOf(write);
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("只读"))) << message.toStdString();
        EXPECT_TRUE(sameBytes(m_dir.read(QStringLiteral("收件单位.TXT")), old));
        EXPECT_EQ(modeOf(path), mode_t(0444));
    }
}

TEST_F(SafeWrite, LinksLeadingOutOfTheDataFolderAreNeverWrittenThrough)
{
    TempDir outside;
    const QString victim = outside.file(QStringLiteral("unrelated.txt"));
    outside.write(QStringLiteral("unrelated.txt"), "keep me\n");
    const auto link = [&](const QString &name, const QString &target) {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(m_dir.file(name)).constData()), 0);
    };
    link(QStringLiteral("收件单位.TXT"), victim);
    link(QStringLiteral("寄件单位.TXT"), QStringLiteral("../") + QDir(outside.path()).dirName() + QStringLiteral("/x"));
    link(QStringLiteral("打印记录"), outside.path());
    link(QStringLiteral("商品资料.TXT"), outside.file(QStringLiteral("dangling.txt")));

    for (const QString &name : {QStringLiteral("收件单位.TXT"), QStringLiteral("寄件单位.TXT"),
             QStringLiteral("打印记录/快递打印记录2026.txt"), QStringLiteral("商品资料.TXT")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = m_dir.file(name);
        for (const auto &write : std::initializer_list<std::function<void()>> {
                 [&] { TextTable::appendRow(path, QStringLiteral("王小二,上海")); },
                 [&] { TextTable::save(path, {QStringLiteral("王小二,上海")}); },
                 [&] { TextTable::appendRows(path, rows(300, QStringLiteral("批"))); }}) {
            const QString message = messageOf(write);
            EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("数据文件夹以外"))) << message.toStdString();
        }
    }
    EXPECT_EQ(outside.read(QStringLiteral("unrelated.txt")), QByteArray("keep me\n"));
    EXPECT_EQ(entries(outside.path()), QStringList {QStringLiteral("unrelated.txt")});
    EXPECT_TRUE(QFileInfo(m_dir.file(QStringLiteral("收件单位.TXT"))).isSymLink());

    // A link that stays inside is followed: the file it names is written and
    // the link stays a link.
    TextTable::save(m_dir.file(QStringLiteral("备份/收件单位.TXT")), {QStringLiteral("刘芳,杭州")});
    link(QStringLiteral("收件单位2.TXT"), QStringLiteral("备份/收件单位.TXT"));
    TextTable::appendRow(m_dir.file(QStringLiteral("收件单位2.TXT")), QStringLiteral("张三,上海"));
    TextTable::save(m_dir.file(QStringLiteral("收件单位2.TXT")),
        TextTable::load(m_dir.file(QStringLiteral("收件单位2.TXT"))) + QStringList {QStringLiteral("李四,北京")});
    EXPECT_TRUE(QFileInfo(m_dir.file(QStringLiteral("收件单位2.TXT"))).isSymLink());
    EXPECT_EQ(TextTable::load(m_dir.file(QStringLiteral("备份/收件单位.TXT"))),
        (QStringList {QStringLiteral("刘芳,杭州"), QStringLiteral("张三,上海"), QStringLiteral("李四,北京")}));

    // Outside every data folder (an export the user pointed at a link) the
    // link is the user's choice: its file is replaced.
    TempDir other;
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(),
                  QFile::encodeName(other.file(QStringLiteral("export.txt"))).constData()),
        0);
    FileIo::writeAtomic(other.file(QStringLiteral("export.txt")), "exported\n");
    EXPECT_EQ(outside.read(QStringLiteral("unrelated.txt")), QByteArray("exported\n"));
}

TEST_F(SafeWrite, OutsideFilesMustBePlainFilesOfLimitedSize)
{
    QElapsedTimer clock;
    clock.start();
    const auto refusal
        = [](const QString &path, qint64 limit) { return messageOf([&] { FileIo::readOutside(path, limit); }); };
    EXPECT_TRUE(
        refusal(QStringLiteral("/dev/zero"), FileIo::kOrderTableLimit).contains(QStringLiteral("不是普通文件")));
    EXPECT_TRUE(messageOf([] { FileIo::read(QStringLiteral("/dev/zero")); }).contains(QStringLiteral("不是普通文件")));
    const QString fifo = m_dir.file(QStringLiteral("orders.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_TRUE(refusal(fifo, FileIo::kOrderTableLimit).contains(QDir::toNativeSeparators(fifo)));
    EXPECT_TRUE(refusal(m_dir.path(), FileIo::kOrderTableLimit).contains(QStringLiteral("文件夹")));
    // A (sparse) file just over the limit: refused before a byte is read.
    const QString big = m_dir.file(QStringLiteral("big.csv"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(FileIo::kOrderTableLimit + 1));
    file.close();
    const QString message = refusal(big, FileIo::kOrderTableLimit);
    EXPECT_TRUE(message.contains(QStringLiteral("太大"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("32 MB"))) << message.toStdString();
    EXPECT_EQ(FileIo::readOutside(big, FileIo::kOrderTableLimit + 1).size(), FileIo::kOrderTableLimit + 1);
    m_dir.write(QStringLiteral("goods.txt"), "0101,手机\n");
    EXPECT_EQ(FileIo::readOutside(m_dir.file(QStringLiteral("goods.txt")), FileIo::kFormFileLimit), "0101,手机\n");
    EXPECT_LT(clock.elapsed(), 5000) << "a refusal must not read the device or wait on the pipe";
}

TEST_F(SafeWrite, PartsOfKilledWritersAreRemovedByTheNextWriter)
{
    TempDir folder;
    folder.write(QStringLiteral(".商品资料.TXT.k1ll3d00.part"), "half");
    folder.write(QStringLiteral(".notes.txt.part"), "not ours"); // no random letters: not a part
    folder.write(QStringLiteral(".busy.xlsx.wr1t1ng0.part"), "being written");
    const int busy = ::open(
        QFile::encodeName(folder.file(QStringLiteral(".busy.xlsx.wr1t1ng0.part"))).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0); // its writer is alive
    TextTable::save(folder.file(QStringLiteral("商品资料.TXT")), {QStringLiteral("0101,手机")});
    ::close(busy);
    EXPECT_EQ(entries(folder.path()),
        (QStringList {QStringLiteral(".busy.xlsx.wr1t1ng0.part"), QStringLiteral(".notes.txt.part"),
            QStringLiteral("商品资料.TXT")}));
}

// Two programs on one data folder: one appends rows one by one while the
// other appends big batches (each a rewrite of the whole file). The write
// lock makes them take turns, so no row is lost.
TEST_F(SafeWrite, BigAndSmallAppendsOfTwoWritersLoseNoRow)
{
    const QString path = m_dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
    constexpr int kSingles = 300;
    constexpr int kBatches = 15;
    constexpr int kBatchRows = 120;
    std::thread singles([&] {
        for (int i = 0; i < kSingles; ++i)
            TextTable::appendRow(path, QStringLiteral("单,%1").arg(i));
    });
    for (int b = 0; b < kBatches; ++b)
        TextTable::appendRows(path, rows(kBatchRows, QStringLiteral("批%1").arg(b)));
    singles.join();
    const QStringList all = TextTable::load(path);
    EXPECT_EQ(all.size(), kSingles + kBatches * kBatchRows);
    int single = 0;
    for (const QString &row : all) {
        if (row.startsWith(QStringLiteral("单,"))) {
            EXPECT_EQ(row, QStringLiteral("单,%1").arg(single));
            ++single;
        }
    }
    EXPECT_EQ(single, kSingles);
}
