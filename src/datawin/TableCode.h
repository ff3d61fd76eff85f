#pragma once

#include <optional>

namespace Slipdesk {

// The tables the data window opens. The numbers are the ones the command
// line takes (`export --code N`, `--table N`); a pick list's number is also
// its key in the context's pick lists.
enum class TableCode : int {
    ExpressLog = 1,
    ExpressBatch = 2,
    Recipients = 3,
    Senders = 5,
    Departments = 7,
    Titles = 8,
    Greetings = 9,
    GoodsDescriptions = 10,
    Messages = 11,
    Goods = 12,
    DeliveryLog = 13,
    DeliveryBatch = 14,
    Units = 15,
    OutboundRemarks = 16,
    InboundTypes = 17,
    InboundRemarks = 18,
    InboundLog = 20,
    SalesStats = 21,
};

constexpr int toInt(TableCode code)
{
    return static_cast<int>(code);
}

// The table of a number typed on the command line; nothing for a number no
// table has.
std::optional<TableCode> tableCodeOf(int number);

} // namespace Slipdesk
