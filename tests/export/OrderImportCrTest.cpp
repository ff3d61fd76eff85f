// An order table whose quoted field holds a lone CR still gives one queue
// row per order.

#include "export/OrderImport.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillQueue.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(OrderImport, ALoneCrInAFieldDoesNotSplitTheQueueRow)
{
    TempDir dir;
    const Paths paths(dir.path());
    const QByteArray bytes = Codec::encode(
        QStringLiteral("订单编号,买家会员名\r\nT1,\"小\r鱼\",,,,,,,,,,,张伟\r\nT2,大熊,,,,,,,,,,,李娜\r\n"));
    const QList<QStringList> rows = OrderImport::rows(bytes);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.first().at(0), QStringLiteral("小 鱼"));

    EXPECT_EQ(OrderImport::appendToQueue(paths, bytes), 2);
    const QStringList lines = TextTable::load(WaybillQueue::file(paths));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("小鱼,张伟,")));
    EXPECT_EQ(lines.first().count(u','), WaybillQueue::FieldCount - 1);
}
