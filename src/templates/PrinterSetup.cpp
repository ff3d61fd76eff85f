#include "PrinterSetup.h"

namespace Slipdesk {

PrinterSetup PrinterSetup::fromDevice(const TemplateSettings::PrintDevice &device)
{
    PrinterSetup setup;
    setup.printer = device.printer;
    setup.orientation = device.feedDirection == 1 ? Orientation::Landscape : Orientation::Portrait;
    setup.paperNumber = paperNumberFor(device.paperSize, device.otherPaper);
    if (device.paperSize == 3)
        setup.paperName = otherPaperName(device.otherPaper);
    return setup;
}

PrinterSetup PrinterSetup::fromSettings(const TemplateSettings &settings)
{
    return fromDevice(settings.printDevice());
}

int PrinterSetup::paperNumberFor(int paperSize, const QString &otherPaper)
{
    switch (paperSize) {
    case 1:
        return PaperA3;
    case 2:
        return PaperUnchanged;
    case 3:
        return otherPaperNumber(otherPaper);
    default:
        return PaperA4;
    }
}

int PrinterSetup::otherPaperNumber(const QString &entry)
{
    bool ok = false;
    const int number = entry.section(u'-', 0, 0).toInt(&ok);
    // No paper has a number below 1; such an entry counts as unreadable.
    return ok && number > 0 ? number : PaperA4;
}

QString PrinterSetup::otherPaperName(const QString &entry)
{
    const qsizetype dash = entry.indexOf(u'-');
    return dash < 0 ? QString() : entry.mid(dash + 1);
}

QString PrinterSetup::paperEntry(int number, const QString &name)
{
    return QString::number(number) + u'-' + name.left(64);
}

} // namespace Slipdesk
