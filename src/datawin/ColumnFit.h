#pragma once

#include <QFont>
#include <QList>

namespace Slipdesk {

class DataTable;

// The column widths a grid fits to its content: the widest cell text of the
// column (header included) in the grid's font plus 4 pixels, the default
// width for a column without any text; columns of width 0 stay hidden.
//
// A log of 200,000 lines has millions of cells. Each cell's width is
// estimated from the advances of its characters (looked up in a table
// filled once per character), and only the widest few of every column are
// measured as whole texts, so that fitting costs one pass over the table.
namespace ColumnFit {

QList<int> widths(const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current);

} // namespace ColumnFit
} // namespace Slipdesk
