#include "support/MainWindowFixture.h"

#include "datawin/DataTableModel.h"
#include "datawin/ui/TFRMData.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/TradeLogs.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "trade/ui/InboundTab.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillLog.h"
#include "waybill/ui/ExpressTab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace Slipdesk;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

namespace {

const int kYear = QDate::currentDate().year();

// Log lines as the program writes them; the dates lie in this year, since
// the window opens this year's logs.
QString date(int day)
{
    return QDate(kYear, 1, day).toString(QStringLiteral("yyyy-MM-dd"));
}

// The 32 fields the program logs when it prints a waybill.
QString expressLine(const QString &recipient, const QString &amount)
{
    return QStringLiteral("%1,10:00:00,%1,,SF1234567890,顺丰速运,xiaochen,%2,示例公司,广东省|深圳市|南山区|科技园1号,"
                          "0755-1234,518000,WL001,书籍,1,2,请查收,加急,,,0755-5678,13800000000,chen@example.com,"
                          "chen@example.com,10001,%3,0,,,12,,示例网店")
        .arg(date(2), recipient, amount);
}

QString deliveryLine(const QString &note, const QString &number, const QString &buyer)
{
    return QStringLiteral("%1,10:00:00,%1,%2,%3,顺丰,SF001,%4,xiaochen,13800000000,,"
                          "广东省|深圳市|南山区|科技园1号,518000,1,10.00,1500.00,1510.00,1200.00,300.00,王五,")
        .arg(date(3), note, number, buyer);
}

QString deliveryDetail(const QString &note, const QString &number, const QString &code, int quantity)
{
    return QStringLiteral("%1,%2,%3,%4,商品,个,%5,1500.00,%6,出库,1200.00,入库")
        .arg(note, number, date(3), code, QString::number(quantity), QString::number(quantity * 1500));
}

QString inboundLine(const QString &note, const QString &number)
{
    return QStringLiteral("%1,09:00:00,%1,%2,%3,王五,采购入库,4,4800.00").arg(date(4), note, number);
}

QString inboundDetail(const QString &note, const QString &number, const QString &code, int quantity)
{
    return QStringLiteral("%1,%2,%3,%4,手机,个,%5,1200.00,4800.00,入库,1500.00,出库")
        .arg(note, number, date(4), code, QString::number(quantity));
}

// The data window opened from the main window's tabs.
class DataWindowTest : public MainWindowTest
{
protected:
    DataWindowTest()
    {
        writeLines(dir.file(GoodsMaster::fileName()),
            {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,0"),
                QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机,7")});
    }

    // The main window shown and active, as the user sees it.
    void start()
    {
        open();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    static void writeLines(const QString &path, const QStringList &lines)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Codec::encode(QString(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
    }

    static QStringList lines(const QString &path) { return TextTable::load(path); }

    Paths paths() const { return Paths(dir.path()); }
    QString expressLog() const { return WaybillLog::path(paths(), kYear); }
    QString deliveryTemplate() const { return form->deliveryTab()->templateName(); }
    QString deliveryLog() const { return TradeLogs::logPath(paths(), NoteKind::Delivery, deliveryTemplate(), kYear); }
    QString deliveryDetails() const
    {
        return TradeLogs::detailPath(paths(), NoteKind::Delivery, deliveryTemplate(), kYear);
    }
    QString inboundTemplate() const { return form->inboundTab()->templateName(); }
    QString inboundLog() const { return TradeLogs::logPath(paths(), NoteKind::Inbound, inboundTemplate(), kYear); }
    QString inboundDetails() const
    {
        return TradeLogs::detailPath(paths(), NoteKind::Inbound, inboundTemplate(), kYear);
    }

    // Three notes of the delivery tab's template; the second has 3 + 5 units.
    // The tab shows its template once it was entered.
    void writeDeliveryLogs()
    {
        ASSERT_TRUE(form->switchToPage(1));
        const QString note = deliveryTemplate();
        ASSERT_FALSE(note.isEmpty());
        writeLines(deliveryLog(),
            {deliveryLine(note, QStringLiteral("CK000001"), QStringLiteral("陈小姐")),
                deliveryLine(note, QStringLiteral("CK000002"), QStringLiteral("李先生")),
                deliveryLine(note, QStringLiteral("CK000003"), QStringLiteral("王女士"))});
        writeLines(deliveryDetails(),
            {deliveryDetail(note, QStringLiteral("CK000001"), QStringLiteral("0101"), 1),
                deliveryDetail(note, QStringLiteral("CK000002"), QStringLiteral("0101"), 3),
                deliveryDetail(note, QStringLiteral("CK000002"), QStringLiteral("0102"), 5),
                deliveryDetail(note, QStringLiteral("CK000003"), QStringLiteral("0102"), 2)});
    }

    void writeInboundLogs()
    {
        ASSERT_TRUE(form->switchToPage(2));
        const QString note = inboundTemplate();
        ASSERT_FALSE(note.isEmpty());
        writeLines(inboundLog(), {inboundLine(note, QStringLiteral("RK000001"))});
        writeLines(inboundDetails(), {inboundDetail(note, QStringLiteral("RK000001"), QStringLiteral("0101"), 4)});
    }

    TFRMData &data() const { return *form->dataWindow(); }
    DataGrid *grid() const { return data().ui().SgData; }
    DataTableModel *model() const { return grid()->tableModel(); }
    QPushButton *button(const char *name) const { return data().findChild<QPushButton *>(QLatin1String(name)); }
    int column(const QString &header) const { return model()->table()->findColumn(header); }
    QString cell(int row, int column) const { return model()->index(row, column).data().toString(); }
    QPoint current() const { return {grid()->currentIndex().row(), grid()->currentIndex().column()}; }

    // A menu entry of one of the tabs' menu buttons, as the user picks it.
    void pick(const char *menuButton, const QString &entry)
    {
        QToolButton *b = control<QToolButton>(menuButton);
        ASSERT_TRUE(b && b->menu()) << menuButton;
        for (QAction *action : b->menu()->actions()) {
            if (action->text() == entry) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no entry " << entry.toStdString() << " in " << menuButton;
    }

    // A button of a tab, clicked.
    void click(const char *tabButton)
    {
        QPushButton *b = control<QPushButton>(tabButton);
        ASSERT_TRUE(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    void waitActive()
    {
        if (data().isVisible()) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&data()));
        }
    }

    // The in-cell editor open in the grid, if any.
    QLineEdit *editor() const
    {
        for (QLineEdit *edit : grid()->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    void moveTo(int row, int column) { grid()->setCurrentIndex(model()->index(row, column)); }

    // Enter where the user presses it: in the cell editor when one is open.
    void pressEnter()
    {
        QWidget *target = editor();
        QTest::keyClick(target ? target : static_cast<QWidget *>(grid()), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor's commit is queued
    }

    // Typing into a cell: into its open editor, or into the grid, which
    // opens one with what is typed.
    void typeIntoCell(int row, int column, const QString &text)
    {
        moveTo(row, column);
        if (QLineEdit *edit = editor()) {
            edit->selectAll();
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
        } else {
            QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_unknown, text, Qt::NoModifier);
        }
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(editor()->text(), text);
    }

    void clickCell(int row, int column)
    {
        const QRect box = grid()->visualRect(model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, box.center());
    }

    // Whether `widget` has the keyboard focus. The offscreen platform does
    // not hand the activation back to the main window when the data window
    // closes, as a desktop does: that is done here first.
    static bool focused(QWidget *widget)
    {
        QCoreApplication::processEvents();
        if (!widget)
            return false;
        if (!widget->isActiveWindow()) {
            QApplication::setActiveWindow(widget->window());
            if (!QTest::qWaitForWindowActive(widget->window()))
                return false;
        }
        return QApplication::focusWidget() == widget;
    }

    QString stockOf(const QString &code)
    {
        GoodsMaster &goods = form->context().goods();
        return goods.field(goods.find(code), GoodsMaster::Stock);
    }
    QString stockOnDisk(int line) const
    {
        return TextTable::field(lines(dir.file(GoodsMaster::fileName())).value(line), GoodsMaster::Stock);
    }
    QString text(const char *name) const { return Fields::text(control<QWidget>(name)); }
};

} // namespace

// ---- opening from the tabs ----------------------------------------------------------

TEST_F(DataWindowTest, ExpressLogOpensModalWithItsPathAndLastRowSelected)
{
    start();
    control<QWidget>("EdtSjDwDz")->setFocus();
    click("BtnPrnLog");
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("好像没有打印记录")});
    EXPECT_FALSE(data().isVisible());
    EXPECT_TRUE(focused(control<QWidget>("CmbSjrMc")));

    messages.clear();
    writeLines(expressLog(),
        {expressLine(QStringLiteral("陈小姐"), QStringLiteral("300")),
            expressLine(QStringLiteral("李先生"), QStringLiteral("1500"))});
    click("BtnPrnLog");
    ASSERT_TRUE(data().isVisible());
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(data().code(), 1);
    EXPECT_EQ(data().windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(data().windowTitle(), expressLog());
    EXPECT_EQ(model()->columnCount(), 36);
    EXPECT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, column(QStringLiteral("金额"))), QStringLiteral("1,500.00"));
    EXPECT_FALSE(button("BtnAddRow")->isEnabled());
    EXPECT_FALSE(button("BtnInsertRow")->isEnabled());
    EXPECT_TRUE(button("BtnAgainPrn")->isEnabled());
    EXPECT_TRUE(button("BtnSaveSg")->isEnabled());
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0"));
    EXPECT_EQ(data().ui().PageCData->currentIndex(), int(TFRMDataUi::DataPage));
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_FALSE(data().ui().SGDetail->isVisible());
}

TEST_F(DataWindowTest, DeliveryQueueAndInboundLogLeaveTheMainWindowUsable)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    const QString note = deliveryTemplate();
    writeLines(paths().batchDir() + note + QStringLiteral(".TSK"),
        {note + QStringLiteral(",20260303100000,陈小姐"), note + QStringLiteral(",20260303110000,李先生")});
    writeLines(paths().batchDir() + note + QStringLiteral("发货清单.TSK"),
        {note + QStringLiteral(",20260303100000,0101,手机,个,1,1500.00,1500.00,")});
    writeInboundLogs();

    ASSERT_TRUE(form->switchToPage(1));
    click("BtnInvTskData");
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().code(), 14);
    EXPECT_EQ(data().windowModality(), Qt::NonModal);
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,1"));
    EXPECT_EQ(data().ui().EdtTskEndNo->text(), QStringLiteral("2"));
    EXPECT_TRUE(data().ui().SGDetail->isVisible());

