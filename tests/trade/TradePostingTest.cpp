#include "trade/TradePosting.h"
#include "context/AppContext.h"
#include "platform/PrinterService.h"
#include "platform/VirtualPdfPrinter.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "trade/TradeForm.h"
#include "trade/TradeLogs.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(9, 5, 3));

GoodsRow goods(const QString &number, const QString &code, const QString &name, const QString &quantity,
    const QString &price, const QString &cost)
{
    return GoodsTable::row({number, code, name, QStringLiteral("个"), quantity, price, QString(),
        QStringLiteral("出 库"), cost, QStringLiteral("入库")});
}

class TradePostingTest : public ::testing::Test
{
protected:
    TradePostingTest()
    {
        QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
        dir.write(QStringLiteral("商品资料.TXT"),
            Codec::encode(QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例\r\n"
                                         "0102,电脑,台,10,3500,宽屏,3000,自己组装机\r\n")));
        context.loadAddressBooks();
    }

    TradeNote delivery() const
    {
        TradeNote note {NoteKind::Delivery, {}, {}};
        note.values = {{QStringLiteral("CmbInvoice"), QStringLiteral("出库发货单")},
            {QStringLiteral("EdtInvNo"), QStringLiteral("CK000001")},
            {QStringLiteral("DTPSender"), QStringLiteral("2026-12-07")},
            {QStringLiteral("CmbBuyerName"), QStringLiteral("陈 小姐")},
            {QStringLiteral("CmbBuyerWW"), QStringLiteral("xiaochen")},
            {QStringLiteral("EdtAddSs"), QStringLiteral("广东省")},
            {QStringLiteral("EdtAddDs"), QStringLiteral("深圳市")},
            {QStringLiteral("EdtAddress"), QStringLiteral("科技园1号")},
            {QStringLiteral("EdtPostPrice"), QStringLiteral("10.00")},
            {QStringLiteral("CmbSalerName"), QStringLiteral("王五")}};
        note.goods = {goods(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"),
                          QStringLiteral("1500"), QStringLiteral("1200")),
            GoodsTable::row({QStringLiteral("2")}),
            goods(QStringLiteral("3"), QStringLiteral("NEW1"), QStringLiteral("耳机"), QStringLiteral("1"),
                QStringLiteral("1,000.00"), QStringLiteral("800"))};
        note.recompute();
        return note;
    }

    QStringList file(const QString &relative) const { return TextTable::load(dir.file(relative)); }

    TempDir dir;
    AppContext context {Paths(dir.path())};
};

} // namespace

TEST_F(TradePostingTest, DeliveryLogLineHasItsTwentyOneFields)
{
    const QString line = TradeLogs::logLine(delivery(), kNow);
    const QStringList f = line.split(u',');
    ASSERT_EQ(f.size(), 21);
    EXPECT_EQ(f.mid(0, 5),
        (QStringList {QStringLiteral("2026-12-08"), QStringLiteral("09:05:03"), QStringLiteral("2026-12-07"),
            QStringLiteral("出库发货单"), QStringLiteral("CK000001")}));
    EXPECT_EQ(f.at(7), QStringLiteral("陈小姐"));
    EXPECT_EQ(f.at(11), QStringLiteral("广东省|深圳市||科技园1号"));
    EXPECT_EQ(f.at(13), QStringLiteral("3"));
    EXPECT_EQ(f.at(14), QStringLiteral("10.00"));
    EXPECT_EQ(f.at(15), QStringLiteral("4000.00")); // 3,000.00 + 1,000.00 without separators
    EXPECT_EQ(f.at(16), QStringLiteral("4010.00"));
    EXPECT_EQ(f.at(17), QStringLiteral("3200.00")); // 2 × 1200 + 1 × 800
    EXPECT_EQ(f.at(18), QStringLiteral("800.00"));
    EXPECT_EQ(f.at(19), QStringLiteral("王五"));
    EXPECT_EQ(f.at(20), QString());

    const QStringList details = TradeLogs::detailLines(delivery(), kNow.date());
    ASSERT_EQ(details.size(), 2);
    EXPECT_EQ(details.at(0),
        QStringLiteral("出库发货单,CK000001,2026-12-08,0101,手机,个,2,1500.00,3000.00,出库,1200.00,入库"));
    EXPECT_TRUE(details.at(1).startsWith(QStringLiteral("出库发货单,CK000001,2026-12-08,NEW1,耳机,个,1,1000.00")));
}

