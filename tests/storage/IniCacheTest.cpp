// INI files are parsed once and kept until they change on disk, and a change
// made behind the program's back is always seen: another program's rewrite
// (a new file), an editor writing in place with the same size within the
// same clock tick, or an in-place change whose modification time was put
// back.

#include "storage/Codec.h"
#include "storage/FileIo.h"
#include "storage/IniFile.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Slipdesk;

namespace {

const QString kSection = QStringLiteral("打印设备");
const QString kKey = QStringLiteral("信函号码");

QByteArray iniWith(const QString &number)
{
    return Codec::encode(
        QStringLiteral("; 备注\r\n[打印设备]\r\n信函号码=%1\r\n打印机=\r\n[其他]\r\nx=1\r\n").arg(number));
}

// Writes `bytes` into the existing file itself (same inode), as an editor
// saving in place does.
void writeInPlace(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

// Files settle at once (after a short wait past the clock's tick), so that
// a test need not wait three seconds for a file to be cached.
struct SettleAtOnce
{
    SettleAtOnce() { IniFile::setSettleTime(0); }
    ~SettleAtOnce() { IniFile::setSettleTime(3000); }
    static void wait() { ::usleep(30'000); }
};

} // namespace

TEST(IniCache, ASettledFileIsParsedOnceAndTheProgramsOwnWritesKeepItCached)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("默认B6国内信封.INI"));
    dir.write(QStringLiteral("默认B6国内信封.INI"), iniWith(QStringLiteral("SF0001")));
    const SettleAtOnce settle;
    SettleAtOnce::wait();
    IniFile ini(path);
    const qint64 before = FileIo::Testing::reads();
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("SF0001"));
    EXPECT_EQ(FileIo::Testing::reads() - before, 1) << "28 keys of one form read the file once";

    // A form later: the program saves the next number and reads on.
    ini.writeString(kSection, kKey, QStringLiteral("SF0002"));
    const qint64 afterWrite = FileIo::Testing::reads();
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(IniFile(path).readString(kSection, QStringLiteral("信函号码")), QStringLiteral("SF0002"));
    EXPECT_EQ(FileIo::Testing::reads(), afterWrite);
    // Everything the class does not know is kept, names match in any case.
    EXPECT_EQ(dir.read(QStringLiteral("默认B6国内信封.INI")), iniWith(QStringLiteral("SF0002")));
    EXPECT_EQ(ini.readInteger(QStringLiteral("其他"), QStringLiteral("X")), 1);
}

TEST(IniCache, ChangesBehindTheProgramsBackAreSeen)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("出库发货单.INI"));
    dir.write(QStringLiteral("出库发货单.INI"), iniWith(QStringLiteral("CK000001")));
    IniFile ini(path);
    EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000001"));

    // Another program replaces the file (a new inode, same size).
    dir.write(QStringLiteral("出库发货单.INI"), iniWith(QStringLiteral("CK000002")));
    EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000002"));

    // An editor writes in place twice in a row, same size, likely within one
    // tick of the clock: a version read while fresh is not trusted, so each
    // one is seen.
    writeInPlace(path, iniWith(QStringLiteral("CK000003")));
    EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000003"));
    writeInPlace(path, iniWith(QStringLiteral("CK000004")));
    EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000004"));

    {
        // Settled and cached; then changed in place with the same size and
        // its modification time put back: the change time still tells.
        const SettleAtOnce settle;
        SettleAtOnce::wait();
        struct stat settled;
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &settled), 0);
        EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000004"));
        const qint64 cached = FileIo::Testing::reads();
        EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000004"));
        EXPECT_EQ(FileIo::Testing::reads(), cached);
        SettleAtOnce::wait();
        writeInPlace(path, iniWith(QStringLiteral("CK000005")));
        const struct timespec times[2] = {settled.st_atim, settled.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        EXPECT_EQ(ini.readString(kSection, kKey), QStringLiteral("CK000005"));
    }

    // A write of the program after all that starts from what is on disk.
    ini.writeString(QStringLiteral("打印设备"), QStringLiteral("打印机"), QStringLiteral("Slipdesk PDF"));
    EXPECT_EQ(IniFile(path).readString(kSection, kKey), QStringLiteral("CK000005"));

    // Deleted behind its back: the defaults again.
    QFile::remove(path);
    EXPECT_EQ(ini.readString(kSection, kKey, QStringLiteral("默认")), QStringLiteral("默认"));
    EXPECT_FALSE(ini.sectionExists(kSection));
}
