#pragma once

#include <QStringList>

namespace Slipdesk {

class Paths;
class ProgramSettings;

// The per-kind list of template names in the program settings.
namespace TemplateList {

inline constexpr int KindCount = 3;

// The names in the user's order. A list whose count is 0 or less is replaced
// (and written) by the kind's one default template. Names that are no
// file-name stem (Paths::isFileStem: a list edited by hand or planted,
// "模版2=../../outside/evil") are left out, as a name typed in the template
// manager would be refused; a list of nothing else gives the default.
QStringList load(ProgramSettings &settings, int kind);
// The same names without writing anything: what load() would return.
QStringList peek(const ProgramSettings &settings, int kind);
void save(ProgramSettings &settings, int kind, const QStringList &names);
// Whether `name` is a template of `kind` in the data folder's list.
bool known(const Paths &paths, int kind, const QString &name);

} // namespace TemplateList
} // namespace Slipdesk