TEST_F(TradePostingTest, PostingADeliveryKeepsEveryRecord)
{
    const TradePosting::Result result = TradePosting::postDelivery(context, delivery(), kNow);
    EXPECT_TRUE(result.ok()) << result.failed.join(u'\n').toStdString();
    EXPECT_EQ(result.postedNumber, QStringLiteral("CK000001"));
    EXPECT_EQ(result.nextNumber, QStringLiteral("CK000002"));
    EXPECT_TRUE(result.numberSaved);
    EXPECT_EQ(
        TemplateSettings(Paths(dir.path()), QStringLiteral("出库发货单")).deliveryNumber(), QStringLiteral("CK000002"));

    const QStringList goodsLines = file(QStringLiteral("商品资料.TXT"));
    ASSERT_EQ(goodsLines.size(), 3);
    EXPECT_EQ(TextTable::field(goodsLines.at(0), 3), QStringLiteral("8"));
    EXPECT_EQ(goodsLines.at(2), QStringLiteral("NEW1,耳机,个,-1,1000.00,出 库,800.00,入库"));

    // The buyer typed by hand joins the book once.
    EXPECT_FALSE(result.newBuyer.isEmpty());
    EXPECT_EQ(context.recipientNames().last(), QStringLiteral("陈小姐"));
    EXPECT_EQ(file(QStringLiteral("收件单位.TXT")).size(), 1);
    TradeNote again = delivery();
    again.values.insert(QStringLiteral("CmbBuyerName"), QStringLiteral("陈小姐"));
    EXPECT_TRUE(TradePosting::postDelivery(context, again, kNow).newBuyer.isEmpty());
    EXPECT_EQ(file(QStringLiteral("收件单位.TXT")).size(), 1);

    EXPECT_EQ(file(QStringLiteral("打印记录/出库发货单2026.TXT")).size(), 2);
    EXPECT_EQ(file(QStringLiteral("打印记录/出库发货单2026发货清单.TXT")).size(), 4);
}

// The buyer "陈 小姐" is stored as "陈小姐", the nickname "xiao chen" as
// "xiaochen": posting the same buyer again adds nobody.
TEST_F(TradePostingTest, ABuyerTypedWithBlanksJoinsTheBookOnce)
{
    EXPECT_FALSE(TradePosting::postDelivery(context, delivery(), kNow).newBuyer.isEmpty());
    EXPECT_TRUE(TradePosting::postDelivery(context, delivery(), kNow).newBuyer.isEmpty());
    TradeNote byNick = delivery();
    byNick.values.insert(QStringLiteral("CmbBuyerName"), QString());
    byNick.values.insert(QStringLiteral("CmbBuyerWW"), QStringLiteral("xiao chen"));
    EXPECT_TRUE(TradePosting::postDelivery(context, byNick, kNow).newBuyer.isEmpty());
    EXPECT_EQ(file(QStringLiteral("收件单位.TXT")).size(), 1);
    EXPECT_EQ(file(QStringLiteral("打印记录/出库发货单2026.TXT")).size(), 3);
}

TEST_F(TradePostingTest, InboundPostingWritesLogsStockAndNumber)
{
    TradeNote note {NoteKind::Inbound, {}, {}};
    note.values = {{QStringLiteral("CmbInputModel"), QStringLiteral("采购入库单")},
        {QStringLiteral("EdtInputNo"), QStringLiteral("RK000001")},
        {QStringLiteral("DtpInputDate"), QStringLiteral("2026-12-08")},
        {QStringLiteral("CmbInputJbr"), QStringLiteral("王 五")},
        {QStringLiteral("CmbInputType"), QStringLiteral("采购入库")}};
    note.goods = {goods(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("10"),
        QStringLiteral("1,300.00"), QStringLiteral("1500"))};
    note.recompute();
    const TradePosting::Result result = TradePosting::postInbound(context, note, kNow);
    EXPECT_TRUE(result.ok()) << result.failed.join(u'\n').toStdString();
    EXPECT_EQ(result.nextNumber, QStringLiteral("RK000002"));
    const QStringList line = file(QStringLiteral("打印记录/采购入库单2026.TXT"));
    ASSERT_EQ(line.size(), 1);
    EXPECT_EQ(
        line.first(), QStringLiteral("2026-12-08,09:05:03,2026-12-08,采购入库单,RK000001,王五,采购入库,10,13000.00"));
    EXPECT_EQ(file(QStringLiteral("打印记录/采购入库单2026入库清单.TXT")).size(), 1);
    const QStringList goodsLines = file(QStringLiteral("商品资料.TXT"));
    EXPECT_EQ(TextTable::field(goodsLines.at(0), 3), QStringLiteral("20"));
    EXPECT_EQ(TextTable::field(goodsLines.at(0), 6), QStringLiteral("1250.00")); // (10×1200 + 10×1300) ÷ 20

    // An empty grid still writes the log line, but no detail line and no goods change.
    TradeNote empty = note;
    empty.goods = GoodsTable::emptyRows(29);
    empty.values.insert(QStringLiteral("EdtInputNo"), QStringLiteral("RK000002"));
    empty.recompute();
    const TradePosting::Result second = TradePosting::postInbound(context, empty, kNow);
    EXPECT_FALSE(second.saved.contains(QStringLiteral("商品资料.TXT")));
    EXPECT_EQ(file(QStringLiteral("打印记录/采购入库单2026.TXT")).size(), 2);
    EXPECT_EQ(file(QStringLiteral("打印记录/采购入库单2026入库清单.TXT")).size(), 1);
}

