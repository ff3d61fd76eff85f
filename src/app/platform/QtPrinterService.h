#pragma once

#include "PrinterService.h"

namespace Slipdesk {

// The printers the print system (CUPS) reports, in its order.
class QtPrinterService : public PrinterService
{
public:
    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
};

} // namespace Slipdesk
