#pragma once

#include <QObject>
#include <QStringList>

class QTableWidget;

namespace Slipdesk {

// A goods grid of a trade tab ("SGGoods", "SgInput"): both share their
// behaviour and differ in the order of their price and remark columns, which
// is the header given here.
class GoodsGrid : public QObject
{
    Q_OBJECT
public:
    GoodsGrid(QTableWidget *grid, const QString &header, QObject *parent);

    QTableWidget *grid() const { return m_grid; }

    // Entering the tab: the header row when the grid has none yet, and the
    // row numbers 1, 2, 3 … when the first row has none.
    void prepare();

private:
    QTableWidget *m_grid;
    QStringList m_header;
};

} // namespace Slipdesk
