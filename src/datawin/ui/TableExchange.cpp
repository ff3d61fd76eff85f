#include "TableExchange.h"

#include "datawin/BatchRange.h"
#include "datawin/DataTableModel.h"
#include "datawin/ui/DataGrid.h"
#include "datawin/ui/TFRMData.h"
#include "export/OrderImport.h"
#include "export/Workbook.h"
#include "export/XlsWriter.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/ui/FileDialogService.h"
#include "platform/ui/WaitCursor.h"
#include "storage/FileIo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace Slipdesk {

namespace {

const QString kWorkbookFilter = QStringLiteral("Microsoft Excel 工作簿(*.xls)");
const QString kXlsxFilter = QStringLiteral("Excel 工作簿(*.xlsx)");
const QString kOpenFilter
    = QStringLiteral("Microsoft Excel 工作簿(*.xls);;Excel 工作簿(*.xlsx);;OpenDocument 电子表格(*.ods)");
const QString kOrderFilter = QStringLiteral("淘宝订单表格 (*.csv)");
const QString kMarketFilter
    = QStringLiteral("各平台订单表格：京东、拼多多、抖店、快手小店等 (*.csv *.txt *.tsv *.xlsx *.xls)");

// A long export or import shows how far it is and keeps the window
// painting; the dialog is modal, so nothing else can start meanwhile.
class Progress
{
public:
    Progress(QWidget *parent, const QString &label)
        : m_dialog(label, QString(), 0, 0, parent)
    {
        m_dialog.setWindowTitle(QStringLiteral("Slipdesk软件"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setCancelButton(nullptr);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
    }
    void rows(int done, int total)
    {
        m_dialog.setMaximum(total);
        m_dialog.setValue(done);
        QCoreApplication::processEvents();
    }
    // While the spreadsheet program works: a busy bar.
    void poll()
    {
        if (m_dialog.maximum() != 0) {
            m_dialog.setRange(0, 0);
            m_dialog.setLabelText(QStringLiteral("正在等待电子表格软件……"));
        }
        m_dialog.setValue(0);
        QCoreApplication::processEvents();
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

TableExchange::TableExchange(TFRMData &window)
    : QObject(&window)
    , m_window(window)
{
    connect(&window, &TFRMData::exportRequested, this, &TableExchange::exportTable);
    connect(&window, &TFRMData::importRequested, this, &TableExchange::importTable);
}

void TableExchange::focusGrid()
{
    m_window.ui().SgData->setFocus();
}

void TableExchange::exportTable()
{
    DataSession *session = m_window.session();
    if (!session || !session->table().hasData())
        return;
    const DataTable &table = session->table();
    MessageService &messages = MessageService::instance();
    const int current = std::max(0, m_window.ui().SgData->currentIndex().row());
    QString start = QString::number(current + 1);
    if (!messages.prompt(QStringLiteral("请输入开始序号"), start))
        return;
    QString end = QString::number(table.rowCount());
    if (!messages.prompt(QStringLiteral("请输入结束序号"), end))
        return;
    const std::optional<std::pair<int, int>> range = BatchRange::parse(start, end, table.rowCount());
    if (!range) {
        messages.warn(QStringLiteral("输入的序号有误！"));
        return;
    }
    TFRMDataUi &u = m_window.ui();
    FileDialogService::OpenRequest request;
    request.caption = QStringLiteral("导出");
    request.directory = QDir::homePath() + u'/'
        + XlsExport::proposedName(session->code(), session->file(), QDateTime::currentDateTime(),
            u.DtpGroupStart->date(), u.DtpGroupEnd->date())
        + QStringLiteral(".xls");
    request.filter = kWorkbookFilter + QStringLiteral(";;") + kXlsxFilter;
    request.defaultSuffix = QStringLiteral("xls");
    const QString file = FileDialogService::instance().saveFile(&m_window, request);
    if (file.isEmpty()) {
        focusGrid();
        return;
    }
    bool written = false;
    Workbook::Exported done;
    {
        const WaitCursor wait;
        Progress progress(&m_window, QStringLiteral("正在导出……"));
        Workbook::ExportOptions options;
        options.progress = [&](int done, int total) { progress.rows(done, total); };
        options.poll = [&] { progress.poll(); };
        // Written aside and renamed over the old file only when complete;
        // a spreadsheet program that fails leaves the work to the own writer.
        written = guarded(
            [&] { done = Workbook::exportGrid(table, session->code(), file, range->first, range->second, options); });
    }
    if (written && !done.complete())
        messages.warn(QStringLiteral("已导出 %1 行。").arg(done.written) + done.leftOut());
    else if (written)
        messages.inform(QStringLiteral("导出完成！"));
    focusGrid();
}

void TableExchange::importTable()
{
    DataSession *session = m_window.session();
    if (!session)
        return;
    FileDialogService::OpenRequest request;
    request.caption = QStringLiteral("导入");
    request.directory = QDir::homePath();
    request.filter = kOpenFilter;
    if (session->spec().importsOrders)
        request.filter += QStringLiteral(";;") + kOrderFilter + QStringLiteral(";;") + kMarketFilter;
    request.defaultSuffix = QStringLiteral("xls");
    QString chosen;
    request.chosenFilter = &chosen;
    const QString file = FileDialogService::instance().openFile(&m_window, request);
    if (file.isEmpty()) {
        focusGrid();
        return;
    }
    if (session->spec().importsOrders) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (chosen == kMarketFilter || suffix == u"txt" || suffix == u"tsv") {
            importMarketOrders(file);
            return;
        }
        if (suffix == u"csv") {
            importOrders(file);
            return;
        }
    }
    importWorkbook(file);
}

void TableExchange::importWorkbook(const QString &file)
{
    MessageService &messages = MessageService::instance();
    // A workbook is read through a spreadsheet program only.
    if (!SpreadsheetProgram::available()) {
        messages.warn(QStringLiteral("电脑中可能没有安装MS EXCEL软件！"));
        return;
    }
    QCoreApplication::processEvents();
    Workbook::Sheet sheet;
    {
        const WaitCursor wait;
        Progress progress(&m_window, QStringLiteral("正在导入……"));
        sheet = Workbook::readFirstSheet(file, [&] { progress.poll(); });
    }
    if (!sheet.result.ok()) {
        messages.warn(QStringLiteral("无法读取该表格文件，没有导入任何数据。\n") + sheet.result.message);
        focusGrid();
        return;
    }
    DataSession *session = m_window.session();
    DataTable &table = session->table();
    Workbook::appendSheet(table, sheet.rows, session->code());
    DataGrid *grid = m_window.ui().SgData;
    grid->tableModel()->setTable(&table);
    grid->setCurrentIndex(grid->model()->index(table.rowCount() - 1, 1));
    grid->fitColumns();
    messages.inform(QStringLiteral("数据导入完成！"));
    focusGrid();
}

void TableExchange::importOrders(const QString &file)
{
    OrderImport::Imported imported;
    if (!guarded([&] { imported = OrderImport::readSellerTable(FileIo::readOutside(file, FileIo::kOrderTableLimit)); }))
        return;
    if (!imported.ok()) {
        MessageService::instance().warn(imported.refusal);
        focusGrid();
        return;
    }
    appendOrders(imported.rows);
}

void TableExchange::importMarketOrders(const QString &file)
{
    MessageService &messages = MessageService::instance();
    OrderImport::Imported imported;
    bool read = false;
    {
        const WaitCursor wait;
        Progress progress(&m_window, QStringLiteral("正在导入……"));
        read = guarded([&] { imported = OrderImport::readOrderFile(file, [&] { progress.poll(); }); });
    }
    if (!read)
        return;
    if (!imported.ok()) {
        messages.warn(imported.refusal);
        focusGrid();
        return;
    }
    appendOrders(imported.rows);
    messages.inform(
        QStringLiteral("已按“%1”读入 %2 个订单（保存后生效）。").arg(imported.layout).arg(imported.rows.size()));
    focusGrid();
}

void TableExchange::appendOrders(const QList<QStringList> &rows)
{
    DataSession *session = m_window.session();
    DataTable &table = session->table();
    int last = -1;
    for (const QStringList &cells : std::as_const(rows)) {
        last = table.append();
        for (int c = 0; c < cells.size() && c + 1 < table.columnCount(); ++c)
            table.setCell(last, c + 1, cells.at(c));
    }
    DataGrid *grid = m_window.ui().SgData;
    grid->tableModel()->setTable(&table);
    if (last >= 0)
        grid->setCurrentIndex(grid->model()->index(last, 1));
    focusGrid();
}

} // namespace Slipdesk
