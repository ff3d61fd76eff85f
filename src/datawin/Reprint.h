#pragma once

#include "forms/FieldValues.h"
#include "trade/GoodsTable.h"

#include <optional>

namespace Slipdesk {

class DataSession;

// "重打(&P)": a logged document copied back into the entry fields of its
// page, so that the user prints it again from the main window.
struct ReprintData
{
    enum class Page { Express, Delivery, Inbound };
    Page page = Page::Express;
    // Only the fields the log gives; the page's other fields stay as they are.
    FieldValues values;
    // Delivery and inbound: the note's goods lines as the page's goods grid
    // rows (every cell from the detail's 商品编码 onward).
    GoodsRows goods;
};

namespace Reprint {

// The express fields of an express print log row (`cells` without its 序号).
// The address splits at "|" into province, city, district and street; a
// missing part gives an empty field.
FieldValues express(const QStringList &cells);
// The delivery or inbound fields of a log row and the goods of its detail rows.
ReprintData delivery(const QStringList &cells, const QList<QStringList> &detailCells);
ReprintData inbound(const QStringList &cells, const QList<QStringList> &detailCells);

// What reprinting master row `row` of the session's log gives; nothing for
// a table that does not reprint or an empty one.
std::optional<ReprintData> of(const DataSession &session, int row);

} // namespace Reprint
} // namespace Slipdesk
