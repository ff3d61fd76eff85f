#include "TableSpec.h"

#include "context/AppContext.h"
#include "datawin/DataTable.h"
#include "storage/TextTable.h"
#include "trade/DeliveryQueue.h"
#include "trade/SmallLists.h"
#include "trade/TradeLogs.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillLog.h"
#include "waybill/WaybillQueue.h"

#include <QFileInfo>

namespace Slipdesk {

namespace Headers {

QString expressLog()
{
    return QStringLiteral(
        "序号,打印日期,打印时间,信函日期,是否作废,信函编号,信函名称,买家昵称,收件人,收件单位名称,收件地址,"
        "收件单位电话,邮政编码,物流订单,物品,件数,重量,留言,业务标记1,业务标记2,业务标记3,收件人电话,"
        "手机,支付宝,信箱,聊天,金额,代收货款,保价金额,保费,运费,加急费,寄件单位,收件日期,签收人,备注");
}

QString expressBatch()
{
    return QStringLiteral(
        "序号,昵称,收件人,目的地,省市,地市,区县,通讯地址,收件单位名称,单位电话,邮编,物流订单,物品,件数,重量,"
        "留言,业务标记1,业务标记2,业务标记3,收件人电话,手机,支付宝,信箱,聊天,单位传真,代码,类别,编码,网"
        "址,部门,称谓,收件语,金额,代收货款,保价金额,保费,运费,加急费");
}

QString recipients()
{
    return QStringLiteral(
        "序号,代码,类别,编号,邮编,省/市,地/市,区/县,通讯地址,收件单位名称,部门,收件人,称谓,收件语,单位电话,传"
        "真,网址,收件人电话,昵称,手机,支付宝,邮箱,聊天");
}

QString senders()
{
    return QStringLiteral(
        "序号,代码,邮编,始发地,省/市,地/市,区/县,通讯地址,寄件单位名称,寄件人,单位电话,传真,税号,网址,银行,账"
        "号,寄件人电话,昵称,手机,支付宝,邮箱,聊天");
}

QString goods()
{
    return QStringLiteral("序号,商品编码,商品名称,计量单位,库存数量,售价,出库备注,进价,入库备注,待发数量");
}

QString deliveryLog()
{
    return QStringLiteral(
        "序号,打印日期,打印时间,发货日期,发货单名称,发货单号,快递单名称,快递单号,买家姓名,买家昵称,买家手机,"
        "买家电话,收货地址,邮编,数量合计,邮递费用,货款小计,金额合计,成本合计,毛利合计,卖家姓名,备注");
}

QString deliveryDetail()
{
    return QStringLiteral(
        "序号,发货单名称,发货单号,发货日期,商品编码,商品名称,单位,数量,售价,金额,出库备注,进价,入库备注");
}

QString deliveryBatch()
{
    return QStringLiteral(
        "序号,发货单,业务时点,买家姓名,买家昵称,买家手机,买家电话,买家地址-省,地址-市,地址-区,买家地址,邮编,"
        "邮递费用");
}

QString deliveryBatchGoods()
{
    return QStringLiteral("序号,发货单,业务时点,商品编码,商品名称,单位,数量,单价,金额,备注");
}

QString inboundLog()
{
    return QStringLiteral("序号,打印日期,打印时间,采购日期,入库单名称,入库单号,经办人,入库类别,数量合计,金额合计");
}

QString inboundDetail()
{
    return QStringLiteral(
        "序号,入库单名称,入库单号,入库日期,商品编码,商品名称,单位,数量,进价,金额,入库备注,售价,出库备注");
}

QString salesStats()
{
    return QStringLiteral("序号,商品编码,商品名称,单位,数量,收入合计,成本合计,毛利合计");
}

} // namespace Headers

namespace {

// --- Loading -----------------------------------------------------------------------------

// The detail file beside a log or queue: "发货清单" or "入库清单" before the extension.
QString detailPathOf(const QString &file, const QString &suffix)
{
    const QFileInfo info(file);
    return info.path() + u'/' + info.completeBaseName() + suffix + u'.' + info.suffix();
}

QStringList linesOfText(const QString &text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

LoadedTable loadExpressLog(const TableSpec &, AppContext &context, const TableRequest &request)
{
    const Paths &paths = context.paths();
    const int year = request.today.year();
    LoadedTable loaded;
    loaded.file = WaybillLog::path(paths, year);
    if (!QFileInfo::exists(loaded.file))
        loaded.file = WaybillLog::path(paths, year - 1);
    if (!QFileInfo::exists(loaded.file)) {
        loaded.refusal = QStringLiteral("好像没有打印记录");
        return loaded;
    }
    loaded.lines = TextTable::load(loaded.file);
    return loaded;
}

LoadedTable loadExpressQueue(const TableSpec &spec, AppContext &context, const TableRequest &request)
{
    LoadedTable loaded;
    loaded.file = spec.queueFile(context.paths(), request.templateName);
    loaded.lines = TextTable::load(loaded.file);
    return loaded;
}

LoadedTable loadRecipients(const TableSpec &, AppContext &context, const TableRequest &)
{
    if (context.recipients().isEmpty())
        context.setRecipients(AddressBook::loadRecipients(context.paths()));
    return {context.paths().file(AddressBook::recipientFile()), QString(), context.recipients(), QString(), QString()};
}

LoadedTable loadSenders(const TableSpec &, AppContext &context, const TableRequest &)
{
    if (context.senders().isEmpty())
        context.setSenders(AddressBook::loadSenders(context.paths()));
    return {context.paths().file(AddressBook::senderFile()), QString(), context.senders(), QString(), QString()};
}

LoadedTable loadGoods(const TableSpec &, AppContext &context, const TableRequest &)
{
    context.ensureGoods();
    return {context.paths().file(GoodsMaster::fileName()), QString(), context.goods().rows(), QString(), QString()};
}

LoadedTable loadPickList(const TableSpec &spec, AppContext &context, const TableRequest &)
{
    LoadedTable loaded;
    loaded.file = context.paths().file(AppContext::pickListFile(toInt(spec.code)));
    loaded.lines = TextTable::load(loaded.file, AppContext::pickListDefaults(toInt(spec.code)));
    return loaded;
}

LoadedTable loadSmallList(const TableSpec &spec, AppContext &context, const TableRequest &)
{
    context.ensureSmallLists();
    LoadedTable loaded;
    loaded.file = context.paths().file(SmallLists::fileName(SmallLists::Which(spec.smallList)));
    loaded.lines = linesOfText(context.smallLists().text[spec.smallList]);
    return loaded;
}

// A trade log with its detail log: this year's when both files are there,
// else last year's.
LoadedTable loadTradeLog(const TableSpec &spec, AppContext &context, const TableRequest &request, NoteKind kind)
{
    const int year = request.today.year();
    LoadedTable loaded;
    for (const int y : {year, year - 1}) {
        const QString log = TradeLogs::logPath(context.paths(), kind, request.templateName, y);
        if (QFileInfo::exists(log)
            && QFileInfo::exists(TradeLogs::detailPath(context.paths(), kind, request.templateName, y))) {
            loaded.file = log;
            break;
        }
    }
    if (loaded.file.isEmpty()) {
        loaded.refusal = request.templateName + QStringLiteral(" 好像没有打印记录");
        return loaded;
    }
    loaded.lines = TextTable::load(loaded.file);
    loaded.detailFile = detailPathOf(loaded.file, spec.detailSuffix);
    return loaded;
}

LoadedTable loadDeliveryLog(const TableSpec &spec, AppContext &context, const TableRequest &request)
{
    return loadTradeLog(spec, context, request, NoteKind::Delivery);
}

LoadedTable loadInboundLog(const TableSpec &spec, AppContext &context, const TableRequest &request)
{
    return loadTradeLog(spec, context, request, NoteKind::Inbound);
}

LoadedTable loadDeliveryQueue(const TableSpec &spec, AppContext &context, const TableRequest &request)
{
    LoadedTable loaded;
    loaded.file = spec.queueFile(context.paths(), request.templateName);
    loaded.detailFile = detailPathOf(loaded.file, spec.detailSuffix);
    if (!QFileInfo::exists(loaded.file) || !QFileInfo::exists(loaded.detailFile)) {
        loaded.refusal = QStringLiteral("没有发现批量打印数据文件");
        return loaded;
    }
    loaded.lines = TextTable::load(loaded.file);
    return loaded;
}

// The statistics have no file of their own: they are computed from this
// year's delivery detail log, else last year's.
LoadedTable loadSalesStats(const TableSpec &, AppContext &context, const TableRequest &request)
{
    const int year = request.today.year();
    LoadedTable loaded;
    for (const int y : {year, year - 1}) {
        const QString detail = TradeLogs::detailPath(context.paths(), NoteKind::Delivery, request.templateName, y);
        if (QFileInfo::exists(detail)) {
            loaded.detailFile = detail;
            break;
        }
    }
    if (loaded.detailFile.isEmpty())
        loaded.refusal = QStringLiteral("发货清单文件不存在");
    loaded.title = QStringLiteral("查询统计");
    return loaded;
}

// --- After saving and emptying ----------------------------------------------------------

void pickListChanged(const TableSpec &spec, AppContext &context, const DataTable &)
{
    context.forgetPickList(toInt(spec.code));
}

void pickListCleared(const TableSpec &spec, AppContext &context)
{
    context.forgetPickList(toInt(spec.code));
}

void smallListSaved(const TableSpec &spec, AppContext &context, const DataTable &saved)
{
    QString text;
    for (const QString &line : saved.savedLines())
        text += TextTable::field(line, 0) + QStringLiteral("\r\n");
    context.smallLists().text[spec.smallList] = text;
}

void smallListCleared(const TableSpec &spec, AppContext &context)
{
    context.smallLists().text[spec.smallList] = SmallLists::defaultText(SmallLists::Which(spec.smallList));
}

// --- The registry ------------------------------------------------------------------------

QList<TableSpec> buildSpecs()
{
    QList<TableSpec> specs;
    const QStringList expressMoney {QStringLiteral("金额"), QStringLiteral("代收货款"), QStringLiteral("保价金额"),
        QStringLiteral("保费"), QStringLiteral("运费"), QStringLiteral("加急费")};

    TableSpec log;
    log.code = TableCode::ExpressLog;
    log.page = TablePage::Express;
    log.header = Headers::expressLog();
    log.canAdd = false;
    log.enterAppends = false;
    log.statusEditor = true;
    log.rightAligned = expressMoney;
    log.grouped = {QStringLiteral("金额")};
    log.groupedAfterImport = log.grouped;
    log.exportName = ExportName::PrintLog;
    log.refusalFocus = controlName(WaybillField::CmbSjrMc);
    log.load = loadExpressLog;
    log.reprint = [](const QStringList &cells, const QList<QStringList> &) {
        ReprintData data;
        data.values = Reprint::express(cells);
        return data;
    };
    specs.append(log);

    TableSpec batch;
    batch.code = TableCode::ExpressBatch;
    batch.page = TablePage::Express;
    batch.header = Headers::expressBatch();
    batch.batchPage = true;
    batch.importsOrders = true;
    batch.rightAligned = expressMoney;
    batch.grouped = {QStringLiteral("金额")};
    batch.groupedAfterImport = batch.grouped;
    batch.exportName = ExportName::BatchQueue;
    batch.load = loadExpressQueue;
    batch.queueFile = [](const Paths &paths, const QString &) { return WaybillQueue::file(paths); };
    specs.append(batch);

    TableSpec recipients;
    recipients.code = TableCode::Recipients;
    recipients.header = Headers::recipients();
    recipients.load = loadRecipients;
    recipients.afterSave
        = [](const TableSpec &, AppContext &context, const DataTable &) { context.reloadRecipients(); };
    recipients.afterClear
        = [](const TableSpec &, AppContext &context) { context.setRecipients(AddressBook::recipientSamples()); };
    specs.append(recipients);

    TableSpec senders;
    senders.code = TableCode::Senders;
    senders.header = Headers::senders();
    // The tax number and the account number keep their leading zeros.
    senders.textColumns = {11, 14};
    senders.load = loadSenders;
    senders.afterSave = [](const TableSpec &, AppContext &context, const DataTable &) { context.reloadSenders(); };
    senders.afterClear
        = [](const TableSpec &, AppContext &context) { context.setSenders(AddressBook::senderSamples()); };
    specs.append(senders);

    for (const AddressBook::PickList &list : AddressBook::pickLists()) {
        TableSpec pick;
        pick.code = TableCode(list.tableCode);
        pick.header = list.header;
        pick.load = loadPickList;
        pick.afterSave = pickListChanged;
        pick.afterClear = pickListCleared;
        specs.append(pick);
    }

    TableSpec goods;
    goods.code = TableCode::Goods;
    goods.header = Headers::goods();
    goods.goodsEditors = true;
    goods.rightAligned = {QStringLiteral("售价"), QStringLiteral("进价")};
    goods.grouped = goods.rightAligned;
    goods.load = loadGoods;
    goods.afterSave = [](const TableSpec &, AppContext &context, const DataTable &) { context.reloadGoods(); };
    goods.afterClear = [](const TableSpec &, AppContext &context) { context.setGoods(GoodsMaster::samples()); };
    specs.append(goods);

    TableSpec delivery;
    delivery.code = TableCode::DeliveryLog;
    delivery.header = Headers::deliveryLog();
    delivery.canAdd = false;
    delivery.canImport = false;
    delivery.canExport = false;
    delivery.detailHeader = Headers::deliveryDetail();
    delivery.detailKey1 = 4;
    delivery.detailKey2 = 5;
    delivery.detailSuffix = QStringLiteral("发货清单");
    delivery.reversal = StockRules::Reversal::DeliveryLog;
    delivery.rightAligned = {QStringLiteral("邮递费用"), QStringLiteral("货款小计"), QStringLiteral("金额合计"),
        QStringLiteral("成本合计"), QStringLiteral("毛利合计")};
    delivery.grouped = delivery.rightAligned;
    delivery.exportName = ExportName::PrintLog;
    delivery.refusalFocus = controlName(DeliveryField::CmbBuyerName);
    delivery.load = loadDeliveryLog;
    delivery.reprint = Reprint::delivery;
    specs.append(delivery);

    TableSpec deliveryBatch;
    deliveryBatch.code = TableCode::DeliveryBatch;
    deliveryBatch.header = Headers::deliveryBatch();
    deliveryBatch.modal = false;
    deliveryBatch.canAdd = false;
    deliveryBatch.canImport = false;
    deliveryBatch.canExport = false;
    deliveryBatch.batchPage = true;
    deliveryBatch.detailHeader = Headers::deliveryBatchGoods();
    deliveryBatch.detailKey1 = 1;
    deliveryBatch.detailKey2 = 2;
    deliveryBatch.detailSuffix = QStringLiteral("发货清单");
    deliveryBatch.reversal = StockRules::Reversal::DeliveryBatch;
    deliveryBatch.rightAligned = {QStringLiteral("邮递费用")};
    deliveryBatch.exportName = ExportName::BatchQueue;
    deliveryBatch.refusalFocus = controlName(DeliveryField::CmbBuyerName);
    deliveryBatch.load = loadDeliveryQueue;
    deliveryBatch.queueFile = DeliveryQueue::file;
    deliveryBatch.queueGoodsFile = DeliveryQueue::goodsFile;
    specs.append(deliveryBatch);

    const std::tuple<TableCode, SmallLists::Which, QString> smallLists[] {
        {TableCode::Units, SmallLists::Units, QStringLiteral("序号,计量单位")},
        {TableCode::OutboundRemarks, SmallLists::OutboundRemarks, QStringLiteral("序号,出库备注")},
        {TableCode::InboundRemarks, SmallLists::InboundRemarks, QStringLiteral("序号,入库备注")}};
    for (const auto &[code, which, header] : smallLists) {
        TableSpec small;
        small.code = code;
        small.header = header;
        small.smallList = which;
        small.load = loadSmallList;
        small.afterSave = smallListSaved;
        small.afterClear = smallListCleared;
        specs.append(small);
    }

    TableSpec types;
    types.code = TableCode::InboundTypes;
    types.header = QStringLiteral("序号,入库类别");
    types.load = loadPickList;
    types.afterSave = pickListChanged;
    types.afterClear = pickListCleared;
    specs.append(types);

    TableSpec inbound;
    inbound.code = TableCode::InboundLog;
    inbound.page = TablePage::Inbound;
    inbound.header = Headers::inboundLog();
    inbound.modal = false;
    inbound.canAdd = false;
    inbound.canImport = false;
    inbound.canExport = false;
    inbound.detailHeader = Headers::inboundDetail();
    inbound.detailKey1 = 4;
    inbound.detailKey2 = 5;
    inbound.detailSuffix = QStringLiteral("入库清单");
    inbound.reversal = StockRules::Reversal::InboundLog;
    inbound.rightAligned = {QStringLiteral("金额合计")};
    inbound.grouped = inbound.rightAligned;
    inbound.exportName = ExportName::PrintLog;
    inbound.refusalFocus = controlName(InboundField::CmbInputJbr);
    inbound.load = loadInboundLog;
    inbound.reprint = Reprint::inbound;
    specs.append(inbound);

    TableSpec stats;
    stats.code = TableCode::SalesStats;
    stats.header = Headers::salesStats();
    stats.canSave = false;
    stats.canImport = false;
    stats.statsPage = true;
    stats.rightAligned = {QStringLiteral("收入合计"), QStringLiteral("成本合计"), QStringLiteral("毛利合计")};
    stats.exportName = ExportName::SalesStats;
    stats.load = loadSalesStats;
    specs.append(stats);

    std::sort(specs.begin(), specs.end(), [](const TableSpec &a, const TableSpec &b) { return a.code < b.code; });
    return specs;
}

const QList<TableSpec> &specs()
{
    static const QList<TableSpec> all = buildSpecs();
    return all;
}

const TableSpec *find(TableCode code)
{
    for (const TableSpec &spec : specs())
        if (spec.code == code)
            return &spec;
    return nullptr;
}

} // namespace

const TableSpec &tableSpec(TableCode code)
{
    static const TableSpec none;
    const TableSpec *spec = find(code);
    return spec ? *spec : none;
}

QList<TableCode> tableCodes()
{
    QList<TableCode> codes;
    for (const TableSpec &spec : specs())
        codes.append(spec.code);
    return codes;
}

std::optional<TableCode> tableCodeOf(int number)
{
    if (const TableSpec *spec = find(TableCode(number)))
        return spec->code;
    return std::nullopt;
}

} // namespace Slipdesk
