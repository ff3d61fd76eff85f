#include "TradeForm.h"

#include "context/AppContext.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/TemplateList.h"
#include "waybill/AddressBook.h"

namespace Slipdesk::TradeForm {

namespace {

// Sender book fields (see AddressBook): 代码,邮编,始发地,省/市,地/市,区/县,通讯地址,
// 寄件单位名称,寄件人,单位电话,传真,税号,网址,银行,账号,寄件人电话,昵称,手机,…
enum SenderField { Province = 3, City = 4, District = 5, Street = 6, Name = 8 };

QString field(const QString &row, int f)
{
    return TextTable::field(row, f);
}

} // namespace

const QList<Caption> &captions(NoteKind kind)
{
    static const QList<Caption> delivery {
        {controlName(DeliveryField::LblBuyerName), QStringLiteral("买家姓名"), QStringLiteral("买家姓名值")},
        {controlName(DeliveryField::LblBuyerNickName), QStringLiteral("昵称"), QStringLiteral("买家昵称值")},
        {controlName(DeliveryField::LblbuyerMobile), QStringLiteral("手机"), QStringLiteral("买家手机值")},
        {controlName(DeliveryField::LblbuyerTel), QStringLiteral("电话"), QStringLiteral("买家电话值")},
        {controlName(DeliveryField::LblBuyerAdd), QStringLiteral("收货地址"), QStringLiteral("收货地址值")},
        {controlName(DeliveryField::LblBuyerYb), QStringLiteral("邮编"), QStringLiteral("收货邮编")},
        {controlName(DeliveryField::LblSalerSay), QStringLiteral("卖家留言"), QStringLiteral("卖家留言值")},
        {controlName(DeliveryField::LblSalerShop), QStringLiteral("店铺网址"), QStringLiteral("店铺网址值")},
        {controlName(DeliveryField::LblSalerAdd), QStringLiteral("卖家地址"), QStringLiteral("卖家地址值")},
        {controlName(DeliveryField::LblSalerName), QStringLiteral("卖家姓名"), QStringLiteral("卖家姓名值")},
        {controlName(DeliveryField::LblSalerNickName), QStringLiteral("昵称"), QStringLiteral("卖家昵称值")},
        {controlName(DeliveryField::LblSalerMobile), QStringLiteral("手机"), QStringLiteral("卖家手机值")},
        {controlName(DeliveryField::LblInvEms), QStringLiteral("快递"), QStringLiteral("发货快递值")},
        {controlName(DeliveryField::LblEmsNo), QStringLiteral("单号"), QStringLiteral("快递单号值")},
    };
    static const QList<Caption> inbound {
        {controlName(InboundField::LblInputJbr), QStringLiteral("经办人"), QStringLiteral("入库经办人值")},
        {controlName(InboundField::LblInputType), QStringLiteral("入库类别"), QStringLiteral("入库类别值")},
        {controlName(InboundField::LblInputDate), QStringLiteral("入库日期"), QStringLiteral("入库日期值")},
        {controlName(InboundField::LblInputNo), QStringLiteral("入库单号"), QStringLiteral("入库单号值")},
    };
    return kind == NoteKind::Delivery ? delivery : inbound;
}

QString renamePrompt()
{
    return QStringLiteral("请输入该项目的自定义名称");
}

FieldValues sellerFromSender(const QString &row)
{
    using enum DeliveryField;
    FieldValues values;
    for (DeliveryField f :
        FormFields::where<DeliveryField>([](const FieldSpec &spec) { return spec.senderColumn >= 0; }))
        values.insert(f, field(row, fieldSpec(f).senderColumn));
    values.insert(EdtSalerAdd, field(row, Province) + field(row, City) + field(row, District) + field(row, Street));
    return values;
}

FieldValues shopFromHandler(const QString &row)
{
    FieldValues values;
    values.insert(InboundField::LblInputShop, field(row, fieldSpec(InboundField::LblInputShop).senderColumn));
    return values;
}

FieldValues defaults(AppContext &context, NoteKind kind, const QString &name, const QDate &today)
{
    const TemplateSettings settings(context.paths(), name);
    const QString date = today.toString(QStringLiteral("yyyy-MM-dd"));
    FieldValues values;
    values.insert(TradeNote::templateControl(kind), name);
    for (const Caption &caption : captions(kind)) {
        const QString own = settings.captionValue(caption.key).trimmed();
        values.insert(caption.label, own.isEmpty() ? caption.builtIn : own);
    }
    const QStringList &senders = context.senders();
    if (kind == NoteKind::Delivery) {
        using enum DeliveryField;
        values.insert(EdtInvNo, settings.deliveryNumber());
        values.insert(DTPSender, date);
        values.insert(LblShopName, QStringLiteral("店铺名称"));
        const int seller = settings.defaultShipperIndex();
        if (seller >= 0 && seller < senders.size()) {
            values.insert(CmbSalerName, field(senders.at(seller), Name));
            values.insert(sellerFromSender(senders.at(seller)));
        }
        values.insert(CmbSalerSay, settings.sellerLastMessage());
        values.insert(EdtPostPrice, QStringLiteral("0.00"));
        // The courier and waybill number come over from the express tab.
        const ProgramSettings program(context.paths());
        const QStringList express = TemplateList::peek(program, 0);
        const int last = program.lastTemplate();
        const QString courier = express.value(last >= 0 && last < express.size() ? last : 0);
        values.insert(CmbEmsCompany, courier);
        values.insert(
            EdtInvEmsNo, courier.isEmpty() ? QString() : TemplateSettings(context.paths(), courier).waybillNumber());
    } else {
        using enum InboundField;
        values.insert(EdtInputNo, settings.inboundNumber());
        values.insert(DtpInputDate, date);
        values.insert(LblInputShop, QStringLiteral("店铺名称"));
        const int handler = settings.defaultInboundHandlerIndex();
        if (handler >= 0 && handler < senders.size()) {
            values.insert(CmbInputJbr, field(senders.at(handler), Name));
            values.insert(shopFromHandler(senders.at(handler)));
        }
        values.insert(CmbInputType, context.loadPickList(AppContext::InboundTypesCode).value(0));
    }
    TradeNote note {kind, values, {}};
    note.updateTotals();
    return note.values;
}

TradeNote noteWithDefaults(
    AppContext &context, NoteKind kind, const QString &name, const FieldValues &values, const GoodsRows &goods)
{
    TradeNote note {kind, defaults(context, kind, name, QDate::currentDate()), goods};
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        note.values.insert(it.key(), it.value());
    note.values.insert(TradeNote::templateControl(kind), name);
    note.recompute();
    return note;
}

QString numberRefusal(const TradeNote &note)
{
    if (note.number().size() >= 4)
        return QString();
    return note.kind == NoteKind::Delivery ? QStringLiteral("出库单号码不能少于4个字符")
                                           : QStringLiteral("入库单号码不能少于4个字符");
}

} // namespace Slipdesk::TradeForm
