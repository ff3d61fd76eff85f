#include "ScreenshotDriver.h"

#include "app/TForm1.h"
#include "datawin/ui/TFRMData.h"
#include "platform/ui/WidgetFields.h"
#include "render/ui/PreviewWindow.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/ProgramLocation.h"
#include "templates/ui/TemplateTab.h"
#include "trade/GoodsFile.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "trade/ui/InboundTab.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

namespace Slipdesk::ScreenshotDriver {

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

bool start(TForm1 &form, const QStringList &arguments)
{
    const QString shot = optionValue(arguments, QStringLiteral("--screenshot"));
    if (shot.isEmpty())
        return false;
    const int tab = optionValue(arguments, QStringLiteral("--tab")).toInt();
    const bool preview = arguments.contains(QStringLiteral("--preview"));
    // --fields FILE fills entry fields first ("ControlName=value" lines),
    // so that a picture can show a filled-in form.
    const QString fieldFile = optionValue(arguments, QStringLiteral("--fields"));
    // --goods FILE fills the goods grid of a trade tab (command-line goods
    // file form), --pick TEXT types TEXT into its first free code cell so
    // that the picture shows the goods picker.
    const QString goodsFile = optionValue(arguments, QStringLiteral("--goods"));
    const QString pick = optionValue(arguments, QStringLiteral("--pick"));
    // --table CODE opens the data window on a table (a log, a book) and
    // the picture shows that window; --query FROM,TO runs the statistics.
    const QString table = optionValue(arguments, QStringLiteral("--table"));
    const QString query = optionValue(arguments, QStringLiteral("--query"));
    // --batch FROM,TO starts a batch run over those rows of the queue
    // opened with --table 2 or 14: the picture shows the tab during the run.
    const QString batch = optionValue(arguments, QStringLiteral("--batch"));
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
                grid->setRows(
                    GoodsFile::parse(FileIo::readOutside(goodsFile, FileIo::kFormFileLimit), grid->grid()->rowCount()));
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
    return true;
}

} // namespace Slipdesk::ScreenshotDriver
