// Order tables as marketplaces export them: the seller order table with
// line breaks in quoted fields and in UTF-8, the other marketplaces' tables
// found by their header names, and what is refused. Buyers are invented.

#include "export/OrderImport.h"
#include "platform/SpreadsheetProgram.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillQueue.h"

#include <QFile>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

using namespace Slipdesk;

namespace {

// Queue fields.
enum : int {
    Nick = 0,
    Recipient = 1,
    Destination = 2,
    Province = 3,
    City = 4,
    District = 5,
    Street = 6,
    Unit = 7,
    Phone = 8,
    Postcode = 9,
    Number = 10,
    Goods = 11,
    Mobile = 19,
    Amount = 31,
    Freight = 35,
};

// One record of comma-separated text: a field with a comma, quote, blank
// or line break quoted, as spreadsheet programs write it.
QString csvLine(const QStringList &fields, QChar separator = u',')
{
    QStringList out;
    for (const QString &field : fields) {
        if (field.contains(separator) || field.contains(u'"') || field.contains(u'\n') || field.contains(u' '))
            out.append(u'"' + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"');
        else
            out.append(field);
    }
    return out.join(separator);
}

QString table(const QList<QStringList> &records, QChar separator = u',')
{
    QStringList lines;
    for (const QStringList &record : records)
        lines.append(csvLine(record, separator));
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// The seller order table's 24 columns, named as that table names them.
QStringList sellerHeader()
{
    QStringList header(24);
    const QList<std::pair<int, const char *>> names {{0, "订单编号"}, {1, "买家会员名"}, {4, "买家应付邮费"},
        {6, "总金额"}, {11, "买家留言"}, {12, "收货人姓名"}, {13, "收货地址 "}, {15, "联系电话 "}, {16, "联系手机"},
        {23, "订单备注"}};
    for (int i = 0; i < 24; ++i)
        header[i] = QStringLiteral("栏%1").arg(i);
    for (const auto &[at, name] : names)
        header[at] = QString::fromUtf8(name);
    return header;
}

QStringList sellerOrder(const QString &number, const QString &recipient, const QString &goods)
{
    QStringList order(24);
    order[0] = number;
    order[1] = QStringLiteral("买家") + recipient;
    order[4] = QStringLiteral("8.00");
    order[6] = QStringLiteral("99.00");
    order[12] = recipient;
    order[13] = QStringLiteral("浙江省 杭州市 西湖区 文三路1号(310012)");
    order[16] = QStringLiteral("'13800138000");
    order[23] = goods;
    return order;
}

} // namespace

TEST(OrderTables, AQuotedLineBreakKeepsOneOrderOneQueueRow)
{
    TempDir dir;
    const Paths paths(dir.path());
    // A remark over two lines and goods over three, CR LF and LF alone.
    const QString text = table({sellerHeader(),
        sellerOrder(QStringLiteral("T1"), QStringLiteral("林小雨"), QStringLiteral("连衣裙 L码\r\n请尽快发货")),
        sellerOrder(QStringLiteral("T2"), QStringLiteral("周大山"), QStringLiteral("茶杯\n茶壶\n茶盘"))});
    const OrderImport::Imported imported = OrderImport::readSellerTable(Codec::encode(text));
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    ASSERT_EQ(imported.rows.size(), 2);
    EXPECT_EQ(imported.rows.at(0).at(Number), QStringLiteral("T1"));
    EXPECT_EQ(imported.rows.at(0).at(Goods), QStringLiteral("连衣裙 L码  请尽快发货"));
    EXPECT_EQ(imported.rows.at(1).at(Number), QStringLiteral("T2"));
    EXPECT_EQ(imported.rows.at(1).at(Recipient), QStringLiteral("周大山"));

    EXPECT_EQ(OrderImport::appendToQueue(paths, imported.rows), 2);
    const QStringList queue = TextTable::load(WaybillQueue::file(paths));
    ASSERT_EQ(queue.size(), 2);
    for (const QString &line : queue)
        EXPECT_EQ(line.count(u','), WaybillQueue::FieldCount - 1);
    EXPECT_EQ(TextTable::field(queue.at(1), Goods), QStringLiteral("茶杯茶壶茶盘"));
}

TEST(OrderTables, Utf8TablesAreReadAsUtf8AndUnreadableOnesAreRefused)
{
    const QString text
        = table({sellerHeader(), sellerOrder(QStringLiteral("T1"), QStringLiteral("欧阳娜娜"), QStringLiteral("丝巾")),
            sellerOrder(QStringLiteral("T2"), QStringLiteral("𠮷田"), QStringLiteral("€ 商品"))});
    const QByteArray utf8 = text.toUtf8();
    for (const QByteArray &bytes : QList<QByteArray> {QByteArray("\xEF\xBB\xBF") + utf8, utf8}) {
        const OrderImport::Imported imported = OrderImport::readSellerTable(bytes);
        ASSERT_TRUE(imported.ok());
        EXPECT_EQ(imported.encoding, QStringLiteral("UTF-8"));
        ASSERT_EQ(imported.rows.size(), 2);
        EXPECT_EQ(imported.rows.at(0).at(Recipient), QStringLiteral("欧阳娜娜"));
        EXPECT_EQ(imported.rows.at(1).at(Recipient), QStringLiteral("𠮷田"));
        EXPECT_EQ(imported.rows.at(1).at(Goods), QStringLiteral("€ 商品"));
        EXPECT_EQ(imported.rows.at(0).at(Province), QStringLiteral("浙江省"));
    }
    // GBK stays GBK.
    const OrderImport::Imported gbk = OrderImport::readSellerTable(Codec::encode(text));
    EXPECT_EQ(gbk.encoding, QStringLiteral("GBK"));
    EXPECT_EQ(gbk.rows.at(0).at(Recipient), QStringLiteral("欧阳娜娜"));

    // Neither: a lone 0xFF, and a marked UTF-8 file broken inside.
    for (const QByteArray &bytes : QList<QByteArray> {Codec::encode(text) + "\xFF",
             QByteArray("\xEF\xBB\xBF") + utf8 + "\xC3(", QByteArray("\x81\x20\xFE", 3)}) {
        const OrderImport::Imported refused = OrderImport::readSellerTable(bytes);
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(refused.rows.isEmpty());
        EXPECT_TRUE(refused.refusal.contains(QStringLiteral("UTF-8"))) << refused.refusal.toStdString();
        EXPECT_FALSE(OrderImport::readOrderTable(bytes).ok());
    }
}

TEST(OrderTables, TheSellerTableIsRecognisedByItsHeaderAndReadByPosition)
{
    const QString text
        = table({sellerHeader(), sellerOrder(QStringLiteral("T9"), QStringLiteral("林小雨"), QStringLiteral("'围巾"))});
    const OrderImport::Imported imported = OrderImport::readOrderTable(Codec::encode(text));
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    EXPECT_EQ(imported.layout, QStringLiteral("淘宝订单表格"));
    EXPECT_EQ(imported.rows, OrderImport::rows(Codec::encode(text)));
    const QStringList &r = imported.rows.first();
    EXPECT_EQ(r.at(Freight), QStringLiteral("8.00"));
    EXPECT_EQ(r.at(Amount), QStringLiteral("99.00"));
    EXPECT_EQ(r.at(District), QStringLiteral("西湖区"));
    EXPECT_EQ(r.at(Postcode), QStringLiteral("310012"));
    EXPECT_EQ(r.at(Street), QStringLiteral("文三路1号"));
    EXPECT_EQ(r.at(Mobile), QStringLiteral("13800138000"));
    EXPECT_EQ(r.at(Goods), QStringLiteral("围巾"));

    // The same names elsewhere (a newer column order): read by name.
    QStringList header {QStringLiteral("订单编号"), QStringLiteral("收货人姓名"), QStringLiteral("收货地址"),
        QStringLiteral("联系手机"), QStringLiteral("宝贝标题"), QStringLiteral("买家实际支付金额"),
        QStringLiteral("买家应付邮费")};
    const OrderImport::Imported named = OrderImport::readOrderTable(Codec::encode(table({header,
        {QStringLiteral("T10"), QStringLiteral("周大山"), QStringLiteral("浙江省 杭州市 西湖区 文三路1号(310012)"),
            QStringLiteral("13900139000"), QStringLiteral("茶杯"), QStringLiteral("¥25.50"),
            QStringLiteral("0.00")}})));
    ASSERT_TRUE(named.ok()) << named.refusal.toStdString();
    EXPECT_EQ(named.layout, QStringLiteral("淘宝/天猫"));
    const QStringList &n = named.rows.first();
    EXPECT_EQ(n.at(Recipient), QStringLiteral("周大山"));
    EXPECT_EQ(n.at(Province), QStringLiteral("浙江省"));
    EXPECT_EQ(n.at(City), QStringLiteral("杭州市"));
    EXPECT_EQ(n.at(District), QStringLiteral("西湖区"));
    EXPECT_EQ(n.at(Postcode), QStringLiteral("310012"));
    EXPECT_EQ(n.at(Amount), QStringLiteral("25.50"));
}

// JD: the address in one text without blanks, split by the division rules;
// UTF-8 with a byte-order mark.
TEST(OrderTables, JingdongTablesSplitTheOneTextAddress)
{
    const QList<QStringList> records {
        {QStringLiteral("订单号"), QStringLiteral("下单帐号"), QStringLiteral("客户姓名"), QStringLiteral("客户地址"),
            QStringLiteral("联系电话"), QStringLiteral("商品名称"), QStringLiteral("应付金额"),
            QStringLiteral("运费金额"), QStringLiteral("订单状态")},
        {QStringLiteral("300123456789"), QStringLiteral("jd_xiaolin"), QStringLiteral("林小雨"),
            QStringLiteral("广东省深圳市南山区科技园高新南一道8号"), QStringLiteral("13712345678"),
            QStringLiteral("蓝牙耳机"), QStringLiteral("199.00"), QStringLiteral("6.00"), QStringLiteral("等待出库")},
        {QStringLiteral("300123456790"), QStringLiteral("jd_dashan"), QStringLiteral("周大山"),
            QStringLiteral("北京朝阳区建国路88号"), QStringLiteral("010-65001234"), QStringLiteral("保温杯"),
            QStringLiteral("59.90"), QString(), QStringLiteral("等待出库")}};
    const OrderImport::Imported imported
        = OrderImport::readOrderTable(QByteArray("\xEF\xBB\xBF") + table(records).toUtf8());
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    EXPECT_EQ(imported.layout, QStringLiteral("京东"));
    EXPECT_EQ(imported.encoding, QStringLiteral("UTF-8"));
    ASSERT_EQ(imported.rows.size(), 2);
    const QStringList &a = imported.rows.at(0);
    EXPECT_EQ(a.at(Number), QStringLiteral("300123456789"));
    EXPECT_EQ(a.at(Nick), QStringLiteral("jd_xiaolin"));
    EXPECT_EQ(a.at(Province), QStringLiteral("广东省"));
    EXPECT_EQ(a.at(City), QStringLiteral("深圳市"));
    EXPECT_EQ(a.at(Destination), QStringLiteral("深圳市"));
    EXPECT_EQ(a.at(District), QStringLiteral("南山区"));
    EXPECT_EQ(a.at(Street), QStringLiteral("科技园高新南一道8号"));
    EXPECT_EQ(a.at(Phone), QStringLiteral("13712345678"));
    EXPECT_EQ(a.at(Goods), QStringLiteral("蓝牙耳机"));
    EXPECT_EQ(a.at(Amount), QStringLiteral("199.00"));
    EXPECT_EQ(a.at(Freight), QStringLiteral("6.00"));
    const QStringList &b = imported.rows.at(1);
    EXPECT_EQ(b.at(Province), QStringLiteral("北京市"));
    EXPECT_EQ(b.at(District), QStringLiteral("朝阳区"));
    EXPECT_EQ(b.at(Street), QStringLiteral("建国路88号"));
}

// PDD: province, city, district and street in columns of their own, amounts
// with their unit in the header; GBK, tab-separated.
TEST(OrderTables, PinduoduoTablesTakeTheAddressColumnsAsTheyAre)
{
    const QList<QStringList> records {
        {QStringLiteral("商品"), QStringLiteral("订单号"), QStringLiteral("商家实收金额(元)"),
            QStringLiteral("邮费(元)"), QStringLiteral("收货人"), QStringLiteral("手机"), QStringLiteral("省"),
            QStringLiteral("市"), QStringLiteral("区"), QStringLiteral("街道"), QStringLiteral("详细地址")},
        {QStringLiteral("纸巾 10包"), QStringLiteral("240101-123456789"), QStringLiteral("19.90"),
            QStringLiteral("0.00"), QStringLiteral("马小跳"), QStringLiteral("15800001111"), QStringLiteral("四川省"),
            QStringLiteral("成都市"), QStringLiteral("武侯区"), QStringLiteral("玉林街道"),
            QStringLiteral("四川省成都市武侯区玉林北路2号")}};
    const OrderImport::Imported imported = OrderImport::readOrderTable(Codec::encode(table(records, u'\t')));
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    EXPECT_EQ(imported.layout, QStringLiteral("拼多多"));
    EXPECT_EQ(imported.encoding, QStringLiteral("GBK"));
    ASSERT_EQ(imported.rows.size(), 1);
    const QStringList &r = imported.rows.first();
    EXPECT_EQ(r.at(Number), QStringLiteral("240101-123456789"));
    EXPECT_EQ(r.at(Recipient), QStringLiteral("马小跳"));
    EXPECT_EQ(r.at(Mobile), QStringLiteral("15800001111"));
    EXPECT_EQ(r.at(Province), QStringLiteral("四川省"));
    EXPECT_EQ(r.at(City), QStringLiteral("成都市"));
    EXPECT_EQ(r.at(Destination), QStringLiteral("成都市"));
    EXPECT_EQ(r.at(District), QStringLiteral("武侯区"));
    // The detail repeats the divisions: they are not written twice.
    EXPECT_EQ(r.at(Street), QStringLiteral("玉林街道玉林北路2号"));
    EXPECT_EQ(r.at(Goods), QStringLiteral("纸巾 10包"));
    EXPECT_EQ(r.at(Amount), QStringLiteral("19.90"));
}

// Douyin: separate address columns, a quoted goods list over two lines.
TEST(OrderTables, DoudianTablesKeepQuotedLineBreaksInOneOrder)
{
    const QList<QStringList> records {
        {QStringLiteral("主订单编号"), QStringLiteral("选购商品"), QStringLiteral("订单应付金额"),
            QStringLiteral("运费"), QStringLiteral("收件人"), QStringLiteral("收件人手机号"), QStringLiteral("省"),
            QStringLiteral("市"), QStringLiteral("区"), QStringLiteral("街道"), QStringLiteral("详细地址"),
            QStringLiteral("买家留言")},
        {QStringLiteral("4912345678901234567"), QStringLiteral("猫粮 2kg\n猫砂 5L"), QStringLiteral("88.00"),
            QStringLiteral("0"), QStringLiteral("钱多多"), QStringLiteral("13600002222"), QStringLiteral("湖北省"),
            QStringLiteral("武汉市"), QStringLiteral("洪山区"), QStringLiteral("关山街道"),
            QStringLiteral("光谷大道77号"), QStringLiteral("放门口\r\n谢谢")},
        {QStringLiteral("4912345678901234568"), QStringLiteral("狗绳"), QStringLiteral("15.00"), QStringLiteral("0"),
            QStringLiteral("孙悟饭"), QStringLiteral("13600003333"), QStringLiteral("湖北省"), QStringLiteral("武汉市"),
            QStringLiteral("江夏区"), QString(), QStringLiteral("文化大道1号"), QString()}};
    TempDir dir;
    const Paths paths(dir.path());
    const OrderImport::Imported imported = OrderImport::readOrderTable(table(records).toUtf8());
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    EXPECT_EQ(imported.layout, QStringLiteral("抖店"));
    ASSERT_EQ(imported.rows.size(), 2);
    EXPECT_EQ(imported.rows.at(0).at(Goods), QStringLiteral("猫粮 2kg 猫砂 5L"));
    EXPECT_EQ(imported.rows.at(0).at(Street), QStringLiteral("关山街道光谷大道77号"));
    EXPECT_EQ(imported.rows.at(0).at(Mobile), QStringLiteral("13600002222"));
    EXPECT_EQ(imported.rows.at(1).at(Recipient), QStringLiteral("孙悟饭"));
    EXPECT_EQ(imported.rows.at(1).at(Street), QStringLiteral("文化大道1号"));
    EXPECT_EQ(OrderImport::appendToQueue(paths, imported.rows), 2);
    EXPECT_EQ(TextTable::load(WaybillQueue::file(paths)).size(), 2);
}

// Kuaishou, and a table of another shop system read by the general layout.
TEST(OrderTables, KuaishouAndGeneralTables)
{
    const OrderImport::Imported kuaishou = OrderImport::readOrderTable(Codec::encode(table({
        {QStringLiteral("订单号"), QStringLiteral("买家昵称"), QStringLiteral("收货人姓名"),
            QStringLiteral("收货人电话"), QStringLiteral("收货地址"), QStringLiteral("商品名称"),
            QStringLiteral("实付款"), QStringLiteral("运费")},
        {QStringLiteral("KS2001"), QStringLiteral("快乐小王"), QStringLiteral("王小二"), QStringLiteral("18900004444"),
            QStringLiteral("江苏省南京市玄武区中山路100号"), QStringLiteral("手机壳"), QStringLiteral("12.80"),
            QStringLiteral("3.00")},
    })));
    ASSERT_TRUE(kuaishou.ok()) << kuaishou.refusal.toStdString();
    EXPECT_EQ(kuaishou.layout, QStringLiteral("快手小店"));
    EXPECT_EQ(kuaishou.rows.first().at(Mobile), QStringLiteral("18900004444"));
    EXPECT_EQ(kuaishou.rows.first().at(City), QStringLiteral("南京市"));
    EXPECT_EQ(kuaishou.rows.first().at(Street), QStringLiteral("中山路100号"));

    const OrderImport::Imported general = OrderImport::readOrderTable(Codec::encode(table({
        {QStringLiteral("交易编号"), QStringLiteral("联系人"), QStringLiteral("手机号码"), QStringLiteral("地址"),
            QStringLiteral("邮编")},
        {QStringLiteral("Y-7"), QStringLiteral("赵敏"), QStringLiteral("'13000005555"),
            QStringLiteral("=\"浙江省宁波市海曙区中山西路9号\""), QStringLiteral("315000")},
    })));
    ASSERT_TRUE(general.ok()) << general.refusal.toStdString();
    EXPECT_EQ(general.layout, QStringLiteral("通用订单表格"));
    EXPECT_EQ(general.rows.first().at(Mobile), QStringLiteral("13000005555"));
    EXPECT_EQ(general.rows.first().at(Province), QStringLiteral("浙江省"));
    EXPECT_EQ(general.rows.first().at(Postcode), QStringLiteral("315000"));
}

TEST(OrderTables, AnUnknownHeaderIsRefusedNamingWhatIsMissing)
{
    const OrderImport::Imported refused = OrderImport::readOrderTable(Codec::encode(table({
        {QStringLiteral("订单号"), QStringLiteral("商品名称"), QStringLiteral("数量")},
        {QStringLiteral("1"), QStringLiteral("杯子"), QStringLiteral("2")},
    })));
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.rows.isEmpty());
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("收货人"))) << refused.refusal.toStdString();
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("收货地址")));
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("手机或电话")));
    EXPECT_FALSE(refused.refusal.contains(QStringLiteral("订单号 ")));
    EXPECT_FALSE(OrderImport::readOrderTable(QByteArray()).ok());
    EXPECT_FALSE(OrderImport::readOrderTable("\r\n\r\n").ok());
    // A header alone adds nothing, and is no refusal.
    const OrderImport::Imported empty = OrderImport::readOrderTable(Codec::encode(table({sellerHeader()})));
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.rows.isEmpty());
}

