#pragma once

#include "platform/PrinterService.h"

#include <memory>

namespace Slipdesk {

class VirtualPdfPrinter;

// The printers the print system (CUPS) reports, in its order, optionally
// followed by the virtual PDF printer.
class QtPrinterService : public PrinterService
{
public:
    QtPrinterService();
    // `systemPrinters` false lists only the virtual printer (tests).
    explicit QtPrinterService(std::unique_ptr<VirtualPdfPrinter> virtualPrinter, bool systemPrinters = true);
    ~QtPrinterService() override;

    QStringList printerNames() const override;
    // The print system's default; the virtual printer when no real one exists.
    QString defaultPrinterName() const override;
    QList<PaperInfo> papers(const QString &printer) const override;
    std::unique_ptr<PrintJob> startJob(
        const PrinterSetup &setup, const QString &title, QString *error = nullptr) override;

    VirtualPdfPrinter *virtualPrinter() const { return m_virtual.get(); }

    // Makes the print system's printers (with the virtual printer when one is
    // configured) the program's default printers.
    static void makeDefault();

private:
    QStringList systemPrinterNames() const;

    std::unique_ptr<VirtualPdfPrinter> m_virtual;
    bool m_systemPrinters = true;
};

} // namespace Slipdesk
