#include "platform/MessageService.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtPrinterService.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The desktop program's own services, as its main() makes them.
    Slipdesk::MessageService::setDefault(std::make_unique<Slipdesk::QtMessageService>());
    Slipdesk::QtPrinterService::makeDefault();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
