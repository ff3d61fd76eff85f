#pragma once

#include "trade/GoodsTable.h"
#include "trade/TradeFields.h"

namespace Slipdesk {

enum class NoteKind { Delivery, Inbound };

// One delivery or inbound note as its tab shows it: the entry fields keyed
// by control name (label captions included under the label's name, e.g.
// `LblBuyerName` → "收货人", `LblSumCount` → "3"), and the goods grid rows.
// Printing, posting, logs, batch rows and the command line all work on it.
struct TradeNote
{
    NoteKind kind = NoteKind::Delivery;
    FieldValues values;
    GoodsRows goods;

    // `CmbInvoice` / `CmbInputModel`, `EdtInvNo` / `EdtInputNo`.
    static const QString &templateControl(NoteKind kind);
    static const QString &numberControl(NoteKind kind);
    // The item-table kind of the note's templates (ItemTable::Delivery / Inbound).
    static int templateKind(NoteKind kind);
    // The template setting that keeps the next number: "发货单号码" / "入库单号码".
    static QString numberKey(NoteKind kind);

    template<FormField E> QString value(E field) const { return values.value(field); }
    QString templateName() const { return values.value(templateControl(kind)); }
    QString number() const { return values.value(numberControl(kind)); }

    // The grid's amounts and the totals under it recomputed, as before a
    // print: delivery `LblSumCount`, `EdtMoneySumXx`, `EdtInvTotalJE`
    // (goods plus `EdtPostPrice`); inbound `LblInputSumCount`, `EdtInputSumMoney`.
    void recompute();
    // The totals of the rows as they stand into those fields.
    void updateTotals();
};

} // namespace Slipdesk
