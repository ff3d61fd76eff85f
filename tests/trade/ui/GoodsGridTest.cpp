#include "trade/ui/GoodsGrid.h"
#include "context/AppContext.h"
#include "platform/ui/FormBuilder.h"
#include "platform/ui/GridDelegate.h"
#include "render/Amounts.h"
#include "support/TempDir.h"
#include "trade/GoodsMaster.h"
#include "trade/ui/GoodsPicker.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Slipdesk;
using namespace Slipdesk::GoodsColumn;

namespace {

// A goods grid built as the tab builds it, in a window of its own, over the
// sample goods master and the default small lists of a fresh data folder.
class GoodsGridTest : public ::testing::Test
{
protected:
    void open(NoteKind kind)
    {
        context.ensureGoods();
        context.ensureSmallLists();
        window = std::make_unique<QWidget>();
        window->resize(1100, 760);
        auto *layout = new QVBoxLayout(window.get());
        auto *page = new QWidget(window.get());
        auto *pageLayout = new QVBoxLayout(page);
        other = new QLineEdit(page);
        table = new QTableWidget(page);
        pageLayout->addWidget(other);
        pageLayout->addWidget(table, 1);
        layout->addWidget(page);
        const bool delivery = kind == NoteKind::Delivery;
        FormBuilder::makeGrid(table, GoodsGrid::header(kind), delivery ? 30 : 29,
            delivery ? QList<int> {40, 81, 217, 46, 44, 70, 93, 135, 76, 149}
                     : QList<int> {40, 77, 232, 40, 45, 69, 93, 138, 76, 146});
        picker = new GoodsPicker(window.get(), window.get());
        goods = new GoodsGrid(context, table, *picker, kind, window.get());
        goods->prepare();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        table->setFocus();
    }

    static QWidget *focus() { return QApplication::focusWidget(); }

    static void key(QWidget *widget, int code, const QString &text = {})
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &release);
    }
    // Typing into whatever has the focus, a character at a time.
    static void type(const QString &text)
    {
        for (QChar c : text)
            key(focus(), Qt::Key_unknown, QString(c));
    }
    static void enter() { key(focus(), Qt::Key_Return); }

    // Selects a cell as the user does; an editable cell opens its editor.
    void select(int row, int column)
    {
        // Focusing the grid again would close an editor open in it.
        if (!table->isAncestorOf(focus()) && focus() != table)
            table->setFocus();
        table->setCurrentCell(row, column);
    }
    void typeInto(int row, int column, const QString &text)
    {
        select(row, column);
        auto *edit = qobject_cast<QLineEdit *>(focus());
        ASSERT_NE(edit, nullptr) << "no editor in " << row << "," << column;
        edit->selectAll();
        key(edit, Qt::Key_Delete);
        type(text);
    }
    QString cell(int row, int column) const { return goods->rows().at(row).at(column); }
    QStringList cells(int row) const { return goods->rows().at(row).mid(Code); }
    QRect cellRect(int row, int column) const { return table->visualRect(table->model()->index(row, column)); }
    QTableView *view() const { return picker->table(); }

    TempDir dir;
    AppContext context {Paths(dir.path())};
    std::unique_ptr<QWidget> window;
    QLineEdit *other = nullptr;
    QTableWidget *table = nullptr;
    GoodsPicker *picker = nullptr;
    GoodsGrid *goods = nullptr;
};

