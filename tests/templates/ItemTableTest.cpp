#include "templates/ItemTable.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

// The stored cells of a row after the display number.
QString valuesOf(const ItemTable &table, int row)
{
    return table.rows().at(row).mid(1).join(u',');
}

// ---- built-in tables ---------------------------------------------------------------

TEST(ItemTableBuiltIn, CountsHeaderAndNumbering)
{
    EXPECT_EQ(ItemTable::builtIn(ItemTable::Express).rowCount(), 75);
    EXPECT_EQ(ItemTable::builtIn(ItemTable::Delivery).rowCount(), 25);
    EXPECT_EQ(ItemTable::builtIn(ItemTable::Inbound).rowCount(), 10);
    for (int kind = 0; kind < 3; ++kind) {
        const ItemTable table = ItemTable::builtIn(kind);
        EXPECT_EQ(table.rows().first().join(u','), ItemTable::header());
        for (int row = 1; row < table.rowCount(); ++row) {
            ASSERT_EQ(table.rows().at(row).size(), 11) << kind << " " << row;
            EXPECT_EQ(table.cell(row, 0), QString::number(row));
            EXPECT_EQ(table.findItem(table.cell(row, 1)), row) << "names are unique";
        }
    }
}

TEST(ItemTableBuiltIn, ExpressValues)
{
    const ItemTable t = ItemTable::builtIn(ItemTable::Express);
    EXPECT_EQ(valuesOf(t, 1), u"寄件人姓名,打印,1150,1000,200,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 6), u"寄件单位地址,打印,550,1100,600,0,10,黑体,否,自动换行");
    EXPECT_EQ(valuesOf(t, 8), u"寄件单位电话,不打印,150,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 9), u"寄件单位邮编,打印,1500,1150,0,30,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 13), u"目的地,不打印,600,750,300,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 18), u"收件单位名称,打印,400,550,800,0,10,黑体,否,自动换行");
    EXPECT_EQ(valuesOf(t, 20), u"收件单位邮编,打印,150,120,0,100,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 25), u"第1组标记1,不打印,150,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 54), u"收件单位传真,不打印,150,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 55), u"收件单位代码,不打印,1100,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 56), u"收件单位类别,不打印,150,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 59), u"收件单位部门,打印,1300,550,300,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 61), u"信函收件语,打印,1100,750,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 62), u"信函编号,不打印,150,120,100,0,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(t, 74), u"加急费,不打印,150,120,100,0,10,黑体,是,自动换行");
}

