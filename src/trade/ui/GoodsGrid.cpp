#include "GoodsGrid.h"

#include "context/AppContext.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/GridDelegate.h"
#include "trade/GoodsMaster.h"
#include "trade/TradeNumbers.h"
#include "trade/ui/GoodsPicker.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace Slipdesk {

using namespace GoodsColumn;

namespace {

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isListColumn(int column)
{
    return column == Unit || column == Remark || column == OtherRemark;
}

// Whether `widget` is `outer` or lies inside it, pop-up windows included
// (a combo's drop-down list belongs to the combo).
bool within(const QWidget *outer, const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget())
        if (widget == outer)
            return true;
    return false;
}

QStringList entriesOf(const QString &listText)
{
    QStringList entries;
    for (QStringView line : QStringView(listText).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            entries.append(line.toString());
    }
    return entries;
}

QString listText(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text;
}

// Dragging a row by its number (column 0) to another row: a press on the
// number starts it, the release on another row moves the row there.
class RowDrag : public QObject
{
public:
    RowDrag(QTableWidget *grid, std::function<void(int, int)> moved)
        : QObject(grid->viewport())
        , m_grid(grid)
        , m_moved(std::move(moved))
    {
        grid->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = mouse->position().toPoint();
            if (mouse->button() != Qt::LeftButton || m_grid->columnAt(at.x()) != Number)
                return false;
            m_from = m_grid->rowAt(at.y());
            if (m_from < 0)
                return false;
            m_grid->viewport()->setCursor(Qt::SizeVerCursor);
            return true;
        }
        case QEvent::MouseMove:
            return m_from >= 0;
        case QEvent::MouseButtonRelease: {
            if (m_from < 0)
                return false;
            const int from = m_from;
            m_from = -1;
            m_grid->viewport()->unsetCursor();
            const int y = static_cast<QMouseEvent *>(event)->position().toPoint().y();
            int to = m_grid->rowAt(y);
            if (to < 0)
                to = y < 0 ? 0 : m_grid->rowCount() - 1;
            if (to != from)
                m_moved(from, to);
            return true;
        }
        default:
            return false;
        }
    }

private:
    QTableWidget *m_grid;
    std::function<void(int, int)> m_moved;
    int m_from = -1;
};

} // namespace

GoodsGrid::GoodsGrid(AppContext &context, QTableWidget *grid, GoodsPicker &picker, NoteKind kind, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_grid(grid)
    , m_picker(picker)
    , m_kind(kind)
    , m_delegate(new GridDelegate(grid))
{
    constexpr Qt::Alignment L = Qt::AlignLeft;
    constexpr Qt::Alignment C = Qt::AlignHCenter;
    constexpr Qt::Alignment R = Qt::AlignRight;
    m_delegate->setAlignments({C, L, L, C, C, R, R, L, R, L});
    m_delegate->setFixedColumns(1);
    // The unit and remark columns are chosen in the list editor, the amount
    // is computed, the number is fixed.
    m_delegate->setReadOnlyColumns({Number, Unit, Amount, Remark, OtherRemark});
    m_delegate->setKeyHandler([this](QKeyEvent *event) { return key(event); });
    m_grid->setItemDelegate(m_delegate);
    // An editable cell opens its editor as soon as it is selected.
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked
        | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    connect(m_delegate.data(), &GridDelegate::editorCreated, this, &GoodsGrid::editorCreated);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &GoodsGrid::currentCellChanged);
    connect(m_grid, &QTableWidget::cellClicked, this, [this] { click(); });
    connect(&m_picker, &GoodsPicker::taken, this, [this](QObject *owner, int row) {
        if (owner == this)
            takePickerRow(row);
    });
    connect(qApp, &QApplication::focusChanged, this, &GoodsGrid::focusChanged);

    m_hooks.append(EventHook::on(
        m_grid, QEvent::KeyPress, [this](QEvent *event) { return gridKey(static_cast<QKeyEvent *>(event)); }));
    // While the picker is shown the wheel over the grid does nothing.
    m_hooks.append(
        EventHook::on(m_grid->viewport(), QEvent::Wheel, [this](QEvent *) { return m_picker.isShownFor(this); }));
    m_hooks.append(new RowDrag(m_grid, [this](int from, int to) { moveRow(from, to); }));
    // A list editor over a cell that scrolls away would write into a cell the
    // user no longer sees.
    for (QScrollBar *bar : {m_grid->verticalScrollBar(), m_grid->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            m_picker.hide();
            listEditorLeft();
        });
}

GoodsGrid::~GoodsGrid()
{
    if (m_delegate)
        m_delegate->setKeyHandler({});
    for (const QPointer<QObject> &hook : std::as_const(m_hooks))
        delete hook.data();
}

