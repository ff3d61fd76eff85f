#include "TemplateList.h"

#include "storage/Paths.h"
#include "storage/ProgramSettings.h"

namespace Slipdesk::TemplateList {

namespace {

QStringList usableNames(const ProgramSettings &settings, int kind)
{
    QStringList names = settings.templateNames(kind);
    names.removeIf([](const QString &name) { return !Paths::isFileStem(name); });
    if (names.isEmpty())
        names.append(ProgramSettings::defaultTemplateName(kind));
    return names;
}

} // namespace

QStringList load(ProgramSettings &settings, int kind)
{
    if (settings.templateCount(kind) <= 0) {
        const QStringList defaults {ProgramSettings::defaultTemplateName(kind)};
        settings.setTemplateNames(kind, defaults);
        return defaults;
    }
    return usableNames(settings, kind);
}

QStringList peek(const ProgramSettings &settings, int kind)
{
    if (settings.templateCount(kind) <= 0)
        return {ProgramSettings::defaultTemplateName(kind)};
    return usableNames(settings, kind);
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
