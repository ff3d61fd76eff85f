#include "trade/StockRules.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "trade/GoodsMaster.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

GoodsMaster master(const QStringList &lines)
{
    GoodsMaster goods;
    goods.setRows(lines);
    return goods;
}

GoodsRow gridRow(
    const QString &code, const QString &quantity, const QString &price, const QString &otherPrice = QString())
{
    return GoodsTable::row({QStringLiteral("1"), code, QStringLiteral("新品"), QStringLiteral("箱"), quantity, price,
        QString(), QStringLiteral("备注甲"), otherPrice, QStringLiteral("备注乙")});
}

} // namespace

TEST(StockRules, DeliveryLowersStockAndPendingForABatchNote)
{
    GoodsMaster goods = master({QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,3")});
    EXPECT_TRUE(
        StockRules::postDelivery(goods, {gridRow(QStringLiteral("0101"), QStringLiteral("2"), QString())}, false));
    EXPECT_EQ(goods.rows().first(), QStringLiteral("0101,手机,个,8,1500,翻盖型,1200,示例,3"));
    StockRules::postDelivery(goods, {gridRow(QStringLiteral("0101"), QStringLiteral("1.5"), QString())}, true);
    EXPECT_EQ(goods.field(0, GoodsMaster::Stock), QStringLiteral("6.5"));
    EXPECT_EQ(goods.field(0, GoodsMaster::Pending), QStringLiteral("1.5"));
    EXPECT_FALSE(StockRules::postDelivery(goods, {GoodsTable::row({})}, false));
}

// An unknown article becomes a goods line holding what the note took from
// it; values lose their commas, so that a grouped price never splits it.
TEST(StockRules, UnknownCodeOnADeliveryBecomesALine)
{
    GoodsMaster goods = master({});
    StockRules::postDelivery(goods,
        {gridRow(QStringLiteral("X9"), QStringLiteral("2"), QStringLiteral("1,500.00"), QStringLiteral("1,200.00")),
            gridRow(QStringLiteral("X8"), QStringLiteral("-3"), QString()),
            gridRow(QStringLiteral("X7"), QStringLiteral("abc"), QString())},
        false);
    ASSERT_EQ(goods.size(), 3);
    EXPECT_EQ(goods.rows().at(0), QStringLiteral("X9,新品,箱,-2,1500.00,备注甲,1200.00,备注乙"));
    EXPECT_EQ(goods.field(1, GoodsMaster::Stock), QStringLiteral("3"));
    EXPECT_EQ(goods.field(2, GoodsMaster::Stock), QStringLiteral("0"));
    EXPECT_EQ(goods.find(QStringLiteral("x9")), 0);
}

TEST(StockRules, BatchSavingAddsPendingOnlyForKnownCodes)
{
    GoodsMaster goods = master({QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例")});
    EXPECT_TRUE(StockRules::saveToBatch(goods,
        {gridRow(QStringLiteral("0101"), QStringLiteral("2"), QString()),
            gridRow(QStringLiteral("NONE"), QStringLiteral("5"), QString())}));
    EXPECT_EQ(goods.rows().first(), QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,2"));
    StockRules::saveToBatch(goods, {gridRow(QStringLiteral("0101"), QStringLiteral("2"), QString())});
    EXPECT_EQ(goods.field(0, GoodsMaster::Pending), QStringLiteral("4"));
    EXPECT_EQ(goods.size(), 1);
    EXPECT_FALSE(StockRules::saveToBatch(goods, {gridRow(QStringLiteral("NONE"), QStringLiteral("5"), QString())}));
}

TEST(StockRules, InboundWeightsTheCostPrice)
{
    GoodsMaster goods = master({QStringLiteral("A,甲,个,10,20,,10,"), QStringLiteral("B,乙,个,0,20,,10,"),
        QStringLiteral("C,丙,个,-4,20,,10,"), QStringLiteral("D,丁,个,5,20,,10,")});
    StockRules::postInbound(goods,
        {gridRow(QStringLiteral("A"), QStringLiteral("10"), QStringLiteral("12.00")),
            gridRow(QStringLiteral("B"), QStringLiteral("10"), QStringLiteral("12")),
            gridRow(QStringLiteral("C"), QStringLiteral("2"), QStringLiteral("12")),
            gridRow(QStringLiteral("D"), QStringLiteral("-5"), QStringLiteral("12"))});
    EXPECT_EQ(goods.field(0, GoodsMaster::Stock), QStringLiteral("20"));
    EXPECT_EQ(goods.field(0, GoodsMaster::CostPrice), QStringLiteral("11.00"));
    EXPECT_EQ(goods.field(1, GoodsMaster::CostPrice), QStringLiteral("12.00"));
    // A debt in stock, or nothing left after the note: never divide by zero
    // or by a negative stock.
    EXPECT_EQ(goods.field(2, GoodsMaster::Stock), QStringLiteral("-2"));
    EXPECT_EQ(goods.field(2, GoodsMaster::CostPrice), QStringLiteral("12.00"));
    EXPECT_EQ(goods.field(3, GoodsMaster::Stock), QStringLiteral("0"));
    EXPECT_EQ(goods.field(3, GoodsMaster::CostPrice), QStringLiteral("12.00"));

    // The same cost keeps the stored text.
    StockRules::postInbound(goods, {gridRow(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("11"))});
    EXPECT_EQ(goods.field(0, GoodsMaster::CostPrice), QStringLiteral("11.00"));
    EXPECT_EQ(goods.field(0, GoodsMaster::Stock), QStringLiteral("21"));
}

TEST(StockRules, UnknownCodeOnAnInboundBecomesALine)
{
    GoodsMaster goods = master({});
    StockRules::postInbound(goods,
        {gridRow(QStringLiteral("N1"), QStringLiteral("3"), QStringLiteral("1,200.5"), QStringLiteral("1,500.00"))});
    EXPECT_EQ(goods.rows().first(), QStringLiteral("N1,新品,箱,3,1500.00,备注乙,1200.50,备注甲"));
}

TEST(StockRules, DeletingANoteTakesItsQuantitiesBack)
{
    GoodsMaster goods = master({QStringLiteral("0101,手机,个,8,1500,,1200,,2")});
    const QList<StockRules::StockLine> lines {
        {QStringLiteral("0101"), QStringLiteral("2")}, {QStringLiteral("GONE"), QStringLiteral("9")}};
    EXPECT_TRUE(StockRules::reverse(goods, lines, StockRules::Reversal::DeliveryLog));
    EXPECT_EQ(goods.field(0, GoodsMaster::Stock), QStringLiteral("10"));
    StockRules::reverse(goods, lines, StockRules::Reversal::DeliveryBatch);
    EXPECT_EQ(goods.field(0, GoodsMaster::Pending), QStringLiteral("0"));
    StockRules::reverse(goods, lines, StockRules::Reversal::InboundLog);
    EXPECT_EQ(goods.field(0, GoodsMaster::Stock), QStringLiteral("8"));
    EXPECT_EQ(goods.field(0, GoodsMaster::CostPrice), QStringLiteral("1200"));
    EXPECT_FALSE(
        StockRules::reverse(goods, {{QStringLiteral("GONE"), QStringLiteral("1")}}, StockRules::Reversal::DeliveryLog));
}

TEST(GoodsMaster, FieldsAreReplacedInPlaceAndShortLinesExtended)
{
    GoodsMaster goods = master({QStringLiteral("0101,手机,个,10")});
    goods.setField(0, GoodsMaster::Pending, QStringLiteral("2"));
    EXPECT_EQ(goods.rows().first(), QStringLiteral("0101,手机,个,10,,,,,2"));
    EXPECT_EQ(goods.number(0, GoodsMaster::CostPrice), 0);
    goods.setField(0, GoodsMaster::Code, QStringLiteral("0199"));
    EXPECT_EQ(goods.find(QStringLiteral("0199")), 0);
    EXPECT_EQ(goods.find(QStringLiteral("0101")), -1);
    EXPECT_EQ(goods.append(QStringLiteral("0199,重复")), 1);
    EXPECT_EQ(goods.find(QStringLiteral("0199")), 0); // the first line keeps the code
}

// The master is written whole after every posting; what reaches the file is
// always what the lines say, edits and appended lines included.
TEST(GoodsMaster, SavedFileFollowsEveryChange)
{
    TempDir dir;
    const Paths paths(dir.path());
    GoodsMaster goods = master({QStringLiteral("0101,手机,个,10"), QStringLiteral("0102,电脑,台,5")});
    goods.save(paths);
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))), goods.rows());
    goods.setField(1, GoodsMaster::Stock, QStringLiteral("4"));
    goods.append(QStringLiteral("0103,耳机𠮷,副,1"));
    goods.save(paths);
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))),
        (QStringList {
            QStringLiteral("0101,手机,个,10"), QStringLiteral("0102,电脑,台,4"), QStringLiteral("0103,耳机𠮷,副,1")}));
    goods.setRows({QStringLiteral("X,新")});
    goods.save(paths);
    EXPECT_EQ(dir.read(QStringLiteral("商品资料.TXT")), Codec::encode(QStringLiteral("X,新\r\n")));
}
