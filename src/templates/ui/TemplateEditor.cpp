#include "TemplateEditor.h"

#include "platform/ui/EventHook.h"
#include "templates/ItemTable.h"
#include "templates/Offsets.h"
#include "templates/ui/TemplateGrid.h"
#include "templates/ui/TemplateGridDelegate.h"
#include "templates/ui/TemplateTabUi.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace Slipdesk {

namespace {

const QString kPrintSwitch = QStringLiteral("是否打印");
const QString kLeft = QStringLiteral("距左端");
const QString kTop = QStringLiteral("距上端");
const QString kWidth = QStringLiteral("宽度");
const QString kSpacing = QStringLiteral("间距");
const QString kFontSize = QStringLiteral("字号");
const QString kFont = QStringLiteral("字体");
const QString kShrink = QStringLiteral("自动缩小");
const QString kWrap = QStringLiteral("换行方式");
const QString kFallbackFont = QStringLiteral("黑体");

// The number and the item name are fixed: never edited, and the handle by
// which a row is dragged.
constexpr int kFixedColumns = 2;

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool within(const QWidget *widget, const QWidget *ancestor)
{
    return widget && (widget == ancestor || ancestor->isAncestorOf(widget));
}

QStringList comboEntries(const QComboBox *combo)
{
    QStringList entries;
    entries.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        entries.append(combo->itemText(i));
    return entries;
}

} // namespace

TemplateEditor::TemplateEditor(TemplateTabUi &ui, std::function<bool()> tabActive, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_tabActive(std::move(tabActive))
{
    setObjectName(QStringLiteral("TemplateEditor"));
    setupGrid();
    setupOffsets();
    setupOptionalItems();
}

// --- Grid and in-cell editors -------------------------------------------------

void TemplateEditor::setupGrid()
{
    TemplateTabUi &ui = m_ui;
    QTableWidget *grid = ui.SgSet;

    // The cells are edited only through the in-cell editors laid over them.
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_delegate = new TemplateGridDelegate(kFixedColumns, grid);
    grid->setItemDelegate(m_delegate);

    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (m_movingRow || row < 0 || column < 0)
            return;
        // Moving the current cell, by mouse, keys or program, is a click on it.
        selectCell();
        gridClick();
    });
    connect(grid, &QTableWidget::cellClicked, this, [this] { gridClick(); });

    // Enter walks through the grid, from the grid and from its editors; the
    // spin box hands its keys to its line edit first.
    hookEnter(grid);
    hookEnter(ui.SpinEdit1);
    if (auto *edit = ui.SpinEdit1->findChild<QLineEdit *>())
        hookEnter(edit);
    hookEnter(ui.CmbSgSelect);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease})
        EventHook::on(grid->viewport(), type, [this](QEvent *event) { return viewportMouse(event); });

    connect(ui.SpinEdit1, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_settingEditor || !isNumberColumn(currentHeader()))
            return;
        writeCurrentCell(QString::number(value));
    });
    connect(ui.CmbSgSelect, &QComboBox::activated, this, [this](int index) {
        if (m_settingEditor || index < 0)
            return;
        const QString header = currentHeader();
        if (header == kFont || header == kShrink || header == kWrap || header == kPrintSwitch)
            writeCurrentCell(m_ui.CmbSgSelect->itemText(index));
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { editorFocusChanged(now); });
}

QString TemplateEditor::columnHeader(int column) const
{
    const QTableWidgetItem *item = m_ui.SgSet->horizontalHeaderItem(column);
    return item ? item->text() : QString();
}

int TemplateEditor::findColumn(const QString &header) const
{
    const QTableWidget *grid = m_ui.SgSet;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (columnHeader(c) == header)
            return c;
    return -1;
}

QString TemplateEditor::currentHeader() const
{
    const int column = m_ui.SgSet->currentColumn();
    return column < 0 ? QString() : columnHeader(column);
}

bool TemplateEditor::isNumberColumn(const QString &header)
{
    return header == kLeft || header == kTop || header == kWidth || header == kSpacing || header == kFontSize;
}

int TemplateEditor::numberStep(const QString &header)
{
    return (header == kLeft || header == kTop || header == kWidth) ? 10 : 1;
}

