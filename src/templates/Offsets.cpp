#include "Offsets.h"

namespace Slipdesk::Offsets {

std::optional<int> parse(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QPoint> parse(const QString &x, const QString &y, QString *refusal)
{
    const std::optional<int> px = parse(x);
    const std::optional<int> py = parse(y);
    if (px && py)
        return QPoint(*px, *py);
    if (refusal)
        *refusal = QStringLiteral("整体移动的值“") + (px ? y : x) + QStringLiteral("”不是有效的整数，请改正后再打印。");
    return std::nullopt;
}

} // namespace Slipdesk::Offsets
