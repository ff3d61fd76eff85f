#include "support/MainWindowFixture.h"
#include "support/ScriptedFileDialogs.h"

#include "platform/ui/FileDialogService.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "templates/ui/TemplateEditor.h"
#include "templates/ui/TemplateGridDelegate.h"
#include "templates/ui/TemplateTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace Slipdesk;

namespace {

class TemplateEditorTest : public MainWindowTest
{
protected:
    TForm1 &openEditor()
    {
        TForm1 &w = open();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_TRUE(w.switchToPage(3));
        grid = control<QTableWidget>("SgSet");
        spin = control<QSpinBox>("SpinEdit1");
        list = control<QComboBox>("CmbSgSelect");
        return w;
    }

    int column(const QString &header) const
    {
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->horizontalHeaderItem(c)->text() == header)
                return c;
        ADD_FAILURE() << header.toStdString();
        return -1;
    }

    QString cell(int row, const QString &header) const { return grid->item(row, column(header))->text(); }

    QRect cellRect(int row, int col) const
    {
        const QModelIndex index = grid->model()->index(row, col);
        grid->scrollTo(index);
        return grid->visualRect(index);
    }

    void clickCell(int row, const QString &header)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellRect(row, column(header)).center());
    }

    void pressEnter()
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, Qt::Key_Return);
    }

    // Where the editor must sit: exactly over the cell, in the grid's parent.
    QRect expectedGeometry(int row, const QString &header) const
    {
        const QRect rect = cellRect(row, column(header));
        return QRect(grid->viewport()->mapTo(grid, rect.topLeft()) + grid->pos(), rect.size());
    }

    QTableWidget *grid = nullptr;
    QSpinBox *spin = nullptr;
    QComboBox *list = nullptr;
};

// Row 6 of the built-in express table, "寄件单位地址", is 600 wide.
constexpr int kAddressRow = 5;

} // namespace

TEST_F(TemplateEditorTest, NumberEditorShowsStepsAndWritesTheCell)
{
    openEditor();
    ASSERT_EQ(cell(kAddressRow, QStringLiteral("宽度")), QStringLiteral("600"));

    clickCell(kAddressRow, QStringLiteral("宽度"));
    ASSERT_TRUE(spin->isVisible());
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(spin->value(), 600);
    EXPECT_EQ(spin->geometry(), expectedGeometry(kAddressRow, QStringLiteral("宽度")));
    EXPECT_FALSE(list->isVisible());

    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(cell(kAddressRow, QStringLiteral("宽度")), QStringLiteral("610"));

    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("615"));
    EXPECT_EQ(cell(kAddressRow, QStringLiteral("宽度")), QStringLiteral("615"));

    // 字号 steps by one; a cell that holds no number shows 0 and keeps its
    // text until the value is changed.
    grid->item(kAddressRow, column(QStringLiteral("字号")))->setText(QStringLiteral("大"));
    clickCell(kAddressRow, QStringLiteral("字号"));
    EXPECT_EQ(spin->value(), 0);
    EXPECT_EQ(spin->singleStep(), 1);
    EXPECT_EQ(cell(kAddressRow, QStringLiteral("字号")), QStringLiteral("大"));
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(cell(kAddressRow, QStringLiteral("字号")), QStringLiteral("1"));

    // Leaving the editor hides it.
    control<QLineEdit>("EdtMoveX")->setFocus();
    EXPECT_FALSE(spin->isVisible());
}

