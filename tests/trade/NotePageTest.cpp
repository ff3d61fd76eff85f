#include "trade/NotePage.h"
#include "render/Drawing.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Slipdesk;
using Op = RecordingCanvas::Op;

namespace {

// At 254 dpi one tenth of a millimetre is one pixel. Simple metrics there:
// a Chinese character is 35 px at 10 points, 32 at 9 and 14 at 4; any other
// character 18 at 10 points; texts are as high as a Chinese character is
// wide. The built-in delivery table sits at L 100, T 360, W 1900, H 60.
constexpr int OnePixelPerTenth = 254;

FieldValues deliveryValues()
{
    return {
        {QStringLiteral("LblShopName"), QStringLiteral("小明数码")},
        {QStringLiteral("CmbInvoice"), QStringLiteral("出库发货单")},
        {QStringLiteral("EdtInvNo"), QStringLiteral("CK000001")},
        {QStringLiteral("CmbBuyerName"), QStringLiteral("张三")},
        {QStringLiteral("CmbBuyerWW"), QStringLiteral("zs")},
        {QStringLiteral("EdtBuyerMobile"), QStringLiteral("13800138000")},
        {QStringLiteral("EdtBuyerTel"), QStringLiteral("0571-1234")},
        {QStringLiteral("DTPSender"), QStringLiteral("2024-05-01")},
        {QStringLiteral("EdtAddSs"), QStringLiteral("浙江省")},
        {QStringLiteral("EdtAddDs"), QStringLiteral("杭州市")},
        {QStringLiteral("EdtAddQx"), QStringLiteral("西湖区")},
        {QStringLiteral("EdtAddress"), QStringLiteral("文三路1号")},
        {QStringLiteral("EdtBuyerYb"), QStringLiteral("310012")},
        {QStringLiteral("LblSumCount"), QStringLiteral("3")},
        {QStringLiteral("EdtPostPrice"), QStringLiteral("10.00")},
        {QStringLiteral("EdtMoneySumXx"), QStringLiteral("37.50")},
        {QStringLiteral("EdtInvTotalJE"), QStringLiteral("47.50")},
        {QStringLiteral("CmbSalerSay"), QStringLiteral("谢谢")},
        {QStringLiteral("EdtSalerShopWeb"), QStringLiteral("shop.example.com")},
        {QStringLiteral("EdtSalerAdd"), QStringLiteral("杭州")},
        {QStringLiteral("CmbSalerName"), QStringLiteral("王五")},
        {QStringLiteral("EdtSalerWW"), QStringLiteral("ww")},
        {QStringLiteral("EdtSalerTel"), QStringLiteral("139")},
        {QStringLiteral("CmbEmsCompany"), QStringLiteral("顺丰")},
        {QStringLiteral("EdtInvEmsNo"), QStringLiteral("SF1")},
    };
}

GoodsRow goods(const QString &number, const QString &code, const QString &name = QStringLiteral("苹果"))
{
    return GoodsTable::row({number, code, name, QStringLiteral("个"), QStringLiteral("3"), QStringLiteral("12.50"),
        QStringLiteral("37.50"), QStringLiteral("赠品"), QStringLiteral("8.00"), QStringLiteral("A供应商")});
}

TradeNote deliveryNote(GoodsRows rows)
{
    TradeNote note;
    note.kind = NoteKind::Delivery;
    note.values = deliveryValues();
    note.goods = std::move(rows);
    return note;
}

TradeNote inboundNote(GoodsRows rows)
{
    TradeNote note;
    note.kind = NoteKind::Inbound;
    note.values = {
        {QStringLiteral("LblInputShop"), QStringLiteral("小明数码")},
        {QStringLiteral("CmbInputModel"), QStringLiteral("采购入库单")},
        {QStringLiteral("CmbInputJbr"), QStringLiteral("李四")},
        {QStringLiteral("CmbInputType"), QStringLiteral("采购入库")},
        {QStringLiteral("DtpInputDate"), QStringLiteral("2024-05-01")},
        {QStringLiteral("EdtInputNo"), QStringLiteral("RK000001")},
        {QStringLiteral("LblInputSumCount"), QStringLiteral("3")},
        {QStringLiteral("EdtInputSumMoney"), QStringLiteral("37.50")},
    };
    note.goods = std::move(rows);
    return note;
}

const ItemTable &deliveryTable()
{
    static const ItemTable table = ItemTable::builtIn(ItemTable::Delivery);
    return table;
}

void setItem(ItemTable &table, const char16_t *item, const char16_t *column, const QString &value)
{
    const int row = table.findItem(QString::fromUtf16(item));
    ASSERT_GE(row, 1) << QString::fromUtf16(item).toStdString();
    table.setCell(row, table.findColumn(QString::fromUtf16(column)), value);
}

RecordingCanvas drawn(const ItemTable &table, const TradeNote &note, bool printing = false)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    canvas.setPrinting(printing);
    Drawing drawing(canvas);
    NotePage::draw(drawing, table, note);
    return canvas;
}

