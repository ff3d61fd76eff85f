#include "TradePosting.h"

#include "context/AppContext.h"
#include "forms/DocumentNumber.h"
#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "render/Drawing.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "trade/GoodsCheck.h"
#include "trade/NotePage.h"
#include "trade/StockRules.h"
#include "trade/TradeForm.h"
#include "trade/TradeLogs.h"
#include "waybill/AddressBook.h"

namespace Slipdesk::TradePosting {

namespace {

bool isNewBuyer(const AppContext &context, const TradeNote &note)
{
    const QString name = note.value(DeliveryField::CmbBuyerName);
    const QString nick = note.value(DeliveryField::CmbBuyerWW);
    if (!AddressBook::storedName(name).isEmpty() && !AddressBook::holdsName(context.recipientNames(), name))
        return true;
    if (AddressBook::storedName(nick).isEmpty())
        return false;
    const QStringList nicks = AddressBook::column(context.recipients(), AddressBook::RecipientNickField);
    return !AddressBook::holdsName(nicks, nick);
}

QString buyerRow(const TradeNote &note)
{
    QStringList fields(WaybillForm::RecipientColumns);
    for (DeliveryField field : FormFields::all<DeliveryField>())
        if (const int column = fieldSpec(field).recipientColumn; column != NoColumn)
            fields[column] = note.value(field);
    return AddressBook::buildRow(fields);
}

void advance(AppContext &context, const TradeNote &note, Result &result)
{
    result.postedNumber = note.number();
    result.nextNumber = advanceNumber(note.number());
    const QString name = note.templateName();
    if (name.isEmpty())
        return;
    // Kept at once: a crash or a close from another tab must never issue the
    // same note number again, since the detail logs find a note's goods by
    // template and number.
    result.numberSaved = result.step(name + QStringLiteral(".INI"), [&] {
        TemplateSettings(context.paths(), name)
            .file()
            .writeString(QStringLiteral("打印设备"), TradeNote::numberKey(note.kind), result.nextNumber);
    });
}

// A stock rule over the goods master, saved when the rule changed it.
template<typename Rule> void postStock(AppContext &context, Result &result, Rule &&rule)
{
    bool changed = false;
    result.step(GoodsMaster::fileName(), [&] {
        context.ensureGoods();
        changed = rule(context.goods());
        if (changed)
            context.goods().save(context.paths());
    });
    if (!changed)
        result.saved.removeOne(GoodsMaster::fileName());
}

QString logName(const TradeNote &note, const QDateTime &now)
{
    return QStringLiteral("打印记录/") + note.templateName() + QString::number(now.date().year())
        + QStringLiteral(".TXT");
}

} // namespace

Result postDelivery(AppContext &context, const TradeNote &note, const QDateTime &now, bool fromBatch)
{
    Result result;
    postStock(
        context, result, [&](GoodsMaster &goods) { return StockRules::postDelivery(goods, note.goods, fromBatch); });
    if (isNewBuyer(context, note)) {
        const QString row = buyerRow(note);
        if (result.step(AddressBook::recipientFile(), [&] { context.appendRecipient(row); }))
            result.newBuyer = row;
    }
    result.step(logName(note, now), [&] { TradeLogs::append(context.paths(), note, now); });
    advance(context, note, result);
    return result;
}

Result postInbound(AppContext &context, const TradeNote &note, const QDateTime &now)
{
    Result result;
    result.step(logName(note, now), [&] { TradeLogs::append(context.paths(), note, now); });
    postStock(context, result, [&](GoodsMaster &goods) { return StockRules::postInbound(goods, note.goods); });
    advance(context, note, result);
    return result;
}

PrintResult printAndPost(AppContext &context, PrinterService &printers, const PrintSource &source, TradeNote note,
    const QDateTime &now, bool fromBatch)
{
    PrintResult result;
    const bool delivery = note.kind == NoteKind::Delivery;
    result.refusal = TradeForm::numberRefusal(note);
    if (!result.refusal.isEmpty()) {
        result.focus = TradeNote::numberControl(note.kind);
        result.note = note;
        return result;
    }
    result.refusal = GoodsCheck::refusal(note, GoodsCheck::Action::Print);
    if (!result.refusal.isEmpty()) {
        result.focus = GoodsCheck::gridControl(note.kind);
        result.note = note;
        return result;
    }
    if (printers.printerNames().isEmpty()) {
        result.refusal = QStringLiteral("你的电脑上没有安装任何打印机驱动程序");
        result.focus = delivery ? controlName(DeliveryField::CmbBuyerName) : controlName(InboundField::CmbInputJbr);
        result.note = note;
        return result;
    }
    if (!source.offset) {
        result.refusal = source.offsetRefusal;
        result.note = note;
        return result;
    }
    note.recompute();
    result.note = note;
    const QPoint offset = *source.offset;
    const QString error = printForm(printers, source.setup, note.templateName() + note.number(), [&](Canvas &canvas) {
        Drawing drawing(canvas, offset.x(), offset.y());
        NotePage::draw(drawing, source.table, note);
    });
    if (!error.isEmpty()) {
        result.refusal = error;
        return result;
    }
    result.printed = true;
    result.posting = delivery ? postDelivery(context, note, now, fromBatch) : postInbound(context, note, now);
    return result;
}

} // namespace Slipdesk::TradePosting
