// Editing in the data window: the grid, find and check, delete, save and clear, the list editors.

#include "DataWindowFixture.h"

// ---- the grid ------------------------------------------------------------------------

TEST_F(DataWindowTest, EnterWalksToTheNextCellAndAppendsOnlyInListTables)
{
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    waitActive();
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(current(), QPoint(1, 1));
    // The end of a row walks to the first data cell of the next row.
    moveTo(0, 1);
    pressEnter();
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_EQ(model()->rowCount(), 2);
    pressEnter();
    EXPECT_EQ(model()->rowCount(), 3);
    EXPECT_EQ(current(), QPoint(2, 1));
    EXPECT_EQ(cell(2, 0), QStringLiteral("3"));
    data().close();

    writeLines(expressLog(), {expressLine(QStringLiteral("陈小姐"), QStringLiteral("300"))});
    click("BtnPrnLog");
    waitActive();
    moveTo(0, 34);
    pressEnter();
    EXPECT_EQ(current(), QPoint(0, 35));
    pressEnter();
    EXPECT_EQ(current(), QPoint(0, 35));
    EXPECT_EQ(model()->rowCount(), 1);

    // Onto the status column the walk opens its list; Enter there walks on.
    const int status = column(QStringLiteral("是否作废"));
    moveTo(0, status - 1);
    pressEnter();
    EXPECT_EQ(current(), QPoint(0, status));
    ASSERT_NE(data().statusEditor(), nullptr);
    EXPECT_TRUE(data().statusEditor()->isVisible());
    EXPECT_TRUE(focused(data().statusEditor()));
    QTest::keyClick(data().statusEditor(), Qt::Key_Return);
    EXPECT_EQ(current(), QPoint(0, status + 1));
    EXPECT_FALSE(data().statusEditor()->isVisible());
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, DraggingARowByItsNumberMovesIt)
{
    writeLines(dir.file(AppContext::pickListFile(7)),
        {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    waitActive();
    const QPoint from = grid()->visualRect(model()->index(0, 0)).center();
    const QPoint to = grid()->visualRect(model()->index(2, 0)).center();
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(grid()->viewport(), to);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, to);
    QStringList order;
    for (int row = 0; row < model()->rowCount(); ++row)
        order.append(cell(row, 0) + cell(row, 1));
    EXPECT_EQ(order,
        (QStringList {QStringLiteral("1乙"), QStringLiteral("2丙"), QStringLiteral("3甲"), QStringLiteral("4丁")}));
    EXPECT_EQ(current(), QPoint(2, 1));
    // Only a drag by the number moves rows.
    const QPoint text = grid()->visualRect(model()->index(3, 1)).center();
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, text);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(model()->index(0, 1)).center());
    EXPECT_EQ(cell(3, 1), QStringLiteral("丁"));

    button("BtnSaveSg")->click();
    EXPECT_EQ(lines(dir.file(AppContext::pickListFile(7))),
        (QStringList {QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("甲"), QStringLiteral("丁")}));
}

