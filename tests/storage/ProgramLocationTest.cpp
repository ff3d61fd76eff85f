#include "storage/ProgramLocation.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(ProgramLocation, NamedFolderWinsThenTheExecutableFolderThenTheUserFolder)
{
    TempDir dir;
    const QString exe = dir.file(QStringLiteral("bin"));
    QDir().mkpath(exe);
    const QString user = dir.file(QStringLiteral("user"));
    const QString named = dir.file(QStringLiteral("named"));

    ProgramLocation byOption = ProgramLocation::resolve(
        {QStringLiteral("slipdesk"), QStringLiteral("--data"), named}, exe, QStringLiteral("/ignored"), user);
    EXPECT_EQ(byOption.dataRoot, named + u'/');
    EXPECT_TRUE(byOption.namedByUser);
    EXPECT_TRUE(QDir(named).exists());

    EXPECT_EQ(ProgramLocation::resolve({QStringLiteral("slipdesk")}, exe, named, user).dataRoot, named + u'/');
    EXPECT_EQ(
        ProgramLocation::resolve({QStringLiteral("slipdesk"), QStringLiteral("--data=") + user}, exe, QString(), user)
            .dataRoot,
        user + u'/');
    EXPECT_EQ(ProgramLocation::resolve({QStringLiteral("slipdesk")}, exe, QString(), user).dataRoot, exe + u'/');

    // A read-only program folder falls back to the user's data folder.
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    const bool readOnly = !QFileInfo(exe).isWritable(); // root writes anywhere
    const ProgramLocation fallback = ProgramLocation::resolve({QStringLiteral("slipdesk")}, exe, QString(), user);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (readOnly)
        EXPECT_EQ(fallback.dataRoot, user + u'/');
}

TEST(ProgramLocation, TemporaryFolderIsComparedAsAFolderPrefix)
{
    EXPECT_TRUE(ProgramLocation::insideTemporaryFolder(QStringLiteral("/tmp/rar123/slipdesk"), QStringLiteral("/tmp")));
    EXPECT_TRUE(ProgramLocation::insideTemporaryFolder(QStringLiteral("/tmp"), QStringLiteral("/tmp/")));
    EXPECT_FALSE(ProgramLocation::insideTemporaryFolder(QStringLiteral("/tmpfiles/slipdesk"), QStringLiteral("/tmp")));
    EXPECT_FALSE(ProgramLocation::insideTemporaryFolder(QStringLiteral("/opt/slipdesk"), QStringLiteral("/tmp")));
    EXPECT_FALSE(ProgramLocation::insideTemporaryFolder(QStringLiteral("/opt/slipdesk"), QString()));
}
