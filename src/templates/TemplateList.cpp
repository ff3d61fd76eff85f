#include "TemplateList.h"

#include "storage/ProgramSettings.h"

namespace Slipdesk::TemplateList {

QStringList load(ProgramSettings &settings, int kind)
{
    if (settings.templateCount(kind) <= 0) {
        const QStringList defaults {ProgramSettings::defaultTemplateName(kind)};
        settings.setTemplateNames(kind, defaults);
        return defaults;
    }
    return settings.templateNames(kind);
}

QStringList peek(const ProgramSettings &settings, int kind)
{
    if (settings.templateCount(kind) <= 0)
        return {ProgramSettings::defaultTemplateName(kind)};
    return settings.templateNames(kind);
}

void save(ProgramSettings &settings, int kind, const QStringList &names)
{
    settings.setTemplateNames(kind, names);
}

bool known(const Paths &paths, int kind, const QString &name)
{
    return !name.isEmpty() && peek(ProgramSettings(paths), kind).contains(name);
}

} // namespace Slipdesk::TemplateList
