// Saving on a real full file system (a small tmpfs mounted for the test):
// the rewrite keeps the old file, the append is cut back to whole rows, the
// message names the file and says the disk is full.

#include "storage/Codec.h"
#include "storage/FileIo.h"
#include "storage/IniFile.h"
#include "storage/IoError.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/mount.h>

using namespace Slipdesk;

namespace {

QString messageOf(const std::function<void()> &write)
{
    try {
        write();
    } catch (const IoError &e) {
        return e.message();
    }
    return QString();
}

QStringList rows(int count, const QString &what)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(
            QStringLiteral("%1,%2,个,10,1500.00,,翻盖型,1200.00,示例,0").arg(i, 4, 10, QLatin1Char('0')).arg(what));
    return list;
}

QStringList hidden(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).filter(QStringLiteral(".part"));
}

} // namespace

TEST(FullDisk, RewritesAppendsAndSettingsKeepEveryFileWhole)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    const Paths paths(disk.path());
    const QString goods = disk.file(QStringLiteral("商品资料.TXT"));
    const QString log = disk.file(QStringLiteral("打印记录/出库发货单2026.TXT"));
    const QString ini = disk.file(QStringLiteral("用户信函模版/出库发货单.INI"));
    TextTable::save(goods, rows(200, QStringLiteral("手机")));
    // 4,000 bytes: the next row only half fits into the last page.
    TextTable::save(log, {QString(3998, u'x')});
    IniFile(ini).writeString(QStringLiteral("打印设备"), QStringLiteral("发货单号码"), QStringLiteral("CK000004"));
    const QByteArray oldGoods = FileIo::read(goods);
    const QByteArray oldLog = FileIo::read(log);
    const QByteArray oldIni = FileIo::read(ini);

    disk.fill();
    ASSERT_EQ(disk.available(), 0);
    const QString rewrite = messageOf([&] { TextTable::save(goods, rows(200, QStringLiteral("电脑"))); });
    EXPECT_TRUE(rewrite.contains(QStringLiteral("磁盘已满"))) << rewrite.toStdString();
    EXPECT_TRUE(rewrite.contains(QDir::toNativeSeparators(goods))) << rewrite.toStdString();
    EXPECT_EQ(FileIo::read(goods), oldGoods);

    const QString append = messageOf([&] { TextTable::appendRow(log, QString(200, u'y')); });
    EXPECT_TRUE(append.contains(QStringLiteral("磁盘已满"))) << append.toStdString();
    EXPECT_EQ(FileIo::read(log), oldLog) << "the half row that fitted is cut off again";
    const QString big = messageOf([&] { TextTable::appendRows(log, rows(100, QStringLiteral("批"))); });
    EXPECT_TRUE(big.contains(QStringLiteral("磁盘已满"))) << big.toStdString();
    EXPECT_EQ(FileIo::read(log), oldLog);

    const QString number = messageOf([&] {
        IniFile(ini).writeString(QStringLiteral("打印设备"), QStringLiteral("发货单号码"), QStringLiteral("CK000005"));
    });
    EXPECT_TRUE(number.contains(QStringLiteral("出库发货单.INI"))) << number.toStdString();
    EXPECT_EQ(FileIo::read(ini), oldIni);
    EXPECT_EQ(
        IniFile(ini).readString(QStringLiteral("打印设备"), QStringLiteral("发货单号码")), QStringLiteral("CK000004"));
    for (const QString &folder :
        {disk.path(), disk.file(QStringLiteral("打印记录")), disk.file(QStringLiteral("用户信函模版"))})
        EXPECT_TRUE(hidden(folder).isEmpty()) << hidden(folder).join(u' ').toStdString();

    // Room again: the same saves go through.
    disk.release();
    TextTable::save(goods, rows(200, QStringLiteral("电脑")));
    TextTable::appendRow(log, QString(200, u'y'));
    EXPECT_EQ(TextTable::load(goods), rows(200, QStringLiteral("电脑")));
    EXPECT_EQ(TextTable::load(log), (QStringList {QString(3998, u'x'), QString(200, u'y')}));
}

TEST(FullDisk, AReadOnlyFileSystemIsNamedAsSuch)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    const Paths paths(disk.path());
    const QString goods = disk.file(QStringLiteral("商品资料.TXT"));
    TextTable::save(goods, rows(3, QStringLiteral("手机")));
    ASSERT_EQ(
        ::mount(nullptr, QFile::encodeName(disk.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const QString message = messageOf([&] { TextTable::save(goods, rows(1, QStringLiteral("电脑"))); });
    EXPECT_TRUE(message.contains(QStringLiteral("磁盘是只读的"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(goods))) << message.toStdString();
    EXPECT_TRUE(
        messageOf([&] { TextTable::appendRow(goods, QStringLiteral("x")); }).contains(QStringLiteral("磁盘是只读的")));
    EXPECT_EQ(TextTable::load(goods), rows(3, QStringLiteral("手机")));
}