QStringList GoodsGrid::header(NoteKind kind)
{
    return (kind == NoteKind::Delivery
            ? QStringLiteral("序号,商品编码,商品名称,单位,数量,售价,金额,出库备注,进价,入库备注")
            : QStringLiteral("序号,商品编码,商品名称,单位,数量,进价,金额,入库备注,售价,出库备注"))
        .split(u',');
}

SmallLists::Which GoodsGrid::listOf(int column) const
{
    const bool delivery = m_kind == NoteKind::Delivery;
    switch (column) {
    case Unit:
        return SmallLists::Units;
    case Remark:
        return delivery ? SmallLists::OutboundRemarks : SmallLists::InboundRemarks;
    case OtherRemark:
        return delivery ? SmallLists::InboundRemarks : SmallLists::OutboundRemarks;
    default:
        return SmallLists::Count;
    }
}

// --- Cells ------------------------------------------------------------------------

GoodsRow GoodsGrid::rowAt(int row) const
{
    GoodsRow cells;
    cells.reserve(Count);
    for (int column = 0; column < Count; ++column) {
        const QTableWidgetItem *item = m_grid->item(row, column);
        cells.append(item ? item->text() : QString());
    }
    return cells;
}

void GoodsGrid::writeCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_grid->item(row, column);
    if (!item) {
        if (text.isEmpty())
            return;
        item = new QTableWidgetItem;
        m_grid->setItem(row, column, item);
    }
    if (item->text() != text)
        item->setText(text);
}

void GoodsGrid::writeRow(int row, const GoodsRow &cells)
{
    for (int column = 0; column < Count; ++column)
        writeCell(row, column, cells.value(column));
}

void GoodsGrid::number(int from, int to)
{
    for (int row = from; row <= to && row < m_grid->rowCount(); ++row)
        writeCell(row, Number, QString::number(row + 1));
}

void GoodsGrid::prepare()
{
    const QTableWidgetItem *first = m_grid->horizontalHeaderItem(0);
    if (!first || first->text().isEmpty()) {
        m_grid->setColumnCount(Count);
        m_grid->setHorizontalHeaderLabels(header(m_kind));
    }
    const QTableWidgetItem *one = m_grid->item(0, Number);
    if (!one || one->text().isEmpty())
        number(0, m_grid->rowCount() - 1);
}

GoodsRows GoodsGrid::rows() const
{
    GoodsRows out;
    out.reserve(m_grid->rowCount());
    for (int row = 0; row < m_grid->rowCount(); ++row)
        out.append(rowAt(row));
    return out;
}

void GoodsGrid::setRows(const GoodsRows &rows)
{
    // A note never loses lines to a grid that is too short.
    if (rows.size() > m_grid->rowCount())
        m_grid->setRowCount(int(rows.size()));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        GoodsRow cells = row < rows.size() ? GoodsTable::row(rows.at(row)) : GoodsTable::row({});
        cells[Number] = QString::number(row + 1);
        writeRow(row, cells);
    }
}

void GoodsGrid::clear()
{
    for (int row = 0; row < m_grid->rowCount(); ++row)
        for (int column = Code; column < Count; ++column)
            writeCell(row, column, QString());
    m_grid->setColumnCount(Count);
    m_grid->setHorizontalHeaderLabels(header(m_kind));
    number(0, m_grid->rowCount() - 1);
}

void GoodsGrid::recompute()
{
    GoodsRows all = rows();
    GoodsTable::recompute(all);
    for (int row = 0; row < all.size(); ++row)
        writeRow(row, all.at(row));
    Q_EMIT totalsChanged();
}

GoodsTable::Totals GoodsGrid::totals() const
{
    return GoodsTable::totals(rows());
}

void GoodsGrid::fillFromOrder(const QString &goodsName, const QString &price)
{
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        if (GoodsTable::hasCode(rowAt(row)))
            continue;
        writeCell(row, Name, goodsName);
        writeCell(row, Price, price);
        writeCell(row, Unit, QString());
        writeCell(row, Quantity, QString());
        Q_EMIT totalsChanged();
        return;
    }
}

void GoodsGrid::moveRow(int from, int to)
{
    const int count = m_grid->rowCount();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    GoodsRows all = rows();
    all.move(from, to);
    const int first = std::min(from, to);
    const int last = std::max(from, to);
    for (int row = first; row <= last; ++row) {
        all[row][Number] = QString::number(row + 1);
        writeRow(row, all.at(row));
    }
    click();
}

// --- Leaving cells --------------------------------------------------------------------

