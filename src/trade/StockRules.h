#pragma once

#include "trade/GoodsTable.h"

namespace Slipdesk {

class GoodsMaster;

// How posting, batch saving and deleting notes change stock and pending
// quantities. Rows without a code are skipped; a line is found by its whole
// code, letter case ignored; new numbers are written in their shortest form.
// Each rule returns whether the goods master changed, so that the caller
// saves it.
namespace StockRules {

// Rule 1, a delivery posted: stock down by the quantity (and, for a note
// printed from a delivery batch, the pending quantity too). An unknown code
// becomes a new goods line whose stock is the negated quantity.
bool postDelivery(GoodsMaster &goods, const GoodsRows &rows, bool fromBatch);
// Rule 2, a delivery saved to a batch: pending up by the quantity. Unknown
// codes are skipped.
bool saveToBatch(GoodsMaster &goods, const GoodsRows &rows);
// Rule 3, an inbound posted: stock up, the cost price the weighted average
// of old and new stock. An unknown code becomes a new goods line.
bool postInbound(GoodsMaster &goods, const GoodsRows &rows);

// Rule 4, a logged or queued note deleted: its goods lines (code and
// quantity) taken back.
enum class Reversal { DeliveryLog, DeliveryBatch, InboundLog };
struct StockLine
{
    QString code;
    QString quantity;
};
bool reverse(GoodsMaster &goods, const QList<StockLine> &lines, Reversal kind);

} // namespace StockRules
} // namespace Slipdesk
