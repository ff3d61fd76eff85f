#include "TradeNote.h"

#include "render/Amounts.h"

namespace Slipdesk {

QString TradeNote::templateControl(NoteKind kind)
{
    return kind == NoteKind::Delivery ? QStringLiteral("CmbInvoice") : QStringLiteral("CmbInputModel");
}

QString TradeNote::numberControl(NoteKind kind)
{
    return kind == NoteKind::Delivery ? QStringLiteral("EdtInvNo") : QStringLiteral("EdtInputNo");
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
        values.insert(QStringLiteral("EdtPostPrice"), formatGrouped(amountOrZero(value("EdtPostPrice"))));
    updateTotals();
}

void TradeNote::updateTotals()
{
    const GoodsTable::Totals totals = GoodsTable::totals(goods);
    if (kind == NoteKind::Delivery) {
        values.insert(QStringLiteral("LblSumCount"), GoodsTable::quantityText(totals));
        values.insert(QStringLiteral("EdtMoneySumXx"), formatGrouped(totals.amountFen));
        values.insert(
            QStringLiteral("EdtInvTotalJE"), formatGrouped(totals.amountFen + amountOrZero(value("EdtPostPrice"))));
    } else {
        values.insert(QStringLiteral("LblInputSumCount"), GoodsTable::quantityText(totals));
        values.insert(QStringLiteral("EdtInputSumMoney"), formatGrouped(totals.amountFen));
    }
}

} // namespace Slipdesk
