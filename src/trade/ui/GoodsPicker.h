#pragma once

#include "trade/TradeNote.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QRect;
class QTableView;
class QWidget;

namespace Slipdesk {

class GridDelegate;
class GoodsMaster;
class GoodsPickerModel;

// The goods picker "SgQuery": a pop-up list of goods lines over the window,
// shared by both goods grids. It shows the matching lines of the goods master
// through a model over their positions, so a keystroke that matches every
// line of a large goods master makes no widget per line.
class GoodsPicker : public QObject
{
    Q_OBJECT
public:
    GoodsPicker(QWidget *area, QObject *parent);
    ~GoodsPicker() override;

    QTableView *table() const { return m_table; }

    // The header per tab, and the goods field each column shows (-1 for the
    // position column 序号).
    static QStringList header(NoteKind kind);
    static QList<int> fields(NoteKind kind);

    // Takes the goods lines at `positions` (in goods-master order) for the
    // tab `kind`, sizes the columns and selects the first row; nothing is
    // shown or moved.
    void fill(const GoodsMaster &goods, NoteKind kind, QList<int> positions);
    // Fills, then shows the list with its left edge at the cell's left edge
    // and its top 1 pixel below the cell (`cell` in coordinates of
    // `cellWidget`), on behalf of `owner`. No positions: the list is hidden.
    void show(const GoodsMaster &goods, NoteKind kind, QList<int> positions, QWidget *cellWidget, const QRect &cell,
        QObject *owner);
    void hide();
    bool isShown() const;
    bool isShownFor(const QObject *owner) const;

    int rowCount() const;
    int currentRow() const;
    // Selects `row`, kept within the list.
    void setCurrentRow(int row);
    // Moves the selection by `rows`, never past the first or the last row.
    void step(int rows);
    // The goods line row `row` shows, and the text it shows for goods field
    // `field` (prices in grouped form); empty when no column shows the field.
    int position(int row) const;
    QString text(int row, int field) const;

    // Takes the selected row: `taken` tells the owner.
    void take();

Q_SIGNALS:
    void taken(QObject *owner, int row);

private:
    void sizeColumns();
    void place(QWidget *cellWidget, const QRect &cell);
    bool wheel(QEvent *event);

    QWidget *m_area;
    QTableView *m_table;
    GoodsPickerModel *m_model;
    GridDelegate *m_delegate;
    QPointer<QObject> m_wheelHook;
    QObject *m_owner = nullptr;
    NoteKind m_kind = NoteKind::Delivery;
    int m_wheelRest = 0; // eighths of a degree not yet turned into a step
};

} // namespace Slipdesk