TEST_F(GoodsGridTest, TypingListsTheMatchingLinesUnderTheCell)
{
    open(NoteKind::Delivery);
    context.goods().append(QStringLiteral("AB12,数据线,根,50,25,,12,"));
    typeInto(0, Code, QStringLiteral("01"));
    ASSERT_TRUE(picker->isShown());
    EXPECT_EQ(view()->objectName(), QStringLiteral("SgQuery"));
    ASSERT_EQ(picker->rowCount(), 2);
    const auto *model = view()->model();
    QStringList header;
    for (int c = 0; c < model->columnCount(); ++c)
        header.append(model->headerData(c, Qt::Horizontal).toString());
    EXPECT_EQ(
        header.join(u','), QStringLiteral("序号,商品编码,商品名称,单位,库存数量,待发数量,售价,出库备注,进价,入库备注"));
    QStringList second;
    for (int c = 0; c < model->columnCount(); ++c)
        second.append(model->index(1, c).data().toString());
    // The sample line has no pending quantity; prices in grouped form.
    EXPECT_EQ(second.join(u','), QStringLiteral("2,0102,电脑,台,10,,3,500.00,宽屏,3,000.00,自己组装机"));
    EXPECT_EQ(picker->currentRow(), 0);
    // Left edge at the cell's left edge, top 1 pixel below the cell.
    const QRect under = cellRect(0, Code);
    const QPoint expected = table->viewport()->mapTo(window.get(), QPoint(under.left(), under.bottom() + 2));
    EXPECT_EQ(view()->geometry().topLeft(), expected);
    // Each column fits its widest text plus 4 pixels.
    const QFontMetrics metrics = view()->fontMetrics();
    EXPECT_EQ(view()->columnWidth(6), metrics.horizontalAdvance(QStringLiteral("3,500.00")) + 4);
    EXPECT_EQ(view()->columnWidth(9), metrics.horizontalAdvance(QStringLiteral("示例数码批发部")) + 4);

    // Only a changed text searches again; the name column searches names.
    typeInto(1, Name, QStringLiteral("电"));
    ASSERT_TRUE(picker->isShown());
    ASSERT_EQ(picker->rowCount(), 1);
    EXPECT_EQ(picker->text(0, GoodsMaster::Name), QStringLiteral("电脑"));
    EXPECT_EQ(view()->model()->index(0, 0).data().toString(), QStringLiteral("2"));
    type(QStringLiteral("视"));
    EXPECT_FALSE(picker->isShown());

    typeInto(2, Code, QStringLiteral("ab"));
    ASSERT_TRUE(picker->isShown());
    EXPECT_EQ(picker->text(0, GoodsMaster::Code), QStringLiteral("AB12"));
    EXPECT_EQ(view()->model()->index(0, 0).data().toString(), QStringLiteral("3"));
    key(focus(), Qt::Key_Backspace);
    key(focus(), Qt::Key_Backspace);
    EXPECT_FALSE(picker->isShown()) << "empty text matches nothing";
}

