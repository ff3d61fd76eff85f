#pragma once

#include "templates/ItemTable.h"

class QTableWidget;

namespace Slipdesk::TemplateGrid {

// The editor grid shows the item table with its header row as the grid's
// column headers: table row r is grid row r - 1.
ItemTable read(const QTableWidget *grid);
void write(QTableWidget *grid, const ItemTable &table);

} // namespace Slipdesk::TemplateGrid
