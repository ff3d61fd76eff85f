#include "support/MainWindowFixture.h"
#include "support/ScriptedFileDialogs.h"

#include "platform/ui/FileDialogService.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"
#include "templates/ui/TemplateEditor.h"
#include "templates/ui/TemplateManager.h"
#include "templates/ui/TemplateTab.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRubberBand>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace Slipdesk;

namespace {

using Kind = ScriptedMessageService::Kind;
using Icon = MessageService::Icon;

class TemplateManagerTest : public MainWindowTest
{
protected:
    Paths paths() const { return Paths(dir.path()); }

    void setList(int kind, const QStringList &names) const
    {
        ProgramSettings settings(paths());
        TemplateList::save(settings, kind, names);
    }
    QStringList order(int kind = ItemTable::Express) const
    {
        return TemplateList::peek(ProgramSettings(paths()), kind);
    }

    // A saved template of `kind` whose first item sits `left` from the edge.
    void saveTemplate(const QString &name, int left, int kind = ItemTable::Express) const
    {
        ItemTable table = ItemTable::builtIn(kind);
        table.setCell(1, 3, QString::number(left));
        table.save(paths().templateSet(name));
        TemplateSettings(paths(), name).setMoveX(QString::number(left));
    }
    QString savedLeft(const QString &name, int kind = ItemTable::Express) const
    {
        return ItemTable::load(paths().templateSet(name), kind).cell(1, 3);
    }

    TForm1 &openTab()
    {
        TForm1 &w = open();
        EXPECT_TRUE(w.switchToPage(3));
        tab = w.templateTab();
        manager = tab->manager();
        list = control<QListWidget>("LBoxModel");
        grid = control<QTableWidget>("SgSet");
        return w;
    }

    QStringList shown() const { return manager->names(); }
    QString selected() const { return list->currentItem() ? list->currentItem()->text() : QString(); }
    void select(int row) const { tab->chooseTemplate(row); }
    const ScriptedMessageService::Call &lastCall() const { return messages.calls().last(); }

    ScriptedFileDialogs files;
    TemplateTab *tab = nullptr;
    TemplateManager *manager = nullptr;
    QListWidget *list = nullptr;
    QTableWidget *grid = nullptr;
};

} // namespace

TEST_F(TemplateManagerTest, AddProposesTheNextNumberAndRefusesUnfitOrTakenNames)
{
    setList(ItemTable::Express, {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    setList(ItemTable::Delivery, {QStringLiteral("发货甲")});
    saveTemplate(QStringLiteral("甲"), 777);
    openTab();
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("777"));

    // Cancelled: nothing changes.
    messages.cancelPrompt();
    tab->ui().N6->trigger();
    EXPECT_EQ(lastCall().kind, Kind::Prompt);
    EXPECT_EQ(lastCall().text, QStringLiteral("请输入新模版名称-【增加模版】"));
    EXPECT_EQ(lastCall().preset, QStringLiteral("信函快递单模版4"));
    EXPECT_EQ(shown().size(), 3);

    // A blank, a forbidden character, a listed name and the name of a
    // template of another kind are all refused.
    for (const QString &unfit : {QStringLiteral("  "), QStringLiteral("新 模版"), QStringLiteral("新.模版"),
             QStringLiteral("乙"), QStringLiteral("发货甲")}) {
        messages.clear();
        messages.answerPrompt(unfit);
        tab->ui().N6->trigger();
        EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("输入的名称不合适")})
            << unfit.toStdString();
        EXPECT_EQ(shown().size(), 3) << unfit.toStdString();
        EXPECT_EQ(selected(), QStringLiteral("甲"));
    }

    messages.clear();
    messages.answerPrompt(QStringLiteral("信函快递单模版4"));
    tab->ui().N6->trigger();
    const QStringList expected {
        QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("信函快递单模版4")};
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(order(), expected);
    EXPECT_EQ(selected(), QStringLiteral("信函快递单模版4"));
    // The new template is loaded: the built-in table, and no file yet.
    EXPECT_EQ(grid->item(0, 3)->text(), ItemTable::builtIn(ItemTable::Express).cell(1, 3));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/信函快递单模版4.SET")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/信函快递单模版4.INI")));
    EXPECT_TRUE(messages.texts(Icon::Warning).isEmpty());

    // The list reaches as far as its widest name in the window's font.
    const QFontMetrics metrics(form->font());
    int widest = 0;
    for (const QString &name : expected)
        widest = std::max(widest, metrics.horizontalAdvance(name));
    EXPECT_EQ(manager->listExtent(), widest + 5);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->sizeHint().width(), widest + 5);
}