TEST_F(TemplateEditorTest, ListEditorsOfferTheirEntriesAndKeepUnknownValues)
{
    openEditor();
    const int fontColumn = column(QStringLiteral("字体"));
    grid->item(2, fontColumn)->setText(QStringLiteral("并未安装的字体"));

    clickCell(2, QStringLiteral("字体"));
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(list->hasFocus());
    EXPECT_FALSE(spin->isVisible());
    EXPECT_EQ(list->currentText(), QStringLiteral("黑体"));
    EXPECT_EQ(cell(2, QStringLiteral("字体")), QStringLiteral("并未安装的字体"));
    EXPECT_EQ(list->geometry(), expectedGeometry(2, QStringLiteral("字体")));
    for (const QString &mapped : {QStringLiteral("宋体"), QStringLiteral("新宋体"), QStringLiteral("华文细黑")})
        EXPECT_GE(list->findText(mapped), 0) << mapped.toStdString();

    // Choosing another font writes it.
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_NE(list->currentText(), QStringLiteral("黑体"));
    EXPECT_EQ(cell(2, QStringLiteral("字体")), list->currentText());

    // "不" is not one of the choices: the first one shows, the cell is kept.
    grid->item(3, column(QStringLiteral("自动缩小")))->setText(QStringLiteral("不"));
    clickCell(3, QStringLiteral("自动缩小"));
    EXPECT_EQ(comboItems(list), (QStringList {QStringLiteral("是"), QStringLiteral("否")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("是"));
    EXPECT_EQ(cell(3, QStringLiteral("自动缩小")), QStringLiteral("不"));

    clickCell(1, QStringLiteral("是否打印"));
    EXPECT_EQ(comboItems(list), (QStringList {QStringLiteral("打印"), QStringLiteral("不打印")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("不打印")); // "始发地"
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(cell(1, QStringLiteral("是否打印")), QStringLiteral("打印"));

    clickCell(1, QStringLiteral("换行方式"));
    EXPECT_EQ(comboItems(list), (QStringList {QStringLiteral("自动换行"), QStringLiteral("不换行")}));
}

TEST_F(TemplateEditorTest, EnterWalksThroughPositionAndWrapsAfterTheLastRow)
{
    openEditor();
    clickCell(3, QStringLiteral("距上端"));
    pressEnter();
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("宽度")));
    ASSERT_TRUE(spin->isVisible());
    EXPECT_EQ(spin->value(), cell(3, QStringLiteral("宽度")).toInt());
    EXPECT_EQ(spin->geometry(), expectedGeometry(3, QStringLiteral("宽度")));

    pressEnter();
    EXPECT_EQ(grid->currentRow(), 4);
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("是否打印")));
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->hasFocus());
    EXPECT_FALSE(spin->isVisible());

    pressEnter();
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("距左端")));
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_FALSE(list->isVisible());
    pressEnter();
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("距上端")));
    EXPECT_EQ(grid->currentRow(), 4);

    // A later column of the last row goes back to the first row.
    const int last = grid->rowCount() - 1;
    clickCell(last, QStringLiteral("宽度"));
    pressEnter();
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("是否打印")));
    clickCell(last, QStringLiteral("换行方式"));
    pressEnter();
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), column(QStringLiteral("是否打印")));
}

TEST_F(TemplateEditorTest, DraggingARowUpRenumbersTheRowsBetween)
{
    TForm1 &w = openEditor();
    QStringList names;
    for (int r = 0; r < 6; ++r)
        names.append(grid->item(r, 1)->text());

    // Table row 5 onto table row 2, by its item name.
    const QPoint from = cellRect(4, 1).center();
    const QPoint to = cellRect(1, 1).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(grid->viewport(), cellRect(3, 1).center());
    QTest::mouseMove(grid->viewport(), to);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);

    const QStringList expected {names[0], names[4], names[1], names[2], names[3], names[5]};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(grid->item(r, 1)->text(), expected[r]) << r;
        EXPECT_EQ(grid->item(r, 0)->text(), QString::number(r + 1)) << r;
    }
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(w.templateTab()->editor()->markedRow(), 1);
    // The moved row keeps its values.
    EXPECT_EQ(cell(1, QStringLiteral("宽度")), QStringLiteral("150")); // "寄件单位区县"

    // Dragging down works the same way; a click on an item name moves nothing.
    w.templateTab()->editor()->moveRow(0, 2);
    EXPECT_EQ(grid->item(2, 1)->text(), names[0]);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(grid->currentRow(), 2);
    clickCell(3, QStringLiteral("打印项目"));
    EXPECT_EQ(grid->item(3, 1)->text(), names[2]);
    EXPECT_EQ(grid->currentRow(), 3);
}

