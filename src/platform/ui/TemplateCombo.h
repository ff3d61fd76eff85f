#pragma once

#include "templates/LoadedTemplate.h"

class QComboBox;

namespace Slipdesk {

// A working tab's template combo over the loaded template's list.
namespace TemplateCombo {

// The combo shows `list`: its names, the chosen one current.
void show(QComboBox *combo, const LoadedTemplate::List &list);
// The combo follows every template of `kind` loaded elsewhere (a click in
// the template list), while it holds the same names.
void follow(LoadedTemplate &loaded, int kind, QComboBox *combo);

} // namespace TemplateCombo
} // namespace Slipdesk
