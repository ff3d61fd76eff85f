#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

// The installed printers as the platform lists them.
class PrinterService
{
public:
    virtual ~PrinterService() = default;
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;

    static PrinterService &instance();
    static void install(PrinterService *service); // tests; nullptr restores the default
};

} // namespace Slipdesk