TEST_F(TemplateEditorTest, MarkedRowIsPaintedSkyBlueAndLoneBlanksAreEmptied)
{
    openEditor();
    grid->item(7, column(QStringLiteral("字体")))->setText(QStringLiteral(" "));
    clickCell(2, QStringLiteral("距左端"));
    control<QLineEdit>("EdtMoveX")->setFocus(); // the editor no longer covers the cell

    const QImage image = grid->viewport()->grab().toImage();
    auto colourAt = [&](int row, int col) {
        const QRect rect = cellRect(row, col);
        return QColor(image.pixel(rect.right() - 3, rect.top() + 2));
    };
    const QColor sky = TemplateGridDelegate::highlightColour();
    EXPECT_EQ(sky, QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(colourAt(2, column(QStringLiteral("距左端"))), sky);
    EXPECT_EQ(colourAt(2, column(QStringLiteral("换行方式"))), sky);
    EXPECT_NE(colourAt(2, 0), sky);
    EXPECT_NE(colourAt(3, column(QStringLiteral("距左端"))), sky);

    cellRect(7, column(QStringLiteral("字体")));
    grid->viewport()->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(7, QStringLiteral("字体")), QString());
}

TEST_F(TemplateEditorTest, NudgeButtonsMoveTheOffsetByTheChosenStep)
{
    openEditor();
    auto *x = control<QLineEdit>("EdtMoveX");
    auto *y = control<QLineEdit>("EdtMoveY");
    auto *step = control<QComboBox>("CmbMoveLength");
    ASSERT_EQ(x->text(), QStringLiteral("0"));
    EXPECT_EQ(step->currentText(), QStringLiteral("1毫米"));

    step->setCurrentIndex(0); // 1厘米
    for (int i = 0; i < 3; ++i)
        control<QPushButton>("BtnMoveXLeft")->click();
    EXPECT_EQ(x->text(), QStringLiteral("-300"));
    EXPECT_EQ(y->text(), QStringLiteral("0"));

    step->setCurrentIndex(2); // 0.1毫米
    control<QPushButton>("BtnMoveYDown")->click();
    control<QPushButton>("BtnMoveXRight")->click();
    EXPECT_EQ(y->text(), QStringLiteral("1"));
    EXPECT_EQ(x->text(), QStringLiteral("-299"));
    step->setCurrentIndex(1);
    control<QPushButton>("BtnMoveYUp")->click();
    EXPECT_EQ(y->text(), QStringLiteral("-9"));
}

TEST_F(TemplateEditorTest, OffsetFieldsTakeOnlyDigitsAndMinusAndAreRewrittenWhenLeft)
{
    openEditor();
    auto *x = control<QLineEdit>("EdtMoveX");
    auto *y = control<QLineEdit>("EdtMoveY");
    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("-1a5,"));
    EXPECT_EQ(x->text(), QStringLiteral("-15"));
    QTest::keyClick(x, Qt::Key_A);
    QTest::keyClick(x, Qt::Key_Space);
    EXPECT_EQ(x->text(), QStringLiteral("-15"));
    QTest::keyClick(x, Qt::Key_Backspace);
    EXPECT_EQ(x->text(), QStringLiteral("-1"));

    // Leaving rewrites the text as a whole number.
    for (const auto &[typed, left] : {std::pair {"", "0"}, {"-", "0"}, {"5-", "0"}, {"007", "7"}, {"-12", "-12"}}) {
        x->setFocus();
        x->setText(QString::fromUtf8(typed)); // as a paste would leave it
        y->setFocus();
        EXPECT_EQ(x->text(), QString::fromUtf8(left)) << typed;
    }
}