QStringList textsOf(const RecordingCanvas &canvas)
{
    QStringList out;
    for (const Op &op : canvas.texts())
        out.append(op.text);
    return out;
}

// The one text op drawing `text`; a failure when there is none or several.
Op textOp(const RecordingCanvas &canvas, const QString &text)
{
    const QList<Op> texts = canvas.texts();
    const auto count = std::count_if(texts.begin(), texts.end(), [&](const Op &op) { return op.text == text; });
    EXPECT_EQ(count, 1) << text.toStdString();
    for (const Op &op : texts) {
        if (op.text == text)
            return op;
    }
    return {};
}

QPoint at(const Op &op)
{
    return {op.x, op.y};
}

QList<Op> opsOf(const RecordingCanvas &canvas, Op::Kind kind)
{
    QList<Op> out;
    for (const Op &op : canvas.ops) {
        if (op.kind == kind)
            out.append(op);
    }
    return out;
}

const QStringList deliveryHeader {QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"),
    QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("售价"), QStringLiteral("金额"),
    QStringLiteral("出库备注")};

const QStringList belowTableTexts {QStringLiteral("商品数量:3"), QStringLiteral("邮递费用:￥10.00"),
    QStringLiteral("货款金额:￥37.50"), QStringLiteral("金额合计:￥47.50"), QStringLiteral("卖家留言:谢谢"),
    QStringLiteral("店铺网址:shop.example.com"), QStringLiteral("卖家地址:杭州"), QStringLiteral("卖家姓名:王五"),
    QStringLiteral("昵称:ww"), QStringLiteral("手机:139"), QStringLiteral("快递:顺丰"), QStringLiteral("单号:SF1")};

} // namespace

TEST(NotePageTest, BuiltInDeliveryTablePrintsEveryItemInItsOrder)
{
    const RecordingCanvas canvas = drawn(deliveryTable(), deliveryNote({goods("1", "A001")}));
    QStringList expected {QStringLiteral("小明数码"), QStringLiteral("出库发货单"), QStringLiteral("发货单号:CK000001"),
        QStringLiteral("买家姓名:张三"), QStringLiteral("昵称:zs"), QStringLiteral("手机:13800138000"),
        QStringLiteral("电话:0571-1234"), QStringLiteral("发货日期:2024-05-01"),
        QStringLiteral("收货地址:浙江省杭州市西湖区文三路1号"), QStringLiteral("邮编:310012")};
    expected += deliveryHeader;
    // Grid columns 0–7; 进价 and 入库备注 stay off the note.
    expected += QStringList {QStringLiteral("1"), QStringLiteral("A001"), QStringLiteral("苹果"), QStringLiteral("个"),
        QStringLiteral("3"), QStringLiteral("12.50"), QStringLiteral("37.50"), QStringLiteral("赠品")};
    expected += belowTableTexts;
    EXPECT_EQ(textsOf(canvas), expected);

    // One goods row: the table ends at 360 + 2 × 60 = 480.
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("商品数量:3"))), QPoint(100, 500));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("金额合计:￥47.50"))), QPoint(1500, 500));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("快递:顺丰"))), QPoint(1250, 680));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("小明数码"))), QPoint(800, 100));
    EXPECT_EQ(textOp(canvas, QStringLiteral("小明数码")).size, 15);

    // 分隔直线: at 480 + 70 and 10 below, from 100 to 2000.
    const QList<Op> lines = opsOf(canvas, Op::Line);
    ASSERT_GE(lines.size(), 2);
    const Op &first = lines[lines.size() - 2];
    const Op &second = lines.last();
    EXPECT_EQ(QRect(at(first), QPoint(first.x2, first.y2)), QRect(QPoint(100, 550), QPoint(2000, 550)));
    EXPECT_EQ(QRect(at(second), QPoint(second.x2, second.y2)), QRect(QPoint(100, 560), QPoint(2000, 560)));
}

