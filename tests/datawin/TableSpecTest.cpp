#include "datawin/TableSpec.h"

#include "context/AppContext.h"
#include "datawin/DataSession.h"
#include "storage/Codec.h"
#include "support/TempDir.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// What the data window shows of a table and does with it.
struct Flags
{
    bool modal = true;
    bool add = true; // "增加" and "插入"
    bool enterAppends = true;
    bool import = true;
    bool exportButton = true;
    bool save = true;
    bool reprint = false;
    bool batchPage = false;
    bool statsPage = false;
    bool cliExport = true; // `export --code N`
};

constexpr Flags kList {};
constexpr Flags kExpressLog {true, false, false, true, true, true, true, false, false, true};
constexpr Flags kExpressQueue {true, true, true, true, true, true, false, true, false, true};
constexpr Flags kTradeLog {true, false, true, false, false, true, true, false, false, false};
constexpr Flags kInboundLog {false, false, true, false, false, true, true, false, false, false};
constexpr Flags kDeliveryQueue {false, false, true, false, false, true, false, true, false, false};
constexpr Flags kStats {true, true, true, false, true, false, false, false, true, false};

struct Case
{
    int number;
    const char *file; // under the data folder; empty for the statistics
    const char *detail; // the goods lines read with it
    const char *second; // the header's column after "序号"
    const char *last;
    Flags flags;
    const char *refusalFocus; // in an empty data folder
};

// Worked out from the file layouts: where each table lives and what its
// header says.
const Case kCases[] {
    {1, "打印记录/快递打印记录2026.txt", "", "打印日期", "备注", kExpressLog, "CmbSjrMc"},
    {2, "批打数据/快递批量打印数据.txt", "", "昵称", "加急费", kExpressQueue, ""},
    {3, "收件单位.TXT", "", "代码", "聊天", kList, ""},
    {5, "寄件单位.TXT", "", "代码", "聊天", kList, ""},
    {7, "收件单位部门.TXT", "", "收件单位部门", "收件单位部门", kList, ""},
    {8, "收件人称谓.TXT", "", "收件人称谓", "收件人称谓", kList, ""},
    {9, "收件语.TXT", "", "收件语", "收件语", kList, ""},
    {10, "信函物品.TXT", "", "信函物品", "信函物品", kList, ""},
    {11, "信函留言.TXT", "", "信函留言", "信函留言", kList, ""},
    {12, "商品资料.TXT", "", "商品编码", "待发数量", kList, ""},
    {13, "打印记录/出库发货单2026.TXT", "打印记录/出库发货单2026发货清单.TXT", "打印日期", "备注", kTradeLog,
        "CmbBuyerName"},
    {14, "批打数据/出库发货单.TSK", "批打数据/出库发货单发货清单.TSK", "发货单", "邮递费用", kDeliveryQueue,
        "CmbBuyerName"},
    {15, "计量单位.txt", "", "计量单位", "计量单位", kList, ""},
    {16, "出库备注.Txt", "", "出库备注", "出库备注", kList, ""},
    {17, "入库类别.txt", "", "入库类别", "入库类别", kList, ""},
    {18, "入库备注.Txt", "", "入库备注", "入库备注", kList, ""},
    {20, "打印记录/采购入库单2026.TXT", "打印记录/采购入库单2026入库清单.TXT", "打印日期", "金额合计", kInboundLog,
        "CmbInputJbr"},
    {21, "", "打印记录/出库发货单2026发货清单.TXT", "商品编码", "毛利合计", kStats, ""},
};

class TableSpecTest : public ::testing::Test
{
protected:
    static TableRequest request(int number)
    {
        const QString name = number == 20 ? QStringLiteral("采购入库单") : QStringLiteral("出库发货单");
        return {TableCode(number), name, QDate(2026, 3, 10)};
    }

    TempDir dir;
    Paths paths {dir.path()};
    AppContext context {paths};
};

} // namespace

TEST_F(TableSpecTest, EveryCodeKeepsItsNumberAndNoOtherNumberIsATable)
{
    QList<TableCode> expected;
    for (const Case &c : kCases) {
        expected.append(TableCode(c.number));
        ASSERT_TRUE(tableCodeOf(c.number)) << c.number;
        EXPECT_EQ(toInt(*tableCodeOf(c.number)), c.number);
        EXPECT_EQ(toInt(tableSpec(TableCode(c.number)).code), c.number);
    }
    // A table added without a row above fails here.
    EXPECT_EQ(tableCodes(), expected);
    for (const int number : {0, 4, 6, 19, 22, -1})
        EXPECT_FALSE(tableCodeOf(number)) << number;
    EXPECT_EQ(toInt(tableSpec(TableCode(4)).code), 0);
}

