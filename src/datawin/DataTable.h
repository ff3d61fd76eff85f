#pragma once

#include <QStringList>

#include <optional>

namespace Slipdesk {

// The master table of the data window: a header whose first column is "序号",
// and one row per line of the table's file. The display number is never
// stored; an empty table shows one unnumbered empty row.
//
// Rows are held as one text each, so that a log of 200,000 lines costs
// about its own size in memory; cells are cut out when they are shown. A
// cell may hold a comma or a blank while it is edited: they are removed
// only when the table is saved.
class DataTable
{
public:
    DataTable() = default;
    // `header` with its "序号" column; `lines` as the file holds them.
    DataTable(const QStringList &header, QStringList lines);
    // A table from cells already split (they may hold commas: "3,000.00");
    // `rows` without the 序号 column.
    static DataTable fromCells(const QStringList &header, const QList<QStringList> &rows);

    const QStringList &header() const { return m_header; }
    int columnCount() const { return int(m_header.size()); }
    // At least 1: an empty table shows one empty row.
    int rowCount() const { return int(m_rows.size()); }
    bool hasData() const { return m_hasData; }

    // Column 0 is the display number (empty in an empty table); column c ≥ 1
    // is field c − 1 of the row.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // Every cell of a row but its number.
    QStringList cells(int row) const;
    // A row's cells 1 … as stored, kept apart by separator(): for code that
    // walks every cell of a big table (column fit) without cutting them out.
    QStringView rawRow(int row) const { return m_rows.at(row); }
    static QChar separator() { return QChar(0x1F); }
    int findColumn(const QString &headerName) const;

    // "增加": a row at the end (on an empty table the first row, numbered).
    int append();
    // "插入": an empty row at `row`, the rows from there moved down.
    int insert(int row);
    // "删除": the row removed; the only row of a table is emptied instead.
    // Returns the row to select afterwards.
    int remove(int row);
    // A row dragged from `from` to `to`.
    void move(int from, int to);

    // The lines "保存" writes: columns 1 … last of every row, each with every
    // "," and blank removed, joined by ","; nothing for an empty table.
    QStringList savedLines() const;
    // The same lines as the file's bytes, each ended by CR LF.
    QByteArray savedBytes() const;
    // Column `headerName` rewritten in the grouped amount format ("1,500.00";
    // text that does not read as a number becomes 0.00); empty cells stay.
    void formatGrouped(const QString &headerName);

    // "查找": whether row `row` matches `input` in `column`. In the "金额"
    // column the cell and the input, commas removed, must read as equal
    // numbers; elsewhere the input, trimmed, must occur in the cell.
    bool matches(int row, int column, const QString &input) const;

    // "检查": the pairs of rows whose cleaned values (commas and blanks
    // removed) of `column` are equal and not empty, in the order a scan of
    // every row against every later row meets them; found through a hash.
    class DuplicateScan
    {
    public:
        DuplicateScan(const DataTable &table, int column);
        std::optional<std::pair<int, int>> next();
        bool foundAny() const { return m_foundAny; }

    private:
        // The next later row holding the same value, -1 for none: each row's
        // partners are a chain through the rows after it.
        QList<int> m_nextSame;
        int m_row = 0; // the row r being compared
        int m_partner = -1; // the partner of r reported next; -1: r not begun
        bool m_foundAny = false;
    };

private:
    static QString toRow(const QStringList &fields);
    QByteArray savedBytes(qsizetype from, qsizetype to) const;

    QStringList m_header;
    QStringList m_rows; // fields joined by the unit separator
    bool m_hasData = false;
};

} // namespace Slipdesk