TEST(NotePageTest, GoodsTableIsRuledAroundItsRows)
{
    const RecordingCanvas canvas = drawn(deliveryTable(), deliveryNote({goods("1", "A001"), goods("2", "A002")}));
    const QList<Op> frames = opsOf(canvas, Op::Frame);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].box, QRect(100, 360, 1900, 180));
    EXPECT_EQ(frames[0].penWidth, 2);

    // Seven column edges from top to bottom, then one rule above each goods
    // row, then the two separator lines.
    const QList<Op> lines = opsOf(canvas, Op::Line);
    ASSERT_EQ(lines.size(), 7 + 2 + 2);
    const int edges[] = {200, 400, 1100, 1200, 1300, 1450, 1650};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(
            QRect(at(lines[i]), QPoint(lines[i].x2, lines[i].y2)), QRect(QPoint(edges[i], 360), QPoint(edges[i], 540)))
            << i;
    }
    EXPECT_EQ(lines[7].y, 420);
    EXPECT_EQ(lines[8].y, 480);
    for (const Op &line : lines)
        EXPECT_EQ(line.penWidth, 1);

    // Header centred: 商品名称 (140 px) in 400 … 1100; 12 px down in the row.
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("商品名称"))), QPoint(680, 372));
    // Second row: name 5 in, price ending 5 before 1450, amount before 1650.
    const QList<Op> texts = canvas.texts();
    const auto rowText = [&](const QString &text, int y) {
        for (const Op &op : texts) {
            if (op.text == text && op.y == y)
                return at(op);
        }
        return QPoint(-1, -1);
    };
    EXPECT_EQ(rowText(QStringLiteral("苹果"), 492), QPoint(405, 492));
    EXPECT_EQ(rowText(QStringLiteral("12.50"), 492), QPoint(1445 - 90, 492));
    EXPECT_EQ(rowText(QStringLiteral("37.50"), 492), QPoint(1645 - 90, 492));
    EXPECT_EQ(rowText(QStringLiteral("赠品"), 492), QPoint(1655, 492));
    EXPECT_EQ(rowText(QStringLiteral("A002"), 492), QPoint(264, 492)); // 72 px centred in 200 … 400
}

TEST(NotePageTest, RowsWithoutCodeLeaveNoGap)
{
    GoodsRows rows {goods("1", "A001"), goods("2", "A002", QStringLiteral("梨")), goods("3", "A003")};
    const RecordingCanvas three = drawn(deliveryTable(), deliveryNote(rows));
    rows[1] = GoodsTable::row({QStringLiteral("2"), QStringLiteral(" , ")}); // a code of blanks is none
    const RecordingCanvas two = drawn(deliveryTable(), deliveryNote(rows));

    EXPECT_EQ(opsOf(two, Op::Frame).value(0).box, QRect(100, 360, 1900, 180));
    // The 序号 cells print the grid's numbers: 1 and 3, centred in 100 … 200.
    QStringList numbers;
    for (const Op &op : two.texts()) {
        if (op.x == 141 && op.y > 420 && op.y < 540)
            numbers.append(op.text + u'@' + QString::number(op.y));
    }
    EXPECT_EQ(numbers, (QStringList {QStringLiteral("1@432"), QStringLiteral("3@492")}));
    EXPECT_FALSE(textsOf(two).contains(QStringLiteral("梨")));

    // Everything below the table is one row height higher.
    for (const QString &text : belowTableTexts) {
        const Op withThree = textOp(three, text);
        const Op withTwo = textOp(two, text);
        EXPECT_EQ(at(withTwo), at(withThree) - QPoint(0, 60)) << text.toStdString();
    }
    EXPECT_EQ(at(textOp(two, QStringLiteral("商品数量:3"))), QPoint(100, 560));
    EXPECT_EQ(opsOf(two, Op::Line).last().y, opsOf(three, Op::Line).last().y - 60);
}

