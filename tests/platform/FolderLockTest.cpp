#include "platform/FolderLock.h"
#include "support/ScriptedMessageService.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <thread>

using namespace Slipdesk;

// Two locks on one folder, even in one process, exclude each other: the
// second waits its time, then names the first; once the first lets go the
// second takes the folder.
TEST(FolderLock, ASecondWriterWaitsThenNamesTheHolder)
{
    TempDir dir;
    FolderLock first(dir.path());
    ASSERT_EQ(first.acquire(QStringLiteral("slipdesk-cli post"), 0), FolderLock::Result::Acquired);
    EXPECT_TRUE(first.held());
    EXPECT_EQ(first.path(), dir.file(QStringLiteral(".slipdesk.lock")));

    FolderLock second(dir.path());
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(second.acquire(QStringLiteral("slipdesk"), 200), FolderLock::Result::Busy);
    EXPECT_GE(took.elapsed(), 200);
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_FALSE(second.held());
    ASSERT_TRUE(second.holder());
    EXPECT_EQ(second.holder()->program, QStringLiteral("slipdesk-cli post"));
    EXPECT_EQ(second.holder()->pid, QCoreApplication::applicationPid());
    const QString started = second.holder()->started.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    EXPECT_EQ(second.busyMessage(),
        QStringLiteral("数据文件夹正被另一个程序使用：slipdesk-cli post（进程 %1，始于 %2），请稍后再试。")
            .arg(QCoreApplication::applicationPid())
            .arg(started));

    first.release();
    EXPECT_FALSE(first.held());
    EXPECT_EQ(dir.read(QStringLiteral(".slipdesk.lock")), QByteArray());
    EXPECT_EQ(second.acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Acquired);
    EXPECT_TRUE(dir.read(QStringLiteral(".slipdesk.lock")).contains("program=slipdesk\n"));
}

TEST(FolderLock, AWaitingWriterGetsTheFolderWhenTheHolderEnds)
{
    TempDir dir;
    auto first = std::make_unique<FolderLock>(dir.path());
    ASSERT_EQ(first->acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Acquired);
    std::thread ending([&first] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        first.reset();
    });
    FolderLock second(dir.path());
    QElapsedTimer took;
    took.start();
    EXPECT_EQ(second.acquire(QStringLiteral("slipdesk-cli queue"), 5000), FolderLock::Result::Acquired);
    EXPECT_LT(took.elapsed(), 2000);
    ending.join();
}

// The window's start: a held folder is said once through the message
// service and the window does not open; a free one opens without a word.
TEST(FolderLock, TheWindowIsToldWhoHoldsTheFolder)
{
    TempDir dir;
    FolderLock cli(dir.path());
    ASSERT_EQ(cli.acquire(QStringLiteral("slipdesk-cli batch"), 0), FolderLock::Result::Acquired);
    {
        ScriptedMessageService messages;
        FolderLock window(dir.path());
        EXPECT_FALSE(window.acquireOrTell(QStringLiteral("slipdesk"), messages, 50));
        ASSERT_EQ(messages.texts(MessageService::Icon::Warning).size(), 1);
        EXPECT_TRUE(
            messages.lastText().startsWith(QStringLiteral("数据文件夹正被另一个程序使用：slipdesk-cli batch（进程 ")))
            << messages.lastText().toStdString();
    }
    cli.release();
    ScriptedMessageService messages;
    FolderLock window(dir.path());
    EXPECT_TRUE(window.acquireOrTell(QStringLiteral("slipdesk"), messages, 50));
    EXPECT_TRUE(window.held());
    EXPECT_TRUE(messages.calls().isEmpty());
}

// A folder that cannot hold a lock is used as it is; a lock file whose text
// names a holder that is gone (or nothing readable) gives the plain message.
TEST(FolderLock, NoLockPossibleAndUnreadableHolders)
{
    FolderLock missing(QStringLiteral("/nonexistent-slipdesk-folder"));
    EXPECT_EQ(missing.acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Unlockable);
    EXPECT_FALSE(missing.error().isEmpty());
    ScriptedMessageService messages;
    EXPECT_TRUE(missing.acquireOrTell(QStringLiteral("slipdesk"), messages, 0));
    EXPECT_TRUE(messages.calls().isEmpty());

    TempDir dir;
    FolderLock holder(dir.path());
    ASSERT_EQ(holder.acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Acquired);
    // As between a new holder's lock and its text: what a crashed one left.
    FolderLock::Holder gone {QStringLiteral("slipdesk"), 0x7ffffff0, QSysInfo::machineHostName(), {}};
    dir.write(QStringLiteral(".slipdesk.lock"), FolderLock::holderText(gone));
    FolderLock second(dir.path());
    EXPECT_EQ(second.acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Busy);
    EXPECT_FALSE(second.holder());
    EXPECT_EQ(second.busyMessage(), QStringLiteral("数据文件夹正被另一个程序使用，请稍后再试。"));

    // Another machine's holder is named with its host.
    FolderLock::Holder remote {
        QStringLiteral("slipdesk"), 42, QStringLiteral("other-pc"), QDateTime(QDate(2026, 5, 1), QTime(10, 0, 0))};
    dir.write(QStringLiteral(".slipdesk.lock"), FolderLock::holderText(remote));
    EXPECT_EQ(second.acquire(QStringLiteral("slipdesk"), 0), FolderLock::Result::Busy);
    EXPECT_EQ(second.busyMessage(),
        QStringLiteral("数据文件夹正被另一个程序使用：slipdesk（进程 42，主机 other-pc，始于 2026-05-01 "
                       "10:00:00），请稍后再试。"));

    EXPECT_FALSE(FolderLock::parseHolder("garbage"));
    EXPECT_FALSE(FolderLock::parseHolder(""));
}

TEST(FolderLock, WaitComesFromTheEnvironment)
{
    qunsetenv("SLIPDESK_LOCK_WAIT");
    EXPECT_EQ(FolderLock::defaultWaitMs(), 5000);
    qputenv("SLIPDESK_LOCK_WAIT", "0.25");
    EXPECT_EQ(FolderLock::defaultWaitMs(), 250);
    qputenv("SLIPDESK_LOCK_WAIT", "soon");
    EXPECT_EQ(FolderLock::defaultWaitMs(), 5000);
    qunsetenv("SLIPDESK_LOCK_WAIT");
}