TEST(ItemTableBuiltIn, DeliveryAndInboundValues)
{
    const ItemTable d = ItemTable::builtIn(ItemTable::Delivery);
    EXPECT_EQ(valuesOf(d, 1), u"店铺名称,打印,800,100,800,0,15,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(d, 11), u"商品表格,打印,100,360,1900,60,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(d, 16), u"分隔直线,打印,100,70,1900,10,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(d, 24), u"快递单号,打印,1700,200,300,0,10,黑体,是,自动换行");

    const ItemTable i = ItemTable::builtIn(ItemTable::Inbound);
    EXPECT_EQ(valuesOf(i, 2), u"单据名称,打印,800,170,800,0,13,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(i, 7), u"商品表格,打印,100,310,1900,60,10,黑体,是,自动换行");
    EXPECT_EQ(valuesOf(i, 9), u"货款金额,打印,1650,20,500,0,10,黑体,是,自动换行");
}

// ---- the .SET file -----------------------------------------------------------------

TEST(ItemTableFile, MissingFileGivesTheBuiltInTable)
{
    TempDir dir;
    const ItemTable table = ItemTable::load(dir.file(u"出库发货单.SET"_s), ItemTable::Delivery);
    EXPECT_EQ(table.rows(), ItemTable::builtIn(ItemTable::Delivery).rows());
    EXPECT_FALSE(dir.exists(u"出库发货单.SET"_s)) << "not written until saved";
}

TEST(ItemTableFile, EmptyFileGivesTheBuiltInTable)
{
    TempDir dir;
    dir.write(u"t.SET"_s, QByteArray());
    EXPECT_EQ(ItemTable::load(dir.file(u"t.SET"_s), ItemTable::Inbound).rowCount(), 10);
}

TEST(ItemTableFile, SaveAndLoadKeepValuesQuotingBlanksAndQuotes)
{
    TempDir dir;
    const QString path = dir.file(u"默认B6国内信封.SET"_s);
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    table.setCell(1, 8, u"Noto Sans CJK SC"_s);
    table.setCell(2, 8, u"a\"b"_s);
    table.save(path);

    const QString text = Codec::decode(dir.read(u"默认B6国内信封.SET"_s));
    const QStringList lines = text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 76); // 75 lines, each ended by CR LF
    EXPECT_EQ(lines[0], ItemTable::header());
    EXPECT_EQ(lines[1], u"1,寄件人姓名,打印,1150,1000,200,0,10,\"Noto Sans CJK SC\",是,自动换行");
    EXPECT_EQ(lines[2], u"2,始发地,不打印,1150,1000,200,0,10,\"a\"\"b\",是,自动换行");

    const ItemTable back = ItemTable::load(path, ItemTable::Delivery);
    EXPECT_EQ(back.rows(), table.rows());
    EXPECT_EQ(back.cell(1, 8), u"Noto Sans CJK SC");
}

TEST(ItemTableFile, LoadRenumbersAndKeepsAnOlderTable)
{
    TempDir dir;
    // An older table: stored numbers are stale or empty, 收件单位部门 is missing,
    // one row is short.
    const QString set = ItemTable::header()
        + u"\r\n"
          u"7,寄件人姓名,打印,1150,1000,200,0,10,黑体,是,自动换行\r\n"
          u",收件人姓名,不打印,600,750,300,0,10,黑体,否,不换行\r\n"
          u"x,收件单位邮编,打印,150,120\r\n"_s;
    dir.write(u"old.SET"_s, Codec::encode(set));
    const ItemTable table = ItemTable::load(dir.file(u"old.SET"_s), ItemTable::Express);
    ASSERT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.cell(1, 0), u"1");
    EXPECT_EQ(table.cell(2, 0), u"2");
    EXPECT_EQ(table.cell(3, 0), u"3");
    EXPECT_EQ(table.findItem(u"收件人姓名"_s), 2);
    EXPECT_EQ(table.findItem(u"收件单位部门"_s), -1);
    EXPECT_EQ(table.findItem(u"打印项目"_s), -1) << "the header is no item";
    EXPECT_EQ(table.cell(3, 9), QString()) << "missing trailing cells read empty";
    const ItemParams zip = ItemParams::fromRow(table, 3);
    EXPECT_TRUE(zip.print);
    EXPECT_EQ(zip.top, 120);
    EXPECT_EQ(zip.width, 0);
    EXPECT_EQ(zip.size, 10);
    EXPECT_EQ(zip.font, u"黑体");
}

// The barcode rows: no built-in table holds them, an added one starts from
// its defaults in the columns the table's own header names, and a stored
// table keeps them (and rows no program knows) through save and load.
TEST(ItemTableOptional, BarcodeRowsAreAdditionsStoredLikeAnyRow)
{
    for (int kind = 0; kind < 3; ++kind) {
        const ItemTable builtIn = ItemTable::builtIn(kind);
        const QStringList names = ItemTable::optionalItems(kind);
        EXPECT_FALSE(names.isEmpty());
        for (const QString &name : names) {
            EXPECT_LT(builtIn.findItem(name), 0) << name.toStdString();
            EXPECT_TRUE(name.endsWith(u"条码") || name.endsWith(u"二维码")) << name.toStdString();
        }
    }
    const ItemTable express = ItemTable::builtIn(ItemTable::Express);
    EXPECT_EQ(express.optionalRow(ItemTable::Express, u"信函编号条码"_s).join(u','),
        u",信函编号条码,打印,150,120,600,100,10,黑体,是,不换行"_s);
    EXPECT_EQ(express.optionalRow(ItemTable::Express, u"物流订单二维码"_s).join(u','),
        u",物流订单二维码,打印,150,120,250,0,10,黑体,是,不换行"_s);
    EXPECT_TRUE(express.optionalRow(ItemTable::Delivery, u"信函编号条码"_s).isEmpty());
    EXPECT_TRUE(express.optionalRow(ItemTable::Express, u"收件人姓名"_s).isEmpty());
    // A table whose columns stand in another order, one of them missing.
    const ItemTable shuffled(QList<QStringList> {{u"打印项目"_s, u"宽度"_s, u"序号"_s, u"是否打印"_s}});
    EXPECT_EQ(shuffled.optionalRow(ItemTable::Inbound, u"入库单号条码"_s).join(u','), u"入库单号条码,600,,打印"_s);

    TempDir dir;
    ItemTable table = express;
    table.rows().append(table.optionalRow(ItemTable::Express, u"信函编号条码"_s));
    table.rows().append(TextTable::splitCommaText(u"0,将来的项目,打印,1,2,3,4,5,宋体,否,不换行"_s));
    table.save(dir.file(u"T.SET"_s));
    const ItemTable back = ItemTable::load(dir.file(u"T.SET"_s), ItemTable::Express);
    ASSERT_EQ(back.rowCount(), 77);
    EXPECT_EQ(valuesOf(back, 75), u"信函编号条码,打印,150,120,600,100,10,黑体,是,不换行"_s);
    EXPECT_EQ(valuesOf(back, 76), u"将来的项目,打印,1,2,3,4,5,宋体,否,不换行"_s);
    EXPECT_EQ(back.cell(76, 0), u"76"_s);
}

