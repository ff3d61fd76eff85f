#include "datawin/ui/BatchRunControl.h"
#include "support/MainWindowFixture.h"
#include "trade/ui/DeliveryTab.h"
#include "waybill/ui/ExpressTab.h"

#include "platform/ClipboardWatch.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

using namespace Slipdesk;

namespace {
const QString kMain = QStringLiteral("Main");
const QString kDevice = QStringLiteral("打印设备");
const QString kExpressList = QStringLiteral("信函快递单模版列表");

QByteArray gb(const QString &text)
{
    return Codec::encode(text);
}

// Writes an express template list of `names` into the program settings.
void writeExpressList(const TempDir &dir, const QStringList &names, int last)
{
    IniFile ini(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    ini.writeInteger(kExpressList, QStringLiteral("模版总数"), int(names.size()));
    for (int i = 0; i < names.size(); ++i)
        ini.writeString(kExpressList, QStringLiteral("模版") + QString::number(i + 1), names.at(i));
    ini.writeInteger(kMain, QStringLiteral("最后模版"), last);
}
} // namespace

TEST_F(MainWindowTest, FreshStartUsesSamplesWithoutWritingDataFiles)
{
    TForm1 &w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("2010-05-04 Slipdesk网店管家进销存软件"));
    EXPECT_EQ(control<QComboBox>("CmbSjrMc")->count(), 2);
    EXPECT_EQ(control<QComboBox>("CmbSjdwMc")->count(), 2);
    EXPECT_EQ(control<QComboBox>("CmbJjrMc")->count(), 2);
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSalerName")), comboItems(control<QComboBox>("CmbJjrMc")));
    EXPECT_TRUE(control<QComboBox>("CmbDefJjDw")->itemText(1).startsWith(QStringLiteral("2,")));
    EXPECT_FALSE(dir.exists(QStringLiteral("收件单位.TXT")));
    EXPECT_FALSE(dir.exists(QStringLiteral("寄件单位.TXT")));

    // The express list gets its one default template, written to the settings.
    EXPECT_EQ(comboItems(control<QComboBox>("CmbLetterSelect")), QStringList {QStringLiteral("默认B6国内信封")});
    IniFile ini(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    EXPECT_EQ(ini.readInteger(kExpressList, QStringLiteral("模版总数")), 1);
    EXPECT_EQ(ini.readString(kExpressList, QStringLiteral("模版1")), QStringLiteral("默认B6国内信封"));

    EXPECT_EQ(comboItems(control<QComboBox>("CmbPrn")), printers.names);
    EXPECT_EQ(w.visibleTabMap(), QStringLiteral("0,1,2,3"));
    for (const char *folder : {"用户信函模版", "打印记录", "批打数据"})
        EXPECT_TRUE(dir.exists(QString::fromUtf8(folder))) << folder;
    EXPECT_TRUE(messages.calls().isEmpty());
}

TEST_F(MainWindowTest, StartLoadsAddressBooksFromFiles)
{
    dir.write(QStringLiteral("收件单位.TXT"),
        gb(QStringLiteral("A,,,,,,,,一号单位,,王𠮷,\r\nB,,,,,,,,二号单位,,李四,\r\nC,,,,,,,,三号单位,,赵五,\r\n")));
    dir.write(QStringLiteral("寄件单位.TXT"), gb(QStringLiteral("S,,,,,,,本店,店主,\r\n")));
    open();
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjrMc")),
        (QStringList {QStringLiteral("王𠮷"), QStringLiteral("李四"), QStringLiteral("赵五")}));
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjdwMc")).last(), QStringLiteral("三号单位"));
    EXPECT_EQ(comboItems(control<QComboBox>("CmbDefJjDw")), QStringList {QStringLiteral("1,本店,店主")});
    EXPECT_EQ(comboItems(control<QComboBox>("CmbInputJbr")), QStringList {QStringLiteral("店主")});
}