    data().close();
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().code(), 20);
    EXPECT_EQ(data().windowModality(), Qt::NonModal);
    EXPECT_EQ(data().windowTitle(), inboundLog());
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, MenuEntriesOfEveryTabOpenTheirTables)
{
    start();
    writeDeliveryLogs();
    struct Entry
    {
        int page;
        const char *button;
        QString text;
        int code;
    };
    const QList<Entry> entries {
        {0, "RzMBtnFromToDw", QStringLiteral("收件单位"), 3},
        {0, "RzMBtnFromToDw", QStringLiteral("寄件单位"), 5},
        {0, "RzMBtnMoreData", QStringLiteral("收件部门"), 7},
        {0, "RzMBtnMoreData", QStringLiteral("收件称谓"), 8},
        {0, "RzMBtnMoreData", QStringLiteral("收件语"), 9},
        {0, "RzMBtnMoreData", QStringLiteral("信函物品"), 10},
        {0, "RzMBtnMoreData", QStringLiteral("信函留言"), 11},
        {1, "RzMBtnOutMoreData", QStringLiteral("商品资料"), 12},
        {1, "RzMBtnOutMoreData", QStringLiteral("计量单位"), 15},
        {1, "RzMBtnOutMoreData", QStringLiteral("入库备注"), 18},
        {1, "RzMBtnOutMoreData", QStringLiteral("出库备注"), 16},
        {1, "RzMBtnOutMoreData", QStringLiteral("收件单位"), 3},
        {1, "RzMBtnOutMoreData", QStringLiteral("寄件单位"), 5},
        {1, "RzMenuBtnOutQuery", QStringLiteral("打印记录"), 13},
        {1, "RzMenuBtnOutQuery", QStringLiteral("销售统计"), 21},
        {2, "RzMBInput", QStringLiteral("商品资料"), 12},
        {2, "RzMBInput", QStringLiteral("入库类别"), 17},
        {2, "RzMBInput", QStringLiteral("入库备注"), 18},
    };
    for (const Entry &entry : entries) {
        SCOPED_TRACE(entry.text.toStdString());
        ASSERT_TRUE(form->switchToPage(entry.page));
        pick(entry.button, entry.text);
        EXPECT_TRUE(data().isVisible());
        EXPECT_EQ(data().code(), entry.code);
        // Every table but the statistics shows its file as the title.
        if (entry.code != 21) {
            EXPECT_TRUE(QFileInfo(data().windowTitle()).isAbsolute()) << data().windowTitle().toStdString();
        }
        data().close();
    }
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, TradeTablesWithoutFilesAreRefused)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    control<QWidget>("EdtAddress")->setFocus();
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    EXPECT_FALSE(data().isVisible());
    EXPECT_TRUE(focused(control<QWidget>("CmbBuyerName")));
    click("BtnInvTskData");
    pick("RzMenuBtnOutQuery", QStringLiteral("销售统计"));
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(messages.texts(Icon::Warning),
        (QStringList {deliveryTemplate() + QStringLiteral(" 好像没有打印记录"),
            QStringLiteral("没有发现批量打印数据文件"), QStringLiteral("发货清单文件不存在"),
            inboundTemplate() + QStringLiteral(" 好像没有打印记录")}));
    EXPECT_TRUE(focused(control<QWidget>("CmbInputJbr")));
}

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
    EXPECT_EQ(data().code(), 3);
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
    EXPECT_EQ(data().code(), 12);
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

