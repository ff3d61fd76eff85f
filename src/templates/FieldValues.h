#pragma once

#include <QHash>
#include <QString>

namespace Slipdesk {

// A tab's entry fields as plain values keyed by control name ("CmbSjrMc",
// "EdtEmsNo", …), so that printing, logging, batch rows and parsing work
// without widgets. Check boxes are "1"/"0", dates yyyy-MM-dd.
using FieldValues = QHash<QString, QString>;

} // namespace Slipdesk
