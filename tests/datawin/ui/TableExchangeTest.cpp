// "导出(&O)" and "导入(&I)" of the data window: the range prompts, the own
// writer's workbook, and the seller order table read into the queue's grid.

#include "support/MainWindowFixture.h"
#include "support/ScriptedFileDialogs.h"

#include "datawin/DataTable.h"
#include "datawin/ui/TFRMData.h"
#include "datawin/ui/TFRMDataUi.h"
#include "export/Workbook.h"
#include "platform/SpreadsheetProgram.h"
#include "platform/ui/FileDialogService.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "waybill/WaybillQueue.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace Slipdesk;
using Icon = MessageService::Icon;

namespace {

// The LABEL records of a worksheet file: (row, column, text).
QList<std::tuple<int, int, QString>> labels(const QByteArray &file)
{
    QList<std::tuple<int, int, QString>> out;
    const auto word = [&](qsizetype at) { return int(quint8(file.at(at)) | (quint8(file.at(at + 1)) << 8)); };
    for (qsizetype at = 0; at + 4 <= file.size();) {
        const int type = word(at);
        const int length = word(at + 2);
        if (type == 0x0004)
            out.append({word(at + 4), word(at + 6), Codec::decode(file.mid(at + 12, quint8(file.at(at + 11))))});
        at += 4 + length;
    }
    return out;
}

class TableExchangeTest : public MainWindowTest
{
protected:
    void start(int queuedRows)
    {
        QStringList rows;
        for (int i = 1; i <= queuedRows; ++i) {
            FieldValues values;
            values.insert(QStringLiteral("CmbSjrMc"), QStringLiteral("收件人%1").arg(i));
            rows.append(WaybillQueue::row(values));
        }
        if (queuedRows > 0)
            TextTable::save(WaybillQueue::file(Paths(dir.path())), rows);
        open();
        control<QPushButton>("BtnTskData")->click();
        ASSERT_TRUE(data().isVisible());
    }
    TFRMData &data() { return *form->dataWindow(); }
    ~TableExchangeTest() override { SpreadsheetProgram::setProgram(std::nullopt); }

    ScriptedFileDialogs dialogs;
};

} // namespace

TEST_F(TableExchangeTest, ExportWritesTheRangeWithTheOwnWriterWithoutASpreadsheetProgram)
{
    SpreadsheetProgram::setProgram(QString());
    start(7);
    const QString out = dir.file(QStringLiteral("导出/批量.xls"));
    dialogs.saveAnswer = out;
    messages.answerPrompt(QStringLiteral("3"));
    messages.answerPrompt(QStringLiteral("5"));
    QTest::mouseClick(data().ui().BtnOutSg, Qt::LeftButton);
    ASSERT_EQ(dialogs.saved.size(), 1);
    EXPECT_TRUE(dialogs.saved.first().directory.contains(QStringLiteral("批量打印数据")));
    EXPECT_EQ(dialogs.saved.first().filter, QStringLiteral("Microsoft Excel 工作簿(*.xls);;Excel 工作簿(*.xlsx)"));
    EXPECT_EQ(dialogs.saved.first().defaultSuffix, QStringLiteral("xls"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("导出完成！"));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto cells = labels(file.readAll());
    // 38 columns, the header and rows 3 to 5, "序号" first.
    EXPECT_EQ(cells.size(), 38 * 4);
    EXPECT_EQ(cells.at(0), std::make_tuple(0, 0, QStringLiteral("序号")));
    EXPECT_EQ(cells.at(38), std::make_tuple(1, 0, QStringLiteral("3")));
    EXPECT_EQ(cells.at(38 + 3 + 2), std::make_tuple(3, 1, QString()));
    EXPECT_EQ(cells.at(38 + 3 + 3), std::make_tuple(1, 2, QStringLiteral("收件人3")));
}

TEST_F(TableExchangeTest, AWrongRangeOrACancelWritesNothing)
{
    start(3);
    messages.answerPrompt(QStringLiteral("2"));
    messages.answerPrompt(QStringLiteral("9"));
    QTest::mouseClick(data().ui().BtnOutSg, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("输入的序号有误！")});
    messages.cancelPrompt();
    QTest::mouseClick(data().ui().BtnOutSg, Qt::LeftButton);
    EXPECT_TRUE(dialogs.saved.isEmpty());
}

