#include "TradeNote.h"

#include "render/Amounts.h"
#include "templates/ItemTable.h"

namespace Slipdesk {

const QString &TradeNote::templateControl(NoteKind kind)
{
    return kind == NoteKind::Delivery ? controlName(DeliveryField::CmbInvoice)
                                      : controlName(InboundField::CmbInputModel);
}

const QString &TradeNote::numberControl(NoteKind kind)
{
    return kind == NoteKind::Delivery ? controlName(DeliveryField::EdtInvNo) : controlName(InboundField::EdtInputNo);
}

int TradeNote::templateKind(NoteKind kind)
{
    return kind == NoteKind::Delivery ? ItemTable::Delivery : ItemTable::Inbound;
}

QString TradeNote::numberKey(NoteKind kind)
{
    return kind == NoteKind::Delivery ? QStringLiteral("发货单号码") : QStringLiteral("入库单号码");
}

void TradeNote::recompute()
{
    GoodsTable::recompute(goods);
    // The postage as the field shows it once left.
    if (kind == NoteKind::Delivery)
        values.insert(DeliveryField::EdtPostPrice, formatGrouped(amountOrZero(value(DeliveryField::EdtPostPrice))));
    updateTotals();
}

void TradeNote::updateTotals()
{
    const GoodsTable::Totals totals = GoodsTable::totals(goods);
    if (kind == NoteKind::Delivery) {
        using enum DeliveryField;
        values.insert(LblSumCount, GoodsTable::quantityText(totals));
        values.insert(EdtMoneySumXx, formatGrouped(totals.amountFen));
        values.insert(EdtInvTotalJE, formatGrouped(totals.amountFen + amountOrZero(value(EdtPostPrice))));
    } else {
        values.insert(InboundField::LblInputSumCount, GoodsTable::quantityText(totals));
        values.insert(InboundField::EdtInputSumMoney, formatGrouped(totals.amountFen));
    }
}

} // namespace Slipdesk
