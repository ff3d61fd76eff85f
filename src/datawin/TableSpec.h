#pragma once

#include "datawin/Reprint.h"
#include "datawin/TableCode.h"
#include "trade/StockRules.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace Slipdesk {

class AppContext;
class DataTable;
class Paths;

// What the data window is asked to open.
struct TableRequest
{
    TableCode code {};
    // The template the table belongs to: the delivery template for the
    // delivery log, its queue and the statistics, the inbound template for
    // the inbound log.
    QString templateName;
    QDate today = QDate::currentDate();
};

// What a table's loader found.
struct LoadedTable
{
    QString file; // the table's file, which is also the window's title
    QString title; // a title other than the file's path
    QStringList lines;
    // The goods lines beside the table (logs, the delivery queue), or the
    // lines the statistics are computed from; read when not empty.
    QString detailFile;
    QString refusal; // nothing to open: why
};

// The file name "导出" proposes.
enum class ExportName {
    TableFile, // the table file's name with today's date
    PrintLog, // "打印记录数据" with the date and time
    BatchQueue, // "批量打印数据" with the date and time
    SalesStats, // "销售统计" with the statistics' dates
};

// The working page a table belongs to: whose template its rows are of (the
// trade logs, queues and statistics), and which page runs its batch.
enum class TablePage { Express, Delivery, Inbound };

// How the data window treats one table: its flags and its behaviour, one
// record per code, so that opening, saving, emptying, exporting and
// reprinting a table look it up here instead of switching on codes.
struct TableSpec
{
    TableCode code {};
    TablePage page = TablePage::Delivery;
    QString header; // with its "序号" column
    bool modal = true; // the delivery queue and the inbound log leave the main window usable
    bool canAdd = true; // "增加" and "插入"
    bool enterAppends = true;
    bool canImport = true; // "导入" (and "导出" for the detail tables)
    bool canExport = true;
    bool canSave = true; // "保存" and "清空"
    bool batchPage = false; // "批量打印" shown and selected
    bool statsPage = false; // "查询统计" shown and selected
    bool statusEditor = false; // the "是否作废" editor
    bool goodsEditors = false; // the drop-down over units and remarks
    bool importsOrders = false; // "导入" also reads the seller order table
    // The detail view under the master: its header and the master columns
    // holding the two keys of a note's goods lines.
    QString detailHeader;
    int detailKey1 = -1;
    int detailKey2 = -1;
    // The detail file beside the table's file: "发货清单" or "入库清单" before
    // the extension.
    QString detailSuffix;
    // How deleting a note gives its stock back.
    StockRules::Reversal reversal = StockRules::Reversal::DeliveryLog;
    // Master columns drawn right-aligned, those the opener rewrites in the
    // grouped amount format, and those a workbook import regroups.
    QStringList rightAligned;
    QStringList grouped;
    QStringList groupedAfterImport;
    // Worksheet columns formatted as text before any value.
    QList<int> textColumns;
    ExportName exportName = ExportName::TableFile;
    // The control of the main window that takes the focus after a refusal.
    QString refusalFocus;
    // The small list (SmallLists::Which) a one-column list table holds; -1 for others.
    int smallList = -1;

    // Reads the table's file (or tells why there is none). Throws IoError.
    LoadedTable (*load)(const TableSpec &spec, AppContext &context, const TableRequest &request) = nullptr;
    // Batch queues: the queue file and, for notes, its goods file.
    QString (*queueFile)(const Paths &paths, const QString &templateName) = nullptr;
    QString (*queueGoodsFile)(const Paths &paths, const QString &templateName) = nullptr;
    // After "保存": what the program holds of the table follows the file.
    void (*afterSave)(const TableSpec &spec, AppContext &context, const DataTable &saved) = nullptr;
    // After "清空" (or saving an empty table): the lists back to their defaults.
    void (*afterClear)(const TableSpec &spec, AppContext &context) = nullptr;
    // "重打(&P)": a logged row (`cells` without the 序号) and its goods rows
    // back into the page's fields.
    ReprintData (*reprint)(const QStringList &cells, const QList<QStringList> &detailCells) = nullptr;

    // The hooks, where the table has them.
    void saved(AppContext &context, const DataTable &table) const
    {
        if (afterSave)
            afterSave(*this, context, table);
    }
    void cleared(AppContext &context) const
    {
        if (afterClear)
            afterClear(*this, context);
    }

    bool hasDetail() const { return !detailHeader.isEmpty(); }
    bool canReprint() const { return reprint != nullptr; }
    bool isQueue() const { return queueFile != nullptr; }
    // Whether "导出" writes stored rows: the statistics are computed in the
    // window and have none before that.
    bool exportsStoredRows() const { return canExport && !statsPage; }
};

// The record of `code`; a code the window does not know gives an empty one
// (code 0) that opens an empty table without a file.
const TableSpec &tableSpec(TableCode code);
// Every table, in code order.
QList<TableCode> tableCodes();

// The headers of the program's tables as the data window shows them.
namespace Headers {
QString expressLog();
QString expressBatch();
QString recipients();
QString senders();
QString goods();
QString deliveryLog();
QString deliveryDetail();
QString deliveryBatch();
QString deliveryBatchGoods();
QString inboundLog();
QString inboundDetail();
QString salesStats();
} // namespace Headers

} // namespace Slipdesk