TEST(NotePageTest, EmptyGridPrintsOnlyTheHeader)
{
    TradeNote note = deliveryNote(GoodsTable::emptyRows(5));
    note.values.insert(QStringLiteral("LblSumCount"), QStringLiteral("0"));
    const RecordingCanvas canvas = drawn(deliveryTable(), note);

    EXPECT_EQ(opsOf(canvas, Op::Frame).value(0).box, QRect(100, 360, 1900, 60));
    QStringList inTable;
    for (const Op &op : canvas.texts()) {
        if (op.y >= 360 && op.y < 420)
            inTable.append(op.text);
    }
    EXPECT_EQ(inTable, deliveryHeader);
    // Seven column edges one row high and the separator lines; no row rules.
    const QList<Op> lines = opsOf(canvas, Op::Line);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0].y2, 420);
    EXPECT_EQ(lines[7].y, 490);
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("商品数量:0"))), QPoint(100, 440));
}

TEST(NotePageTest, LongGoodsNameShrinksOnOneLineNeverBelowFour)
{
    // Column 2 is 700 px wide, 695 after the indent. Twenty characters are
    // 700 px at 10 points and 640 at 9.
    const QString twenty = QStringLiteral("一二三四五六七八九十一二三四五六七八九十");
    RecordingCanvas canvas = drawn(deliveryTable(), deliveryNote({goods("1", "A001", twenty)}));
    Op name = textOp(canvas, twenty);
    EXPECT_EQ(name.size, 9);
    EXPECT_EQ(name.mode, Op::Plain);
    EXPECT_EQ(at(name), QPoint(405, 434)); // (60 − 32) ÷ 2 down
    EXPECT_EQ(textOp(canvas, QStringLiteral("个")).size, 10);

    // Sixty are 840 px even at 4 points: size 4, still one line.
    const QString sixty = twenty + twenty + twenty;
    canvas = drawn(deliveryTable(), deliveryNote({goods("1", "A001", sixty)}));
    name = textOp(canvas, sixty);
    EXPECT_EQ(name.size, 4);
    EXPECT_EQ(name.mode, Op::Plain);
    EXPECT_EQ(at(name), QPoint(405, 443));
}

TEST(NotePageTest, RenamedCaptionsLeadTheirValues)
{
    TradeNote note = deliveryNote({});
    EXPECT_EQ(at(textOp(drawn(deliveryTable(), note), QStringLiteral("买家姓名:张三"))), QPoint(100, 250));
    note.values.insert(QStringLiteral("LblBuyerName"), QStringLiteral("收货人"));
    note.values.insert(QStringLiteral("LblEmsNo"), QStringLiteral("运单号"));
    const RecordingCanvas canvas = drawn(deliveryTable(), note);
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("收货人:张三"))), QPoint(100, 250));
    EXPECT_TRUE(textsOf(canvas).contains(QStringLiteral("运单号:SF1")));
    EXPECT_FALSE(textsOf(canvas).contains(QStringLiteral("买家姓名:张三")));
}

