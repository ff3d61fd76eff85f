#include "TemplateGrid.h"

#include <QTableWidget>

namespace Slipdesk::TemplateGrid {

ItemTable read(const QTableWidget *grid)
{
    QList<QStringList> rows;
    QStringList header;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QTableWidgetItem *item = grid->horizontalHeaderItem(c);
        header.append(item ? item->text() : QString());
    }
    rows.append(header);
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem *item = grid->item(r, c);
            row.append(item ? item->text() : QString());
        }
        rows.append(row);
    }
    return ItemTable(rows);
}

void write(QTableWidget *grid, const ItemTable &table)
{
    const QSignalBlocker block(grid);
    grid->clearContents();
    const QList<QStringList> &rows = table.rows();
    if (rows.isEmpty()) {
        grid->setRowCount(0);
        return;
    }
    grid->setColumnCount(int(rows.first().size()));
    grid->setHorizontalHeaderLabels(rows.first());
    grid->setRowCount(int(rows.size()) - 1);
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList &row = rows.at(r);
        for (int c = 0; c < row.size() && c < grid->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(row.at(c));
            // The number and the item name are fixed; every other cell is edited.
            if (c < 2)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid->setItem(r - 1, c, item);
        }
    }
}

} // namespace Slipdesk::TemplateGrid
