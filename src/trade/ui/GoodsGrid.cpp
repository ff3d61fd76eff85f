#include "GoodsGrid.h"

#include <QTableWidget>

namespace Slipdesk {

GoodsGrid::GoodsGrid(QTableWidget *grid, const QString &header, QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_header(header.split(QLatin1Char(',')))
{
}

void GoodsGrid::prepare()
{
    QTableWidgetItem *first = m_grid->horizontalHeaderItem(0);
    if (!first || first->text().isEmpty()) {
        m_grid->setColumnCount(int(m_header.size()));
        m_grid->setHorizontalHeaderLabels(m_header);
    }
    QTableWidgetItem *number = m_grid->item(0, 0);
    if (number && !number->text().isEmpty())
        return;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QTableWidgetItem *cell = m_grid->item(row, 0);
        if (!cell) {
            cell = new QTableWidgetItem;
            m_grid->setItem(row, 0, cell);
        }
        cell->setText(QString::number(row + 1));
    }
}

} // namespace Slipdesk
