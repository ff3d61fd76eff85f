#pragma once

#include <QPoint>
#include <QString>

#include <optional>

namespace Slipdesk::Offsets {

// A template's overall offset ("水平整体移动", "垂直整体移动", the fields
// EdtMoveX and EdtMoveY) in 0.1 mm: a whole number, blanks around it allowed.
// Anything else is no offset at all; nothing reads it as 0 behind the user's
// back.
std::optional<int> parse(const QString &text);

// Both offsets; when one is not a whole number, `refusal` gets the message
// that refuses the print (or preview) and the result is empty.
std::optional<QPoint> parse(const QString &x, const QString &y, QString *refusal);

} // namespace Slipdesk::Offsets
