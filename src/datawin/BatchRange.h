#pragma once

#include "datawin/DataSession.h"

#include <optional>

namespace Slipdesk {

// "开始批打": the rows of a batch table handed to the batch printer. The
// printer gets its own copy, so that the data window may open another table
// while the batch runs.
struct BatchStart
{
    TableCode code {}; // the express or the delivery queue
    int start = 0; // 1-based, as the range fields show them
    int end = 0;
    bool continuous = false; // "一次性将所有数据发送到打印机"
    QString file; // the batch file
    DataTable table;
    DetailList detail; // the goods lines of a delivery batch
    int count() const { return end - start + 1; }
};

namespace BatchRange {

// The range typed into "从" and "至": whole numbers with
// 1 ≤ start ≤ end ≤ `rows`; nothing otherwise ("输入的序号有误！").
std::optional<std::pair<int, int>> parse(const QString &start, const QString &end, int rows);

} // namespace BatchRange
} // namespace Slipdesk
