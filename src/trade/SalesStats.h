#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Slipdesk {

class Paths;

// The sales statistics table as the data window's grid shows it: every cell
// already in its display form.
struct SalesTable
{
    QStringList header; // "序号,商品编码,商品名称,单位,数量,收入合计,成本合计,毛利合计"
    QList<QStringList> rows; // one per goods code, then the "合计" row
};

// Sales per goods code over a range of printing dates, from the delivery
// detail log (fields: 0 template, 1 note number, 2 发货日期, 3 商品编码,
// 4 商品名称, 5 单位, 6 数量, 7 售价, 8 金额, 9 出库备注, 10 进价, 11 入库备注).
namespace SalesStats {

// The statistics header, also what the grid shows before the first query.
QStringList header();

// The table for the lines whose 发货日期 lies in [from, to], both days
// included; nothing when no line does. Lines are grouped by goods code with
// letter case ignored and the groups ordered by code the same way; a group's
// name and unit are those of its first line. 数量 is summed and shown in the
// shortest decimal form; income is the sum of 金额, cost the sum of
// 数量 × 进价 per line (to the fen), profit the difference, all grouped
// ("3,000.00"). Numbers that do not parse count as 0. A 发货日期 that is not a
// date belongs to no range.
//
// Made for detail logs of a million lines: the fields are read in place and
// the groups found through a hash, nothing is built per line.
std::optional<SalesTable> compute(const QStringList &detailLines, const QDate &from, const QDate &to);

// The delivery detail log the statistics read: this year's (the year of
// `today`) when it exists, else last year's, else the empty text.
QString detailLogFor(const Paths &paths, const QString &deliveryTemplate, const QDate &today);

} // namespace SalesStats
} // namespace Slipdesk
