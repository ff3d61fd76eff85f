#include "storage/ProgramLocation.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QString picture = QStringLiteral("用户信函模版/默认B6国内信封.JPG");

// An install prefix as `cmake --install` leaves it: prefix/bin/ and the
// first data folder in prefix/share/slipdesk/, read-only like a system one.
struct Prefix
{
    TempDir dir;
    QString bin = dir.file(QStringLiteral("usr/bin"));
    QString user = dir.file(QStringLiteral("home/.local/share/slipdesk"));

    Prefix()
    {
        QDir().mkpath(bin);
        dir.write(QStringLiteral("usr/share/slipdesk/") + picture, "JPEG");
        QFile::setPermissions(dir.file(QStringLiteral("usr/share/slipdesk/") + picture), QFile::ReadOwner);
    }
    ProgramLocation resolve(const QStringList &extra = {}) const
    {
        return ProgramLocation::resolve(QStringList {QStringLiteral("slipdesk")} + extra, bin, QString(), user);
    }
};

} // namespace

TEST(InstalledLocation, UsesTheUserFolderEvenWhenTheBinFolderIsWritableAndSeedsItOnce)
{
    Prefix prefix;
    ASSERT_TRUE(QFileInfo(prefix.bin).isWritable()); // as root, /usr/bin is too

    const ProgramLocation first = prefix.resolve();
    EXPECT_EQ(first.dataRoot, prefix.user + u'/');
    EXPECT_EQ(first.shareDir, prefix.dir.file(QStringLiteral("usr/share/slipdesk/")));
    EXPECT_FALSE(first.namedByUser);
    const QString copy = prefix.user + u'/' + picture;
    ASSERT_TRUE(QFileInfo::exists(copy));
    EXPECT_TRUE(QFileInfo(copy).isWritable()); // the user may replace the sample
    EXPECT_FALSE(QFileInfo::exists(prefix.bin + QStringLiteral("/用户信函模版")));

    // A data folder in use is the user's: a deleted sample stays deleted, a
    // changed one stays changed.
    QFile::remove(copy);
    prefix.dir.write(QStringLiteral("home/.local/share/slipdesk/SlipdeskPosts.INI"), "[x]");
    prefix.resolve();
    EXPECT_FALSE(QFileInfo::exists(copy));

    QDir(prefix.user).removeRecursively();
    prefix.dir.write(QStringLiteral("home/.local/share/slipdesk/") + picture, "MINE");
    prefix.resolve();
    EXPECT_EQ(prefix.dir.read(QStringLiteral("home/.local/share/slipdesk/") + picture), QByteArray("MINE"));
}

TEST(InstalledLocation, NamedFolderIsSeededOnlyWhileEmpty)
{
    Prefix prefix;
    const QString fresh = prefix.dir.file(QStringLiteral("fresh"));
    const ProgramLocation named = prefix.resolve({QStringLiteral("--data"), fresh});
    EXPECT_EQ(named.dataRoot, fresh + u'/');
    EXPECT_TRUE(QFileInfo::exists(fresh + u'/' + picture));

    prefix.dir.write(QStringLiteral("used/notes.txt"), "x");
    prefix.resolve({QStringLiteral("--data=") + prefix.dir.file(QStringLiteral("used"))});
    EXPECT_FALSE(prefix.dir.exists(QStringLiteral("used/") + picture));
    EXPECT_FALSE(QFileInfo::exists(prefix.user)); // no fallback folder made
}

// The folder lock's file is nobody's data: a folder holding only it is still
// new, and a lock file in the seed (a program ran on it) is never copied.
TEST(InstalledLocation, TheFolderLockIsNeitherDataNorCopied)
{
    Prefix prefix;
    prefix.dir.write(QStringLiteral("usr/share/slipdesk/.slipdesk.lock"), "program=slipdesk\npid=1\n");
    prefix.dir.write(QStringLiteral("fresh/.slipdesk.lock"), "");
    const QString fresh = prefix.dir.file(QStringLiteral("fresh"));
    prefix.resolve({QStringLiteral("--data"), fresh});
    EXPECT_TRUE(QFileInfo::exists(fresh + u'/' + picture));
    EXPECT_EQ(prefix.dir.read(QStringLiteral("fresh/.slipdesk.lock")), QByteArray());

    const QString other = prefix.dir.file(QStringLiteral("other"));
    prefix.resolve({QStringLiteral("--data"), other});
    EXPECT_TRUE(QFileInfo::exists(other + u'/' + picture));
    EXPECT_FALSE(QFileInfo::exists(other + QStringLiteral("/.slipdesk.lock")));
}

TEST(InstalledLocation, OnlyABinFolderWithTheShareFolderBesideCountsAsInstalled)
{
    TempDir dir;
    dir.write(QStringLiteral("build/share/slipdesk/x"), "x");
    dir.write(QStringLiteral("bin/x"), "x"); // no share/slipdesk beside
    dir.write(QStringLiteral("prefix/share/slipdesk/x"), "x");
    QDir().mkpath(dir.file(QStringLiteral("prefix/bin")));

    EXPECT_EQ(ProgramLocation::installedShareDir(dir.file(QStringLiteral("build"))), QString());
    EXPECT_EQ(ProgramLocation::installedShareDir(dir.file(QStringLiteral("bin"))), QString());
    EXPECT_EQ(ProgramLocation::installedShareDir(dir.file(QStringLiteral("prefix/bin/"))),
        dir.file(QStringLiteral("prefix/share/slipdesk/")));

    // A build tree keeps its data beside the executable, as before.
    const QString user = dir.file(QStringLiteral("user"));
    const ProgramLocation build
        = ProgramLocation::resolve({QStringLiteral("slipdesk")}, dir.file(QStringLiteral("bin")), QString(), user);
    EXPECT_EQ(build.dataRoot, dir.file(QStringLiteral("bin/")));
    EXPECT_TRUE(build.shareDir.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(user));
}
