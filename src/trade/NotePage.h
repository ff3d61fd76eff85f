#pragma once

#include "templates/ItemTable.h"
#include "trade/TradeNote.h"

namespace Slipdesk {

class Drawing;

// One delivery or inbound note drawn from its entry fields and goods rows
// with the note's template: used by printing, the command line and every
// preview paint.
namespace NotePage {

// Draws the note of `note.kind`: black while printing, blue in a preview.
// Items are drawn in the fixed order of the note's items, each from its
// first row in `table`, so neither overlapping items nor the order of the
// drawing operations change when rows are dragged in the editor. The goods
// table ("商品表格") is always drawn, one row per goods row with a code; the
// items below it move with its height and always shrink to fit.
void draw(Drawing &drawing, const ItemTable &table, const TradeNote &note);

} // namespace NotePage
} // namespace Slipdesk
