#pragma once

#include <QStringList>

namespace Slipdesk::FontMapping {

// Templates name Windows fonts ("黑体", "宋体", "华文细黑", "新宋体"). Map each
// onto installed CJK fonts so that text keeps its Chinese glyphs and metrics
// close to the original forms.
void install();

// The families tried, in order, for a template font name.
QStringList substitutes(const QString &windowsFamily);

} // namespace Slipdesk::FontMapping
