#include "support/MainWindowFixture.h"

#include "templates/ui/TemplateTab.h"
#include "waybill/ui/ExpressTab.h"

#include "platform/ui/RadioGroup.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace Slipdesk;

namespace {
const QString kDevice = QStringLiteral("打印设备");

QString cellOf(QTableWidget *grid, const QString &item, const QString &column)
{
    int col = -1;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->horizontalHeaderItem(c)->text() == column)
            col = c;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 1) && grid->item(r, 1)->text() == item)
            return grid->item(r, col) ? grid->item(r, col)->text() : QString();
    return QStringLiteral("<missing>");
}
} // namespace

TEST_F(MainWindowTest, ExpressTemplateLoadsItsSettingsAndBuiltInTable)
{
    IniFile ini(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")));
    ini.writeString(kDevice, QStringLiteral("信函号码"), QStringLiteral("SF0099"));
    ini.writeString(kDevice, QStringLiteral("打印机"), QStringLiteral("已拆除的打印机"));
    ini.writeInteger(kDevice, QStringLiteral("进纸方向"), 1);
    ini.writeString(kDevice, QStringLiteral("背景图片文件路径"), QStringLiteral("没有这个文件.JPG"));
    ini.writeString(kDevice, QStringLiteral("水平整体移动"), QStringLiteral("-15"));
    open();

    EXPECT_EQ(control<QLineEdit>("EdtEmsNo")->text(), QStringLiteral("SF0099"));
    EXPECT_EQ(form->expressTab()->savedNumber(), QStringLiteral("SF0099"));
    // A printer that is gone falls back to the default one.
    EXPECT_EQ(control<QComboBox>("CmbPrn")->currentText(), printers.defaultPrinterName());
    EXPECT_EQ(control<RadioGroup>("RGPaperFX")->itemIndex(), 1);
    EXPECT_TRUE(control<QLineEdit>("EdtBackPicFile")->text().isEmpty());
    EXPECT_EQ(control<QLineEdit>("EdtMoveX")->text(), QStringLiteral("-15"));
    EXPECT_EQ(control<QLineEdit>("EdtJjDwJbrQm")->text(), QStringLiteral("经办人"));

    auto *grid = control<QTableWidget>("SgSet");
    EXPECT_EQ(grid->rowCount(), 74);
    EXPECT_EQ(cellOf(grid, QStringLiteral("寄件单位邮编"), QStringLiteral("间距")), QStringLiteral("30"));
    EXPECT_EQ(grid->item(73, 0)->text(), QStringLiteral("74"));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/默认B6国内信封.SET")));
}

TEST_F(MainWindowTest, TradeTabsStartTheirNumbersAndSwitchTheEditorGrid)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(1));
    EXPECT_EQ(control<QLineEdit>("EdtInvNo")->text(), QStringLiteral("CK000001"));
    EXPECT_EQ(control<QComboBox>("CmbInvoice")->currentText(), QStringLiteral("出库发货单"));
    EXPECT_EQ(control<QTableWidget>("SgSet")->rowCount(), 24);
    ASSERT_TRUE(w.switchToPage(2));
    EXPECT_EQ(control<QLineEdit>("EdtInputNo")->text(), QStringLiteral("RK000001"));
    EXPECT_EQ(control<QTableWidget>("SgSet")->rowCount(), 9);
    ASSERT_TRUE(w.switchToPage(0));
    EXPECT_EQ(control<QTableWidget>("SgSet")->rowCount(), 74);
}

TEST_F(MainWindowTest, DeliveryCaptionsComeFromTheTemplateAndGoBack)
{
    IniFile ini(dir.file(QStringLiteral("用户信函模版/出库发货单.INI")));
    ini.writeString(kDevice, QStringLiteral("买家姓名值"), QStringLiteral("收货人"));
    TForm1 &w = open();
    auto *label = control<QLabel>("LblBuyerName");
    const QString builtIn = label->text();
    ASSERT_TRUE(w.switchToPage(1));
    EXPECT_EQ(label->text(), QStringLiteral("收货人"));
    ini.writeString(kDevice, QStringLiteral("买家姓名值"), QString());
    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(label->text(), builtIn);
}

TEST_F(MainWindowTest, KindChangeAwayFromTheTemplateTabKeepsTheGrid)
{
    TForm1 &w = open();
    auto *kind = control<QComboBox>("CmbModelType");
    kind->setCurrentIndex(2);
    Q_EMIT kind->activated(2);
    EXPECT_EQ(control<QListWidget>("LBoxModel")->item(0)->text(), QStringLiteral("采购入库单"));
    EXPECT_EQ(control<QTableWidget>("SgSet")->rowCount(), 74);

    ASSERT_TRUE(w.switchToPage(3));
    kind->setCurrentIndex(1);
    Q_EMIT kind->activated(1);
    EXPECT_EQ(control<QTableWidget>("SgSet")->rowCount(), 24);
}

TEST_F(MainWindowTest, SavingTheTemplateWritesTableAndPrinterSettings)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(3));
    auto *grid = control<QTableWidget>("SgSet");
    grid->item(0, 3)->setText(QStringLiteral("1234"));
    control<QLineEdit>("EdtMoveY")->setText(QStringLiteral("20"));
    control<QPushButton>("BtnSaveM")->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("模板保存完成！"));

    const QByteArray set = dir.read(QStringLiteral("用户信函模版/默认B6国内信封.SET"));
    const QStringList lines = Codec::decode(set).split(QStringLiteral("\r\n"));
    EXPECT_EQ(
        lines.at(0), QStringLiteral("序号,打印项目,是否打印,距左端,距上端,宽度,间距,字号,字体,自动缩小,换行方式"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("1,寄件人姓名,打印,1234,")));
    IniFile ini(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")));
    EXPECT_EQ(ini.readString(kDevice, QStringLiteral("垂直整体移动")), QStringLiteral("20"));
    EXPECT_EQ(ini.readString(kDevice, QStringLiteral("打印机")), printers.defaultPrinterName());

    // Reloading the template shows the saved table.
    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("1234"));
}

TEST_F(MainWindowTest, FormatChoiceIsStoredInTheCurrentTemplateAtOnce)
{
    TForm1 &w = open();
    ExpressTab &express = *w.expressTab();
    EXPECT_EQ(express.formats().amount, 1); // the amount's default format
    express.chooseFormat(3, 2);
    EXPECT_EQ(express.formats().insured, 2);
    IniFile ini(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")));
    EXPECT_EQ(ini.readInteger(kDevice, QStringLiteral("保价金额大写打印格式")), 2);
    express.chooseFormat(0, 4);
    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(express.formats().date, 4);
}
