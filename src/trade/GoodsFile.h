#pragma once

#include "trade/GoodsTable.h"

#include <QByteArray>

namespace Slipdesk::GoodsFile {

// The goods rows of a note given to the command line: UTF-8 lines, line k
// for grid row k, the grid's columns 1–9 separated by commas (an empty line
// leaves its row empty). Rows are numbered 1, 2, 3 …; at least `gridRows`
// rows are returned, as the tab's grid has them.
GoodsRows parse(const QByteArray &utf8, int gridRows);

// The grid rows of each tab: 30 on the delivery tab, 29 on the inbound tab.
inline constexpr int DeliveryRows = 30;
inline constexpr int InboundRows = 29;

} // namespace Slipdesk::GoodsFile