void GoodsGrid::currentCellChanged(int row, int column, int previousRow, int previousColumn)
{
    // The view has written the editor's text into the cell left by now.
    if (previousRow >= 0 && previousColumn >= 0)
        leaveCell(previousRow, previousColumn);
    if (row >= 0 && column == Number) {
        // The number column is fixed: the row's code is selected instead.
        m_grid->setCurrentCell(row, Code);
        return;
    }
    click();
}

void GoodsGrid::leaveCell(int row, int column)
{
    if (row < 0 || row >= m_grid->rowCount() || column <= Number || column >= Count)
        return;
    GoodsRow cells = rowAt(row);
    GoodsTable::cellLeft(cells, column);
    writeRow(row, cells);
    Q_EMIT totalsChanged();
}

void GoodsGrid::focusChanged(QWidget *old, QWidget *now)
{
    if (m_listEditor && !m_listEditor->isHidden() && within(m_listEditor, old) && !within(m_listEditor, now))
        listEditorLeft();
    if (!within(m_grid, old) || within(m_grid, now))
        return;
    // Leaving the grid for the picker is still typing in the cell; leaving
    // it for anything else leaves the list behind.
    if (m_picker.isShownFor(this) && !within(m_picker.table(), now))
        m_picker.hide();
    if (!m_picker.isShown())
        leaveCell(m_grid->currentRow(), m_grid->currentColumn());
}

// --- Keys -------------------------------------------------------------------------------

bool GoodsGrid::key(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event->key();
    if (m_picker.isShownFor(this)) {
        switch (key) {
        case Qt::Key_Down:
            m_picker.step(1);
            return true;
        case Qt::Key_Up:
            m_picker.step(-1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_picker.currentRow() < 0) {
                m_picker.hide();
                return true;
            }
            // The picker takes the focus (the typed text goes into the cell),
            // then the row.
            m_picker.table()->setFocus();
            m_picker.take();
            return true;
        case Qt::Key_Escape:
            m_picker.hide();
            return false;
        default:
            return false;
        }
    }
    if (isEnterKey(key)) {
        walk();
        return true;
    }
    return false;
}

bool GoodsGrid::gridKey(QKeyEvent *event)
{
    if (key(event))
        return true;
    // A column without an in-cell editor ignores typing, rather than jumping
    // to a cell that starts with the typed letter.
    const QString text = event->text();
    return m_delegate->isReadOnly(m_grid->currentColumn()) && !text.isEmpty() && text.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

void GoodsGrid::walk()
{
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    if (row < 0)
        return;
    if (column + 1 < m_grid->columnCount())
        m_grid->setCurrentCell(row, column + 1);
    else if (row + 1 < m_grid->rowCount())
        m_grid->setCurrentCell(row + 1, Code);
}

// --- The picker ---------------------------------------------------------------------------

void GoodsGrid::editorCreated(QWidget *editor, const QModelIndex &index)
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    const int row = index.row();
    const int column = index.column();
    m_lastEditText = index.data(Qt::EditRole).toString();
    // The first keystroke should not pay for upper-casing the goods master.
    if (const int field = GoodsSearch::fieldOfColumn(column); field >= 0)
        m_search.prepare(m_context.goods().rows(), field);
    connect(edit, &QLineEdit::textEdited, this,
        [this, row, column](const QString &text) { editTextChanged(row, column, text); });
}

void GoodsGrid::editTextChanged(int row, int column, const QString &text)
{
    if (text == m_lastEditText)
        return;
    m_lastEditText = text;
    const int field = GoodsSearch::fieldOfColumn(column);
    if (field < 0)
        return;
    const GoodsMaster &goods = m_context.goods();
    QList<int> found = m_search.find(goods.rows(), field, text);
    if (found.isEmpty()) {
        m_picker.hide();
        return;
    }
    const QRect cell = m_grid->visualRect(m_grid->model()->index(row, column));
    m_picker.show(goods, m_kind, std::move(found), m_grid->viewport(), cell, this);
}

void GoodsGrid::takePickerRow(int pickerRow)
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    using Field = GoodsMaster::Field;
    const bool delivery = m_kind == NoteKind::Delivery;
    auto text = [&](int field) { return m_picker.text(pickerRow, field); };
    GoodsRow cells = rowAt(row);
    cells[Code] = text(Field::Code);
    cells[Name] = text(Field::Name);
    cells[Unit] = text(Field::Unit);
    cells[Quantity] = QStringLiteral("1");
    cells[Price] = text(delivery ? Field::SalePrice : Field::CostPrice);
    cells[Amount] = cells[Price];
    cells[Remark] = text(delivery ? Field::OutRemark : Field::InRemark);
    cells[OtherPrice] = text(delivery ? Field::CostPrice : Field::SalePrice);
    cells[OtherRemark] = text(delivery ? Field::InRemark : Field::OutRemark);
    writeRow(row, cells);
    m_grid->setFocus();
    click();
    // The row holds a quantity and an amount now: the totals show them at once.
    Q_EMIT totalsChanged();
}