// Moving to another row while a cell is being edited keeps the edit and
// lands on the cell moved to, whether by key or by mouse.
TEST_F(DataWindowTest, LeavingAnEditedCellForAnotherRowLandsWhereTheUserWent)
{
    writeLines(dir.file(AppContext::pickListFile(7)),
        {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    waitActive();
    typeIntoCell(0, 1, QStringLiteral("采购部"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(cell(0, 1), QStringLiteral("采购部"));
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_EQ(model()->rowCount(), 4);

    typeIntoCell(1, 1, QStringLiteral("财务部"));
    const QRect target = grid()->visualRect(model()->index(3, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_EQ(cell(1, 1), QStringLiteral("财务部"));
    EXPECT_EQ(current(), QPoint(3, 1));
    EXPECT_EQ(model()->rowCount(), 4);
}

TEST_F(DataWindowTest, AddAndInsertPutAnEmptyRowWhereTheyShould)
{
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件称谓"));
    const int rows = model()->rowCount();
    ASSERT_GE(rows, 2);
    const QString first = cell(0, 1);
    moveTo(0, 1);
    button("BtnInsertRow")->click();
    EXPECT_EQ(model()->rowCount(), rows + 1);
    EXPECT_EQ(current(), QPoint(0, 1));
    EXPECT_EQ(cell(0, 1), QString());
    EXPECT_EQ(cell(1, 1), first);
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
    button("BtnAddRow")->click();
    EXPECT_EQ(model()->rowCount(), rows + 2);
    EXPECT_EQ(current(), QPoint(rows + 1, 1));
    EXPECT_EQ(cell(rows + 1, 0), QString::number(rows + 2));
}

// ---- find and check -------------------------------------------------------------------

TEST_F(DataWindowTest, FindSelectsTheMatchingAmountAndAsksToGoOn)
{
    writeLines(WaybillLog::path(paths(), kYear),
        {expressLine(QStringLiteral("陈小姐"), QStringLiteral("300")),
            expressLine(QStringLiteral("李先生"), QStringLiteral("1500")),
            expressLine(QStringLiteral("王女士"), QStringLiteral("20"))});
    start();
    click("BtnPrnLog");
    const int amount = column(QStringLiteral("金额"));
    moveTo(0, amount);
    messages.answerPrompt(QStringLiteral("1,500"));
    messages.answer(Answer::No);
    button("BtnQuerySg")->click();
    ASSERT_EQ(messages.calls().size(), 2);
    EXPECT_EQ(messages.calls().at(0).kind, ScriptedMessageService::Kind::Prompt);
    EXPECT_EQ(messages.calls().at(0).text, QStringLiteral("当前数据列[金额]，请输入要查找的内容"));
    EXPECT_EQ(messages.calls().at(1).text, QStringLiteral("已经找到,是否继续查找？"));
    EXPECT_EQ(current(), QPoint(1, amount));

    // Text columns match what they contain.
    messages.clear();
    const int name = column(QStringLiteral("收件人"));
    moveTo(0, name);
    messages.answerPrompt(QStringLiteral(" 女士 "));
    messages.answer(Answer::Yes);
    button("BtnQuerySg")->click();
    EXPECT_EQ(current(), QPoint(2, name));
    EXPECT_EQ(messages.lastText(), QStringLiteral("查找结束！"));
}

TEST_F(DataWindowTest, CheckAsksForEveryPairOfDuplicates)
{
    writeLines(dir.file(AppContext::pickListFile(7)),
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("A")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    for (int i = 0; i < 3; ++i)
        messages.answer(Answer::Yes);
    button("BtnCheck")->click();
    const QString tail = QStringLiteral("的记录 收件单位部门 数据列存在重复内容！\r\n\r\n是否继续检查？");
    EXPECT_EQ(messages.texts(),
        (QStringList {QStringLiteral("序号为：1和3") + tail, QStringLiteral("序号为：1和4") + tail,
            QStringLiteral("序号为：3和4") + tail}));
    for (const ScriptedMessageService::Call &call : messages.calls()) {
        EXPECT_EQ(call.kind, ScriptedMessageService::Kind::Ask);
        EXPECT_EQ(call.icon, Icon::Warning);
        EXPECT_TRUE(call.defaultNo);
    }

    // A No stops at the pair it shows.
    messages.clear();
    messages.answer(Answer::Yes);
    messages.answer(Answer::No);
    button("BtnCheck")->click();
    EXPECT_EQ(messages.calls().size(), 2);
    EXPECT_EQ(current(), QPoint(0, 1));

    messages.clear();
    model()->setData(model()->index(2, 1), QStringLiteral("C"));
    model()->setData(model()->index(3, 1), QStringLiteral("D"));
    button("BtnCheck")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("[收件单位部门]数据列没有发现重复的内容。")});
}

// ---- delete, save, clear --------------------------------------------------------------

TEST_F(DataWindowTest, DeletingTheOnlyRowAndSavingOffersToDeleteTheFile)
{
    const QString file = dir.file(AppContext::pickListFile(7));
    writeLines(file, {QStringLiteral("采购部")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    messages.answer(Answer::No);
    button("BtnDelRow")->click();
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_EQ(messages.calls().first().text, QStringLiteral("确实删除当前记录？"));
    EXPECT_TRUE(messages.calls().first().defaultNo);
    EXPECT_EQ(cell(0, 1), QStringLiteral("采购部"));

    messages.clear();
    messages.answer(Answer::Yes);
    button("BtnDelRow")->click();
    EXPECT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString());
    EXPECT_EQ(cell(0, 1), QString());

    messages.clear();
    messages.answer(Answer::No);
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("没有数据可保存，是否删除相应文件？")});
    EXPECT_TRUE(messages.calls().first().defaultNo);
    EXPECT_TRUE(QFileInfo::exists(file));

    messages.clear();
    messages.answer(Answer::Yes);
    button("BtnSaveSg")->click();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(messages.calls().size(), 1);
    EXPECT_TRUE(data().isVisible());
}

TEST_F(DataWindowTest, TextStillInTheCellEditorIsSavedAndTheRecipientsReload)
{
    start();
    pick("RzMBtnFromToDw", QStringLiteral("收件单位"));
    waitActive();
    EXPECT_EQ(toInt(data().code()), 3);
    const int rows = model()->rowCount();
    typeIntoCell(0, column(QStringLiteral("收件人")), QStringLiteral("张三丰"));
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
    const QStringList saved = lines(dir.file(AddressBook::recipientFile()));
    ASSERT_EQ(saved.size(), rows);
    EXPECT_EQ(TextTable::field(saved.first(), column(QStringLiteral("收件人")) - 1), QStringLiteral("张三丰"));
    EXPECT_EQ(model()->rowCount(), rows);
    EXPECT_TRUE(comboItems(control<QComboBox>("CmbSjrMc")).contains(QStringLiteral("张三丰")));
}

// A single-row list saved while its only cell is being edited: the save
// closes the editor without walking on (and appending a row).
TEST_F(DataWindowTest, SavingWhileEditingTheLastCellAddsNoRow)
{
    const QString file = dir.file(AppContext::pickListFile(7));
    writeLines(file, {QStringLiteral("采购部")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件部门"));
    waitActive();
    typeIntoCell(0, 1, QStringLiteral("销售部"));
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
    EXPECT_EQ(lines(file), QStringList {QStringLiteral("销售部")});
    EXPECT_EQ(model()->rowCount(), 1);
}

TEST_F(DataWindowTest, ClearAsksThenDeletesTheFileAndCloses)
{
    const QString file = dir.file(AppContext::pickListFile(8));
    writeLines(file, {QStringLiteral("先生"), QStringLiteral("女士")});
    start();
    pick("RzMBtnMoreData", QStringLiteral("收件称谓"));
    messages.answer(Answer::No);
    button("BtnDeleteAll")->click();
    EXPECT_TRUE(data().isVisible());
    EXPECT_TRUE(QFileInfo::exists(file));
    messages.answer(Answer::Yes);
    button("BtnDeleteAll")->click();
    EXPECT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.calls().first().text.startsWith(QStringLiteral("确认全部删除当前数据？")));
    EXPECT_FALSE(data().isVisible());
    EXPECT_FALSE(QFileInfo::exists(file));
}

// ---- the list editors -----------------------------------------------------------------

TEST_F(DataWindowTest, StatusEditorVoidsAndRestoresAWaybill)
{
    writeLines(WaybillLog::path(paths(), kYear), {expressLine(QStringLiteral("陈小姐"), QStringLiteral("300"))});
    start();
    click("BtnPrnLog");
    waitActive();
    const int status = column(QStringLiteral("是否作废"));
    EXPECT_EQ(data().statusEditor(), nullptr);
    moveTo(0, status);
    QComboBox *editor = data().statusEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), QStringLiteral("StatusEditor"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(comboItems(editor), (QStringList {QStringLiteral("作废"), QStringLiteral("取消作废")}));
    EXPECT_EQ(this->editor(), nullptr); // no typing into the cell

    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(cell(0, status), QStringLiteral("作废"));
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(cell(0, status), QString());
    EXPECT_FALSE(editor->isVisible());

    // Chosen by mouse as well, on a click into the cell.
    clickCell(0, status + 1);
    EXPECT_FALSE(editor->isVisible());
    clickCell(0, status);
    ASSERT_TRUE(editor->isVisible());
    editor->setCurrentIndex(0);
    Q_EMIT editor->activated(0);
    EXPECT_EQ(cell(0, status), QStringLiteral("作废"));
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
    EXPECT_EQ(TextTable::field(lines(expressLog()).value(0), status - 1), QStringLiteral("作废"));

    // The save put the editor away; a click on the same cell brings it back.
    EXPECT_FALSE(editor->isVisible());
    clickCell(0, status);
    ASSERT_TRUE(editor->isVisible());
    editor->setCurrentIndex(1);
    Q_EMIT editor->activated(1);
    button("BtnSaveSg")->click();
    EXPECT_EQ(TextTable::field(lines(expressLog()).value(0), status - 1), QString());
    EXPECT_EQ(TextTable::field(lines(expressLog()).value(0), 25), QStringLiteral("300.00"));
}

TEST_F(DataWindowTest, GoodsListColumnsAreChosenFromTheSmallLists)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMBtnOutMoreData", QStringLiteral("商品资料"));
    waitActive();
    EXPECT_EQ(toInt(data().code()), 12);
    QComboBox *list = control<QComboBox>("CmbGoodsSelect");
    EXPECT_FALSE(list->isVisible());
    const int unit = column(QStringLiteral("计量单位"));
    moveTo(0, unit);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(comboItems(list),
        (QStringList {QStringLiteral("件"), QStringLiteral("个"), QStringLiteral("套"), QStringLiteral("台"),
            QStringLiteral("盒"), QStringLiteral("包")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("个"));
    const int box = list->findText(QStringLiteral("盒"));
    list->setCurrentIndex(box);
    Q_EMIT list->activated(box);
    EXPECT_EQ(cell(0, unit), QStringLiteral("盒"));

    const int remark = column(QStringLiteral("出库备注"));
    moveTo(1, remark);
    ASSERT_TRUE(list->isVisible());
    EXPECT_FALSE(comboItems(list).contains(QStringLiteral("盒")));
    moveTo(1, column(QStringLiteral("商品名称")));
    EXPECT_FALSE(list->isVisible());

    // Prices typed plainly are saved plainly and shown grouped again.
    model()->setData(model()->index(0, column(QStringLiteral("售价"))), QStringLiteral("1600"));
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
    EXPECT_EQ(
        lines(dir.file(GoodsMaster::fileName())).first(), QStringLiteral("0101,手机,盒,10,1600,翻盖型,1200.00,示例,0"));
    EXPECT_EQ(cell(0, column(QStringLiteral("售价"))), QStringLiteral("1,600.00"));
}
