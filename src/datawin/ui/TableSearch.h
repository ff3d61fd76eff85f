#pragma once

#include <functional>

namespace Slipdesk {

class DataTable;
class MessageService;

// "查找" and "检查" of the data window over a column of its table: the
// dialogue around DataTable's matching and duplicate scan, with its
// questions and messages; `select` moves the grid's selection to a row as
// each match or pair is shown.
namespace TableSearch {

// Asks for the text, then walks the rows, asking at each match whether to
// go on; at the end says "没有找到！" or "查找结束！" (the latter when the
// selection ended on the last row). `selected` is the row selected before.
void find(const DataTable &table, int column, int selected, MessageService &messages,
    const std::function<void(int row)> &select);

// Reports each pair of rows with equal cleaned values, in the order a scan
// of every row against every later row meets them, until the user says No;
// says so when there is none.
void check(const DataTable &table, int column, MessageService &messages, const std::function<void(int row)> &select);

} // namespace TableSearch
} // namespace Slipdesk
