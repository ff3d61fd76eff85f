#pragma once

#include <QStyledItemDelegate>

namespace Slipdesk {

// Paints the editor grid: the data cells of the marked row (the cell last
// clicked) in sky blue with black text, every other cell as the grid paints it.
// A cell holding a single blank is emptied.
class TemplateGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // Columns before `firstDataColumn` (the number and the item name) are never
    // highlighted.
    explicit TemplateGridDelegate(int firstDataColumn, QObject *parent = nullptr);

    static QColor highlightColour();

    // -1: nothing marked, the grid paints itself normally.
    void setMarkedRow(int row) { m_markedRow = row; }
    int markedRow() const { return m_markedRow; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_firstDataColumn;
    int m_markedRow = -1;
};

} // namespace Slipdesk
