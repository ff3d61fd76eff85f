#pragma once

#include "forms/FieldValues.h"

#include <QStringList>

namespace Slipdesk {

class Paths;

// The express batch queue: waybills entered during the day and printed
// later in one run. One file for every express template, one row of 37
// fields per waybill, no header and no number column.
namespace WaybillQueue {

inline constexpr int FieldCount = 37;

// "批打数据/快递批量打印数据.txt"
QString file(const Paths &paths);

// The control of field `index`; empty for the three marker fields (15-17).
QString control(int index);

// The row "保存(&S)" stores: the fields of the table from the entry values,
// each without ",", joined by ",", every blank removed from the whole row.
// A marker field is the group's tick pattern ("10", "0100", …).
QString row(const FieldValues &values);

// Appends the row to the queue in one write, the file created when missing.
// Throws IoError.
void append(const Paths &paths, const FieldValues &values);

// What loading a queue row puts into the entry fields: every cell without ","
// and blanks into its control; the six amounts in their shortest decimal
// form (an empty or unreadable amount is 0); the boxes of a marker group
// only when its field has exactly the group's length ("1" ticks, any other
// character clears), so that a field edited to another length leaves the
// boxes as they are. `cells` are the row's 37 cells.
FieldValues rowValues(const QStringList &cells);

} // namespace WaybillQueue
} // namespace Slipdesk
