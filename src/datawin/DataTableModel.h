#pragma once

#include "datawin/DataTable.h"

#include <QAbstractTableModel>
#include <QSet>

namespace Slipdesk {

// The data window's grids as a model over a DataTable: column 0 the row
// numbers, the header as the horizontal header. The view asks only for the
// cells it shows, so a log of 200,000 lines opens as fast as it is read.
// Row changes go through the model so that the view follows them.
class DataTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DataTableModel(QObject *parent = nullptr);

    // The table shown, not owned; the model is reset.
    void setTable(DataTable *table);
    DataTable *table() const { return m_table; }
    // The whole table changed outside the model.
    void refresh();

    void setEditable(bool on) { m_editable = on; }
    // Columns whose cells are chosen in a list laid over the cell instead
    // of typed into.
    void setTypingOff(const QSet<int> &columns) { m_typingOff = columns; }
    bool typingOff(int column) const { return m_typingOff.contains(column); }
    void setRightAligned(const QSet<int> &columns) { m_rightAligned = columns; }
    bool rightAligned(int column) const { return m_rightAligned.contains(column); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The table's row operations (DataTable), the view told; each returns
    // the row to select afterwards.
    int appendRow();
    int insertRowAt(int row);
    int removeRowAt(int row);
    void moveRowTo(int from, int to);

private:
    void numbersChanged(int from);

    DataTable *m_table = nullptr;
    DataTable m_empty;
    bool m_editable = true;
    QSet<int> m_typingOff;
    QSet<int> m_rightAligned;
};

} // namespace Slipdesk
