// The template tab's label papers and barcode rows, driven by their
// controls: what the user chooses is what is stored, what the print path
// uses, and nothing changes for a template that uses neither.

#include "support/MainWindowFixture.h"

#include "platform/ui/RadioGroup.h"
#include "render/RecordingCanvas.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "templates/ui/TemplateEditor.h"
#include "templates/ui/TemplateTab.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace Slipdesk;

namespace {

const QString kDevice = QStringLiteral("打印设备");

QStringList setLines(const TempDir &dir, const QString &name)
{
    return Codec::decode(dir.read(QStringLiteral("用户信函模版/") + name + QStringLiteral(".SET")))
        .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

TEST_F(MainWindowTest, ALabelPaperIsTheDefaultPaperWithItsSizeStoredBeside)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(3));
    auto *labels = control<QComboBox>("CmbLabelPaper");
    auto *paper = control<RadioGroup>("RGPaperSize");
    EXPECT_EQ(comboItems(labels),
        (QStringList {QStringLiteral("不用标签纸"), QStringLiteral("100×150毫米"), QStringLiteral("100×180毫米"),
            QStringLiteral("76×130毫米")}));
    EXPECT_EQ(labels->currentIndex(), 0);
    EXPECT_EQ(paper->itemIndex(), 0);

    // Saving a template that uses no label paper writes no label key.
    control<QPushButton>("BtnSaveM")->click();
    IniFile ini(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")));
    EXPECT_FALSE(ini.valueExists(kDevice, QStringLiteral("标签纸张")));

    labels->setCurrentIndex(1);
    Q_EMIT labels->activated(1);
    EXPECT_EQ(paper->itemIndex(), 2);
    EXPECT_FALSE(control<QComboBox>("CmbPaperList")->isEnabled());
    EXPECT_EQ(w.templateTab()->printerSetup().labelSizeMm, QSizeF(100, 150));
    control<QPushButton>("BtnSaveM")->click();
    EXPECT_EQ(ini.readInteger(kDevice, QStringLiteral("纸张尺寸")), 2);
    EXPECT_EQ(ini.readString(kDevice, QStringLiteral("标签纸张")), QStringLiteral("100x150"));

    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(labels->currentText(), QStringLiteral("100×150毫米"));

    // Another paper choice drops the label, and saving deletes its key.
    paper->button(0)->click();
    EXPECT_EQ(labels->currentIndex(), 0);
    EXPECT_TRUE(w.templateTab()->printerSetup().labelSizeMm.isEmpty());
    control<QPushButton>("BtnSaveM")->click();
    EXPECT_EQ(ini.readInteger(kDevice, QStringLiteral("纸张尺寸")), 0);
    EXPECT_FALSE(ini.valueExists(kDevice, QStringLiteral("标签纸张")));

    // "默认" alone keeps the printer's paper.
    paper->button(2)->click();
    EXPECT_EQ(labels->currentIndex(), 0);
    EXPECT_TRUE(w.templateTab()->printerSetup().labelSizeMm.isEmpty());

    // A size written by hand is shown, and kept by the next save.
    ini.writeInteger(kDevice, QStringLiteral("纸张尺寸"), 2);
    ini.writeString(kDevice, QStringLiteral("标签纸张"), QStringLiteral("90X120"));
    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(labels->currentText(), QStringLiteral("90×120毫米"));
    EXPECT_EQ(labels->count(), 5);
    control<QPushButton>("BtnSaveM")->click();
    EXPECT_EQ(ini.readString(kDevice, QStringLiteral("标签纸张")), QStringLiteral("90x120"));
}

TEST_F(MainWindowTest, BarcodeRowsAreAddedFromTheMenuAndSavedWithTheTemplate)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(3));
    auto *grid = control<QTableWidget>("SgSet");
    ASSERT_EQ(grid->rowCount(), 74);
    auto *menu = control<QMenu>("PopupMenu1");
    Q_EMIT menu->aboutToShow();
    auto *entry = control<QAction>("NAddOptionalItem");
    EXPECT_EQ(entry->text(), QStringLiteral("添加条码项目"));
    QStringList offered;
    for (QAction *action : control<QMenu>("PopupMenuOptionalItems")->actions())
        offered.append(action->text());
    EXPECT_EQ(offered,
        (QStringList {QStringLiteral("信函编号条码"), QStringLiteral("信函编号二维码"), QStringLiteral("物流订单条码"),
            QStringLiteral("物流订单二维码")}));

    control<QAction>("NAddOptionalItem1")->trigger();
    ASSERT_EQ(grid->rowCount(), 75);
    EXPECT_EQ(grid->currentRow(), 74);
    EXPECT_EQ(grid->item(74, 0)->text(), QStringLiteral("75"));
    EXPECT_EQ(grid->item(74, 1)->text(), QStringLiteral("信函编号条码"));
    // Added once: the entry is off while the table holds the row, and
    // adding it again only goes to its row.
    Q_EMIT menu->aboutToShow();
    EXPECT_FALSE(control<QAction>("NAddOptionalItem1")->isEnabled());
    EXPECT_TRUE(control<QAction>("NAddOptionalItem2")->isEnabled());
    grid->setCurrentCell(3, 2);
    EXPECT_TRUE(w.templateTab()->editor()->addOptionalItem(QStringLiteral("信函编号条码")));
    EXPECT_EQ(grid->rowCount(), 75);
    EXPECT_EQ(grid->currentRow(), 74);
    EXPECT_FALSE(w.templateTab()->editor()->addOptionalItem(QStringLiteral("发货单号条码"))); // not this kind's

    // The print path draws it from the grid, saved or not.
    RecordingCanvas canvas(600);
    canvas.setPrinting(true);
    w.templateTab()->drawForm(canvas, {});
    EXPECT_TRUE(canvas.rects().isEmpty()); // no waybill number yet
    control<QLineEdit>("EdtEmsNo")->setText(QStringLiteral("SF0001"));
    w.templateTab()->drawForm(canvas, {});
    EXPECT_FALSE(canvas.rects().isEmpty());

    control<QPushButton>("BtnSaveM")->click();
    const QStringList lines = setLines(dir, QStringLiteral("默认B6国内信封"));
    ASSERT_EQ(lines.size(), 76);
    EXPECT_EQ(lines.last(), QStringLiteral("75,信函编号条码,打印,150,120,600,100,10,黑体,是,不换行"));
    // The rows before it are the template's own, as they were.
    EXPECT_EQ(lines.at(74), QStringLiteral("74,加急费,不打印,150,120,100,0,10,黑体,是,自动换行"));
    w.templateTab()->loadCurrent(true);
    EXPECT_EQ(grid->rowCount(), 75);

    // A delivery template offers its own.
    ASSERT_TRUE(w.switchToPage(1));
    ASSERT_TRUE(w.switchToPage(3));
    Q_EMIT menu->aboutToShow();
    offered.clear();
    for (QAction *action : control<QMenu>("PopupMenuOptionalItems")->actions())
        offered.append(action->text());
    EXPECT_EQ(offered, (QStringList {QStringLiteral("发货单号条码"), QStringLiteral("发货单号二维码")}));
}