TEST_F(GoodsGridTest, TakingALineFillsTheRowForEitherTab)
{
    struct Case
    {
        NoteKind kind;
        QString row;
        qint64 amount;
    };
    const Case cases[] = {
        {NoteKind::Delivery, QStringLiteral("0102,电脑,台,1,3,500.00,3,500.00,宽屏,3,000.00,自己组装机"), 350000},
        {NoteKind::Inbound, QStringLiteral("0102,电脑,台,1,3,000.00,3,000.00,自己组装机,3,500.00,宽屏"), 300000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        open(c.kind);
        QSignalSpy totals(goods, &GoodsGrid::totalsChanged);
        typeInto(0, Code, QStringLiteral("0102"));
        ASSERT_EQ(picker->rowCount(), 1);
        enter();
        EXPECT_FALSE(picker->isShown());
        EXPECT_EQ(cells(0).join(u','), c.row);
        EXPECT_TRUE(table->hasFocus() || table->isAncestorOf(focus()));
        EXPECT_GE(totals.count(), 1);
        EXPECT_EQ(goods->totals().amountFen, c.amount);
        EXPECT_EQ(goods->totals().quantity, 1);
    }
}

TEST_F(GoodsGridTest, PickerKeysWheelAndClick)
{
    open(NoteKind::Delivery);
    typeInto(0, Code, QStringLiteral("01"));
    ASSERT_EQ(picker->rowCount(), 2);
    auto *edit = qobject_cast<QLineEdit *>(focus());
    ASSERT_NE(edit, nullptr);
    key(edit, Qt::Key_Down);
    EXPECT_EQ(picker->currentRow(), 1);
    key(edit, Qt::Key_Down);
    EXPECT_EQ(picker->currentRow(), 1);
    key(edit, Qt::Key_Up);
    key(edit, Qt::Key_Up);
    EXPECT_EQ(picker->currentRow(), 0);
    // Left and Right neither move the cell nor the text cursor.
    const int cursor = edit->cursorPosition();
    key(edit, Qt::Key_Left);
    EXPECT_EQ(edit->cursorPosition(), cursor);
    EXPECT_EQ(table->currentColumn(), Code);
    EXPECT_EQ(goods->rows().at(0).at(Name), QString()) << "nothing taken by the keys";

    // The wheel over the picker moves its selection and takes nothing.
    const QPoint inside = view()->visualRect(view()->model()->index(0, 2)).center();
    QWheelEvent down(inside, view()->viewport()->mapToGlobal(inside), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &down);
    EXPECT_EQ(picker->currentRow(), 1);
    EXPECT_TRUE(picker->isShown());
    EXPECT_EQ(cell(0, Name), QString());

    // A click takes the clicked row.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, inside);
    EXPECT_FALSE(picker->isShown());
    EXPECT_EQ(cell(0, Code), QStringLiteral("0101"));
    EXPECT_EQ(cell(0, Price), QStringLiteral("1,500.00"));
    EXPECT_EQ(cell(0, OtherRemark), QStringLiteral("示例数码批发部"));

    // Leaving the grid for another control leaves no list behind.
    typeInto(1, Code, QStringLiteral("01"));
    ASSERT_TRUE(picker->isShown());
    other->setFocus();
    EXPECT_FALSE(picker->isShown());
    EXPECT_EQ(cell(1, Code), QStringLiteral("01"));
}

TEST_F(GoodsGridTest, AmountsAndTotalsFollowTheCellsLeft)
{
    open(NoteKind::Delivery);
    goods->setRows({GoodsTable::row({QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("手机")}),
        GoodsTable::row({QStringLiteral("2"), QStringLiteral("0102"), QStringLiteral("电脑"), QStringLiteral("台"),
            QStringLiteral("1"), QStringLiteral("3,500.00"), QStringLiteral("3,500.00")})});
    QSignalSpy totals(goods, &GoodsGrid::totalsChanged);

    typeInto(0, Quantity, QStringLiteral("2"));
    enter();
    typeInto(0, Price, QStringLiteral("1500"));
    enter();
    EXPECT_EQ(cell(0, Price), QStringLiteral("1,500.00"));
    EXPECT_EQ(cell(0, Amount), QStringLiteral("3,000.00"));
    EXPECT_EQ(goods->totals().quantity, 3);
    EXPECT_EQ(goods->totals().amountFen, 650000);
    EXPECT_GE(totals.count(), 2);

    // The other price is grouped when the grid itself is left.
    typeInto(0, OtherPrice, QStringLiteral("1200"));
    other->setFocus();
    EXPECT_EQ(cell(0, OtherPrice), QStringLiteral("1,200.00"));

    // A quantity that is no number: no amount, and 0 in the totals.
    typeInto(0, Quantity, QStringLiteral("abc"));
    totals.clear();
    enter();
    EXPECT_EQ(cell(0, Amount), QString());
    EXPECT_EQ(goods->totals().quantity, 1);
    EXPECT_EQ(goods->totals().amountFen, 350000);
    EXPECT_EQ(totals.count(), 1);

    // Deleting the code empties the row when it is left.
    typeInto(1, Code, QString());
    totals.clear();
    enter();
    EXPECT_EQ(cells(1), QStringList(9, QString()));
    EXPECT_EQ(cell(1, Number), QStringLiteral("2"));
    EXPECT_EQ(goods->totals().amountFen, 0);
    EXPECT_EQ(totals.count(), 1);
}

TEST_F(GoodsGridTest, EnterWalksTheCellsThroughTheListEditor)
{
    open(NoteKind::Delivery);
    select(0, Code);
    enter();
    EXPECT_EQ(table->currentColumn(), Name);
    enter();
    // The unit is chosen in the list editor, which takes the keys.
    EXPECT_EQ(table->currentColumn(), Unit);
    ASSERT_NE(goods->listEditor(), nullptr);
    EXPECT_TRUE(goods->listEditor()->isAncestorOf(focus()) || goods->listEditor() == focus());
    enter();
    EXPECT_EQ(table->currentColumn(), Quantity);
    EXPECT_TRUE(goods->listEditor()->isHidden());
    // The amount gets no editor.
    select(0, Amount);
    EXPECT_EQ(focus(), table);
    select(0, OtherRemark);
    enter();
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), Code);
    const int last = table->rowCount() - 1;
    select(last, OtherPrice);
    enter();
    enter();
    EXPECT_EQ(table->currentRow(), last);
    EXPECT_EQ(table->currentColumn(), OtherRemark);
}

