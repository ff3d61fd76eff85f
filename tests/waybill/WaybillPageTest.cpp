#include "waybill/WaybillPage.h"
#include "render/Drawing.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// The built-in express table with the named items switched on.
ItemTable tableWith(const QStringList &printed)
{
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    const int print = table.findColumn(QStringLiteral("是否打印"));
    for (int row = 1; row < table.rowCount(); ++row)
        table.setCell(
            row, print, printed.contains(table.cell(row, 1)) ? QStringLiteral("打印") : QStringLiteral("不打印"));
    return table;
}

QStringList textsOf(const RecordingCanvas &canvas);

QStringList drawnTexts(const ItemTable &table, const FieldValues &values, bool printing = true)
{
    RecordingCanvas canvas(600);
    canvas.setPrinting(printing);
    Drawing drawing(canvas);
    WaybillPage::draw(drawing, table, values, {}, QTime(9, 5));
    return textsOf(canvas);
}

QStringList textsOf(const RecordingCanvas &canvas)
{
    QStringList out;
    for (const auto &op : canvas.texts())
        out.append(op.text);
    return out;
}

} // namespace

TEST(WaybillPage, AddressIsJoinedUnlessSplitPrintingIsOn)
{
    const ItemTable table = tableWith({QStringLiteral("寄件单位省市"), QStringLiteral("寄件单位地址")});
    FieldValues values {{QStringLiteral("EdtJjDwSs"), QStringLiteral("浙江省")},
        {QStringLiteral("EdtJjDwDs"), QStringLiteral("杭州市")},
        {QStringLiteral("EdtJjDwQx"), QStringLiteral("西湖区")},
        {QStringLiteral("EdtJjDwDz"), QStringLiteral("文三路10号")}};
    EXPECT_EQ(drawnTexts(table, values), QStringList {QStringLiteral("浙江省杭州市西湖区文三路10号")});
    values.insert(QStringLiteral("ChbFgJjAddress"), QStringLiteral("1"));
    EXPECT_EQ(drawnTexts(table, values), (QStringList {QStringLiteral("浙江省"), QStringLiteral("文三路10号")}));
}

TEST(WaybillPage, MarkerPrintsATickOnlyWhenTickedAndSwitchedOn)
{
    FieldValues values {{QStringLiteral("ChbSelect5"), QStringLiteral("1")}};
    EXPECT_EQ(drawnTexts(tableWith({QStringLiteral("第2组标记3")}), values), QStringList {QStringLiteral("√")});
    EXPECT_TRUE(drawnTexts(tableWith({}), values).isEmpty());
    values.insert(QStringLiteral("ChbSelect5"), QStringLiteral("0"));
    EXPECT_TRUE(drawnTexts(tableWith({QStringLiteral("第2组标记3")}), values).isEmpty());
}

TEST(WaybillPage, PreviewDrawsInBlueAndPrintInBlack)
{
    const ItemTable table = tableWith({QStringLiteral("收件人姓名"), QStringLiteral("信函时点")});
    const FieldValues values {{QStringLiteral("CmbSjrMc"), QStringLiteral("王小二")}};
    for (const bool printing : {true, false}) {
        RecordingCanvas canvas(96);
        canvas.setPrinting(printing);
        Drawing drawing(canvas);
        WaybillPage::draw(drawing, table, values, {}, QTime(9, 5));
        ASSERT_EQ(textsOf(canvas), (QStringList {QStringLiteral("王小二"), QStringLiteral("9")}));
        EXPECT_EQ(canvas.ops.first().color, printing ? QColor(Qt::black) : QColor(0, 0, 255));
    }
}

TEST(WaybillPage, ItemsMissingFromAnOlderTableAreSkipped)
{
    ItemTable table = tableWith({QStringLiteral("收件人姓名"), QStringLiteral("信函编号")});
    table.rows().removeAt(table.findItem(QStringLiteral("收件人姓名")));
    const FieldValues values {
        {QStringLiteral("CmbSjrMc"), QStringLiteral("王小二")}, {QStringLiteral("EdtEmsNo"), QStringLiteral("SF0099")}};
    EXPECT_EQ(drawnTexts(table, values), QStringList {QStringLiteral("SF0099")});
}

