#pragma once

#include <QStringList>

namespace Slipdesk {

class Paths;
class ProgramSettings;

// The per-kind list of template names in the program settings.
namespace TemplateList {

inline constexpr int KindCount = 3;

// The names in the user's order. A list whose count is 0 or less is replaced
// (and written) by the kind's one default template.
QStringList load(ProgramSettings &settings, int kind);
// The same names without writing anything: what load() would return.
QStringList peek(const ProgramSettings &settings, int kind);
void save(ProgramSettings &settings, int kind, const QStringList &names);
// Whether `name` is a template of `kind` in the data folder's list.
bool known(const Paths &paths, int kind, const QString &name);

} // namespace TemplateList
} // namespace Slipdesk
