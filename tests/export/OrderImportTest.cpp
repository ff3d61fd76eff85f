// The seller order table read into express batch rows.

#include "export/OrderImport.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillQueue.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// An order line with the fields the import reads at their places.
QString orderLine(const QString &address, const QString &phone = QStringLiteral("'0571-88886666"))
{
    QStringList fields(24);
    fields[0] = QStringLiteral("T2026120800001");
    fields[1] = QStringLiteral("小陈的店");
    fields[4] = QStringLiteral("12.00");
    fields[6] = QStringLiteral("158.50");
    fields[11] = QStringLiteral("示例公司");
    fields[12] = QStringLiteral("陈小姐");
    fields[13] = u'"' + address + u'"';
    fields[15] = phone;
    fields[16] = QStringLiteral("'13800138000");
    fields[23] = QStringLiteral("\"'连衣裙 L码\""); // quoted: it holds a blank
    return fields.join(u',');
}

QByteArray file(const QStringList &lines)
{
    return Codec::encode(QString(QStringLiteral("订单编号,买家会员名,...\r\n") + lines.join(QStringLiteral("\r\n"))));
}

} // namespace

TEST(OrderImport, TheAddressSplitsIntoItsPartsAndThePostcode)
{
    const OrderImport::Address full
        = OrderImport::splitAddress(QStringLiteral("浙江省 杭州市 西湖区 文三路1号(310012)"));
    EXPECT_EQ(full.province, QStringLiteral("浙江省"));
    EXPECT_EQ(full.city, QStringLiteral("杭州市"));
    EXPECT_EQ(full.district, QStringLiteral("西湖区"));
    EXPECT_EQ(full.postcode, QStringLiteral("310012"));
    EXPECT_EQ(full.street, QStringLiteral("文三路1号"));

    // Two blanks: no district, and the street does not repeat province and city.
    const OrderImport::Address two = OrderImport::splitAddress(QStringLiteral("上海 上海市 世纪大道100号(200120)"));
    EXPECT_EQ(two.district, QString());
    EXPECT_EQ(two.city, QStringLiteral("上海市"));
    EXPECT_EQ(two.street, QStringLiteral("世纪大道100号"));

    // No postcode in parentheses: none is made up from the last characters.
    const OrderImport::Address bare = OrderImport::splitAddress(QStringLiteral("广东省 深圳市 南山区 科技园"));
    EXPECT_EQ(bare.postcode, QString());
    EXPECT_EQ(bare.street, QStringLiteral("科技园"));
    EXPECT_EQ(OrderImport::splitAddress(QString()).street, QString());
}

TEST(OrderImport, OrdersBecomeQueueRowsWithoutApostrophes)
{
    const QList<QStringList> rows = OrderImport::rows(
        file({orderLine(QStringLiteral("浙江省 杭州市 西湖区 文三路1号(310012)")), QStringLiteral("T2,短行")}));
    ASSERT_EQ(rows.size(), 2);
    const QStringList &r = rows.first();
    ASSERT_EQ(r.size(), WaybillQueue::FieldCount);
    EXPECT_EQ(r.at(10), QStringLiteral("T2026120800001")); // 物流订单
    EXPECT_EQ(r.at(0), QStringLiteral("小陈的店"));
    EXPECT_EQ(r.at(35), QStringLiteral("12.00"));
    EXPECT_EQ(r.at(31), QStringLiteral("158.50"));
    EXPECT_EQ(r.at(7), QStringLiteral("示例公司"));
    EXPECT_EQ(r.at(1), QStringLiteral("陈小姐"));
    EXPECT_EQ(r.at(2), QStringLiteral("杭州市"));
    EXPECT_EQ(r.at(9), QStringLiteral("310012"));
    EXPECT_EQ(r.at(8), QStringLiteral("0571-88886666"));
    EXPECT_EQ(r.at(19), QStringLiteral("13800138000"));
    EXPECT_EQ(r.at(11), QStringLiteral("连衣裙 L码"));
    // A short line fills what it has.
    EXPECT_EQ(rows.at(1).at(10), QStringLiteral("T2"));
    EXPECT_EQ(rows.at(1).at(1), QString());
}

TEST(OrderImport, AppendedOrdersAreSavedAsTheQueueStoresRows)
{
    TempDir dir;
    const Paths paths(dir.path());
    TextTable::appendRow(WaybillQueue::file(paths), QStringLiteral("已有,一行"));
    EXPECT_EQ(
        OrderImport::appendToQueue(paths, file({orderLine(QStringLiteral("浙江省 杭州市 西湖区 文三路 1号(310012)"))})),
        1);
    const QStringList queue = TextTable::load(WaybillQueue::file(paths));
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(TextTable::fieldCount(queue.at(1)), WaybillQueue::FieldCount);
    EXPECT_EQ(TextTable::field(queue.at(1), 6), QStringLiteral("文三路1号"));
    EXPECT_EQ(TextTable::field(queue.at(1), 11), QStringLiteral("连衣裙L码"));
}