TEST_F(MainWindowTest, LastTemplateOutOfRangeSelectsTheFirst)
{
    const QStringList names {QStringLiteral("顺丰"), QStringLiteral("圆通"), QStringLiteral("中通")};
    for (const auto &[last, expected] : {std::pair {5, 0}, {-1, 0}, {3, 0}, {2, 2}, {1, 1}}) {
        writeExpressList(dir, names, last);
        open(false);
        EXPECT_EQ(control<QComboBox>("CmbLetterSelect")->currentIndex(), expected) << "最后模版=" << last;
        EXPECT_EQ(control<QListWidget>("LBoxModel")->currentRow(), expected);
        EXPECT_EQ(comboItems(control<QComboBox>("CmbLetterSelect")), names);
        form.reset();
    }
}

TEST_F(MainWindowTest, DeliveryToExpressCopiesTheBuyer)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(1));
    const QList<std::pair<const char *, QString>> buyer {{"CmbBuyerName", QStringLiteral("陈小姐")},
        {"CmbBuyerWW", QStringLiteral("xiaochen")}, {"EdtBuyerMobile", QStringLiteral("13512345678")},
        {"EdtBuyerTel", QStringLiteral("0755-1234567")}, {"EdtAddSs", QStringLiteral("广东省")},
        {"EdtAddDs", QStringLiteral("深圳市")}, {"EdtAddQx", QStringLiteral("南山区")},
        {"EdtAddress", QStringLiteral("科技园1号")}, {"EdtBuyerYb", QStringLiteral("518000")}};
    for (const auto &[name, value] : buyer)
        Fields::setText(control<QWidget>(name), value);

    ASSERT_TRUE(w.switchToPage(0));
    const QList<std::pair<const char *, QString>> waybill {{"CmbSjrMc", QStringLiteral("陈小姐")},
        {"EdtSjrWW", QStringLiteral("xiaochen")}, {"EdtSjrMobile", QStringLiteral("13512345678")},
        {"EdtSjDwTel", QStringLiteral("0755-1234567")}, {"EdtSjDwSs", QStringLiteral("广东省")},
        {"EdtSjDwDs", QStringLiteral("深圳市")}, {"EdtTo", QStringLiteral("深圳市")},
        {"EdtSjDwQx", QStringLiteral("南山区")}, {"EdtSjDwDz", QStringLiteral("科技园1号")},
        {"EdtSjdwYb", QStringLiteral("518000")}};
    for (const auto &[name, value] : waybill)
        EXPECT_EQ(Fields::text(control<QWidget>(name)), value) << name;
    EXPECT_EQ(control<QTabWidget>("PageControlFjxx")->currentIndex(), 1);
}

TEST_F(MainWindowTest, ExpressToDeliveryCopiesBackButExpressToInboundCopiesNothing)
{
    TForm1 &w = open();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("周先生"));
    Fields::setText(control<QWidget>("EdtSjDwDs"), QStringLiteral("杭州市"));
    ASSERT_TRUE(w.switchToPage(2));
    EXPECT_TRUE(Fields::text(control<QWidget>("CmbBuyerName")).isEmpty());
    ASSERT_TRUE(w.switchToPage(0));
    ASSERT_TRUE(w.switchToPage(1));
    EXPECT_EQ(Fields::text(control<QWidget>("CmbBuyerName")), QStringLiteral("周先生"));
    EXPECT_EQ(Fields::text(control<QWidget>("EdtAddDs")), QStringLiteral("杭州市"));
    // Entering the delivery tab prepares its goods grid and the small lists.
    auto *goods = control<QTableWidget>("SGGoods");
    EXPECT_EQ(goods->horizontalHeaderItem(1)->text(), QStringLiteral("商品编码"));
    EXPECT_EQ(w.context().goods().size(), 2);
    EXPECT_TRUE(dir.exists(QStringLiteral("计量单位.txt")));
    EXPECT_EQ(dir.read(QStringLiteral("出库备注.Txt")), gb(QStringLiteral("出库备注1\r\n出库备注2\r\n")));
}

TEST_F(MainWindowTest, RunningBatchKeepsTheTab)
{
    TForm1 &w = open();
    BatchStart run;
    run.code = TableCode::ExpressBatch;
    run.start = run.end = 1;
    run.file = dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
    run.table = DataTable({QStringLiteral("序号"), QStringLiteral("昵称")}, {QStringLiteral("chen")});
    w.expressTab()->startBatch(run);
    auto *pages = control<QTabWidget>("PageControlMain");
    // A real click on the "出库发货" tab is refused while the batch runs.
    QTabBar *bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(w.switchToPage(3));
    EXPECT_EQ(pages->currentIndex(), 0);

    w.expressTab()->batch()->endByHand();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(pages->currentIndex(), 1);

    run.code = TableCode::DeliveryBatch;
    w.deliveryTab()->startBatch(run);
    EXPECT_FALSE(w.switchToPage(2));
    EXPECT_EQ(pages->currentIndex(), 1);
}

