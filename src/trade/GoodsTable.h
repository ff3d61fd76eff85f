#pragma once

#include <QList>
#include <QStringList>

namespace Slipdesk {

// The columns of a goods grid row. Both grids use the same indexes; what
// the price and remark columns hold depends on the tab:
//   delivery "SGGoods": 售价, 金额, 出库备注, 进价, 入库备注
//   inbound  "SgInput": 进价, 金额, 入库备注, 售价, 出库备注
namespace GoodsColumn {
enum : int {
    Number = 0, // 序号, the row number
    Code = 1, // 商品编码
    Name = 2, // 商品名称
    Unit = 3, // 单位
    Quantity = 4,
    Price = 5, // the note's unit price
    Amount = 6, // computed
    Remark = 7, // the note's remark
    OtherPrice = 8,
    OtherRemark = 9,
    Count = 10,
};
} // namespace GoodsColumn

using GoodsRow = QStringList; // GoodsColumn::Count cells
using GoodsRows = QList<GoodsRow>;

// The rules of a goods grid without the grid: amounts, totals and emptying
// a row, as the grid applies them when a cell is left.
namespace GoodsTable {

QString cell(const GoodsRow &row, int column);
void setCell(GoodsRow &row, int column, const QString &text);
// A row with the given cells, padded to all columns.
GoodsRow row(const QStringList &cells);
// Whether the row has a code (its code with "," and blanks removed is not empty).
bool hasCode(const GoodsRow &row);
bool hasName(const GoodsRow &row);

// What leaving a cell of `column` does to its row:
// - quantity or price, with a code: the price in grouped form and the amount
//   quantity × price, or no amount when either does not read as a number;
// - the other price: grouped form when not empty;
// - the code, emptied: the whole row emptied (but its number).
void cellLeft(GoodsRow &row, int column);
// The amounts of every row recomputed, as before a print.
void recompute(GoodsRows &rows);

struct Totals
{
    double quantity = 0; // sum of column 4, text that is no number counting 0
    qint64 amountFen = 0; // sum of column 6
};
Totals totals(const GoodsRows &rows);
// The quantity total as the grid shows it ("3", "2.5").
QString quantityText(const Totals &totals);

// The rows of a note that have a code, in grid order.
GoodsRows withCode(const GoodsRows &rows);
// `count` empty rows numbered 1 … count.
GoodsRows emptyRows(int count);

} // namespace GoodsTable
} // namespace Slipdesk
