#include "PrintSource.h"

#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "templates/Offsets.h"

namespace Slipdesk {

PrintSource PrintSource::load(const Paths &paths, const QString &name, int kind)
{
    PrintSource source;
    const TemplateSettings settings(paths, name);
    source.table = ItemTable::load(paths.templateSet(name), kind);
    source.setup = PrinterSetup::fromSettings(settings);
    source.offset = Offsets::parse(settings.moveX(), settings.moveY(), &source.offsetRefusal);
    return source;
}

} // namespace Slipdesk
