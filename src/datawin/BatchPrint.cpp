#include "BatchPrint.h"

#include "context/AppContext.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/PrintSource.h"
#include "trade/DeliveryQueue.h"
#include "trade/TradeForm.h"
#include "trade/TradePosting.h"
#include "waybill/WaybillForm.h"
#include "waybill/WaybillPosting.h"
#include "waybill/WaybillQueue.h"

namespace Slipdesk::BatchPrint {

namespace {

// The loop both queues share: one form per position, the record after each.
template<typename PrintOne> Summary runLoop(BatchRun &run, const Hooks &hooks, PrintOne &&printOne)
{
    Summary summary;
    for (;;) {
        if (hooks.printing)
            hooks.printing({run.position(), run.count(), run.row()});
        PostingResult posted;
        summary.refusal = printOne(posted);
        if (!summary.refusal.isEmpty())
            return summary;
        ++summary.printed;
        summary.failed.append(posted.failed);
        summary.failed.append(run.markPrinted().failed);
        if (run.atLast() || (hooks.stop && hooks.stop()))
            return summary;
        run.setPosition(run.position() + 1);
    }
}

} // namespace

Summary waybills(AppContext &context, PrinterService &printers, BatchRun &run, const QString &templateName,
    const FieldValues &fields, const Hooks &hooks)
{
    // The template cannot change during a run: it is read once.
    const PrintSource source = PrintSource::load(context.paths(), templateName, ItemTable::Express);
    const WaybillPage::Formats formats = WaybillPage::formatsOf(TemplateSettings(context.paths(), templateName));
    return runLoop(run, hooks, [&](PostingResult &posted) {
        FieldValues values = fields;
        const FieldValues row = WaybillQueue::rowValues(run.cells());
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            values.insert(it.key(), it.value());
        // The number and date as the tab shows them: the number the last
        // form advanced to.
        values = WaybillForm::withDefaults(context.paths(), templateName, values);
        const WaybillPosting::PrintResult result
            = WaybillPosting::printAndPost(context, printers, source, formats, values, QDateTime::currentDateTime());
        posted = result.posting;
        return result.refusal;
    });
}

Summary deliveries(AppContext &context, PrinterService &printers, BatchRun &run, const QString &templateName,
    const FieldValues &fields, const Hooks &hooks)
{
    const PrintSource source = PrintSource::load(context.paths(), templateName, ItemTable::Delivery);
    return runLoop(run, hooks, [&](PostingResult &posted) {
        FieldValues values = fields;
        const FieldValues row = DeliveryQueue::noteValues(run.cells());
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            values.insert(it.key(), it.value());
        const TradeNote note = TradeForm::noteWithDefaults(
            context, NoteKind::Delivery, templateName, values, DeliveryQueue::noteGoods(run.goodsLines()));
        const TradePosting::PrintResult result
            = TradePosting::printAndPost(context, printers, source, note, QDateTime::currentDateTime(), true);
        posted = result.posting;
        return result.refusal;
    });
}

} // namespace Slipdesk::BatchPrint