TEST_F(TemplateManagerTest, CopyTakesTheUnsavedGridAndTheSettingsButLeavesTheSource)
{
    setList(ItemTable::Express, {QStringLiteral("原件")});
    saveTemplate(QStringLiteral("原件"), 500);
    openTab();
    grid->item(0, 3)->setText(QStringLiteral("1234")); // not saved

    messages.answerPrompt(QStringLiteral("副本"));
    tab->ui().N7->trigger();
    EXPECT_EQ(messages.calls().first().text, QStringLiteral("请输入新模版名称-【复制模版】"));
    EXPECT_EQ(messages.calls().first().preset, QStringLiteral("信函快递单模版2"));

    EXPECT_EQ(savedLeft(QStringLiteral("副本")), QStringLiteral("1234"));
    EXPECT_EQ(savedLeft(QStringLiteral("原件")), QStringLiteral("500"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/副本.INI")), dir.read(QStringLiteral("用户信函模版/原件.INI")));
    EXPECT_EQ(order(), (QStringList {QStringLiteral("原件"), QStringLiteral("副本")}));
    EXPECT_EQ(selected(), QStringLiteral("副本"));
    // The editor keeps what it showed, now the copy's.
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("1234"));
}

TEST_F(TemplateManagerTest, RenameRefusesUnfitNamesAndReplacesAStrayFile)
{
    setList(ItemTable::Express, {QStringLiteral("A"), QStringLiteral("C")});
    saveTemplate(QStringLiteral("A"), 111);
    dir.write(QStringLiteral("用户信函模版/B.SET"), "stray");
    openTab();

    for (const QString &unfit : {QStringLiteral("A"), QStringLiteral("A B"), QStringLiteral("A.B"), QStringLiteral("C"),
             QStringLiteral("出库发货单")}) {
        messages.clear();
        messages.answerPrompt(unfit);
        tab->ui().MReName->trigger();
        EXPECT_EQ(messages.calls().first().text, QStringLiteral("请输入新的模版名称"));
        EXPECT_EQ(messages.calls().first().preset, QStringLiteral("A"));
        EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("不合适的名称")}) << unfit.toStdString();
        EXPECT_EQ(shown(), (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
        EXPECT_TRUE(dir.exists(QStringLiteral("用户信函模版/A.SET")));
    }

    // Cancel says nothing.
    messages.clear();
    messages.cancelPrompt();
    tab->ui().MReName->trigger();
    EXPECT_EQ(messages.calls().size(), 1);

    messages.clear();
    messages.answerPrompt(QStringLiteral("B"));
    tab->ui().MReName->trigger();
    EXPECT_TRUE(messages.texts(Icon::Warning).isEmpty());
    EXPECT_EQ(shown(), (QStringList {QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(order(), (QStringList {QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(selected(), QStringLiteral("B"));
    EXPECT_EQ(savedLeft(QStringLiteral("B")), QStringLiteral("111"));
    EXPECT_TRUE(dir.exists(QStringLiteral("用户信函模版/B.INI")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/A.SET")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/A.INI")));

    // A name wider than the list lets it scroll that far.
    const QString wide = QStringLiteral("一个比模版列表宽得多的模版名称一个比模版列表宽得多的模版名称");
    messages.answerPrompt(wide);
    tab->ui().MReName->trigger();
    EXPECT_EQ(manager->listExtent(), QFontMetrics(form->font()).horizontalAdvance(wide) + 5);
    QCoreApplication::processEvents();
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
}

TEST_F(TemplateManagerTest, DeleteSelectsTheNeighbourAndKeepsAPictureAnotherTemplateNames)
{
    openTab();
    tab->ui().MDeleteM->trigger();
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("至少要保留一个默认的模版")});
    EXPECT_EQ(shown().size(), 1);
    form.reset();

    setList(ItemTable::Express, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    for (const auto &[name, left] : {std::pair {QStringLiteral("A"), 100}, std::pair {QStringLiteral("B"), 200},
             std::pair {QStringLiteral("C"), 300}, std::pair {QStringLiteral("D"), 400}})
        saveTemplate(name, left);
    TemplateSettings(paths(), QStringLiteral("A")).setBackgroundPicture(QStringLiteral("共用.JPG"));
    TemplateSettings(paths(), QStringLiteral("B")).setBackgroundPicture(QStringLiteral("共用.JPG"));
    dir.write(QStringLiteral("用户信函模版/共用.JPG"), "jpeg");
    dir.write(QStringLiteral("用户信函模版/D.JPG"), "jpeg");
    openTab();

    // No keeps everything.
    messages.clear();
    select(3);
    messages.answer(MessageService::Answer::No);
    tab->ui().MDeleteM->trigger();
    EXPECT_EQ(lastCall().kind, Kind::Ask);
    EXPECT_EQ(lastCall().text, QStringLiteral("确实删除该模版？"));
    EXPECT_TRUE(lastCall().defaultNo);
    EXPECT_EQ(shown().size(), 4);
    EXPECT_TRUE(dir.exists(QStringLiteral("用户信函模版/D.SET")));

    // The last entry: the new last one is selected and loaded.
    messages.answer(MessageService::Answer::Yes);
    tab->ui().MDeleteM->trigger();
    const QStringList threeLeft {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    EXPECT_EQ(shown(), threeLeft);
    EXPECT_EQ(order(), threeLeft);
    EXPECT_EQ(selected(), QStringLiteral("C"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("300"));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/D.SET")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/D.INI")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/D.JPG")));

    // An entry in the middle: the one that moves up into its place. The
    // picture B named stays, A still shows it.
    select(1);
    messages.answer(MessageService::Answer::Yes);
    tab->ui().MDeleteM->trigger();
    EXPECT_EQ(shown(), (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(order(), (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(selected(), QStringLiteral("C"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("300"));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/B.SET")));
    EXPECT_TRUE(dir.exists(QStringLiteral("用户信函模版/共用.JPG")));
}

TEST_F(TemplateManagerTest, ExportCopiesTheSavedFilesAndThePictureShown)
{
    setList(ItemTable::Express, {QStringLiteral("A")});
    saveTemplate(QStringLiteral("A"), 100);
    TemplateSettings(paths(), QStringLiteral("A")).setBackgroundPicture(QStringLiteral("A.JPG"));
    dir.write(QStringLiteral("用户信函模版/A.JPG"), "jpeg");
    openTab();
    ASSERT_EQ(control<QLineEdit>("EdtBackPicFile")->text(), paths().templateDir() + QStringLiteral("A.JPG"));

    files.saveAnswer = dir.file(QStringLiteral("外面/导出.Set"));
    tab->ui().NInput->trigger();
    ASSERT_EQ(files.saved.size(), 1);
    EXPECT_EQ(files.saved[0].filter, QStringLiteral("信函快递单模版(*.Set)"));
    EXPECT_EQ(files.saved[0].defaultSuffix, QStringLiteral("Set"));
    EXPECT_EQ(files.saved[0].directory, QStringLiteral("A"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("模版导出完成！"));
    EXPECT_EQ(dir.read(QStringLiteral("外面/导出.SET")), dir.read(QStringLiteral("用户信函模版/A.SET")));
    EXPECT_EQ(dir.read(QStringLiteral("外面/导出.INI")), dir.read(QStringLiteral("用户信函模版/A.INI")));
    EXPECT_EQ(dir.read(QStringLiteral("外面/导出.JPG")), QByteArray("jpeg"));

    // Onto the template's own files: they stay as they are.
    const QByteArray set = dir.read(QStringLiteral("用户信函模版/A.SET"));
    files.saveAnswer = paths().templateDir() + QStringLiteral("A.Set");
    tab->ui().NInput->trigger();
    EXPECT_EQ(messages.lastText(), QStringLiteral("模版导出完成！"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/A.SET")), set);
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/A.JPG")), QByteArray("jpeg"));

    // A template added but never saved has nothing to export.
    messages.answerPrompt(QStringLiteral("新的"));
    tab->ui().N6->trigger();
    files.saveAnswer = dir.file(QStringLiteral("外面/新的.Set"));
    tab->ui().NInput->trigger();
    EXPECT_EQ(lastCall().text, QStringLiteral("当前模版对应的文件不存在！"));
    EXPECT_EQ(lastCall().icon, Icon::Information);
    EXPECT_FALSE(dir.exists(QStringLiteral("外面/新的.SET")));
}

TEST_F(TemplateManagerTest, ImportPutsNewNamesOnTopAndKeepsTheirPlaceWhenReplacing)
{
    setList(ItemTable::Express, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    setList(ItemTable::Delivery, {QStringLiteral("发货单")});
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        saveTemplate(name, 100);
    const Paths outside(dir.file(QStringLiteral("交换")));
    auto exchange = [&](const QString &name, int left, bool withIni) {
        ItemTable table = ItemTable::builtIn(ItemTable::Express);
        table.setCell(1, 3, QString::number(left));
        table.save(dir.file(QStringLiteral("交换/") + name + QStringLiteral(".SET")));
        if (withIni)
            dir.write(QStringLiteral("交换/") + name + QStringLiteral(".INI"), "[打印设备]\r\n");
        return dir.file(QStringLiteral("交换/") + name + QStringLiteral(".SET"));
    };
    openTab();
    select(1);

    // A new name goes on top, selected and loaded.
    files.openAnswer = exchange(QStringLiteral("新 模版.1"), 901, true);
    tab->ui().NOut->trigger();
    ASSERT_EQ(files.opened.size(), 1);
    EXPECT_EQ(files.opened[0].filter, QStringLiteral("信函快递单模版(*.Set)"));
    EXPECT_EQ(lastCall().text, QStringLiteral("模版导入完成！"));
    const QStringList afterNew {
        QStringLiteral("新 模版.1"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    EXPECT_EQ(shown(), afterNew);
    EXPECT_EQ(order(), afterNew);
    EXPECT_EQ(selected(), QStringLiteral("新 模版.1"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("901"));

    // An existing name: No copies nothing, Yes replaces it in its place.
    files.openAnswer = exchange(QStringLiteral("B"), 902, true);
    messages.clear();
    messages.answer(MessageService::Answer::No);
    tab->ui().NOut->trigger();
    EXPECT_EQ(lastCall().text, QStringLiteral("已经有相同名称的模版存在，是否替换？"));
    EXPECT_TRUE(lastCall().defaultNo);
    EXPECT_EQ(savedLeft(QStringLiteral("B")), QStringLiteral("100"));
    messages.answer(MessageService::Answer::Yes);
    tab->ui().NOut->trigger();
    EXPECT_EQ(lastCall().text, QStringLiteral("模版导入完成！"));
    EXPECT_EQ(shown(), afterNew);
    EXPECT_EQ(order(), afterNew);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(savedLeft(QStringLiteral("B")), QStringLiteral("902"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("902"));

    // Without its settings file; under the name of another kind's template.
    messages.clear();
    files.openAnswer = exchange(QStringLiteral("半个"), 903, false);
    tab->ui().NOut->trigger();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("模版文件不全！")});
    EXPECT_EQ(lastCall().icon, Icon::Warning);
    messages.clear();
    files.openAnswer = exchange(QStringLiteral("发货单"), 904, true);
    tab->ui().NOut->trigger();
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_EQ(lastCall().icon, Icon::Warning);
    EXPECT_TRUE(lastCall().text.contains(QStringLiteral("发货单")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/发货单.SET")));
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/半个.SET")));
    EXPECT_EQ(shown(), afterNew);

    // A template's own file picked in the template folder is kept, not
    // copied onto itself.
    const QByteArray own = dir.read(QStringLiteral("用户信函模版/C.SET"));
    files.openAnswer = paths().templateSet(QStringLiteral("C"));
    messages.answer(MessageService::Answer::Yes);
    tab->ui().NOut->trigger();
    EXPECT_EQ(lastCall().text, QStringLiteral("模版导入完成！"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/C.SET")), own);
    EXPECT_EQ(selected(), QStringLiteral("C"));
}

TEST_F(TemplateManagerTest, DroppingAnEntryMovesItAndEveryDragWritesTheOrder)
{
    const QStringList names {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    setList(ItemTable::Express, names);
    saveTemplate(QStringLiteral("D"), 444);
    TForm1 &w = openTab();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    grid->item(0, 3)->setText(QStringLiteral("4321")); // an unsaved edit the drop must keep
    QWidget *viewport = list->viewport();
    const QPoint onC = list->visualItemRect(list->item(2)).center();

    // Data that is not this list's own is not taken.
    QMimeData foreign;
    foreign.setText(QStringLiteral("A"));
    QDragEnterEvent foreignEnter(onC, Qt::MoveAction, &foreign, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &foreignEnter);
    EXPECT_FALSE(foreignEnter.isAccepted());

    std::unique_ptr<QMimeData> data(manager->entryDragData(0));
    QDragEnterEvent enter(onC, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(onC, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_TRUE(manager->dropMark()->isVisible());
    EXPECT_EQ(manager->dropMark()->geometry(), list->visualItemRect(list->item(2)));
    QDropEvent drop(QPointF(onC), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    manager->dragEnded();

    const QStringList moved {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("D")};
    EXPECT_EQ(shown(), moved);
    EXPECT_EQ(order(), moved);
    EXPECT_EQ(selected(), QStringLiteral("A"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("4321"));
    EXPECT_FALSE(manager->dropMark()->isVisible());

    // Upwards, the entries between move down.
    EXPECT_TRUE(manager->moveEntry(3, 0));
    EXPECT_EQ(
        shown(), (QStringList {QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_FALSE(manager->moveEntry(0, 4));

    // A real drag from the list that ends outside it (the offscreen
    // platform ends every drag at once, undropped) writes the order too.
    select(3);
    ASSERT_EQ(selected(), QStringLiteral("A"));
    setList(ItemTable::Express, names);
    const QPoint onFirst = list->visualItemRect(list->item(0)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, onFirst);
    QMouseEvent drag(QEvent::MouseMove, QPointF(onFirst + QPoint(0, 40)), viewport->mapToGlobal(QPointF(onFirst)),
        Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drag);
    EXPECT_EQ(
        order(), (QStringList {QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(shown(), order());
    // The entry the press grabbed is the one the editor shows now.
    EXPECT_EQ(selected(), QStringLiteral("D"));
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("444"));
}

TEST_F(TemplateManagerTest, MenuHidesTheUpgradeWhichAddsOnlyMissingItems)
{
    setList(ItemTable::Express, {QStringLiteral("旧模版")});
    openTab();
    TemplateTabUi &ui = tab->ui();
    ui.N1->setVisible(true);
    ui.NUpdate->setVisible(true);
    Q_EMIT ui.PopupMenu1->aboutToShow();
    EXPECT_FALSE(ui.N1->isVisible());
    EXPECT_FALSE(ui.NUpdate->isVisible());

    // The current table needs nothing.
    ui.NUpdate->trigger();
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("这个模版目前不需要升级！")});
    EXPECT_FALSE(dir.exists(QStringLiteral("用户信函模版/旧模版.SET")));

    // An older table without "保费" and "运费": they come last, in that order.
    for (const QString &item : {QStringLiteral("运费"), QStringLiteral("保费")})
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 1)->text() == item)
                grid->removeRow(r);
    ASSERT_EQ(grid->rowCount(), 72);
    messages.clear();
    ui.NUpdate->trigger();
    EXPECT_EQ(messages.texts(Icon::Information).size(), 1);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("本模版升级完成！\r\n\r\n")));
    ASSERT_EQ(grid->rowCount(), 74);
    EXPECT_EQ(grid->item(72, 1)->text(), QStringLiteral("保费"));
    EXPECT_EQ(grid->item(73, 1)->text(), QStringLiteral("运费"));
    EXPECT_EQ(grid->item(73, 0)->text(), QStringLiteral("74"));
    EXPECT_EQ(grid->item(73, 5)->text(), QStringLiteral("400"));
    EXPECT_EQ(grid->currentRow(), 73);
    const ItemTable saved = ItemTable::load(paths().templateSet(QStringLiteral("旧模版")), ItemTable::Express);
    EXPECT_EQ(saved.rowCount(), 75);
    EXPECT_EQ(saved.cell(74, 1), QStringLiteral("运费"));

    // A delivery table one item short gets the three buyer items appended.
    auto *kindCombo = control<QComboBox>("CmbModelType");
    kindCombo->setCurrentIndex(ItemTable::Delivery);
    Q_EMIT kindCombo->activated(ItemTable::Delivery);
    ASSERT_EQ(grid->rowCount(), 24);
    messages.clear();
    ui.NUpdate->trigger();
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("这个模版目前不需要升级！")});
    grid->removeRow(0);
    messages.clear();
    ui.NUpdate->trigger();
    ASSERT_EQ(grid->rowCount(), 26);
    EXPECT_EQ(grid->item(23, 1)->text(), QStringLiteral("买家手机"));
    EXPECT_EQ(grid->item(24, 1)->text(), QStringLiteral("买家电话"));
    EXPECT_EQ(grid->item(25, 1)->text(), QStringLiteral("收货邮编"));
    EXPECT_EQ(grid->item(25, 3)->text(), QStringLiteral("1800"));

    // The inbound kind never needs one.
    kindCombo->setCurrentIndex(ItemTable::Inbound);
    Q_EMIT kindCombo->activated(ItemTable::Inbound);
    messages.clear();
    ui.NUpdate->trigger();
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("这个模版目前不需要升级！")});
}

// A current table with a barcode row the user added needs no upgrade: the
// row does not count as an item of the kind's set, so nothing is appended
// twice.
TEST_F(TemplateManagerTest, BarcodeRowsDoNotMakeACurrentTableLookOld)
{
    setList(ItemTable::Delivery, {QStringLiteral("发货")});
    openTab();
    auto *kindCombo = control<QComboBox>("CmbModelType");
    kindCombo->setCurrentIndex(ItemTable::Delivery);
    Q_EMIT kindCombo->activated(ItemTable::Delivery);
    ASSERT_EQ(grid->rowCount(), 24);
    ASSERT_TRUE(tab->editor()->addOptionalItem(QStringLiteral("发货单号条码")));
    ASSERT_EQ(grid->rowCount(), 25);
    messages.clear();
    tab->ui().NUpdate->trigger();
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("这个模版目前不需要升级！")});
    EXPECT_EQ(grid->rowCount(), 25);
}
