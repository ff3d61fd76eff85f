#include "TableSpec.h"

#include <QHash>

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

QHash<int, TableSpec> buildSpecs()
{
    using namespace TableCode;
    QHash<int, TableSpec> specs;
    auto add = [&](TableSpec spec) { specs.insert(spec.code, spec); };
    const QStringList expressMoney {QStringLiteral("金额"), QStringLiteral("代收货款"), QStringLiteral("保价金额"),
        QStringLiteral("保费"), QStringLiteral("运费"), QStringLiteral("加急费")};

    TableSpec log;
    log.code = ExpressLog;
    log.header = Headers::expressLog();
    log.canAdd = false;
    log.enterAppends = false;
    log.reprint = true;
    log.statusEditor = true;
    log.rightAligned = expressMoney;
    log.grouped = {QStringLiteral("金额")};
    add(log);

    TableSpec batch;
    batch.code = ExpressBatch;
    batch.header = Headers::expressBatch();
    batch.batchPage = true;
    batch.rightAligned = expressMoney;
    batch.grouped = {QStringLiteral("金额")};
    add(batch);

    for (int code : {Recipients, Senders, Departments, Titles, Greetings, GoodsDescriptions, Messages, Units,
             OutboundRemarks, InboundTypes, InboundRemarks}) {
        TableSpec plain;
        plain.code = code;
        if (code == Recipients)
            plain.header = Headers::recipients();
        else if (code == Senders)
            plain.header = Headers::senders();
        add(plain);
    }

    TableSpec goods;
    goods.code = Goods;
    goods.header = Headers::goods();
    goods.goodsEditors = true;
    goods.rightAligned = {QStringLiteral("售价"), QStringLiteral("进价")};
    goods.grouped = goods.rightAligned;
    add(goods);

    TableSpec delivery;
    delivery.code = DeliveryLog;
    delivery.header = Headers::deliveryLog();
    delivery.canAdd = false;
    delivery.canImport = false;
    delivery.canExport = false;
    delivery.reprint = true;
    delivery.detailHeader = Headers::deliveryDetail();
    delivery.detailKey1 = 4;
    delivery.detailKey2 = 5;
    delivery.detailSuffix = QStringLiteral("发货清单");
    delivery.rightAligned = {QStringLiteral("邮递费用"), QStringLiteral("货款小计"), QStringLiteral("金额合计"),
        QStringLiteral("成本合计"), QStringLiteral("毛利合计")};
    delivery.grouped = delivery.rightAligned;
    add(delivery);

    TableSpec deliveryBatch;
    deliveryBatch.code = DeliveryBatch;
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
    deliveryBatch.rightAligned = {QStringLiteral("邮递费用")};
    add(deliveryBatch);

    TableSpec inbound;
    inbound.code = InboundLog;
    inbound.header = Headers::inboundLog();
    inbound.modal = false;
    inbound.canAdd = false;
    inbound.canImport = false;
    inbound.canExport = false;
    inbound.reprint = true;
    inbound.detailHeader = Headers::inboundDetail();
    inbound.detailKey1 = 4;
    inbound.detailKey2 = 5;
    inbound.detailSuffix = QStringLiteral("入库清单");
    inbound.rightAligned = {QStringLiteral("金额合计")};
    inbound.grouped = inbound.rightAligned;
    add(inbound);

    TableSpec stats;
    stats.code = SalesStats;
    stats.header = Headers::salesStats();
    stats.canSave = false;
    stats.canImport = false;
    stats.statsPage = true;
    stats.rightAligned = {QStringLiteral("收入合计"), QStringLiteral("成本合计"), QStringLiteral("毛利合计")};
    add(stats);
    return specs;
}

} // namespace

const TableSpec &tableSpec(int code)
{
    static const QHash<int, TableSpec> specs = buildSpecs();
    static const TableSpec none;
    const auto it = specs.constFind(code);
    return it == specs.cend() ? none : *it;
}

} // namespace Slipdesk