// ---- notes and their goods ------------------------------------------------------------

TEST_F(DataWindowTest, DeliveryLogShowsTheGoodsOfTheSelectedNote)
{
    start();
    writeDeliveryLogs();
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().windowTitle(), deliveryLog());
    DataGrid *detail = data().ui().SGDetail;
    EXPECT_TRUE(detail->isVisible());
    // The last note is selected and its one line shown.
    EXPECT_EQ(detail->model()->rowCount(), 1);
    EXPECT_EQ(detail->model()->index(0, 2).data().toString(), QStringLiteral("CK000003"));

    moveTo(1, 3);
    ASSERT_EQ(detail->model()->rowCount(), 2);
    const DataTable *lines = detail->tableModel()->table();
    const int code = lines->findColumn(QStringLiteral("商品编码"));
    const int quantity = lines->findColumn(QStringLiteral("数量"));
    EXPECT_EQ(detail->model()->index(0, code).data().toString(), QStringLiteral("0101"));
    EXPECT_EQ(detail->model()->index(1, code).data().toString(), QStringLiteral("0102"));
    EXPECT_EQ(detail->model()->index(1, quantity).data().toString(), QStringLiteral("5"));
    EXPECT_EQ(detail->model()->index(1, lines->findColumn(QStringLiteral("金额"))).data().toString(),
        QStringLiteral("7,500.00"));
    // The detail is shown, never edited.
    EXPECT_FALSE(detail->model()->flags(detail->model()->index(0, code)).testFlag(Qt::ItemIsEditable));
}