TEST(NotePageTest, PreviewIsBluePrintIsBlackWithTheOffsets)
{
    const TradeNote note = deliveryNote({goods("1", "A001")});
    const RecordingCanvas preview = drawn(deliveryTable(), note, false);
    for (const Op &op : preview.ops)
        EXPECT_EQ(op.color, QColor(0, 0, 255)) << op.text.toStdString();

    RecordingCanvas canvas(OnePixelPerTenth);
    canvas.setTextColor(QColor(0, 0, 255)); // left over from a preview
    canvas.setPrinting(true);
    canvas.setPrintableOffset(QPoint(12, 8));
    Drawing drawing(canvas, 30, -10);
    NotePage::draw(drawing, deliveryTable(), note);
    for (const Op &op : canvas.ops)
        EXPECT_EQ(op.color, QColor(Qt::black)) << op.text.toStdString();
    // Overall offset added, printable-area offset taken off: +18, −18.
    EXPECT_EQ(opsOf(canvas, Op::Frame).value(0).box, QRect(118, 342, 1900, 120));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("买家姓名:张三"))), QPoint(118, 232));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("商品数量:3"))), QPoint(118, 482));
}

TEST(NotePageTest, ItemsBelowTheTableAlwaysShrinkAndWrapAtFour)
{
    ItemTable table = deliveryTable();
    for (const char16_t *item : {u"卖家留言", u"收货地址"}) {
        setItem(table, item, u"自动缩小", QStringLiteral("否"));
        setItem(table, item, u"换行方式", QStringLiteral("不换行"));
    }
    TradeNote note = deliveryNote({});
    // "卖家留言:" is 158 px at 10 points, 144 at 9; fifty characters more
    // are 1908 and 1744 px in a width of 1900.
    const QString fifty(50, u'货');
    note.values.insert(QStringLiteral("CmbSalerSay"), fifty);
    note.values.insert(QStringLiteral("EdtAddress"), fifty);
    RecordingCanvas canvas = drawn(table, note);
    const Op message = textOp(canvas, QStringLiteral("卖家留言:") + fifty);
    EXPECT_EQ(message.size, 9);
    EXPECT_EQ(message.mode, Op::Plain);
    EXPECT_EQ(at(message), QPoint(100, 520)); // 360 + 60 + 100
    // On the page the item's own settings hold: cut, not shrunk.
    const Op address = textOp(canvas, QStringLiteral("收货地址:浙江省杭州市西湖区") + fifty);
    EXPECT_EQ(address.size, 10);
    EXPECT_EQ(address.mode, Op::Clipped);

    // 150 characters are 2100 px even at 4 points: wrapped in ten lines.
    const QString long150(150, u'货');
    note.values.insert(QStringLiteral("CmbSalerSay"), long150);
    canvas = drawn(table, note);
    const Op wrapped = textOp(canvas, QStringLiteral("卖家留言:") + long150);
    EXPECT_EQ(wrapped.size, 4);
    EXPECT_EQ(wrapped.mode, Op::Wrapped);
    EXPECT_EQ(wrapped.box, QRect(100, 520, 1900, 140));
}

TEST(NotePageTest, SwitchedOffItemsStayOffButTheTableIsAlwaysDrawn)
{
    ItemTable table = deliveryTable();
    setItem(table, u"商品表格", u"是否打印", QStringLiteral("不打印"));
    setItem(table, u"分隔直线", u"是否打印", QStringLiteral("不打印"));
    setItem(table, u"买家昵称", u"是否打印", QStringLiteral("不打印"));
    setItem(table, u"商品数量", u"字号", QStringLiteral("9.5"));
    setItem(table, u"商品数量", u"字体", QStringLiteral("NoSuchFont"));
    const RecordingCanvas canvas = drawn(table, deliveryNote({goods("1", "A001")}));
    EXPECT_EQ(opsOf(canvas, Op::Frame).size(), 1);
    EXPECT_EQ(opsOf(canvas, Op::Line).size(), 7 + 1);
    EXPECT_FALSE(textsOf(canvas).contains(QStringLiteral("昵称:zs")));
    const Op count = textOp(canvas, QStringLiteral("商品数量:3"));
    EXPECT_EQ(count.size, 10);
    EXPECT_EQ(count.font, u"黑体");
}

TEST(NotePageTest, DraggedRowsDrawTheSameOperations)
{
    ItemTable dragged = deliveryTable();
    std::reverse(dragged.rows().begin() + 1, dragged.rows().end());
    const TradeNote note = deliveryNote({goods("1", "A001"), goods("2", "A002")});
    EXPECT_EQ(drawn(dragged, note).toJsonLines(), drawn(deliveryTable(), note).toJsonLines());
}

