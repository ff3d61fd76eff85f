#pragma once

#include <QFont>
#include <QList>
#include <QSet>

#include <vector>

namespace Slipdesk {

class ColumnAdvances;
class DataTable;

// The column widths a grid fits to its content: the widest cell text of the
// column (header included) in the grid's font plus 4 pixels, the default
// width for a column without any text; columns of width 0 stay hidden.
//
// A log of 200,000 lines has millions of cells. Each cell's width is
// estimated from the advances of its characters (looked up in a table
// filled once per character), and only the widest few of every column are
// measured as whole texts, so that fitting costs one pass over the table.
// After a few cells changed (an edit, then "保存") only those are measured
// again: the fit remembers which rows are the widest of each column.
class ColumnFit
{
public:
    ColumnFit() = default;

    // Every cell measured.
    QList<int> fit(const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current);
    // The widths a full fit would give after the cells of `rows` changed
    // (rows appended count as changed; any other change of the rows needs a
    // full fit). Falls back to a full fit when there is none to build on.
    QList<int> refit(
        const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current, const QSet<int> &rows);
    bool hasFit() const { return !m_columns.empty(); }
    void forget() { m_columns.clear(); }

private:
    // The widest cells of a column, widest first, as (width, row) with row
    // -1 for the header; every cell not listed is at most `floor` wide, so
    // the first entry is the column's widest until all entries are gone.
    struct Column
    {
        QList<std::pair<int, int>> widest;
        int floor = -1; // -1: every cell with text is listed
    };
    void fitColumn(const DataTable &table, ColumnAdvances &advances, int column);
    QList<int> widths(int defaultWidth, const QList<int> &current) const;

    std::vector<Column> m_columns;
    QFont m_font;
};

} // namespace Slipdesk