TEST_F(DataWindowTest, DeletedNoteGivesStockBackOnlyWhenSaved)
{
    start();
    writeDeliveryLogs();
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    messages.answer(Answer::Yes);
    button("BtnDelRow")->click();
    EXPECT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 5), QStringLiteral("CK000003"));
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("15"));
    // The detail now shows the note that took the deleted one's place.
    EXPECT_EQ(data().ui().SGDetail->model()->index(0, 2).data().toString(), QStringLiteral("CK000003"));

    data().close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("10"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("10"));
    EXPECT_EQ(lines(deliveryLog()).size(), 3);
    EXPECT_EQ(lines(deliveryDetails()).size(), 4);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("10"));

    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    messages.answer(Answer::Yes);
    button("BtnDelRow")->click();
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("保存完成！"));
    EXPECT_EQ(lines(deliveryLog()).size(), 2);
    EXPECT_EQ(lines(deliveryDetails()).size(), 2);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("13"));
    EXPECT_EQ(stockOnDisk(1), QStringLiteral("15"));
    data().close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
}

TEST_F(DataWindowTest, SaveOfALogThatGrewOnDiskAsksToReadItAgain)
{
    start();
    writeInboundLogs();
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    ASSERT_EQ(model()->rowCount(), 1);
    model()->setData(model()->index(0, column(QStringLiteral("经办人"))), QStringLiteral("赵六"));

    // A note posted while the window stays open beside the main window.
    const QString added = inboundLine(inboundTemplate(), QStringLiteral("RK000002"));
    const qint64 size = QFileInfo(inboundLog()).size();
    TextTable::appendRow(inboundLog(), added);
    ASSERT_NE(QFileInfo(inboundLog()).size(), size);

    messages.answer(Answer::No);
    button("BtnSaveSg")->click();
    ASSERT_EQ(messages.calls().size(), 1);
    const ScriptedMessageService::Call &asked = messages.calls().first();
    EXPECT_EQ(asked.kind, ScriptedMessageService::Kind::Ask);
    EXPECT_EQ(asked.icon, Icon::Warning);
    EXPECT_TRUE(asked.text.contains(inboundLog())) << asked.text.toStdString();
    EXPECT_TRUE(asked.text.contains(QStringLiteral("是否重新读入文件？")));
    EXPECT_EQ(lines(inboundLog()), (QStringList {inboundLine(inboundTemplate(), QStringLiteral("RK000001")), added}));
    EXPECT_EQ(model()->rowCount(), 1);

    messages.clear();
    messages.answer(Answer::Yes);
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.calls().size(), 1);
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, column(QStringLiteral("入库单号"))), QStringLiteral("RK000002"));
    EXPECT_EQ(cell(0, column(QStringLiteral("经办人"))), QStringLiteral("王五"));
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_EQ(lines(inboundLog()).size(), 2);

    // Read again, the table saves.
    messages.clear();
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
}

