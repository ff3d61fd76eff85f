#include "app/ScreenshotDriver.h"
#include "app/TForm1.h"
#include "platform/FolderLock.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/SingleInstance.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtPrinterService.h"
#include "render/FontMapping.h"
#include "storage/ProgramLocation.h"

#include <QApplication>
#include <QDir>

using namespace Slipdesk;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("slipdesk"));
    FontMapping::install();
    MessageService::setDefault(std::make_unique<QtMessageService>());
    QtPrinterService::makeDefault();
    // --print-to DIR adds the virtual PDF printer "Slipdesk PDF".
    PrinterService::configureFromArguments(QApplication::arguments());

    SingleInstance instance;
    switch (instance.acquire()) {
    case SingleInstance::Result::Failed:
        MessageService::instance().inform(
            QStringLiteral("创建互斥对象失败!"), MessageService::Icon::Information, QStringLiteral("错误"));
        return 1;
    case SingleInstance::Result::AlreadyRunning:
        MessageService::instance().info(QStringLiteral("程序已经运行, 按确定关闭此窗口!"));
        return 0;
    case SingleInstance::Result::Acquired:
        break;
    }

    // The window holds its books and goods in memory and rewrites them whole:
    // while it runs, nothing else may write into its data folder.
    const ProgramLocation location = ProgramLocation::fromApplication();
    FolderLock folder(location.dataRoot);
    if (!folder.acquireOrTell(QStringLiteral("slipdesk"), MessageService::instance()))
        return 1;
    TForm1 form(Paths(location.dataRoot), location.exeDir, QDir::tempPath());
    if (!form.FormCreate())
        return 0;
    form.show();

    // --screenshot FILE …: a picture of the window, then the program ends.
    ScreenshotDriver::start(form, QApplication::arguments());
    const int result = app.exec();
    folder.release();
    instance.release();
    return result;
}
