#pragma once

#include "forms/FieldValues.h"
#include "trade/TradeNote.h"

#include <QDate>
#include <QList>

namespace Slipdesk {

class AppContext;

// The parts of a trade tab's form that are rules rather than widgets: the
// labels a template may rename, the seller or handler block filled from the
// sender book, and what the tab shows once a template is loaded.
namespace TradeForm {

struct Caption
{
    QString label; // the label's object name
    QString builtIn; // its caption when the template names none
    QString key; // the template setting ("打印设备") holding its name
};
const QList<Caption> &captions(NoteKind kind);
// The prompt of a rename.
QString renamePrompt(); // "请输入该项目的自定义名称"

// The delivery tab's seller block from a sender book row: shop name, web
// address, address, nickname and mobile.
FieldValues sellerFromSender(const QString &senderRow);
// The inbound tab's shop name from the handler's sender row.
FieldValues shopFromHandler(const QString &senderRow);

// The entry fields as the tab shows them after template `name` was loaded
// and before the user typed: its name and next number, today's date, the
// default seller (delivery) or handler (inbound) with its block, the label
// captions, the first inbound type, the express template and number the
// delivery tab takes over from the express tab, zero totals.
FieldValues defaults(AppContext &context, NoteKind kind, const QString &name, const QDate &today);
// The note the tab would hold: what it shows once template `name` is
// loaded, the given values over it, the goods rows, amounts and totals
// recomputed as the grid computes them.
TradeNote noteWithDefaults(
    AppContext &context, NoteKind kind, const QString &name, const FieldValues &values, const GoodsRows &goods);

// Why a note cannot be printed before anything happens: a number of fewer
// than four characters. Empty when it can.
QString numberRefusal(const TradeNote &note);

} // namespace TradeForm
} // namespace Slipdesk
