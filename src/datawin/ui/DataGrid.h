#pragma once

#include "datawin/ColumnFit.h"

#include <QTableView>

namespace Slipdesk {

class DataTableModel;
class GridDelegate;

// A grid of the data window ("SgData", "SGDetail"): a table view over a
// DataTableModel with fixed rows of 24 pixels, the number column drawn
// fixed, the row last clicked marked, Enter reported to the window, and rows
// dragged by their number to another place.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    DataTableModel *tableModel() const { return m_model; }
    GridDelegate *delegate() const { return m_delegate; }

    // The row painted sky blue; -1 for none.
    void setMarkedRow(int row);
    int markedRow() const;

    // Typing into the current cell on or off ("the cell editor").
    void setCellEditor(bool on);
    bool cellEditor() const { return m_cellEditor; }

    // The widths the columns fit to (see ColumnFit). After only a few cells
    // changed since the last fit, only those are measured again.
    void fitColumns();
    QList<int> columnWidths() const;

    // Selects a cell and makes it current, as a click does.
    void selectCell(int row, int column);

Q_SIGNALS:
    // Enter in the grid or in its cell editor (after the edit is kept).
    void enterPressed();
    // A row was dragged by its number from `from` onto `to`.
    void rowDragged(int from, int to);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    DataTableModel *m_model;
    GridDelegate *m_delegate;
    void watchModel();

    bool m_cellEditor = true;
    ColumnFit m_fit;
    QSet<int> m_changedRows; // since the last fit
    bool m_rowsRearranged = true; // rows inserted, removed or moved: a full fit
    int m_dragFrom = -1;
};

} // namespace Slipdesk