TEST_F(TableExchangeTest, OrderTableRowsAreAppendedToTheQueueGridUntilSaved)
{
    start(7);
    QStringList order(24);
    order[0] = QStringLiteral("T100");
    order[12] = QStringLiteral("陈小姐");
    order[13] = QStringLiteral("\"浙江省 杭州市 西湖区 文三路1号(310012)\"");
    QFile csv(dir.file(QStringLiteral("orders.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(Codec::encode(QString(QStringLiteral("订单编号\r\n") + order.join(u',') + QStringLiteral("\r\n")
        + order.join(u',') + QStringLiteral("\r\n"))));
    csv.close();
    dialogs.openAnswer = csv.fileName();
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    EXPECT_TRUE(dialogs.opened.first().filter.contains(QStringLiteral(";;淘宝订单表格 (*.csv);;")));
    const DataTable &table = data().session()->table();
    ASSERT_EQ(table.rowCount(), 9);
    EXPECT_EQ(table.cell(7, 0), QStringLiteral("8"));
    EXPECT_EQ(table.cell(8, 2), QStringLiteral("陈小姐"));
    EXPECT_EQ(table.cell(8, 7), QStringLiteral("文三路1号"));
    EXPECT_EQ(data().ui().SgData->currentIndex().row(), 8);
    EXPECT_EQ(TextTable::load(WaybillQueue::file(Paths(dir.path()))).size(), 7);
    EXPECT_TRUE(messages.calls().isEmpty());

    // A workbook needs a spreadsheet program.
    SpreadsheetProgram::setProgram(QString());
    dialogs.openAnswer = dir.file(QStringLiteral("book.xls"));
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("电脑中可能没有安装MS EXCEL软件！")});
    data().close();
}

TEST_F(TableExchangeTest, AnExportedWorkbookImportsBackAfterTheLastRow)
{
    if (!SpreadsheetProgram::available())
        GTEST_SKIP() << "LibreOffice is not installed (./test.sh installs it)";
    start(7);
    const QString out = dir.file(QStringLiteral("批量.xlsx"));
    dialogs.saveAnswer = out;
    dialogs.openAnswer = out;
    messages.answerPrompt(QStringLiteral("3"));
    messages.answerPrompt(QStringLiteral("7"));
    QTest::mouseClick(data().ui().BtnOutSg, Qt::LeftButton);
    EXPECT_EQ(messages.lastText(), QStringLiteral("导出完成！"));

    messages.clear();
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("数据导入完成！")});
    const DataTable &table = data().session()->table();
    ASSERT_EQ(table.rowCount(), 12);
    EXPECT_EQ(table.cell(7, 0), QStringLiteral("8"));
    EXPECT_EQ(table.cell(7, 2), QStringLiteral("收件人3"));
    EXPECT_EQ(table.cell(11, 2), QStringLiteral("收件人7"));
    EXPECT_EQ(data().ui().SgData->currentIndex().row(), 11);
    EXPECT_EQ(TextTable::load(WaybillQueue::file(Paths(dir.path()))).size(), 7); // not saved yet

    // A file the program cannot read is said to be so; nothing is added.
    dir.write(QStringLiteral("broken.xls"), QByteArray(64, '\x01'));
    SpreadsheetProgram::setProgram(QStringLiteral("/bin/false"));
    dialogs.openAnswer = dir.file(QStringLiteral("broken.xls"));
    messages.clear();
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    ASSERT_EQ(messages.texts(Icon::Warning).size(), 1);
    EXPECT_TRUE(messages.texts(Icon::Warning).first().startsWith(QStringLiteral("无法读取该表格文件")));
    EXPECT_EQ(table.rowCount(), 12);
    data().close();
}