TEST(ItemTableCells, SetCellGrowsAndOutOfRangeReadsEmpty)
{
    ItemTable table;
    EXPECT_EQ(table.cell(3, 3), QString());
    EXPECT_EQ(table.findItem(u"x"_s), -1);
    EXPECT_EQ(table.findColumn(u"字号"_s), -1);
    table.setCell(1, 2, u"v"_s);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(1, 2), u"v");
    EXPECT_EQ(table.cell(1, -1), QString());
}

// ---- lookups and parameters ----------------------------------------------------------

TEST(ItemTableLookup, ColumnsByHeaderAndEnglishKeys)
{
    const ItemTable t = ItemTable::builtIn(ItemTable::Express);
    EXPECT_EQ(t.findColumn(u"打印项目"_s), 1);
    EXPECT_EQ(t.findColumn(u"距左端"_s), 3);
    EXPECT_EQ(t.findColumn(u"LEFT"_s), 3);
    EXPECT_EQ(t.findColumn(u"Top"_s), 4);
    EXPECT_EQ(t.findColumn(u"width"_s), 5);
    EXPECT_EQ(t.findColumn(u"sPlit"_s), 6);
    EXPECT_EQ(t.findColumn(u"size"_s), -1);
    EXPECT_EQ(t.findItem(u"寄件单位邮编"_s), 9);
}

TEST(ItemParams, ValuesAndDefaults)
{
    ItemTable t = ItemTable::builtIn(ItemTable::Express);
    const ItemParams zip = ItemParams::fromRow(t, 9);
    EXPECT_TRUE(zip.print);
    EXPECT_EQ(zip.left, 1500);
    EXPECT_EQ(zip.top, 1150);
    EXPECT_EQ(zip.width, 0);
    EXPECT_EQ(zip.spacing, 30);
    EXPECT_EQ(zip.size, 10);
    EXPECT_TRUE(zip.shrink);
    EXPECT_EQ(zip.wrap, ItemParams::AutoWrap);
    EXPECT_FALSE(ItemParams::fromRow(t, 8).print);
    EXPECT_FALSE(ItemParams::fromRow(t, 6).shrink);

    t.setCell(1, 7, QString()); // 字号 empty
    t.setCell(1, 8, QString()); // 字体 empty
    t.setCell(1, 3, u"12.5"_s); // 距左端 not an integer
    t.setCell(1, 9, u"不"_s); // only "否" switches shrinking off
    t.setCell(1, 10, u"竖排"_s); // unknown wrap mode
    t.setCell(1, 2, u"打印 "_s); // not exactly "打印"
    const ItemParams p = ItemParams::fromRow(t, 1);
    EXPECT_EQ(p.size, 10);
    EXPECT_EQ(p.font, u"黑体");
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 1000);
    EXPECT_TRUE(p.shrink);
    EXPECT_EQ(p.wrap, ItemParams::AutoWrap);
    EXPECT_FALSE(p.print);

    t.setCell(1, 7, u"abc"_s);
    t.setCell(1, 8, u"宋体"_s);
    t.setCell(1, 10, u"手工换行"_s);
    EXPECT_EQ(ItemParams::fromRow(t, 1).size, 10);
    EXPECT_EQ(ItemParams::fromRow(t, 1).font, u"宋体");
    EXPECT_EQ(ItemParams::fromRow(t, 1).wrap, ItemParams::ManualWrap);
    t.setCell(1, 10, u"不换行"_s);
    EXPECT_EQ(ItemParams::fromRow(t, 1).wrap, ItemParams::NoWrap);
}

TEST(ItemParams, RowsOutsideTheTableGiveDefaults)
{
    const ItemTable t = ItemTable::builtIn(ItemTable::Inbound);
    for (int row : {-1, 0, 10, 100}) {
        const ItemParams p = ItemParams::fromRow(t, row);
        EXPECT_FALSE(p.print) << row;
        EXPECT_EQ(p.left, 0);
        EXPECT_EQ(p.size, 10);
        EXPECT_EQ(p.font, u"黑体");
        EXPECT_TRUE(p.shrink);
        EXPECT_EQ(p.wrap, ItemParams::AutoWrap);
    }
    EXPECT_EQ(ItemParams::fromRow(t, 9).left, 1650);
}

} // namespace
