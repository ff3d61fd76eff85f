// Amounts of goods rows whose quantity is far beyond any real one.

#include "render/Amounts.h"
#include "trade/GoodsFile.h"
#include "trade/GoodsTable.h"
#include "trade/TradeNumbers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Slipdesk;

TEST(TradeNumbers, AnAmountBeyondRangeStopsAtTheLargest)
{
    EXPECT_EQ(TradeNumbers::times(1e300, 8900), MaxAmountFen);
    EXPECT_EQ(TradeNumbers::times(-1e300, 8900), -MaxAmountFen);
    EXPECT_EQ(TradeNumbers::times(2.5, 8900), 22250);
    EXPECT_EQ(formatGrouped(std::numeric_limits<qint64>::min()), QStringLiteral("-92,233,720,368,547,758.08"));

    // A goods file line with such a quantity gives a grouped amount, not a
    // negative one.
    GoodsRows rows = GoodsFile::parse("SP0001,蓝色帆布鞋,双,1e300,89.00\n", GoodsFile::DeliveryRows);
    GoodsTable::recompute(rows);
    EXPECT_EQ(GoodsTable::cell(rows.first(), GoodsColumn::Amount), formatGrouped(MaxAmountFen));
}
