#pragma once

#include "context/PostingResult.h"
#include "templates/PrintSource.h"
#include "trade/TradeNote.h"

#include <QDateTime>

namespace Slipdesk {

class AppContext;
class PrinterService;

// "打印登记" of the delivery and the inbound tab, without widgets: the window
// and the command line call the same routines.
namespace TradePosting {

struct Result : PostingResult
{
    QString postedNumber;
    QString nextNumber;
    bool numberSaved = false;
    QString newBuyer; // the recipient row added for a new buyer, empty when none
};

// What keeps the record of a printed delivery note:
// 1. stock rule 1 over the goods rows (pending too for a note of a delivery
//    batch), the goods master saved;
// 2. a buyer whose name or nickname the recipient book does not know is
//    added to it;
// 3. the log line and the goods lines to this year's delivery logs;
// 4. the number advances and is saved to the template at once.
// Every step runs even when an earlier one failed.
Result postDelivery(AppContext &context, const TradeNote &note, const QDateTime &now, bool fromBatch = false);

// An inbound note: the logs, stock rule 3 (stock up, weighted cost) with the
// goods master saved, the number advanced and saved.
Result postInbound(AppContext &context, const TradeNote &note, const QDateTime &now);

struct PrintResult
{
    // Set when nothing was printed or changed; `focus` names the control the
    // window puts the focus on then.
    QString refusal;
    QString focus;
    TradeNote note; // the note as printed, its amounts and totals recomputed
    Result posting;
    bool printed = false;
};

// The whole "打印登记": the number checked (at least 4 characters), a printer
// required, the amounts and totals recomputed, the note printed with
// `source` in a job titled template + number, then posted as above.
PrintResult printAndPost(AppContext &context, PrinterService &printers, const PrintSource &source, TradeNote note,
    const QDateTime &now, bool fromBatch = false);

} // namespace TradePosting
} // namespace Slipdesk