TEST_F(TemplateEditorTest, SaveOptionsWritesTheExpressTemplateKeys)
{
    openEditor();
    ASSERT_TRUE(form->switchToPage(0));
    const QString name = control<QComboBox>("CmbLetterSelect")->currentText();
    ASSERT_FALSE(name.isEmpty());
    auto *senders = control<QComboBox>("CmbDefJjDw");
    senders->addItems({QStringLiteral("1,甲店,张三"), QStringLiteral("2,乙店,李四")});
    senders->setCurrentIndex(1);
    control<QCheckBox>("ChbFgSjAddress")->setChecked(true);
    control<QCheckBox>("ChbFgJjAddress")->setChecked(false);
    control<QCheckBox>("ChbPrevShowPic")->setChecked(false);
    dir.write(QStringLiteral("用户信函模版/面单.jpg"), "jpeg");
    control<QLineEdit>("EdtBackPicFile")->setText(form->paths().templateDir() + QStringLiteral("面单.jpg"));

    control<QPushButton>("BtnSavePrnSet")->click();

    EXPECT_EQ(messages.lastText(), QStringLiteral("设置保存完成"));
    EXPECT_EQ(messages.calls().last().icon, MessageService::Icon::Information);
    EXPECT_TRUE(control<QComboBox>("CmbSjrMc")->hasFocus());
    const TemplateSettings settings(form->paths(), name);
    EXPECT_EQ(settings.defaultSenderIndex(), 1);
    EXPECT_TRUE(settings.splitRecipientAddress());
    EXPECT_FALSE(settings.splitSenderAddress());
    EXPECT_FALSE(settings.previewShowPicture());
    IniFile ini(form->paths().templateIni(name));
    EXPECT_EQ(ini.readString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径"), QString()),
        QStringLiteral("面单.jpg"));
    // Nothing of the template tab is saved with it.
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/") + name + QStringLiteral(".SET")));

    // The saved picture comes back with the template.
    control<QLineEdit>("EdtBackPicFile")->clear();
    form->templateTab()->loadCurrent(true);
    EXPECT_EQ(control<QLineEdit>("EdtBackPicFile")->text(), form->paths().templateDir() + QStringLiteral("面单.jpg"));
}

TEST_F(TemplateEditorTest, PictureFromOutsideTheTemplateFolderIsGoneAfterTheNextLoad)
{
    ScriptedFileDialogs dialog;
    openEditor();
    ASSERT_TRUE(form->switchToPage(0));
    auto *field = control<QLineEdit>("EdtBackPicFile");
    field->setText(QStringLiteral("旧的"));

    // Cancelled, or a file that is not there: nothing changes.
    control<QPushButton>("BtnPicFile")->click();
    dialog.openAnswer = dir.file(QStringLiteral("扫描/没有.jpg"));
    control<QPushButton>("BtnPicFile")->click();
    EXPECT_EQ(field->text(), QStringLiteral("旧的"));
    ASSERT_EQ(dialog.opened.size(), 2);
    EXPECT_EQ(dialog.opened.first().directory, form->paths().templateDir());
    EXPECT_TRUE(dialog.opened.first().filter.startsWith(QStringLiteral("信函背景图片 (*.jpg *.jpeg")));
    EXPECT_EQ(dialog.opened.first().defaultSuffix, QStringLiteral("jpg"));

    dir.write(QStringLiteral("扫描/面单.jpg"), "jpeg");
    dialog.openAnswer = dir.file(QStringLiteral("扫描/面单.jpg"));
    control<QPushButton>("BtnPicFile")->click();
    const QString chosen = form->paths().templateDir() + QStringLiteral("面单.jpg");
    EXPECT_EQ(field->text(), chosen);
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_TRUE(control<QComboBox>("CmbSjrMc")->hasFocus());

    control<QPushButton>("BtnSavePrnSet")->click();
    form->templateTab()->loadCurrent(true);
    EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(TemplateEditorTest, PreviewPlacementRefreshesTheNumberEditor)
{
    TForm1 &w = openEditor();
    clickCell(kAddressRow, QStringLiteral("距左端"));
    ASSERT_TRUE(spin->isVisible());
    // What the preview's right-button placement does to the current row.
    grid->item(kAddressRow, column(QStringLiteral("距左端")))->setText(QStringLiteral("1234"));
    w.templateTab()->editor()->refreshEditor();
    EXPECT_EQ(spin->value(), 1234);
    EXPECT_TRUE(spin->isVisible());
    EXPECT_EQ(cell(kAddressRow, QStringLiteral("距左端")), QStringLiteral("1234"));
}
