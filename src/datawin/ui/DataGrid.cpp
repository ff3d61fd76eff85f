#include "DataGrid.h"

#include "datawin/ColumnFit.h"
#include "datawin/DataTableModel.h"
#include "platform/ui/GridDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Slipdesk {

namespace {
constexpr int kRowHeight = 24;
constexpr int kDefaultColumnWidth = 64;
// The cell an in-cell editor was made for, kept on the editor.
constexpr char kEditedCell[] = "slipdeskEditedCell";
} // namespace

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new DataTableModel(this))
    , m_delegate(new GridDelegate(this))
{
    setModel(m_model);
    m_delegate->setFixedColumns(1);
    m_delegate->setCentredUntilMarked(false);
    setItemDelegate(m_delegate);
    verticalHeader()->hide();
    // Fixed row heights keep a view of 200,000 rows from measuring any row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(kRowHeight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(false);
    connect(m_delegate, &GridDelegate::editorCreated, this, [](QWidget *editor, const QModelIndex &index) {
        editor->setProperty(kEditedCell, QVariant::fromValue(QPersistentModelIndex(index)));
    });
    setCellEditor(true);
    watchModel();
}

void DataGrid::watchModel()
{
    // What changed since the last fit decides how much the next one measures.
    constexpr int kFewRows = 1000;
    const auto rearranged = [this] { m_rowsRearranged = true; };
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        if (to.column() == 0 && from.column() == 0)
            return; // renumbering follows a row change already noted
        if (to.row() - from.row() >= kFewRows) {
            m_rowsRearranged = true;
            return;
        }
        for (int r = from.row(); r <= to.row(); ++r)
            m_changedRows.insert(r);
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (last != m_model->rowCount() - 1 || last - first >= kFewRows) {
            m_rowsRearranged = true;
            return;
        }
        for (int r = first; r <= last; ++r)
            m_changedRows.insert(r);
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, rearranged);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, rearranged);
    connect(m_model, &QAbstractItemModel::modelReset, this, rearranged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, rearranged);
}

void DataGrid::setMarkedRow(int row)
{
    if (m_delegate->markedRow() == row)
        return;
    m_delegate->setMarkedRow(row);
    viewport()->update();
}

int DataGrid::markedRow() const
{
    return m_delegate->markedRow();
}

void DataGrid::setCellEditor(bool on)
{
    m_cellEditor = on;
    // The editor is always shown: moving to a cell opens it, typing goes in.
    setEditTriggers(on ? QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed
                | QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
    if (!on && state() == QAbstractItemView::EditingState) {
        // Leaving the cell keeps what was typed and closes its editor.
        const QModelIndex keep = currentIndex();
        setCurrentIndex(QModelIndex());
        setCurrentIndex(keep);
    }
}

QList<int> DataGrid::columnWidths() const
{
    QList<int> out;
    for (int c = 0; c < m_model->columnCount(); ++c)
        out.append(isColumnHidden(c) ? 0 : columnWidth(c));
    return out;
}

void DataGrid::fitColumns()
{
    if (!m_model->table())
        return;
    const QList<int> widths = m_rowsRearranged || !m_fit.hasFit()
        ? m_fit.fit(*m_model->table(), font(), kDefaultColumnWidth, columnWidths())
        : m_fit.refit(*m_model->table(), font(), kDefaultColumnWidth, columnWidths(), m_changedRows);
    m_rowsRearranged = false;
    m_changedRows.clear();
    for (int c = 0; c < widths.size(); ++c)
        if (widths.at(c) > 0)
            setColumnWidth(c, widths.at(c));
}

void DataGrid::selectCell(int row, int column)
{
    const QModelIndex cell = m_model->index(row, column);
    if (!cell.isValid())
        return;
    setCurrentIndex(cell);
    scrollTo(cell);
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter left over by the cell editor: the editor's own close walks
        // on once it has kept the text.
        if (state() != QAbstractItemView::EditingState)
            Q_EMIT enterPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter in the cell editor keeps the edit and walks on like Enter in
    // the grid; Qt's own move for Enter would not follow the window's walk.
    // Qt closes an editor with the same hint when the current cell moves to
    // another row (a click, an arrow key, the window selecting a cell): the
    // editor's cell is no longer the current one then, and nothing walks on.
    const QPersistentModelIndex edited = editor->property(kEditedCell).value<QPersistentModelIndex>();
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache && edited.isValid() && edited == currentIndex();
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (enter)
        Q_EMIT enterPressed();
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_dragFrom = event->button() == Qt::LeftButton && at.isValid() && at.column() == 0 ? at.row() : -1;
    if (m_dragFrom >= 0)
        viewport()->setCursor(Qt::SizeVerCursor);
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (m_dragFrom < 0)
        return;
    viewport()->unsetCursor();
    const int from = m_dragFrom;
    m_dragFrom = -1;
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at.row() != from)
        Q_EMIT rowDragged(from, at.row());
}

} // namespace Slipdesk