// ---- reprint --------------------------------------------------------------------------

TEST_F(DataWindowTest, ReprintOfAWaybillFillsTheExpressTabAndCloses)
{
    writeLines(WaybillLog::path(paths(), kYear),
        {expressLine(QStringLiteral("陈小姐"), QStringLiteral("1500")),
            expressLine(QStringLiteral("李先生"), QStringLiteral("300"))});
    start();
    control<QWidget>("EdtSjDwDz")->setFocus();
    click("BtnPrnLog");
    moveTo(0, 3);
    button("BtnAgainPrn")->click();
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(text("EdtSjDwSs"), QStringLiteral("广东省"));
    EXPECT_EQ(text("EdtSjDwDs"), QStringLiteral("深圳市"));
    EXPECT_EQ(text("EdtTo"), QStringLiteral("深圳市"));
    EXPECT_EQ(text("EdtSjDwQx"), QStringLiteral("南山区"));
    EXPECT_EQ(text("EdtSjDwDz"), QStringLiteral("科技园1号"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("陈小姐"));
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("示例公司"));
    EXPECT_EQ(text("EdtSjrMobile"), QStringLiteral("13800000000"));
    EXPECT_EQ(text("EdtWpJe"), QStringLiteral("1,500.00"));
    EXPECT_TRUE(focused(control<QWidget>("CmbSjrMc")));
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, ReprintOfADeliveryNoteFillsTheBuyerAndTheGoodsGrid)
{
    start();
    writeDeliveryLogs();
    control<QWidget>("EdtAddress")->setFocus();
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    button("BtnAgainPrn")->click();
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(text("CmbBuyerName"), QStringLiteral("李先生"));
    EXPECT_EQ(text("CmbBuyerWW"), QStringLiteral("xiaochen"));
    EXPECT_EQ(text("EdtAddSs"), QStringLiteral("广东省"));
    EXPECT_EQ(text("EdtAddQx"), QStringLiteral("南山区"));
    EXPECT_EQ(text("EdtAddress"), QStringLiteral("科技园1号"));
    QTableWidget *goods = control<QTableWidget>("SGGoods");
    ASSERT_GE(goods->rowCount(), 3);
    auto at = [goods](int row, int column) {
        const QTableWidgetItem *item = goods->item(row, column);
        return item ? item->text() : QString();
    };
    EXPECT_EQ(at(0, GoodsColumn::Code), QStringLiteral("0101"));
    EXPECT_EQ(at(0, GoodsColumn::Quantity), QStringLiteral("3"));
    EXPECT_EQ(at(1, GoodsColumn::Code), QStringLiteral("0102"));
    EXPECT_EQ(at(1, GoodsColumn::Quantity), QStringLiteral("5"));
    EXPECT_EQ(at(1, GoodsColumn::Amount), QStringLiteral("7,500.00"));
    EXPECT_EQ(at(2, GoodsColumn::Code), QString());
    EXPECT_TRUE(focused(control<QWidget>("CmbBuyerName")));
}

// ---- statistics -----------------------------------------------------------------------