TEST_F(MainWindowTest, CloseSavesNumberOnlyWhenChangedAndTheLastTemplate)
{
    writeExpressList(dir, {QStringLiteral("甲"), QStringLiteral("乙")}, 1);
    TForm1 &w = open();
    const QString ini = dir.file(QStringLiteral("用户信函模版/乙.INI"));
    auto *number = control<QLineEdit>("EdtEmsNo");
    w.close();
    EXPECT_FALSE(IniFile(ini).valueExists(kDevice, QStringLiteral("信函号码")));
    EXPECT_EQ(
        IniFile(dir.file(QStringLiteral("SlipdeskPosts.INI"))).readInteger(kMain, QStringLiteral("最后模版"), -9), 1);
    form.reset();

    open();
    number = control<QLineEdit>("EdtEmsNo");
    number->setText(QStringLiteral("SF0999"));
    form->close();
    EXPECT_EQ(IniFile(ini).readString(kDevice, QStringLiteral("信函号码")), QStringLiteral("SF0999"));
}

TEST_F(MainWindowTest, SmallListsMigrateOldKeysAndAreWrittenBackAtClose)
{
    IniFile settings(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    settings.writeString(kMain, QStringLiteral("计量单位"), QStringLiteral("箱,瓶"));
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(2));
    EXPECT_EQ(dir.read(QStringLiteral("计量单位.txt")), gb(QStringLiteral("箱\r\n瓶\r\n")));
    EXPECT_FALSE(settings.valueExists(kMain, QStringLiteral("计量单位")));
    EXPECT_EQ(dir.read(QStringLiteral("入库备注.Txt")), gb(QStringLiteral("A供应商\r\nB供应商\r\n")));
    EXPECT_EQ(control<QComboBox>("CmbInputType")->itemText(3), QStringLiteral("盘点调整"));

    w.context().smallLists().text[SmallLists::Units] += QStringLiteral("桶\r\n");
    w.close();
    EXPECT_EQ(dir.read(QStringLiteral("计量单位.txt")), gb(QStringLiteral("箱\r\n瓶\r\n桶\r\n")));
}

TEST_F(MainWindowTest, StartedFromTheTemporaryFolderEndsWithAWarning)
{
    form
        = std::make_unique<TForm1>(Paths(dir.path()), QStringLiteral("/var/tmp/unpacked/"), QStringLiteral("/var/tmp"));
    EXPECT_FALSE(form->FormCreate());
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("请先解压，然后再运行软件")});
    EXPECT_FALSE(dir.exists(QStringLiteral("SlipdeskPosts.INI")));
}

TEST_F(MainWindowTest, ClipboardFillRunsOnTheWorkingTabsOnly)
{
    TForm1 &w = open();
    auto *watch = w.findChild<ClipboardWatch *>();
    ASSERT_NE(watch, nullptr);
    EXPECT_FALSE(watch->isEnabled());
    control<QCheckBox>("ChbAutoAdd")->click();
    EXPECT_TRUE(watch->isEnabled());
    EXPECT_TRUE(
        IniFile(dir.file(QStringLiteral("SlipdeskPosts.INI"))).readBool(kMain, QStringLiteral("自动感应复制操作")));

    QSignalSpy fills(&w, &TForm1::oneClickFillRequested);
    const QString text = QStringLiteral("收货人：张三，13800000000，北京市海淀区中关村大街1号");
    Q_EMIT watch->triggered(text);
    ASSERT_EQ(fills.size(), 1);
    EXPECT_EQ(fills.at(0).at(0).toInt(), 0);
    w.switchToPage(2);
    Q_EMIT watch->triggered(text);
    EXPECT_EQ(fills.size(), 1);
    w.switchToPage(1);
    Q_EMIT watch->triggered(text);
    ASSERT_EQ(fills.size(), 2);
    EXPECT_EQ(fills.at(1).at(0).toInt(), 1);
}