TEST_F(GoodsGridTest, ListEditorWritesTheCellAndLearnsNewEntries)
{
    open(NoteKind::Delivery);
    goods->setRows(
        {GoodsTable::row({QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("个")})});
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(0, Unit).center());
    QComboBox *list = goods->listEditor();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    const QRect over = cellRect(0, Unit);
    EXPECT_EQ(list->geometry().topLeft(), table->viewport()->mapTo(table->parentWidget(), over.topLeft()));
    EXPECT_EQ(list->width(), over.width());
    EXPECT_EQ(list->currentText(), QStringLiteral("个"));
    EXPECT_EQ(list->count(), 6);

    list->lineEdit()->selectAll();
    type(QStringLiteral("箱"));
    EXPECT_EQ(cell(0, Unit), QStringLiteral("箱")) << "written at once";
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(0, Quantity).center());
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(
        context.smallLists().text[SmallLists::Units], QStringLiteral("件\r\n个\r\n套\r\n台\r\n盒\r\n包\r\n箱\r\n"));

    // Blanks and commas are not part of an entry, and case does not make a new one.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(1, Remark).center());
    EXPECT_EQ(list->count(), 2) << "the outbound remarks";
    list->lineEdit()->selectAll();
    type(QStringLiteral(" Gift, box "));
    other->setFocus();
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(context.smallLists().text[SmallLists::OutboundRemarks],
        QStringLiteral("出库备注1\r\n出库备注2\r\nGiftbox\r\n"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(2, Remark).center());
    type(QStringLiteral("GIFTBOX"));
    other->setFocus();
    EXPECT_EQ(context.smallLists().text[SmallLists::OutboundRemarks],
        QStringLiteral("出库备注1\r\n出库备注2\r\nGiftbox\r\n"));
    EXPECT_EQ(cell(2, Remark), QStringLiteral("GIFTBOX"));

    // Column 9 of the delivery grid holds inbound remarks.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(0, OtherRemark).center());
    EXPECT_EQ(list->itemText(0), QStringLiteral("A供应商"));
    EXPECT_EQ(goods->listOf(Remark), SmallLists::OutboundRemarks);

    // A tab entered runs the click with the focus elsewhere: it stays there.
    other->setFocus();
    EXPECT_TRUE(list->isHidden());
    goods->click();
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(focus(), other);
}

TEST_F(GoodsGridTest, DraggingARowRenumbersTheRowsBetween)
{
    open(NoteKind::Inbound);
    GoodsRows rows;
    for (const char *code : {"A", "B", "C", "D", "E"})
        rows.append(GoodsTable::row({QString(), QString::fromLatin1(code)}));
    goods->setRows(rows);
    const QPoint from = cellRect(1, Number).center();
    const QPoint to = cellRect(3, Number).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(table->viewport(), to);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, to);
    QStringList codes;
    for (int row = 0; row < 5; ++row) {
        codes.append(cell(row, Code));
        EXPECT_EQ(cell(row, Number), QString::number(row + 1));
    }
    EXPECT_EQ(codes.join(u','), QStringLiteral("A,C,D,B,E"));
    goods->moveRow(4, 0);
    EXPECT_EQ(cell(0, Code), QStringLiteral("E"));
    EXPECT_EQ(cell(4, Number), QStringLiteral("5"));
    EXPECT_EQ(cell(4, Code), QStringLiteral("B"));
}

TEST_F(GoodsGridTest, RowsInAndOut)
{
    open(NoteKind::Delivery);
    goods->setRows({GoodsTable::row({QStringLiteral("7"), QStringLiteral("0101"), QStringLiteral("手机")}),
        GoodsTable::row({QStringLiteral("9"), QString(), QStringLiteral("旧")})});
    EXPECT_EQ(cell(0, Number), QStringLiteral("1"));
    EXPECT_EQ(cell(1, Number), QStringLiteral("2"));
    // The order fill takes the first row without a code.
    goods->fillFromOrder(QStringLiteral("耳机"), QStringLiteral("99"));
    EXPECT_EQ(cells(1).join(u','), QStringLiteral(",耳机,,,99,,,,"));
    // A note longer than the grid keeps all its lines.
    goods->setRows(GoodsTable::emptyRows(33));
    EXPECT_EQ(goods->rows().size(), 33);
    goods->clear();
    EXPECT_TRUE(GoodsTable::withCode(goods->rows()).isEmpty());
    EXPECT_EQ(cell(32, Number), QStringLiteral("33"));
    EXPECT_EQ(table->horizontalHeaderItem(5)->text(), QStringLiteral("售价"));
}

TEST_F(GoodsGridTest, PaintsTheClickedRowSkyBlueAndEmptiesBlankCells)
{
    open(NoteKind::Delivery);
    goods->setRows({GoodsTable::row({QString(), QStringLiteral("0101"), QStringLiteral("手机"), QString(), QString(),
        QString(), QString(), QStringLiteral(" ")})});
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect(2, Quantity).center());
    const QImage image = table->viewport()->grab().toImage();
    const QRect marked = cellRect(2, Name);
    const QRect plain = cellRect(3, Name);
    const QPoint inMarked(marked.right() - 3, marked.top() + 3);
    const QPoint inPlain(plain.right() - 3, plain.top() + 3);
    EXPECT_EQ(QColor(image.pixel(inMarked)), GridDelegate::highlightColour());
    EXPECT_NE(QColor(image.pixel(inPlain)), GridDelegate::highlightColour());
    QApplication::processEvents();
    EXPECT_EQ(cell(0, Remark), QString());
    EXPECT_EQ(cell(0, Name), QStringLiteral("手机"));
}

} // namespace