TEST_F(TableExchangeTest, MarketplaceTablesAreOfferedBesideTheSellerTableAndUnknownOnesRefused)
{
    start(2);
    const QString jd = dir.file(QStringLiteral("京东.csv"));
    dir.write(QStringLiteral("京东.csv"),
        QByteArray("\xEF\xBB\xBF")
            + QStringLiteral("订单号,客户姓名,客户地址,联系电话,商品名称\r\nJD1,林小雨,广东省深圳市南山区科技园8号,"
                             "13712345678,\"耳机\n充电线\"\r\n")
                  .toUtf8());
    dialogs.openAnswer = jd;
    dialogs.openFilter
        = QStringLiteral("各平台订单表格：京东、拼多多、抖店、快手小店等 (*.csv *.txt *.tsv *.xlsx *.xls)");
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    const QString filter = dialogs.opened.first().filter;
    EXPECT_TRUE(filter.contains(QStringLiteral(";;淘宝订单表格 (*.csv);;各平台订单表格"))) << filter.toStdString();
    EXPECT_EQ(
        messages.texts(Icon::Information), QStringList {QStringLiteral("已按“京东”读入 1 个订单（保存后生效）。")});
    const DataTable &table = data().session()->table();
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(2, 2), QStringLiteral("林小雨"));
    EXPECT_EQ(table.cell(2, 5), QStringLiteral("深圳市"));
    EXPECT_EQ(table.cell(2, 12), QStringLiteral("耳机 充电线"));
    EXPECT_EQ(TextTable::load(WaybillQueue::file(Paths(dir.path()))).size(), 2); // until saved

    // An unknown header, and a seller table in neither UTF-8 nor GBK: said, nothing added.
    dir.write(QStringLiteral("其他.csv"), Codec::encode(QStringLiteral("编号,名称\r\n1,杯子\r\n")));
    dialogs.openAnswer = dir.file(QStringLiteral("其他.csv"));
    messages.clear();
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    ASSERT_EQ(messages.texts(Icon::Warning).size(), 1);
    EXPECT_TRUE(messages.texts(Icon::Warning).first().contains(QStringLiteral("收货人")));
    dir.write(QStringLiteral("坏.csv"), QByteArray("\xFF\xFE\x00\x41", 4));
    dialogs.openAnswer = dir.file(QStringLiteral("坏.csv"));
    dialogs.openFilter = QStringLiteral("淘宝订单表格 (*.csv)");
    messages.clear();
    QTest::mouseClick(data().ui().BtnInputSg, Qt::LeftButton);
    ASSERT_EQ(messages.texts(Icon::Warning).size(), 1);
    EXPECT_TRUE(messages.texts(Icon::Warning).first().contains(QStringLiteral("UTF-8")));
    EXPECT_EQ(table.rowCount(), 3);
    data().close();
}

TEST_F(TableExchangeTest, AnExportPastWhatAnXlsHoldsSaysWhichRowsAreMissing)
{
    SpreadsheetProgram::setProgram(QString());
    QStringList rows;
    rows.reserve(65536);
    for (int i = 1; i <= 65536; ++i)
        rows.append(QStringLiteral(",收件人%1").arg(i));
    TextTable::save(WaybillQueue::file(Paths(dir.path())), rows);
    start(0);
    dialogs.saveAnswer = dir.file(QStringLiteral("全部.xls"));
    messages.answerPrompt(QStringLiteral("1"));
    messages.answerPrompt(QStringLiteral("65536"));
    QTest::mouseClick(data().ui().BtnOutSg, Qt::LeftButton);
    EXPECT_TRUE(messages.texts(Icon::Information).isEmpty());
    ASSERT_EQ(messages.texts(Icon::Warning).size(), 1);
    const QString warning = messages.texts(Icon::Warning).first();
    EXPECT_TRUE(warning.startsWith(QStringLiteral("已导出 65535 行。"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("序号 65536 至 65536 的 1 行没有导出")));
    EXPECT_TRUE(warning.contains(QStringLiteral(".xlsx")));
    data().close();
}
