#include "QtPrinterService.h"

#include "platform/PrintJob.h"
#include "platform/PrinterSetup.h"
#include "platform/VirtualPdfPrinter.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <optional>

namespace Slipdesk {

namespace {

// The number the program lists and stores for a paper of the print system:
// its Windows paper number, or the custom number 256 for the papers Windows
// has none for. Qt gives those 0 (a CUPS queue names A0, 8x10 or "ANSI C"
// without a Windows number), and an entry "0-A0" could never be chosen again:
// 0 means "leave the printer's paper alone" and an entry's number must be
// positive. Under 256 the entry's name tells the papers apart.
int paperNumber(const QPageSize &size)
{
    constexpr int customPaper = 256;
    const int number = size.windowsId();
    return number > 0 ? number : customPaper;
}

// A label paper on this printer: the printer's own paper of that size when
// it offers one (a label printer's driver knows its labels by its own names),
// else a custom paper of the size, which the print system passes on as
// "Custom.WxHmm".
QPageSize labelPageSize(const QPrinterInfo &info, const QSizeF &sizeMm)
{
    constexpr double toleranceMm = 0.5;
    const QList<QPageSize> supported = info.supportedPageSizes();
    for (const QPageSize &size : supported) {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        if (std::abs(mm.width() - sizeMm.width()) <= toleranceMm
            && std::abs(mm.height() - sizeMm.height()) <= toleranceMm)
            return size;
    }
    return QPageSize(sizeMm, QPageSize::Millimeter, PrinterSetup::labelCaption(sizeMm), QPageSize::ExactMatch);
}

// The page size for a Windows paper number on this printer: preferably one the
// printer itself offers (custom papers share one number, so the entry's name
// decides between them), else Qt's standard size for the number.
std::optional<QPageSize> pageSizeFor(const QPrinterInfo &info, const PrinterSetup &setup)
{
    if (!setup.labelSizeMm.isEmpty())
        return labelPageSize(info, setup.labelSizeMm);
    if (setup.paperNumber == PrinterSetup::PaperUnchanged)
        return std::nullopt;
    const QList<QPageSize> supported = info.supportedPageSizes();
    std::optional<QPageSize> byNumber;
    for (const QPageSize &size : supported) {
        if (paperNumber(size) != setup.paperNumber)
            continue;
        if (!setup.paperName.isEmpty() && size.name() == setup.paperName)
            return size;
        if (!byNumber)
            byNumber = size;
    }
    if (byNumber)
        return byNumber;
    const QPageSize::PageSizeId id = QPageSize::id(setup.paperNumber);
    if (id == QPageSize::Custom)
        return std::nullopt;
    return QPageSize(id);
}

} // namespace

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(std::unique_ptr<VirtualPdfPrinter> virtualPrinter, bool systemPrinters)
    : m_virtual(std::move(virtualPrinter))
    , m_systemPrinters(systemPrinters)
{
}

QtPrinterService::~QtPrinterService() = default;

QStringList QtPrinterService::systemPrinterNames() const
{
    return m_systemPrinters ? QPrinterInfo::availablePrinterNames() : QStringList();
}

QStringList QtPrinterService::printerNames() const
{
    QStringList names = systemPrinterNames();
    if (m_virtual)
        names.append(VirtualPdfPrinter::printerName());
    return names;
}

QString QtPrinterService::defaultPrinterName() const
{
    if (m_systemPrinters) {
        const QString name = QPrinterInfo::defaultPrinterName();
        if (!name.isEmpty() || !m_virtual)
            return name;
    }
    return m_virtual ? VirtualPdfPrinter::printerName() : QString();
}

QList<PaperInfo> QtPrinterService::papers(const QString &printer) const
{
    if (m_virtual && printer == VirtualPdfPrinter::printerName())
        return m_virtual->papers();
    QList<PaperInfo> list;
    if (!systemPrinterNames().contains(printer))
        return list;
    const QList<QPageSize> sizes = QPrinterInfo::printerInfo(printer).supportedPageSizes();
    for (const QPageSize &size : sizes) {
        if (list.size() >= PrinterSetup::MaxPaperEntries)
            break;
        list.append(PaperInfo {paperNumber(size), size.name()});
    }
    return list;
}

std::unique_ptr<PrintJob> QtPrinterService::startJob(const PrinterSetup &setup, const QString &title, QString *error)
{
    const QString name = resolvePrinter(setup.printer);
    if (name.isEmpty()) {
        if (error)
            *error = QStringLiteral("没有可用的打印机");
        return nullptr;
    }
    if (m_virtual && name == VirtualPdfPrinter::printerName())
        return m_virtual->startJob(setup, title, error);

    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(title);
    printer->setPageOrientation(
        setup.orientation == PrinterSetup::Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (const std::optional<QPageSize> size = pageSizeFor(info, setup))
        printer->setPageSize(*size);

    // The printable area starts at the printer's minimum margins. Positions
    // are drawn relative to it (the drawing code subtracts this offset), while
    // the painter itself works from the paper corner.
    QPageLayout layout = printer->pageLayout();
    layout.setMargins(layout.minimumMargins());
    const int resolution = printer->resolution();
    const QPoint offset = layout.paintRectPixels(resolution).topLeft() - layout.fullRectPixels(resolution).topLeft();
    printer->setFullPage(true);

    const int resolutionX = printer->logicalDpiX();
    const int resolutionY = printer->logicalDpiY();
    QPrinter *raw = printer.get();
    PrintJob::Hooks hooks;
    hooks.beforeAbort = [raw] { raw->abort(); };
    auto job = PrintJob::overDevice(std::move(printer), resolutionX, resolutionY, offset, std::move(hooks), error);
    return job;
}

void QtPrinterService::makeDefault()
{
    PrinterService::setFactory([](std::unique_ptr<VirtualPdfPrinter> printer) -> std::unique_ptr<PrinterService> {
        return std::make_unique<QtPrinterService>(std::move(printer));
    });
}

} // namespace Slipdesk
