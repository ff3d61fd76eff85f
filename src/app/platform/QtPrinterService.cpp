#include "QtPrinterService.h"

#include <QPrinterInfo>

namespace Slipdesk {

QStringList QtPrinterService::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinterService::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

} // namespace Slipdesk
