#include "PrinterService.h"

#include "QtPrinterService.h"

#include <memory>

namespace Slipdesk {

namespace {
PrinterService *g_installed = nullptr;
std::unique_ptr<PrinterService> g_default;
} // namespace

PrinterService &PrinterService::instance()
{
    if (g_installed)
        return *g_installed;
    if (!g_default)
        g_default = std::make_unique<QtPrinterService>();
    return *g_default;
}

void PrinterService::install(PrinterService *service)
{
    g_installed = service;
}

} // namespace Slipdesk
