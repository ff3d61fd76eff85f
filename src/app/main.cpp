#include "app/TForm1.h"
#include "datawin/ui/TFRMData.h"
#include "platform/FolderLock.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/SingleInstance.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtPrinterService.h"
#include "platform/ui/WidgetFields.h"
#include "render/FontMapping.h"
#include "render/ui/PreviewWindow.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/ProgramLocation.h"
#include "templates/ui/TemplateTab.h"
#include "trade/GoodsFile.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "trade/ui/InboundTab.h"
#include "waybill/WaybillRender.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

using namespace Slipdesk;

namespace {

// Types `text` into the first empty code cell of `grid`, as the user would.
void showPicker(TForm1 &form, GoodsGrid &grid, const QString &text)
{
    QTableWidget *table = grid.grid();
    int row = 0;
    while (row < table->rowCount() && table->item(row, 1) && !table->item(row, 1)->text().isEmpty())
        ++row;
    if (row >= table->rowCount())
        return;
    form.activateWindow();
    table->setFocus();
    table->setCurrentCell(row, 1);
    if (!table->item(row, 1))
        table->setItem(row, 1, new QTableWidgetItem);
    table->editItem(table->item(row, 1));
    QLineEdit *edit = table->viewport()->findChild<QLineEdit *>();
    if (!edit)
        return;
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
}

} // namespace

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

    // --screenshot FILE [--tab N]: a picture of the window for people without
    // a display (and for checking the look), then the program ends normally.
    const QString shot = optionValue(QApplication::arguments(), QStringLiteral("--screenshot"));
    if (!shot.isEmpty()) {
        const int tab = optionValue(QApplication::arguments(), QStringLiteral("--tab")).toInt();
        const bool preview = QApplication::arguments().contains(QStringLiteral("--preview"));
        // --fields FILE fills entry fields first ("ControlName=value" lines),
        // so that a picture can show a filled-in form.
        const QString fieldFile = optionValue(QApplication::arguments(), QStringLiteral("--fields"));
        // --goods FILE fills the goods grid of a trade tab (command-line goods
        // file form), --pick TEXT types TEXT into its first free code cell so
        // that the picture shows the goods picker.
        const QString goodsFile = optionValue(QApplication::arguments(), QStringLiteral("--goods"));
        const QString pick = optionValue(QApplication::arguments(), QStringLiteral("--pick"));
        // --table CODE opens the data window on a table (a log, a book) and
        // the picture shows that window; --query FROM,TO runs the statistics.
        const QString table = optionValue(QApplication::arguments(), QStringLiteral("--table"));
        const QString query = optionValue(QApplication::arguments(), QStringLiteral("--query"));
        // --batch FROM,TO starts a batch run over those rows of the queue
        // opened with --table 2 or 14: the picture shows the tab during the run.
        const QString batch = optionValue(QApplication::arguments(), QStringLiteral("--batch"));
        QTimer::singleShot(0, &form, [&form, tab, preview, fieldFile, goodsFile, pick, table, query, batch] {
            form.switchToPage(tab);
            if (!fieldFile.isEmpty()) {
                // Read as every outside file is: a regular file of limited size.
                try {
                    Fields::apply(
                        &form, FieldValues::fromFieldFile(FileIo::readOutside(fieldFile, FileIo::kFormFileLimit)));
                } catch (const IoError &e) {
                    std::fprintf(stderr, "%s\n", e.what());
                }
            }
            GoodsGrid *grid = tab == 1 ? form.deliveryTab()->goods() : tab == 2 ? form.inboundTab()->goods() : nullptr;
            if (grid && !goodsFile.isEmpty()) {
                try {
                    grid->setRows(GoodsFile::parse(
                        FileIo::readOutside(goodsFile, FileIo::kFormFileLimit), grid->grid()->rowCount()));
                } catch (const IoError &e) {
                    std::fprintf(stderr, "%s\n", e.what());
                }
                grid->recompute();
            }
            if (grid && !pick.isEmpty())
                showPicker(form, *grid, pick);
            if (preview) {
                form.templateTab()->setPreviewNeverBlocks(true);
                form.templateTab()->openPreview(tab == 3);
            }
            if (!table.isEmpty())
                form.openDataWindow(TableCode(table.toInt()));
            if (const QStringList range = query.split(u','); range.size() == 2 && form.dataWindow()->isVisible()) {
                TFRMDataUi &ui = form.dataWindow()->ui();
                ui.DtpGroupStart->setDate(QDate::fromString(range.at(0), Qt::ISODate));
                ui.DtpGroupEnd->setDate(QDate::fromString(range.at(1), Qt::ISODate));
                form.dataWindow()->computeStatistics();
            }
            if (const QStringList range = batch.split(u','); range.size() == 2 && form.dataWindow()->isVisible()) {
                TFRMDataUi &ui = form.dataWindow()->ui();
                ui.EdtTskStartNo->setText(range.at(0));
                ui.EdtTskEndNo->setText(range.at(1));
                ui.BtnStartTsk->click();
            }
        });
        QTimer::singleShot(800, &form, [&form, shot, preview] {
            PreviewWindow *previewWindow = form.templateTab()->previewWindow();
            QWidget *window
                = preview && previewWindow ? static_cast<QWidget *>(previewWindow) : static_cast<QWidget *>(&form);
            if (form.dataWindow()->isVisible())
                window = form.dataWindow();
            window->grab().save(shot);
            if (previewWindow)
                previewWindow->close();
            form.dataWindow()->close();
            form.close();
        });
    }
    const int result = app.exec();
    folder.release();
    instance.release();
    return result;
}
