// Template lists of a damaged settings file: a count far beyond the names
// the file holds, and a long list read in one pass.

#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "support/TempDir.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

void putSettings(const TempDir &dir, const QString &text)
{
    dir.write(QStringLiteral("SlipdeskPosts.INI"), Codec::encode(text));
}

} // namespace

TEST(TemplateCount, AHugeCountReadsTheNamesTheFileHolds)
{
    TempDir dir;
    putSettings(dir, QStringLiteral("[信函快递单模版列表]\r\n模版总数=2000000000\r\n模版1=顺丰\r\n模版3=圆通\r\n"));
    ProgramSettings settings {Paths(dir.path())};
    EXPECT_EQ(settings.templateNames(0), QStringList({QStringLiteral("顺丰"), QString(), QStringLiteral("圆通")}));

    // Saving the list deletes the names beyond it, without listing the
    // two thousand million keys the count names.
    settings.setTemplateNames(0, {QStringLiteral("申通")});
    EXPECT_EQ(settings.templateNames(0), QStringList({QStringLiteral("申通")}));
    IniFile ini(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    EXPECT_FALSE(ini.valueExists(QStringLiteral("信函快递单模版列表"), QStringLiteral("模版3")));
}

TEST(TemplateCount, ASoundListReadsAsItsCountSays)
{
    TempDir dir;
    // An empty value is an empty entry; a count below the names cuts them.
    putSettings(
        dir, QStringLiteral("[出库发货单模版列表]\r\n模版总数=3\r\n模版1=甲\r\n模版2=\r\n模版3=丙\r\n模版4=丁\r\n"));
    ProgramSettings settings {Paths(dir.path())};
    EXPECT_EQ(settings.templateNames(1), QStringList({QStringLiteral("甲"), QString(), QStringLiteral("丙")}));
}

TEST(TemplateCount, ALongListIsReadInOnePass)
{
    TempDir dir;
    constexpr int count = 20000;
    QString text
        = QStringLiteral("[采购入库单模版列表]\r\n模版总数=") + QString::number(count) + QStringLiteral("\r\n");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("模版") + QString::number(i) + QStringLiteral("=入库") + QString::number(i)
            + QStringLiteral("\r\n");
    putSettings(dir, text);
    ProgramSettings settings {Paths(dir.path())};
    QElapsedTimer timer;
    timer.start();
    const QStringList names = settings.templateNames(2);
    ASSERT_EQ(names.size(), count);
    EXPECT_EQ(names.last(), QStringLiteral("入库20000"));
    // A lookup per key took about 400 million name comparisons here.
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(IniFile, SeveralKeysReadAsEachAloneReadsThem)
{
    TempDir dir;
    putSettings(dir, QStringLiteral("[a]\r\nKey=1\r\nkey=2\r\n x = \"3\" \r\n[A]\r\ny=4\r\n"));
    IniFile ini(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    const QStringList keys {QStringLiteral("KEY"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("键")};
    const QStringList values = ini.readStrings(QStringLiteral("A"), keys, QStringLiteral("无"));
    EXPECT_EQ(
        values, QStringList({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("无"), QStringLiteral("无")}));
    for (qsizetype i = 0; i < keys.size(); ++i)
        EXPECT_EQ(ini.readString(QStringLiteral("A"), keys.at(i), QStringLiteral("无")), values.at(i));
}