TEST_F(DataWindowTest, SalesStatisticsSumTheLinesOfTheRange)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    const QString note = deliveryTemplate();
    writeLines(deliveryDetails(), {deliveryDetail(note, QStringLiteral("CK000001"), QStringLiteral("0101"), 2)});
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("销售统计"));
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().windowTitle(), QStringLiteral("查询统计"));
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,2"));
    EXPECT_EQ(data().ui().PageCData->currentIndex(), int(TFRMDataUi::QueryPage));
    EXPECT_FALSE(button("BtnSaveSg")->isEnabled());
    EXPECT_EQ(data().ui().DtpGroupStart->date(), QDate::currentDate());

    data().ui().DtpGroupStart->setDate(QDate(kYear, 1, 4));
    data().ui().DtpGroupEnd->setDate(QDate(kYear, 1, 31));
    QTest::mouseClick(data().ui().BtnGroupQuery, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("没有符合条件的记录")});
    EXPECT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString());

    data().ui().DtpGroupStart->setDate(QDate(kYear, 1, 1));
    QTest::mouseClick(data().ui().BtnGroupQuery, Qt::LeftButton);
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(model()->columnCount(), 8);
    EXPECT_EQ(cell(0, 1), QStringLiteral("0101"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("合计"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("3,000.00"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("2,400.00"));
    EXPECT_EQ(cell(1, 7), QStringLiteral("600.00"));
    EXPECT_EQ(messages.calls().size(), 1);
}

// ---- batch printing -------------------------------------------------------------------

TEST_F(DataWindowTest, BatchPageChecksTheRangeAndHandsTheRowsOn)
{
    QStringList rows;
    for (int i = 1; i <= 7; ++i)
        rows.append(QStringLiteral("%1,收件人%1").arg(i));
    writeLines(paths().batchDir() + QStringLiteral("快递批量打印数据.txt"), rows);
    start();
    click("BtnTskData");
    ASSERT_TRUE(data().isVisible());
    TFRMDataUi &u = data().ui();
    EXPECT_EQ(data().code(), 2);
    EXPECT_EQ(u.EdtTskStartNo->text(), QStringLiteral("1"));
    EXPECT_EQ(u.EdtTskEndNo->text(), QStringLiteral("7"));
    EXPECT_EQ(u.PageCData->currentIndex(), int(TFRMDataUi::BatchPage));
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,1"));
    waitActive();

    QSignalSpy started(&data(), &TFRMData::batchStartRequested);
    u.EdtTskStartNo->setText(QStringLiteral("3"));
    u.EdtTskEndNo->setText(QStringLiteral("2"));
    QTest::mouseClick(u.BtnStartTsk, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("输入的序号有误！")});
    EXPECT_TRUE(focused(u.EdtTskStartNo));
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(data().isVisible());

    u.EdtTskEndNo->setText(QStringLiteral("6"));
    u.ChbContinuePrint->setChecked(true);
    QTest::mouseClick(u.BtnStartTsk, Qt::LeftButton);
    ASSERT_EQ(started.count(), 1);
    const BatchStart start = started.first().first().value<BatchStart>();
    EXPECT_EQ(start.code, 2);
    EXPECT_EQ(start.start, 3);
    EXPECT_EQ(start.end, 6);
    EXPECT_TRUE(start.continuous);
    EXPECT_EQ(start.table.rowCount(), 7);
    EXPECT_EQ(start.table.cell(2, 2), QStringLiteral("收件人3"));
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(messages.calls().size(), 1);
}

// ---- closing --------------------------------------------------------------------------

TEST_F(DataWindowTest, ClosingFocusesTheFirstEntryOfTheActivePage)
{
    start();
    const QList<std::pair<int, const char *>> pages {{0, "CmbSjrMc"}, {1, "CmbBuyerName"}, {2, "CmbInputJbr"}};
    for (const auto &[page, first] : pages) {
        SCOPED_TRACE(first);
        ASSERT_TRUE(form->switchToPage(page));
        control<QWidget>(page == 0 ? "EdtSjDwDz" : page == 1 ? "EdtAddress" : "EdtInputNo")->setFocus();
        pick(page == 0      ? "RzMBtnFromToDw"
                : page == 1 ? "RzMBtnOutMoreData"
                            : "RzMBInput",
            page == 0 ? QStringLiteral("收件单位") : QStringLiteral("寄件单位"));
        ASSERT_TRUE(data().isVisible());
        waitActive();
        QTest::keyClick(&data(), Qt::Key_Escape);
        EXPECT_FALSE(data().isVisible());
        EXPECT_TRUE(focused(control<QWidget>(first)));
    }
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

// The inbound log stays open beside the main window: ending the program
// with it open closes it without touching its freed rows.
TEST_F(DataWindowTest, AWindowLeftOpenWhenTheProgramEndsGoesQuietly)
{
    start();
    writeInboundLogs();
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    form->close();
    form.reset();
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}
