#pragma once

#include "trade/TradeNote.h"

#include <QDateTime>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The yearly logs of printed notes, per template: one line per note and one
// detail line per goods row with a code, in "打印记录/".
namespace TradeLogs {

// "打印记录/" + template + year + ".TXT", and the detail log beside it with
// "发货清单" (delivery) or "入库清单" (inbound) before ".TXT".
QString logPath(const Paths &paths, NoteKind kind, const QString &templateName, int year);
QString detailPath(const Paths &paths, NoteKind kind, const QString &templateName, int year);

// The note's log line: 21 fields for a delivery (打印日期 … 备注), 9 for an
// inbound note; every "," removed from the values and every blank from the line.
QString logLine(const TradeNote &note, const QDateTime &now);
// One line per goods row with a code: template, number, today's date, then
// the grid's columns 1–9, each without "," and blanks.
QStringList detailLines(const TradeNote &note, const QDate &today);

// The delivery log's 成本合计 and 毛利合计 in fen: quantity × cost price over
// every row, and the amounts less that.
qint64 costFen(const TradeNote &note);
qint64 profitFen(const TradeNote &note);

// Appends the line to the log and the detail lines to the detail log, each
// file in one write.
void append(const Paths &paths, const TradeNote &note, const QDateTime &now);

} // namespace TradeLogs
} // namespace Slipdesk