// An .xlsx export, read through the spreadsheet program.
TEST(OrderTables, AnXlsxOrderTableIsReadByItsHeader)
{
    if (!SpreadsheetProgram::available())
        GTEST_SKIP() << "LibreOffice is not installed (./test.sh installs it)";
    TempDir dir;
    const QByteArray path = QFile::encodeName(dir.file(QStringLiteral("订单.xlsx")));
    lxw_workbook *book = workbook_new(path.constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "订单");
    const char *header[] = {"订单号", "收货人", "手机", "省", "市", "区", "详细地址", "商品", "邮费(元)"};
    for (int c = 0; c < 9; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), header[c], nullptr);
    const char *order[]
        = {"240202-000000001", "刘星", "", "上海市", "上海市", "浦东新区", "世纪大道100号", "保温饭盒\n附赠勺子", ""};
    for (int c = 0; c < 9; ++c)
        worksheet_write_string(sheet, 1, lxw_col_t(c), order[c], nullptr);
    worksheet_write_number(sheet, 1, 2, 13500006666.0, nullptr); // a mobile stored as a number
    worksheet_write_number(sheet, 1, 8, 5, nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    const OrderImport::Imported imported = OrderImport::readOrderFile(dir.file(QStringLiteral("订单.xlsx")));
    ASSERT_TRUE(imported.ok()) << imported.refusal.toStdString();
    EXPECT_EQ(imported.layout, QStringLiteral("拼多多"));
    ASSERT_EQ(imported.rows.size(), 1);
    const QStringList &r = imported.rows.first();
    EXPECT_EQ(r.at(Number), QStringLiteral("240202-000000001"));
    EXPECT_EQ(r.at(Mobile), QStringLiteral("13500006666"));
    EXPECT_EQ(r.at(District), QStringLiteral("浦东新区"));
    EXPECT_EQ(r.at(Street), QStringLiteral("世纪大道100号"));
    EXPECT_EQ(r.at(Goods), QStringLiteral("保温饭盒 附赠勺子"));
    EXPECT_EQ(r.at(Freight), QStringLiteral("5"));
}