QStringList TemplateEditor::fontChoices()
{
    QStringList fonts = QFontDatabase::families();
    // Templates name these Windows fonts; the program maps them onto installed
    // Chinese fonts, so they are always a valid choice.
    fonts << QStringLiteral("黑体") << QStringLiteral("宋体") << QStringLiteral("华文细黑") << QStringLiteral("新宋体");
    fonts.removeDuplicates();
    std::sort(fonts.begin(), fonts.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return fonts;
}

void TemplateEditor::placeOver(QWidget *editor, int row, int column) const
{
    const QTableWidget *grid = m_ui.SgSet;
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    // Mapping through the viewport counts the grid's border and header, so the
    // editor covers the cell exactly.
    const QPoint topLeft = grid->viewport()->mapTo(grid, cell.topLeft()) + grid->pos();
    editor->setGeometry(QRect(topLeft, cell.size()));
}

void TemplateEditor::selectCell()
{
    TemplateTabUi &ui = m_ui;
    QTableWidget *grid = ui.SgSet;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0)
        return;
    const QString header = columnHeader(column);
    const QTableWidgetItem *cell = grid->item(row, column);
    const QString value = cell ? cell->text() : QString();

    if (isNumberColumn(header)) {
        placeOver(ui.SpinEdit1, row, column);
        ui.SpinEdit1->setSingleStep(numberStep(header));
        // Hidden until the click shows it; a focused editor stays up so that
        // walking from number to number keeps the keyboard in it.
        if (!ui.SpinEdit1->hasFocus())
            ui.SpinEdit1->hide();
        if (!ui.CmbSgSelect->hasFocus())
            ui.CmbSgSelect->hide();
        return;
    }

    if (header == kFont)
        showListEditor(fontChoices(), value, kFallbackFont);
    else if (header == kShrink)
        showListEditor({QStringLiteral("是"), QStringLiteral("否")}, value, QString());
    else if (header == kWrap)
        showListEditor({QStringLiteral("自动换行"), QStringLiteral("不换行")}, value, QString());
    else if (header == kPrintSwitch)
        showListEditor({QStringLiteral("打印"), QStringLiteral("不打印")}, value, QString());
    else {
        ui.SpinEdit1->hide();
        ui.CmbSgSelect->hide();
    }
}

void TemplateEditor::showListEditor(const QStringList &entries, const QString &value, const QString &fallback)
{
    TemplateTabUi &ui = m_ui;
    QComboBox *combo = ui.CmbSgSelect;
    m_settingEditor = true;
    // The font list is long: fill it again only when it changed.
    if (comboEntries(combo) != entries) {
        combo->clear();
        combo->addItems(entries);
    }
    int index = combo->findText(value);
    if (index < 0)
        index = fallback.isEmpty() ? 0 : combo->findText(fallback);
    combo->setCurrentIndex(index);
    m_settingEditor = false;

    placeOver(combo, ui.SgSet->currentRow(), ui.SgSet->currentColumn());
    if (m_tabActive()) {
        combo->show();
        combo->raise();
        combo->setFocus(Qt::OtherFocusReason);
    }
    // Hide the number editor only once the list has the focus, so that the
    // focus does not wander through the window on its way.
    ui.SpinEdit1->hide();
    if (!m_tabActive())
        combo->hide();
}

void TemplateEditor::gridClick()
{
    TemplateTabUi &ui = m_ui;
    QTableWidget *grid = ui.SgSet;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0)
        return;
    m_delegate->setMarkedRow(row);
    grid->viewport()->update();

    const QString header = columnHeader(column);
    if (!isNumberColumn(header))
        return;
    const QTableWidgetItem *cell = grid->item(row, column);
    bool ok = false;
    const int value = cell ? cell->text().trimmed().toInt(&ok) : 0;
    // Showing a value is not an edit: a cell that holds no number stays as it
    // is until the user changes the value.
    m_settingEditor = true;
    ui.SpinEdit1->setValue(ok ? value : 0);
    m_settingEditor = false;
    ui.SpinEdit1->setSingleStep(numberStep(header));
    placeOver(ui.SpinEdit1, row, column);
    if (!m_tabActive())
        return;
    ui.SpinEdit1->show();
    ui.SpinEdit1->raise();
    ui.SpinEdit1->setFocus(Qt::OtherFocusReason);
    ui.SpinEdit1->selectAll();
    ui.CmbSgSelect->hide();
}