// --- Clicks and the list editor ---------------------------------------------------------------

void GoodsGrid::click()
{
    m_picker.hide();
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    m_delegate->setMarkedRow(row);
    m_grid->viewport()->update();
    // The list editor takes the focus: only from the grid itself, never from
    // the control a tab just focused when it was entered.
    const QWidget *focus = QApplication::focusWidget();
    const bool typing = within(m_grid, focus) || (m_listEditor && within(m_listEditor, focus));
    if (row >= 0 && isListColumn(column) && typing)
        showListEditor(row, column);
    else
        listEditorLeft();
}

void GoodsGrid::hidePopups()
{
    m_picker.hide();
    listEditorLeft();
}

void GoodsGrid::showListEditor(int row, int column)
{
    if (m_listEditor && !m_listEditor->isHidden() && m_listRow == row && m_listColumn == column)
        return;
    listEditorLeft();
    QWidget *area = m_grid->parentWidget();
    if (!area)
        return;
    if (!m_listEditor) {
        m_listEditor = new QComboBox(area);
        m_listEditor->setObjectName(QStringLiteral("GoodsListEditor"));
        m_listEditor->setEditable(true);
        m_listEditor->setInsertPolicy(QComboBox::NoInsert);
        // What is typed goes into the cell as typed; inline completion would
        // turn a new entry that begins like an old one into the old one.
        m_listEditor->setCompleter(nullptr);
        m_listEditor->hide();
        connect(m_listEditor, &QComboBox::editTextChanged, this, &GoodsGrid::listTextChanged);
        // Enter goes on to the next cell as it does in the grid.
        m_hooks.append(EventHook::on(m_listEditor, QEvent::KeyPress, [this](QEvent *event) {
            const auto *press = static_cast<QKeyEvent *>(event);
            if (!isEnterKey(press->key()) || (m_listEditor->view() && m_listEditor->view()->isVisible()))
                return false;
            m_grid->setFocus();
            listEditorLeft();
            walk();
            return true;
        }));
    }
    const QTableWidgetItem *item = m_grid->item(row, column);
    const QString text = item ? item->text() : QString();
    {
        m_fillingList = true;
        m_listEditor->clear();
        m_listEditor->addItems(entriesOf(m_context.smallLists().text[listOf(column)]));
        m_listEditor->setCurrentIndex(text.isEmpty() ? -1 : m_listEditor->findText(text, Qt::MatchExactly));
        m_listEditor->setEditText(text);
        m_fillingList = false;
    }
    m_listRow = row;
    m_listColumn = column;
    const QRect cell = m_grid->visualRect(m_grid->model()->index(row, column));
    const QPoint at = m_grid->viewport()->mapTo(area, cell.topLeft());
    m_listEditor->setGeometry(at.x(), at.y(), cell.width(), m_listEditor->sizeHint().height());
    m_listEditor->raise();
    m_listEditor->show();
    m_listEditor->setFocus();
}

void GoodsGrid::listTextChanged(const QString &text)
{
    if (m_fillingList || m_listRow < 0)
        return;
    writeCell(m_listRow, m_listColumn, text);
}

void GoodsGrid::listEditorLeft()
{
    if (!m_listEditor || m_listEditor->isHidden())
        return;
    // Hiding the focused editor would send the focus on to whatever follows
    // it in the window; the grid takes it back (and this runs again from there).
    if (within(m_listEditor, QApplication::focusWidget()))
        m_grid->setFocus();
    if (m_listEditor->isHidden())
        return;
    const QString entry = TradeNumbers::cleaned(m_listEditor->currentText());
    QStringList entries;
    for (int i = 0; i < m_listEditor->count(); ++i)
        entries.append(m_listEditor->itemText(i));
    if (!entry.isEmpty() && !entries.contains(entry, Qt::CaseInsensitive)) {
        m_fillingList = true;
        m_listEditor->addItem(entry);
        m_fillingList = false;
        entries.append(entry);
        const SmallLists::Which which = listOf(m_listColumn);
        if (which != SmallLists::Count)
            m_context.smallLists().text[which] = listText(entries);
    }
    m_listRow = -1;
    m_listColumn = -1;
    m_listEditor->hide();
}

} // namespace Slipdesk