TEST(NotePageTest, InboundNotePrintsItsItemsAndColumns)
{
    TradeNote note = inboundNote({goods("1", "B001")});
    note.values.insert(QStringLiteral("LblInputDate"), QStringLiteral("到货日期"));
    const RecordingCanvas canvas = drawn(ItemTable::builtIn(ItemTable::Inbound), note);
    const QStringList expected {QStringLiteral("小明数码"), QStringLiteral("采购入库单"), QStringLiteral("经办人:李四"),
        QStringLiteral("入库类别:采购入库"), QStringLiteral("到货日期:2024-05-01"), QStringLiteral("入库单号:RK000001"),
        QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
        QStringLiteral("数量"), QStringLiteral("进价"), QStringLiteral("金额"), QStringLiteral("入库备注"),
        QStringLiteral("1"), QStringLiteral("B001"), QStringLiteral("苹果"), QStringLiteral("个"), QStringLiteral("3"),
        QStringLiteral("12.50"), QStringLiteral("37.50"), QStringLiteral("赠品"), QStringLiteral("商品数量:3"),
        QStringLiteral("货款金额:￥37.50")};
    EXPECT_EQ(textsOf(canvas), expected);

    // The inbound table starts at 310: 进价 centred in 1300 … 1450, the price
    // right-aligned before 1445 in the goods row.
    EXPECT_EQ(opsOf(canvas, Op::Frame).value(0).box, QRect(100, 310, 1900, 120));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("进价"))), QPoint(1340, 322));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("12.50"))), QPoint(1355, 382));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("商品数量:3"))), QPoint(100, 450));
    EXPECT_EQ(at(textOp(canvas, QStringLiteral("货款金额:￥37.50"))), QPoint(1650, 450));
    EXPECT_EQ(opsOf(canvas, Op::Line).size(), 7 + 1);
}

TEST(NotePageTest, MissingCaptionsAndDatesFallBack)
{
    TradeNote note = inboundNote({});
    note.values.remove(QStringLiteral("LblInputShop"));
    note.values.insert(QStringLiteral("DtpInputDate"), QStringLiteral("五月一日"));
    const QStringList texts = textsOf(drawn(ItemTable::builtIn(ItemTable::Inbound), note));
    EXPECT_EQ(texts.first(), u"采购入库单"); // no shop name, nothing drawn for it
    EXPECT_TRUE(texts.contains(QStringLiteral("入库日期:五月一日")));
}

// Each note kind's barcode rows draw the note number, as symbols on the
// page where the row puts them; the rest of the note stays as it was.
TEST(NotePageTest, BarcodeRowsDrawTheNoteNumber)
{
    for (const int kind : {int(ItemTable::Delivery), int(ItemTable::Inbound)}) {
        const TradeNote note = kind == ItemTable::Delivery ? deliveryNote({goods("1", "A001")}) : inboundNote({});
        const ItemTable plain = ItemTable::builtIn(kind);
        ItemTable table = plain;
        const QStringList names = ItemTable::optionalItems(kind);
        ASSERT_EQ(names.size(), 2);
        for (const QString &name : names)
            table.rows().append(table.optionalRow(kind, name));
        const RecordingCanvas before = drawn(plain, note, true);
        const RecordingCanvas after = drawn(table, note, true);
        EXPECT_TRUE(after.toJsonLines().startsWith(before.toJsonLines()));
        const QList<Op> rects = opsOf(after, Op::Rect);
        ASSERT_GT(rects.size(), 2);
        // Both symbols lie in the box their rows give (150, 120 and 60 or
        // 25 mm wide), above the goods table.
        for (const Op &rect : rects) {
            EXPECT_GE(rect.box.x(), 150);
            EXPECT_LE(rect.box.right(), 150 + 600);
            EXPECT_GE(rect.box.y(), 120);
        }
        const QString number = kind == ItemTable::Delivery ? QStringLiteral("CK000001") : QStringLiteral("RK000001");
        EXPECT_EQ(textsOf(after).last(), number);
    }
}
