#include "TableExchange.h"

#include "datawin/BatchRange.h"
#include "datawin/DataTableModel.h"
#include "datawin/ui/DataGrid.h"
#include "datawin/ui/TFRMData.h"
#include "export/OrderImport.h"
#include "export/XLSfile.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/ui/FileDialogService.h"
#include "platform/ui/WaitCursor.h"
#include "storage/FileIo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Slipdesk {

namespace {

const QString kWorkbookFilter = QStringLiteral("Microsoft Excel 工作簿(*.xls)");
const QString kOrderFilter = QStringLiteral("淘宝订单表格 (*.csv)");

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
    request.filter = kWorkbookFilter;
    request.defaultSuffix = QStringLiteral("xls");
    const QString file = FileDialogService::instance().saveFile(&m_window, request);
    if (file.isEmpty()) {
        focusGrid();
        return;
    }
    bool written = false;
    {
        const WaitCursor wait;
        // Written aside and renamed over the old file only when complete.
        written = guarded([&] { XlsExport::writeGrid(table, file, range->first, range->second); });
    }
    if (written)
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
    request.filter = kWorkbookFilter;
    if (session->code() == TableCode::ExpressBatch)
        request.filter += QStringLiteral(";;") + kOrderFilter;
    request.defaultSuffix = QStringLiteral("xls");
    const QString file = FileDialogService::instance().openFile(&m_window, request);
    if (file.isEmpty()) {
        focusGrid();
        return;
    }
    if (session->code() == TableCode::ExpressBatch
        && QFileInfo(file).suffix().compare(u"csv", Qt::CaseInsensitive) == 0) {
        importOrders(file);
        return;
    }
    // A workbook is read through a spreadsheet program only.
    MessageService::instance().warn(QStringLiteral("电脑中可能没有安装MS EXCEL软件！"));
}

void TableExchange::importOrders(const QString &file)
{
    DataSession *session = m_window.session();
    QList<QStringList> rows;
    if (!guarded([&] { rows = OrderImport::rows(FileIo::read(file)); }))
        return;
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
