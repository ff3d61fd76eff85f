#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QStringList>

class QAbstractItemView;
class QComboBox;

namespace Slipdesk {

// A drop-down list laid over one cell of a grid (2 pixels inside its top-left
// corner, as wide as the cell): the data window's status editor and its list
// editor over the goods master's unit and remark columns. A choice is
// reported with its cell; Enter is handed back to the grid; leaving the list
// hides it (and empties it, when asked to).
class CellListEditor : public QObject
{
    Q_OBJECT
public:
    CellListEditor(QComboBox *combo, QAbstractItemView *grid, bool emptyWhenHidden, QObject *parent);

    QComboBox *combo() const { return m_combo; }
    // Over `cell`, listing `items`, preselecting the cell's value; takes the focus.
    void show(const QModelIndex &cell, const QStringList &items);
    // Hidden; the focus goes back to the grid when the list had it.
    void hide();

Q_SIGNALS:
    void chosen(const QModelIndex &cell, int index, const QString &text);
    // Enter in the closed list: the grid walks on.
    void enterPressed();

private:
    QComboBox *m_combo;
    QAbstractItemView *m_grid;
    QPersistentModelIndex m_cell;
    bool m_emptyWhenHidden;
};

} // namespace Slipdesk
