#pragma once

#include <QList>
#include <QStyledItemDelegate>

#include <functional>

class QKeyEvent;

namespace Slipdesk {

// Paints the program's grids (goods grids, the goods picker, the data
// window): the data cells of the marked row (the row last clicked) in sky
// blue with black text, every column with its own alignment, text vertically
// centred and 2 pixels from the edge it is aligned to. Fixed columns are
// painted in the button face colour. A cell holding a single blank is
// emptied. Before any row is marked the goods grids show white cells with
// centred text; the data window keeps the grid's own colours and alignments
// (setCentredUntilMarked(false)).
//
// For the grids it also decides which columns are edited in the cell (the
// others get no editor), tells when an editor is made, and offers the keys
// typed in an editor to the grid before the editor sees them.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridDelegate(QObject *parent = nullptr);

    static QColor highlightColour(); // RGB (166, 202, 240)

    // Horizontal alignment per column; columns beyond the list are left-aligned.
    // With no list the model's alignment role decides.
    void setAlignments(const QList<Qt::Alignment> &alignments) { m_alignments = alignments; }
    Qt::Alignment alignment(int column) const;
    void setFixedColumns(int count) { m_fixedColumns = count; }
    void setCentredUntilMarked(bool on) { m_centredUntilMarked = on; }
    // -1: nothing marked yet.
    void setMarkedRow(int row) { m_markedRow = row; }
    int markedRow() const { return m_markedRow; }
    // Columns that get no in-cell editor.
    void setReadOnlyColumns(const QList<int> &columns) { m_readOnly = columns; }
    bool isReadOnly(int column) const { return m_readOnly.contains(column); }
    // Keys pressed in an editor go here first; true stops them there.
    void setKeyHandler(std::function<bool(QKeyEvent *)> handler) { m_keys = std::move(handler); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

Q_SIGNALS:
    // An in-cell editor was made for `index` (before it shows the cell's text).
    void editorCreated(QWidget *editor, const QModelIndex &index) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QList<Qt::Alignment> m_alignments;
    QList<int> m_readOnly;
    std::function<bool(QKeyEvent *)> m_keys;
    int m_fixedColumns = 0;
    int m_markedRow = -1;
    bool m_centredUntilMarked = true;
};

} // namespace Slipdesk