void TemplateEditor::refreshEditor()
{
    if (!isNumberColumn(currentHeader()))
        return;
    selectCell();
    gridClick();
}

int TemplateEditor::markedRow() const
{
    return m_delegate->markedRow();
}

void TemplateEditor::writeCurrentCell(const QString &text)
{
    QTableWidget *grid = m_ui.SgSet;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0)
        return;
    if (QTableWidgetItem *cell = grid->item(row, column))
        cell->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

void TemplateEditor::editorFocusChanged(QWidget *now)
{
    // Focus going to another window (the preview beside the grid) or to none
    // is not leaving the editor.
    if (!now)
        return;
    TemplateTabUi &ui = m_ui;
    if (now->window() != ui.SgSet->window())
        return;
    if (ui.SpinEdit1->isVisible() && !within(now, ui.SpinEdit1))
        ui.SpinEdit1->hide();
    if (ui.CmbSgSelect->isVisible() && !within(now, ui.CmbSgSelect))
        ui.CmbSgSelect->hide();
}

void TemplateEditor::enterPressed()
{
    QTableWidget *grid = m_ui.SgSet;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0 || grid->rowCount() == 0)
        return;
    const QString header = columnHeader(column);
    if ((header == kPrintSwitch || header == kLeft || header == kTop) && column + 1 < grid->columnCount()) {
        grid->setCurrentCell(row, column + 1);
        return;
    }
    int printColumn = findColumn(kPrintSwitch);
    if (printColumn < 0)
        printColumn = std::min(kFixedColumns, grid->columnCount() - 1);
    grid->setCurrentCell(row + 1 < grid->rowCount() ? row + 1 : 0, printColumn);
}

void TemplateEditor::moveRow(int from, int to)
{
    QTableWidget *grid = m_ui.SgSet;
    if (from < 0 || to < 0 || from >= grid->rowCount() || to >= grid->rowCount() || from == to)
        return;
    const int column = std::max(0, grid->currentColumn());
    m_movingRow = true;
    QList<QTableWidgetItem *> items;
    for (int c = 0; c < grid->columnCount(); ++c)
        items.append(grid->takeItem(from, c));
    grid->removeRow(from);
    grid->insertRow(to);
    for (int c = 0; c < items.size(); ++c)
        if (items.at(c))
            grid->setItem(to, c, items.at(c));
    for (int r = std::min(from, to); r <= std::max(from, to); ++r) {
        if (QTableWidgetItem *number = grid->item(r, 0))
            number->setText(QString::number(r + 1));
        else
            grid->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
    }
    grid->setCurrentCell(to, column);
    m_movingRow = false;
    selectCell();
    gridClick();
}

// --- Optional items ------------------------------------------------------------

void TemplateEditor::setupOptionalItems()
{
    // A sub-menu of "更多功能", before the (hidden) upgrade command: the
    // barcodes a template gains only when the user adds one.
    QMenu *menu = m_ui.PopupMenu1;
    m_optionalItems = new QMenu(QStringLiteral("添加条码项目"), menu);
    m_optionalItems->setObjectName(QStringLiteral("PopupMenuOptionalItems"));
    QAction *separator = new QAction(menu);
    separator->setSeparator(true);
    separator->setObjectName(QStringLiteral("NOptionalItemsSeparator"));
    menu->insertAction(m_ui.N1, separator);
    QAction *entry = m_optionalItems->menuAction();
    entry->setObjectName(QStringLiteral("NAddOptionalItem"));
    menu->insertAction(m_ui.N1, entry);
    connect(menu, &QMenu::aboutToShow, this, [this] { fillOptionalItems(); });
    connect(m_optionalItems, &QMenu::aboutToShow, this, [this] { fillOptionalItems(); });
}

void TemplateEditor::fillOptionalItems()
{
    m_optionalItems->clear();
    const int kind = std::max(0, m_ui.CmbModelType->currentIndex());
    const ItemTable table = TemplateGrid::read(m_ui.SgSet);
    const QStringList names = ItemTable::optionalItems(kind);
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i);
        QAction *action = m_optionalItems->addAction(name);
        action->setObjectName(QStringLiteral("NAddOptionalItem%1").arg(i + 1));
        // An item the table holds already is edited in its row.
        action->setEnabled(table.findItem(name) < 0);
        connect(action, &QAction::triggered, this, [this, name] { addOptionalItem(name); });
    }
    m_optionalItems->menuAction()->setEnabled(!names.isEmpty());
}