TEST_F(TradePostingTest, RefusalsChangeNothing)
{
    TradeNote note = delivery();
    note.values.insert(QStringLiteral("EdtInvNo"), QStringLiteral("CK1"));
    VirtualPrinterService printers(std::make_unique<VirtualPdfPrinter>(dir.file(QStringLiteral("pdf"))));
    const PrintSource source = PrintSource::load(Paths(dir.path()), QStringLiteral("出库发货单"), ItemTable::Delivery);
    TradePosting::PrintResult result = TradePosting::printAndPost(context, printers, source, note, kNow);
    EXPECT_EQ(result.refusal, QStringLiteral("出库单号码不能少于4个字符"));
    EXPECT_EQ(result.focus, QStringLiteral("EdtInvNo"));
    EXPECT_FALSE(result.printed);

    TradeNote inbound {NoteKind::Inbound, {{QStringLiteral("EdtInputNo"), QStringLiteral("RK1")}}, {}};
    EXPECT_EQ(TradeForm::numberRefusal(inbound), QStringLiteral("入库单号码不能少于4个字符"));
    inbound.values.insert(QStringLiteral("EdtInputNo"), QStringLiteral("RK01"));
    EXPECT_EQ(TradeForm::numberRefusal(inbound), QString());

    // A quantity that is no number: refused before the print, naming its
    // row, instead of a note printed and logged with the stock untouched.
    note = delivery();
    note.goods[2][GoodsColumn::Quantity] = QStringLiteral("abc");
    result = TradePosting::printAndPost(context, printers, source, note, kNow);
    EXPECT_EQ(result.refusal, QStringLiteral("第3行商品的数量“abc”不是有效的数字，请改正后再打印。"));
    EXPECT_EQ(result.focus, QStringLiteral("SGGoods"));
    EXPECT_FALSE(result.printed);
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("pdf"))).entryList(QDir::Files).isEmpty());

    VirtualPrinterService none;
    result = TradePosting::printAndPost(context, none, source, delivery(), kNow);
    EXPECT_EQ(result.refusal, QStringLiteral("你的电脑上没有安装任何打印机驱动程序"));
    EXPECT_EQ(result.focus, QStringLiteral("CmbBuyerName"));
    EXPECT_FALSE(dir.exists(QStringLiteral("打印记录")));
    EXPECT_FALSE(dir.exists(QStringLiteral("收件单位.TXT")));
}

TEST_F(TradePostingTest, DefaultsAreWhatTheTabShowsAfterLoading)
{
    TemplateSettings settings(Paths(dir.path()), QStringLiteral("出库发货单"));
    settings.setDefaultShipperIndex(1);
    settings.setCaptionValue(QStringLiteral("买家姓名值"), QStringLiteral("收货人"));
    const FieldValues values
        = TradeForm::defaults(context, NoteKind::Delivery, QStringLiteral("出库发货单"), QDate(2026, 12, 8));
    EXPECT_EQ(values.value(QStringLiteral("EdtInvNo")), QStringLiteral("CK000001"));
    EXPECT_EQ(values.value(QStringLiteral("DTPSender")), QStringLiteral("2026-12-08"));
    EXPECT_EQ(values.value(QStringLiteral("CmbSalerName")), QStringLiteral("赵六")); // the second sample sender
    EXPECT_EQ(values.value(QStringLiteral("LblShopName")), QStringLiteral("示例二店"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSalerAdd")), QStringLiteral("广东省广州市天河区天河路20号"));
    EXPECT_EQ(values.value(QStringLiteral("LblBuyerName")), QStringLiteral("收货人"));
    EXPECT_EQ(values.value(QStringLiteral("LblBuyerNickName")), QStringLiteral("昵称"));
    EXPECT_EQ(values.value(QStringLiteral("CmbEmsCompany")), QStringLiteral("默认B6国内信封"));
    EXPECT_EQ(values.value(QStringLiteral("EdtInvTotalJE")), QStringLiteral("0.00"));

    const FieldValues inbound
        = TradeForm::defaults(context, NoteKind::Inbound, QStringLiteral("采购入库单"), QDate(2026, 12, 8));
    EXPECT_EQ(inbound.value(QStringLiteral("EdtInputNo")), QStringLiteral("RK000001"));
    EXPECT_EQ(inbound.value(QStringLiteral("CmbInputJbr")), QStringLiteral("王五"));
    EXPECT_EQ(inbound.value(QStringLiteral("LblInputShop")), QStringLiteral("示例网店"));
    EXPECT_EQ(inbound.value(QStringLiteral("CmbInputType")), QStringLiteral("采购入库"));
}
