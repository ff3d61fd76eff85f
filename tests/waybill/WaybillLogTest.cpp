#include "waybill/WaybillLog.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(WaybillLog, LineHoldsTheThirtyTwoFieldsCleaned)
{
    const FieldValues values {{QStringLiteral("DateTimeP"), QStringLiteral("2010-05-04")},
        {QStringLiteral("EdtEmsNo"), QStringLiteral("SF0099")},
        {QStringLiteral("CmbLetterSelect"), QStringLiteral("顺丰")},
        {QStringLiteral("EdtSjrWW"), QStringLiteral("nick,name")},
        {QStringLiteral("CmbSjrMc"), QStringLiteral("王 小二")},
        {QStringLiteral("EdtSjDwSs"), QStringLiteral("上海市")},
        {QStringLiteral("EdtSjDwDs"), QStringLiteral("上海市")},
        {QStringLiteral("EdtSjDwQx"), QStringLiteral("浦东新区")},
        {QStringLiteral("EdtSjDwDz"), QStringLiteral("上海 浦东,张江")},
        {QStringLiteral("EdtWpJe"), QStringLiteral("1,234.50")},
        {QStringLiteral("CmbJjDwMc"), QStringLiteral("示例网店")}};
    const QString line = WaybillLog::buildLine(values, {QStringLiteral("加急+易碎"), QString(), QStringLiteral("到付")},
        QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3)));
    const QStringList fields = line.split(u',');
    ASSERT_EQ(fields.size(), 32);
    EXPECT_EQ(fields.at(0), QStringLiteral("2026-12-07"));
    EXPECT_EQ(fields.at(1), QStringLiteral("09:05:03"));
    EXPECT_EQ(fields.at(2), QStringLiteral("2010-05-04"));
    EXPECT_EQ(fields.at(3), QString());
    EXPECT_EQ(fields.at(4), QStringLiteral("SF0099"));
    EXPECT_EQ(fields.at(5), QStringLiteral("顺丰"));
    EXPECT_EQ(fields.at(6), QStringLiteral("nickname"));
    EXPECT_EQ(fields.at(7), QStringLiteral("王小二"));
    EXPECT_EQ(fields.at(9), QStringLiteral("上海市|上海市|浦东新区|上海浦东张江"));
    EXPECT_EQ(fields.at(17), QStringLiteral("加急+易碎"));
    EXPECT_EQ(fields.at(19), QStringLiteral("到付"));
    EXPECT_EQ(fields.at(25), QStringLiteral("1234.50"));
    EXPECT_EQ(fields.at(31), QStringLiteral("示例网店"));
    EXPECT_FALSE(line.contains(u' '));
}

TEST(WaybillLog, EachYearHasItsOwnFile)
{
    TempDir dir;
    const Paths paths(dir.path());
    WaybillLog::append(
        paths, {{QStringLiteral("EdtEmsNo"), QStringLiteral("A1")}}, {}, QDateTime(QDate(2025, 12, 31), QTime(23, 59)));
    WaybillLog::append(
        paths, {{QStringLiteral("EdtEmsNo"), QStringLiteral("A2")}}, {}, QDateTime(QDate(2026, 1, 1), QTime(0, 1)));
    EXPECT_EQ(TextTable::load(WaybillLog::path(paths, 2025)).size(), 1);
    const QStringList lines = TextTable::load(WaybillLog::path(paths, 2026));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(TextTable::field(lines.first(), 4), QStringLiteral("A2"));
}
