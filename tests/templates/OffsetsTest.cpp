#include "templates/Offsets.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(Offsets, OnlyWholeNumbersAreOffsets)
{
    EXPECT_EQ(Offsets::parse(QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(Offsets::parse(QStringLiteral("-15")), -15);
    for (const char *bad : {"", "-", "1.5", "12a"})
        EXPECT_EQ(Offsets::parse(QString::fromUtf8(bad)), std::nullopt) << bad;
}

TEST(Offsets, RefusalNamesTheFieldThatIsNotANumber)
{
    QString refusal;
    EXPECT_EQ(Offsets::parse(QStringLiteral("3"), QStringLiteral("-4"), &refusal), QPoint(3, -4));
    EXPECT_TRUE(refusal.isEmpty());
    EXPECT_EQ(Offsets::parse(QStringLiteral("3"), QStringLiteral("-"), &refusal), std::nullopt);
    EXPECT_EQ(refusal, QStringLiteral("整体移动的值“-”不是有效的整数，请改正后再打印。"));
    EXPECT_EQ(Offsets::parse(QStringLiteral("x"), QStringLiteral("-"), &refusal), std::nullopt);
    EXPECT_TRUE(refusal.contains(QStringLiteral("“x”")));
}