TEST_F(TableSpecTest, EveryTableLoadsItsFileUnderItsHeaderWithItsFlags)
{
    // Every file holds one line starting "甲".
    for (const Case &c : kCases) {
        for (const char *file : {c.file, c.detail})
            if (*file)
                dir.write(QString::fromUtf8(file), Codec::encode(QStringLiteral("甲,乙\r\n")));
    }
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.number);
        DataSession session = DataSession::open(context, request(c.number));
        ASSERT_EQ(session.refusal(), QString());
        const QDir root(dir.path());
        EXPECT_EQ(
            session.file().isEmpty() ? QString() : root.relativeFilePath(session.file()), QString::fromUtf8(c.file));
        EXPECT_EQ(session.title(), *c.file ? session.file() : QStringLiteral("查询统计"));
        const QStringList header = session.table().header();
        ASSERT_GE(header.size(), 2);
        EXPECT_EQ(header.at(0), QStringLiteral("序号"));
        EXPECT_EQ(header.at(1), QString::fromUtf8(c.second));
        EXPECT_EQ(header.last(), QString::fromUtf8(c.last));
        if (*c.file) {
            ASSERT_TRUE(session.table().hasData());
            EXPECT_EQ(session.table().cell(0, 1), QStringLiteral("甲"));
        } else {
            EXPECT_FALSE(session.table().hasData());
        }
        EXPECT_EQ(session.detail().path.isEmpty() ? QString() : root.relativeFilePath(session.detail().path),
            QString::fromUtf8(c.detail));
        if (*c.detail) {
            EXPECT_EQ(session.detail().lines, QStringList {QStringLiteral("甲,乙")});
        }

        const TableSpec &spec = session.spec();
        EXPECT_EQ(spec.modal, c.flags.modal);
        EXPECT_EQ(spec.canAdd, c.flags.add);
        EXPECT_EQ(spec.enterAppends, c.flags.enterAppends);
        EXPECT_EQ(spec.canImport, c.flags.import);
        EXPECT_EQ(spec.canExport, c.flags.exportButton);
        EXPECT_EQ(spec.canSave, c.flags.save);
        EXPECT_EQ(spec.canReprint(), c.flags.reprint);
        EXPECT_EQ(spec.batchPage, c.flags.batchPage);
        EXPECT_EQ(spec.isQueue(), c.flags.batchPage);
        EXPECT_EQ(spec.statsPage, c.flags.statsPage);
        EXPECT_EQ(spec.exportsStoredRows(), c.flags.cliExport);
        // Logs and the delivery queue show their goods lines below.
        EXPECT_EQ(spec.hasDetail(), *c.detail && !c.flags.statsPage);
        EXPECT_EQ(spec.importsOrders, c.number == 2);
        EXPECT_EQ(spec.statusEditor, c.number == 1);
        EXPECT_EQ(spec.goodsEditors, c.number == 12);
        EXPECT_EQ(spec.textColumns, (c.number == 5 ? QList<int> {11, 14} : QList<int> {}));
    }
}

TEST_F(TableSpecTest, TablesThatNeedAFileRefuseWithoutItAndNameTheFocus)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.number);
        const DataSession session = DataSession::open(context, request(c.number));
        const bool refuses = *c.refusalFocus || c.number == 21;
        EXPECT_EQ(!session.refusal().isEmpty(), refuses);
        EXPECT_EQ(session.refusalFocus(), QString::fromUtf8(c.refusalFocus));
    }
}

TEST_F(TableSpecTest, SavedTablesAreReadAgain)
{
    context.loadAddressBooks();
    QSignalSpy recipients(&context, &AppContext::recipientsReloaded);
    QSignalSpy senders(&context, &AppContext::sendersReloaded);
    QSignalSpy lists(&context, &AppContext::pickListChanged);

    dir.write(QStringLiteral("收件单位.TXT"), Codec::encode(QStringLiteral("A,,,,,,,,丙公司,,赵六\r\n")));
    tableSpec(TableCode::Recipients).saved(context, DataTable());
    EXPECT_EQ(recipients.size(), 1);
    EXPECT_EQ(context.recipientNames(), QStringList {QStringLiteral("赵六")});
    tableSpec(TableCode::Senders).saved(context, DataTable());
    EXPECT_EQ(senders.size(), 1);

    EXPECT_EQ(context.loadPickList(7), (QStringList {QStringLiteral("采购部"), QStringLiteral("财务部")}));
    dir.write(QStringLiteral("收件单位部门.TXT"), Codec::encode(QStringLiteral("销售部\r\n")));
    EXPECT_EQ(context.loadPickList(7).size(), 2); // read once per run
    tableSpec(TableCode::Departments).saved(context, DataTable());
    EXPECT_FALSE(context.pickListLoaded(7));
    EXPECT_EQ(lists.size(), 1);
    EXPECT_EQ(context.loadPickList(7), QStringList {QStringLiteral("销售部")});
    EXPECT_EQ(context.loadPickList(AppContext::InboundTypesCode).last(), QStringLiteral("盘点调整"));
}
