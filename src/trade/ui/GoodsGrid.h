#pragma once

#include "trade/GoodsSearch.h"
#include "trade/GoodsTable.h"
#include "trade/SmallLists.h"
#include "trade/TradeNote.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QComboBox;
class QKeyEvent;
class QModelIndex;
class QTableWidget;
class QWidget;

namespace Slipdesk {

class AppContext;
class GridDelegate;
class GoodsPicker;

// A goods grid of a trade tab ("SGGoods" on the delivery tab, "SgInput" on
// the inbound tab). Both share their behaviour and differ, by `kind`, in the
// order of their price and remark columns:
// - typing a code or a name lists the matching goods lines in the picker,
//   and a line taken from it fills the row;
// - the unit and remark columns are chosen in a list editor over the cell
//   whose new entries join the small lists;
// - amounts and totals follow every cell left;
// - rows are dragged by their number to another place.
class GoodsGrid : public QObject
{
    Q_OBJECT
public:
    GoodsGrid(AppContext &context, QTableWidget *grid, GoodsPicker &picker, NoteKind kind, QObject *parent);
    ~GoodsGrid() override;

    QTableWidget *grid() const { return m_grid; }
    NoteKind kind() const { return m_kind; }
    static QStringList header(NoteKind kind);

    // Entering the tab: the header row when the grid has none yet, and the
    // row numbers 1, 2, 3 … when the first row has none.
    void prepare();
    // Every grid row, GoodsColumn::Count cells each.
    GoodsRows rows() const;
    // Rows 1 … from `rows` (a batch, a reprint), the rest emptied, every row
    // numbered by its position. The grid grows when `rows` are more.
    void setRows(const GoodsRows &rows);
    // Columns 1–9 of every row emptied, the header set again, renumbered.
    void clear();
    // Every row's amount, then the totals (totalsChanged).
    void recompute();
    GoodsTable::Totals totals() const;
    // A copied order: the goods name into column 2 and the price into
    // column 5 of the first row without a code, its unit and quantity emptied.
    void fillFromOrder(const QString &goodsName, const QString &price);
    // The grid's click: hides the pickers, remembers the current cell (its
    // row is painted marked) and shows the list editor on a unit or remark
    // cell, when the grid has the focus.
    void click();
    void hidePopups();
    // Moves row `from` to `to`, the rows between renumbered, as dragging a
    // row by its number does.
    void moveRow(int from, int to);

    // The list editor over a unit or remark cell; null before its first use.
    QComboBox *listEditor() const { return m_listEditor.data(); }
    // The small list that feeds the list editor in `column` (3, 7, 9); Count
    // for the other columns.
    SmallLists::Which listOf(int column) const;

Q_SIGNALS:
    // After every amount and totals computation.
    void totalsChanged();

private:
    GoodsRow rowAt(int row) const;
    void writeCell(int row, int column, const QString &text);
    void writeRow(int row, const GoodsRow &cells);
    void number(int from, int to);

    void currentCellChanged(int row, int column, int previousRow, int previousColumn);
    void leaveCell(int row, int column);
    void focusChanged(QWidget *old, QWidget *now);
    bool key(QKeyEvent *event);
    bool gridKey(QKeyEvent *event);
    void walk();

    void editorCreated(QWidget *editor, const QModelIndex &index);
    void editTextChanged(int row, int column, const QString &text);
    void takePickerRow(int pickerRow);

    void showListEditor(int row, int column);
    void listEditorLeft();
    void listTextChanged(const QString &text);

    AppContext &m_context;
    QTableWidget *m_grid;
    GoodsPicker &m_picker;
    NoteKind m_kind;
    // Both belong to the grid's widgets, which may go first.
    QPointer<GridDelegate> m_delegate;
    GoodsSearch m_search;
    // The editor's text as last seen: the picker looks only at new texts.
    QString m_lastEditText;

    QPointer<QComboBox> m_listEditor;
    int m_listRow = -1;
    int m_listColumn = -1;
    bool m_fillingList = false;

    // Event hooks on widgets this object does not own, removed with it.
    QList<QPointer<QObject>> m_hooks;
};

} // namespace Slipdesk
