#include "trade/GoodsTable.h"
#include "trade/TradeNote.h"
#include "trade/TradeNumbers.h"

#include <gtest/gtest.h>

using namespace Slipdesk;
using namespace GoodsColumn;

namespace {
GoodsRow row(const QString &code, const QString &quantity, const QString &price)
{
    GoodsRow r
        = GoodsTable::row({QStringLiteral("1"), code, QStringLiteral("手机"), QStringLiteral("个"), quantity, price});
    return r;
}
} // namespace

TEST(TradeNumbers, ShortestFormAndCleaning)
{
    EXPECT_EQ(TradeNumbers::shortest(3), QStringLiteral("3"));
    EXPECT_EQ(TradeNumbers::shortest(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(TradeNumbers::shortest(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(TradeNumbers::shortest(-2), QStringLiteral("-2"));
    EXPECT_EQ(TradeNumbers::shortest(-0.0), QStringLiteral("0"));
    EXPECT_EQ(TradeNumbers::shortest(1234567), QStringLiteral("1234567"));
    EXPECT_EQ(TradeNumbers::lenient(QStringLiteral("abc")), 0);
    EXPECT_EQ(TradeNumbers::lenient(QStringLiteral(" 4 ")), 4);
    EXPECT_EQ(TradeNumbers::cleaned(QStringLiteral("1,500 .00")), QStringLiteral("1500.00"));
    EXPECT_EQ(TradeNumbers::plainMoney(110), QStringLiteral("1.10"));
    EXPECT_EQ(TradeNumbers::plainMoney(-5), QStringLiteral("-0.05"));
}

TEST(GoodsTable, LeavingQuantityOrPriceComputesTheAmount)
{
    GoodsRow r = row(QStringLiteral("0101"), QStringLiteral("2"), QStringLiteral("1500"));
    GoodsTable::cellLeft(r, Price);
    EXPECT_EQ(r[Price], QStringLiteral("1,500.00"));
    EXPECT_EQ(r[Amount], QStringLiteral("3,000.00"));

    r[Quantity] = QStringLiteral("abc");
    GoodsTable::cellLeft(r, Quantity);
    EXPECT_EQ(r[Amount], QString());

    r[Quantity] = QStringLiteral("1.5");
    r[Price] = QString(); // an empty price reads 0
    GoodsTable::cellLeft(r, Quantity);
    EXPECT_EQ(r[Amount], QStringLiteral("0.00"));

    // Without a code nothing is computed.
    GoodsRow free = row(QString(), QStringLiteral("2"), QStringLiteral("3"));
    GoodsTable::cellLeft(free, Quantity);
    EXPECT_EQ(free[Amount], QString());
}

TEST(GoodsTable, ClearingTheCodeEmptiesTheRowButItsNumber)
{
    GoodsRow r = row(QStringLiteral(" , "), QStringLiteral("2"), QStringLiteral("3"));
    r[OtherRemark] = QStringLiteral("供应商");
    GoodsTable::cellLeft(r, Code);
    EXPECT_EQ(r, GoodsTable::row({QStringLiteral("1")}));
}

TEST(GoodsTable, OtherPriceIsGroupedWhenLeft)
{
    GoodsRow r = row(QStringLiteral("0101"), QStringLiteral("1"), QString());
    r[OtherPrice] = QStringLiteral("1200");
    GoodsTable::cellLeft(r, OtherPrice);
    EXPECT_EQ(r[OtherPrice], QStringLiteral("1,200.00"));
}

TEST(GoodsTable, TotalsCountWhatReadsAsNumbers)
{
    GoodsRows rows {row(QStringLiteral("0101"), QStringLiteral("2"), QStringLiteral("1500")),
        row(QStringLiteral("0102"), QStringLiteral("abc"), QStringLiteral("3500")), GoodsTable::row({})};
    TradeNote note {NoteKind::Delivery, {{QStringLiteral("EdtPostPrice"), QStringLiteral("10")}}, rows};
    note.recompute();
    EXPECT_EQ(note.value(DeliveryField::LblSumCount), QStringLiteral("2"));
    EXPECT_EQ(note.value(DeliveryField::EdtMoneySumXx), QStringLiteral("3,000.00"));
    EXPECT_EQ(note.value(DeliveryField::EdtInvTotalJE), QStringLiteral("3,010.00"));

    TradeNote inbound {NoteKind::Inbound, {}, rows};
    inbound.recompute();
    EXPECT_EQ(inbound.value(InboundField::LblInputSumCount), QStringLiteral("2"));
    EXPECT_EQ(inbound.value(InboundField::EdtInputSumMoney), QStringLiteral("3,000.00"));
    EXPECT_EQ(GoodsTable::withCode(rows).size(), 2);
}
