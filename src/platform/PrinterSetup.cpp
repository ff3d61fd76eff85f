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
    // Only with "默认": a program without label papers leaves the printer's
    // own paper (the loaded labels) alone, and one that changed the paper
    // choice since has said what it wants.
    if (device.paperSize == 2)
        setup.labelSizeMm = labelSize(device.labelPaper);
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

const QList<PrinterSetup::LabelPreset> &PrinterSetup::labelPresets()
{
    static const QList<LabelPreset> presets = [] {
        QList<LabelPreset> list;
        for (const QSizeF size : {QSizeF(100, 150), QSizeF(100, 180), QSizeF(76, 130)})
            list.append(LabelPreset {labelKey(size), labelCaption(size), size});
        return list;
    }();
    return presets;
}

QSizeF PrinterSetup::labelSize(const QString &key)
{
    QString text = key.trimmed();
    text.replace(u'×', u'x');
    text.replace(u'*', u'x');
    text.replace(u'X', u'x');
    const QStringList sides = text.split(u'x');
    if (sides.size() != 2)
        return {};
    bool okWidth = false;
    bool okHeight = false;
    const double width = sides.at(0).trimmed().toDouble(&okWidth);
    const double height = sides.at(1).trimmed().toDouble(&okHeight);
    const auto valid = [](bool ok, double mm) { return ok && mm >= 10 && mm <= 1000; };
    if (!valid(okWidth, width) || !valid(okHeight, height))
        return {};
    return {width, height};
}

QString PrinterSetup::labelKey(const QSizeF &sizeMm)
{
    return QString::number(sizeMm.width()) + u'x' + QString::number(sizeMm.height());
}

QString PrinterSetup::labelCaption(const QSizeF &sizeMm)
{
    return QString::number(sizeMm.width()) + u'×' + QString::number(sizeMm.height()) + QStringLiteral("毫米");
}

QString PrinterSetup::paperEntry(int number, const QString &name)
{
    return QString::number(number) + u'-' + name.left(64);
}

} // namespace Slipdesk
