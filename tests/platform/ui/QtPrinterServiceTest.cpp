#include "support/TempDir.h"

#include "platform/VirtualPdfPrinter.h"
#include "platform/ui/QtPrinterService.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

// Among the system's printers the virtual one comes last, and it is the
// default only when the system has none.
TEST(QtPrinterService, VirtualPrinterComesAfterTheSystemPrinters)
{
    TempDir dir;
    QtPrinterService withSystem(std::make_unique<VirtualPdfPrinter>(dir.path()));
    const QStringList names = withSystem.printerNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.last(), QStringLiteral("Slipdesk PDF"));
    if (names.size() == 1) {
        EXPECT_EQ(withSystem.defaultPrinterName(), QStringLiteral("Slipdesk PDF"));
    }
}

// The desktop program's default service lists the virtual printer among the
// system's when a folder is configured.
TEST(QtPrinterService, MadeTheDefaultWithTheVirtualPrinter)
{
    TempDir dir;
    QtPrinterService::makeDefault();
    PrinterService::configureFromArguments({QStringLiteral("slipdesk"), QStringLiteral("--print-to"), dir.path()});
    EXPECT_NE(dynamic_cast<QtPrinterService *>(&PrinterService::instance()), nullptr);
    EXPECT_TRUE(PrinterService::instance().printerNames().contains(QStringLiteral("Slipdesk PDF")));
    PrinterService::configureFromArguments({QStringLiteral("slipdesk")});
}