// The drawing follows the waybill's own item order, whatever the order of
// the template's rows: moving a row in the editor changes nothing on paper.
TEST(WaybillPage, ItemsAreDrawnInTheirOwnOrderNotTheTablesRowOrder)
{
    ItemTable table
        = tableWith({QStringLiteral("寄件人姓名"), QStringLiteral("收件人姓名"), QStringLiteral("信函编号")});
    const FieldValues values {{QStringLiteral("CmbJjrMc"), QStringLiteral("王五")},
        {QStringLiteral("CmbSjrMc"), QStringLiteral("张三")}, {QStringLiteral("EdtEmsNo"), QStringLiteral("SF0099")}};
    const QStringList expected {QStringLiteral("王五"), QStringLiteral("张三"), QStringLiteral("SF0099")};
    EXPECT_EQ(drawnTexts(table, values), expected);

    // "信函编号" dragged to the top, "收件人姓名" above "寄件人姓名".
    QList<QStringList> &rows = table.rows();
    rows.move(table.findItem(QStringLiteral("信函编号")), 1);
    rows.move(table.findItem(QStringLiteral("收件人姓名")), 2);
    ASSERT_EQ(table.findItem(QStringLiteral("信函编号")), 1);
    ASSERT_LT(table.findItem(QStringLiteral("收件人姓名")), table.findItem(QStringLiteral("寄件人姓名")));
    EXPECT_EQ(drawnTexts(table, values), expected);
}

// The barcode rows are additions a template has only once the user added
// one: with them the waybill number and the order number are drawn as
// symbols (filled rectangles and the number under a Code 128), switched off
// they change nothing, and a template without them draws what it always did.
TEST(WaybillPage, BarcodeRowsDrawTheirNumbersAndChangeNothingElse)
{
    const FieldValues values {{QStringLiteral("EdtEmsNo"), QStringLiteral("SF1234567890")},
        {QStringLiteral("EdtWLDD"), QStringLiteral("DD20260102")},
        {QStringLiteral("CmbSjrMc"), QStringLiteral("王小二")}};
    const ItemTable plain = tableWith({QStringLiteral("收件人姓名")});
    const auto opsOf = [&](const ItemTable &table) {
        RecordingCanvas canvas(600);
        canvas.setPrinting(true);
        Drawing drawing(canvas);
        WaybillPage::draw(drawing, table, values, {}, QTime(9, 5));
        return canvas;
    };
    const QString before = opsOf(plain).toJsonLines();

    ItemTable withRows = plain;
    for (const QString &name : ItemTable::optionalItems(ItemTable::Express)) {
        QStringList row = withRows.optionalRow(ItemTable::Express, name);
        ASSERT_FALSE(row.isEmpty()) << name.toStdString();
        withRows.rows().append(row);
    }
    ASSERT_EQ(ItemTable::optionalItems(ItemTable::Express).size(), 4);
    const RecordingCanvas drawn = opsOf(withRows);
    EXPECT_TRUE(drawn.toJsonLines().startsWith(before)); // the symbols come after the form's own items
    EXPECT_GT(drawn.rects().size(), 4);
    EXPECT_EQ(textsOf(drawn),
        (QStringList {QStringLiteral("王小二"), QStringLiteral("SF1234567890"), QStringLiteral("DD20260102")}));

    ItemTable switchedOff = withRows;
    const int print = switchedOff.findColumn(QStringLiteral("是否打印"));
    for (const QString &name : ItemTable::optionalItems(ItemTable::Express))
        switchedOff.setCell(switchedOff.findItem(name), print, QStringLiteral("不打印"));
    EXPECT_EQ(opsOf(switchedOff).toJsonLines(), before);
}
