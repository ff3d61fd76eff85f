#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

class QComboBox;
class QModelIndex;

namespace Slipdesk {

class AppContext;
class CellListEditor;
class DataGrid;
struct TableSpec;

// The drop-down lists over the master grid's columns that take no typing:
// the goods master's unit and remark columns choose from the small lists,
// the express log's "是否作废" voids a waybill or restores it. A choice goes
// into the cell; Enter in a list walks on in the grid.
class ColumnEditors : public QObject
{
    Q_OBJECT
public:
    ColumnEditors(AppContext &context, QComboBox *goodsSelect, DataGrid *grid, QObject *parent);

    // The columns of `header` that the table's spec gives a list instead of typing.
    static QSet<int> typingOff(const TableSpec &spec, const QStringList &header);
    // The list of the column of `cell` shown over it (a column typingOff named).
    void showAt(const TableSpec &spec, const QModelIndex &cell);
    void hide();
    // The status editor; null before its first use.
    QComboBox *statusCombo() const;

Q_SIGNALS:
    void enterPressed();

private:
    QStringList smallListItems(int column) const;
    void showStatus(const QModelIndex &cell);

    AppContext &m_context;
    DataGrid *m_grid;
    CellListEditor *m_goodsSelect = nullptr;
    CellListEditor *m_status = nullptr; // made on first use
};

} // namespace Slipdesk
