#pragma once

#include <QStringList>

namespace Slipdesk {

// The tables the data window opens, by the code the main window hands it.
namespace TableCode {
enum : int {
    ExpressLog = 1,
    ExpressBatch = 2,
    Recipients = 3,
    Senders = 5,
    Departments = 7,
    Titles = 8,
    Greetings = 9,
    GoodsDescriptions = 10,
    Messages = 11,
    Goods = 12,
    DeliveryLog = 13,
    DeliveryBatch = 14,
    Units = 15,
    OutboundRemarks = 16,
    InboundTypes = 17,
    InboundRemarks = 18,
    InboundLog = 20,
    SalesStats = 21,
};
} // namespace TableCode

// How the data window treats one table: one record per code, so that the
// window's handlers read their behaviour here instead of switching on codes.
struct TableSpec
{
    int code = 0;
    QString header; // with its "序号" column; empty where the opener builds it
    bool modal = true; // 14 and 20 leave the main window usable
    bool canAdd = true; // "增加" and "插入"
    bool enterAppends = true;
    bool canImport = true; // "导入" (and "导出" for the detail tables)
    bool canExport = true;
    bool canSave = true; // "保存" and "清空"
    bool reprint = false; // "重打(&P)"
    bool batchPage = false; // "批量打印" shown and selected
    bool statsPage = false; // "查询统计" shown and selected
    bool statusEditor = false; // the "是否作废" editor
    bool goodsEditors = false; // the drop-down over units and remarks
    // The detail view under the master: its header and the master columns
    // holding the two keys of a note's goods lines.
    QString detailHeader;
    int detailKey1 = -1;
    int detailKey2 = -1;
    // Master columns drawn right-aligned, and those the opener rewrites in
    // the grouped amount format.
    QStringList rightAligned;
    QStringList grouped;
    // The detail file beside the table's file: "发货清单" or "入库清单" before
    // the extension.
    QString detailSuffix;

    bool hasDetail() const { return !detailHeader.isEmpty(); }
};

// The record of `code`; a code the window does not know gives an empty one
// (code 0) that behaves as a plain table.
const TableSpec &tableSpec(int code);

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
