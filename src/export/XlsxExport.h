#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace Slipdesk {

class DataTable;

// A real workbook (.xlsx) of the data window's grid in the layout the
// spreadsheet programs read back: the header in row 1, frozen; every grid
// column but "序号" a worksheet column, fitted to its widest text; every
// value a text cell, so that phone numbers, postcodes and codes with leading
// zeros stay as typed and nothing is ever evaluated as a formula.
namespace XlsxExport {

// Called now and then while the rows are written: rows done, rows in all.
using Progress = std::function<void(int done, int total)>;

// The rows the format holds below its header.
inline constexpr int rowLimit = 1048575;

// Grid rows `first` … `last` (1-based, as the grid numbers them) into
// `fileName`. The sheet is streamed (the memory does not grow with the
// rows) into a file beside the target that takes the target's name only
// when complete. `textColumns` are worksheet columns (1-based) formatted as
// text before any value is written. Throws IoError.
void writeGrid(const DataTable &table, const QString &fileName, int first, int last, const QList<int> &textColumns = {},
    const Progress &progress = {});

// The width the column fit gives a text, in the sheet's character units: a
// character outside ASCII counts two.
double fittedWidth(QStringView text);

} // namespace XlsxExport
} // namespace Slipdesk
