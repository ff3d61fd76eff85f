#include "datawin/Reprint.h"
#include "context/AppContext.h"
#include "datawin/DataSession.h"
#include "storage/Codec.h"
#include "support/TempDir.h"
#include "trade/TradeLogs.h"
#include "waybill/WaybillLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// A logged waybill's 32 fields with `address` as its 收件地址.
QStringList expressCells(const QString &address)
{
    return QStringLiteral("2026-03-01,10:00:00,2026-03-01,,SF1234567890,顺丰速运,xiaochen,陈小姐,示例公司,%1,0755-1234,"
                          "518000,WL001,书籍,1,2,请查收,加急,,,0755-5678,13800000000,pay@example.com,mail@example.com,"
                          "10001,1500,0,,,12,,示例网店")
        .arg(address)
        .split(u',');
}

void writeFile(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Codec::encode(text));
}

} // namespace

TEST(Reprint, ExpressRowFillsTheRecipientFields)
{
    const FieldValues values = Reprint::express(expressCells(QStringLiteral("广东省|深圳市|南山区|科技园1号")));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjDwSs")), QStringLiteral("广东省"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjDwDs")), QStringLiteral("深圳市"));
    EXPECT_EQ(values.value(QStringLiteral("EdtTo")), QStringLiteral("深圳市"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjDwQx")), QStringLiteral("南山区"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjDwDz")), QStringLiteral("科技园1号"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjrWW")), QStringLiteral("xiaochen"));
    EXPECT_EQ(values.value(QStringLiteral("CmbSjrMc")), QStringLiteral("陈小姐"));
    EXPECT_EQ(values.value(QStringLiteral("CmbSjdwMc")), QStringLiteral("示例公司"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjdwYb")), QStringLiteral("518000"));
    EXPECT_EQ(values.value(QStringLiteral("CmbLetterWP")), QStringLiteral("书籍"));
    EXPECT_EQ(values.value(QStringLiteral("CmbLetterLy")), QStringLiteral("请查收"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjrTel1")), QStringLiteral("0755-5678"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjrMobile")), QStringLiteral("13800000000"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjrPayEmail")), QStringLiteral("pay@example.com"));
    EXPECT_EQ(values.value(QStringLiteral("EdtSjrEmail")), QStringLiteral("mail@example.com"));
    EXPECT_EQ(values.value(QStringLiteral("EdtWpJe")), QStringLiteral("1500"));
    // What the log holds of this print only (number, date, sender) is left
    // as the page has it.
    EXPECT_FALSE(values.contains(QStringLiteral("EdtEmsNo")));
}

TEST(Reprint, MissingAddressPartsGiveEmptyFields)
{
    const FieldValues two = Reprint::express(expressCells(QStringLiteral("广东省|深圳市")));
    EXPECT_EQ(two.value(QStringLiteral("EdtSjDwDs")), QStringLiteral("深圳市"));
    EXPECT_TRUE(two.contains(QStringLiteral("EdtSjDwQx")));
    EXPECT_EQ(two.value(QStringLiteral("EdtSjDwQx")), QString());
    EXPECT_EQ(two.value(QStringLiteral("EdtSjDwDz")), QString());

    const FieldValues none = Reprint::express(expressCells(QString()));
    for (const char *control : {"EdtSjDwSs", "EdtSjDwDs", "EdtTo", "EdtSjDwQx", "EdtSjDwDz"})
        EXPECT_EQ(none.value(QLatin1String(control), QStringLiteral("?")), QString()) << control;

    // A short row (a log line cut off) gives empty fields, not a crash.
    const FieldValues cut = Reprint::express(expressCells(QString()).mid(0, 8));
    EXPECT_EQ(cut.value(QStringLiteral("CmbSjrMc")), QStringLiteral("陈小姐"));
    EXPECT_EQ(cut.value(QStringLiteral("EdtSjrMobile"), QStringLiteral("?")), QString());
}

TEST(Reprint, DeliveryNoteGivesBuyerAndGoodsFromTheDetail)
{
    TempDir dir;
    AppContext context {Paths(dir.path())};
    const Paths &paths = context.paths();
    const QString name = QStringLiteral("出库发货单");
    writeFile(TradeLogs::logPath(paths, NoteKind::Delivery, name, 2026),
        QStringLiteral("2026-03-01,10:00:00,2026-03-01,出库发货单,CK000001,顺丰,SF001,陈小姐,xiaochen,13800000000,"
                       "0755-1234,广东省|深圳市||科技园1号,518000,3,10.00,4500.00,4510.00,3600.00,900.00,王五,\r\n"
                       "2026-03-01,11:00:00,2026-03-01,出库发货单,CK000002,顺丰,SF002,李先生,li,13900000000,,"
                       "上海市|上海市|浦东新区|世纪大道1号,200120,1,0,100.00,100.00,80.00,20.00,王五,\r\n"));
    writeFile(TradeLogs::detailPath(paths, NoteKind::Delivery, name, 2026),
        QStringLiteral("出库发货单,CK000001,2026-03-01,0101,手机,个,2,1500.00,3000.00,翻盖型,1200.00,示例\r\n"
                       "出库发货单,CK000002,2026-03-01,0103,耳机,个,1,100.00,100.00,,80.00,\r\n"
                       "出库发货单,CK000001,2026-03-01,0102,电脑,台,1,1500.00,1500.00,宽屏,1200.00,组装\r\n"));
    const DataSession session = DataSession::open(context, {TableCode::DeliveryLog, name, QDate(2026, 3, 10)});
    ASSERT_TRUE(session.refusal().isEmpty());

    const std::optional<ReprintData> data = Reprint::of(session, 0);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->page, ReprintData::Page::Delivery);
    EXPECT_EQ(data->values.value(QStringLiteral("CmbBuyerName")), QStringLiteral("陈小姐"));
    EXPECT_EQ(data->values.value(QStringLiteral("CmbBuyerWW")), QStringLiteral("xiaochen"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtBuyerMobile")), QStringLiteral("13800000000"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtBuyerTel")), QStringLiteral("0755-1234"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtBuyerYb")), QStringLiteral("518000"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtPostPrice")), QStringLiteral("10.00"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtAddSs")), QStringLiteral("广东省"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtAddDs")), QStringLiteral("深圳市"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtAddQx")), QString());
    EXPECT_EQ(data->values.value(QStringLiteral("EdtAddress")), QStringLiteral("科技园1号"));

    // The note's two lines in file order, the other note's line left out.
    ASSERT_EQ(data->goods.size(), 2);
    const GoodsRow &first = data->goods.at(0);
    ASSERT_EQ(first.size(), GoodsColumn::Count);
    EXPECT_EQ(first.at(GoodsColumn::Code), QStringLiteral("0101"));
    EXPECT_EQ(first.at(GoodsColumn::Name), QStringLiteral("手机"));
    EXPECT_EQ(first.at(GoodsColumn::Unit), QStringLiteral("个"));
    EXPECT_EQ(first.at(GoodsColumn::Quantity), QStringLiteral("2"));
    EXPECT_EQ(first.at(GoodsColumn::Price), QStringLiteral("1,500.00"));
    EXPECT_EQ(first.at(GoodsColumn::Amount), QStringLiteral("3,000.00"));
    EXPECT_EQ(first.at(GoodsColumn::Remark), QStringLiteral("翻盖型"));
    EXPECT_EQ(first.at(GoodsColumn::OtherPrice), QStringLiteral("1,200.00"));
    EXPECT_EQ(first.at(GoodsColumn::OtherRemark), QStringLiteral("示例"));
    EXPECT_EQ(data->goods.at(1).at(GoodsColumn::Code), QStringLiteral("0102"));

    EXPECT_EQ(Reprint::of(session, 1)->goods.size(), 1);
    EXPECT_FALSE(Reprint::of(session, 2));
}

TEST(Reprint, InboundNoteGivesHandlerTypeAndGoods)
{
    const QStringList cells
        = QStringLiteral("2026-03-02,09:00:00,2026-03-02,采购入库单,RK000001,王五,采购入库,4,4800.00").split(u',');
    const QList<QStringList> detail {
        QStringLiteral("采购入库单,RK000001,2026-03-02,0101,手机,个,4,1200.00,4800.00,入库,1500.00,出库").split(u',')};
    const ReprintData data = Reprint::inbound(cells, detail);
    EXPECT_EQ(data.page, ReprintData::Page::Inbound);
    EXPECT_EQ(data.values.value(QStringLiteral("CmbInputJbr")), QStringLiteral("王五"));
    EXPECT_EQ(data.values.value(QStringLiteral("CmbInputType")), QStringLiteral("采购入库"));
    ASSERT_EQ(data.goods.size(), 1);
    EXPECT_EQ(data.goods.first().mid(GoodsColumn::Code),
        QStringLiteral("0101,手机,个,4,1200.00,4800.00,入库,1500.00,出库").split(u','));
}

TEST(Reprint, OnlyLogsWithARowReprint)
{
    TempDir dir;
    AppContext context {Paths(dir.path())};
    const QString log = WaybillLog::path(context.paths(), 2026);
    writeFile(log, expressCells(QStringLiteral("浙江省|杭州市|西湖区|文三路10号")).join(u',') + QStringLiteral("\r\n"));
    DataSession express = DataSession::open(context, {TableCode::ExpressLog, QString(), QDate(2026, 3, 10)});
    const std::optional<ReprintData> data = Reprint::of(express, 0);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->page, ReprintData::Page::Express);
    EXPECT_EQ(data->values.value(QStringLiteral("EdtTo")), QStringLiteral("杭州市"));
    EXPECT_EQ(data->values.value(QStringLiteral("EdtWpJe")), QStringLiteral("1,500.00"));
    EXPECT_TRUE(data->goods.isEmpty());

    express.table().remove(0);
    EXPECT_FALSE(Reprint::of(express, 0));
    const DataSession recipients = DataSession::open(context, {TableCode::Recipients, QString(), QDate(2026, 3, 10)});
    EXPECT_FALSE(Reprint::of(recipients, 0));
}
