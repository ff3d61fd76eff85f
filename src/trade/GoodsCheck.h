#pragma once

#include "trade/TradeNote.h"

#include <QString>

namespace Slipdesk::GoodsCheck {

// What the note is refused for before it is printed or queued.
enum class Action { Print, Save };

// The first goods row (with a code or a name) whose quantity, price or
// amount is not a number, as the refusal that names it: "第2行商品的数量“abc”
// 不是有效的数字，请改正后再打印。" Read leniently, such a cell would count as 0:
// a note printed and logged with the stock left as it was, or a cost price
// averaged with 0. An empty price or amount is no refusal (it reads as 0, as
// the grid reads it), nor an empty quantity. Empty when every number reads.
QString refusal(const TradeNote &note, Action action);

// The grid's name, for the focus after a refusal: "SGGoods" / "SgInput".
QString gridControl(NoteKind kind);

} // namespace Slipdesk::GoodsCheck