bool TemplateEditor::addOptionalItem(const QString &name)
{
    QTableWidget *grid = m_ui.SgSet;
    const int kind = std::max(0, m_ui.CmbModelType->currentIndex());
    ItemTable table = TemplateGrid::read(grid);
    int row = table.findItem(name);
    if (row < 0) {
        QStringList cells = table.optionalRow(kind, name);
        if (cells.isEmpty())
            return false;
        const int number = table.findColumn(QStringLiteral("序号"));
        if (number >= 0)
            cells[number] = QString::number(table.rowCount());
        table.rows().append(cells);
        TemplateGrid::write(grid, table);
        row = table.rowCount() - 1;
    }
    const int printColumn = findColumn(kPrintSwitch);
    grid->setCurrentCell(row - 1, printColumn >= 0 ? printColumn : std::max(0, grid->currentColumn()));
    grid->scrollToItem(grid->item(row - 1, 0));
    return true;
}

// --- Overall offset ------------------------------------------------------------

void TemplateEditor::setupOffsets()
{
    TemplateTabUi &ui = m_ui;
    for (QLineEdit *edit : {ui.EdtMoveX, ui.EdtMoveY}) {
        EventHook::on(
            edit, QEvent::KeyPress, [](QEvent *event) { return !acceptOffsetKey(static_cast<QKeyEvent *>(event)); });
        EventHook::onEvent(edit, QEvent::FocusOut, [edit] { rewriteOffset(edit); });
        // Composed input would bypass the key filter.
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    for (QPushButton *button : {ui.BtnMoveYUp, ui.BtnMoveYDown, ui.BtnMoveXLeft, ui.BtnMoveXRight})
        connect(button, &QPushButton::clicked, this, [this, button] { nudge(button); });
}

bool TemplateEditor::acceptOffsetKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    // Keys that move or delete without typing a character.
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)
        || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo))
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return true; // modifiers and function keys type nothing
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    return c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

void TemplateEditor::rewriteOffset(QLineEdit *edit)
{
    const QString text = QString::number(Offsets::parse(edit->text()).value_or(0));
    if (edit->text() != text)
        edit->setText(text);
}

void TemplateEditor::nudge(QPushButton *button)
{
    TemplateTabUi &ui = m_ui;
    static const int steps[] = {100, 10, 1};
    const int choice = ui.CmbMoveLength->currentIndex();
    const int step = (choice >= 0 && choice < 3) ? steps[choice] : 10;
    const int direction = (button == ui.BtnMoveYUp || button == ui.BtnMoveXLeft) ? -1 : 1;
    QLineEdit *edit = button->objectName().contains(QLatin1Char('Y')) ? ui.EdtMoveY : ui.EdtMoveX;
    edit->setText(QString::number(Offsets::parse(edit->text()).value_or(0) + direction * step));
}

// --- Events --------------------------------------------------------------------

void TemplateEditor::hookEnter(QObject *target)
{
    EventHook::on(target, QEvent::KeyPress, [this](QEvent *event) {
        if (!isEnterKey(event))
            return false;
        enterPressed();
        return true;
    });
}

bool TemplateEditor::viewportMouse(QEvent *event)
{
    QTableWidget *grid = m_ui.SgSet;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = grid->indexAt(mouse->position().toPoint());
        m_dragRow = (mouse->button() == Qt::LeftButton && index.isValid() && index.column() < kFixedColumns)
            ? index.row()
            : -1;
        return false;
    }
    case QEvent::MouseMove:
        if (m_dragRow >= 0 && (static_cast<QMouseEvent *>(event)->buttons() & Qt::LeftButton)) {
            grid->viewport()->setCursor(Qt::SizeVerCursor);
            return true; // dragging a row, not the selection
        }
        return false;
    case QEvent::MouseButtonRelease: {
        if (m_dragRow < 0)
            return false;
        const int from = m_dragRow;
        m_dragRow = -1;
        grid->viewport()->unsetCursor();
        const int to = grid->rowAt(static_cast<QMouseEvent *>(event)->position().toPoint().y());
        if (to >= 0 && to != from)
            moveRow(from, to);
        return false;
    }
    default:
        return false;
    }
}

} // namespace Slipdesk
