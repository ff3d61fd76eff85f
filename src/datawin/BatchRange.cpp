#include "BatchRange.h"

namespace Slipdesk::BatchRange {

std::optional<std::pair<int, int>> parse(const QString &start, const QString &end, int rows)
{
    bool startOk = false;
    bool endOk = false;
    const int from = start.trimmed().toInt(&startOk);
    const int to = end.trimmed().toInt(&endOk);
    if (!startOk || !endOk || from < 1 || from > to || to > rows)
        return std::nullopt;
    return std::pair {from, to};
}

} // namespace Slipdesk::BatchRange
