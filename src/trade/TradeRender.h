#pragma once

#include "trade/TradeNote.h"

#include <QPoint>

namespace Slipdesk {

class AppContext;
class Paths;

// Delivery and inbound notes without the window: the command line's
// "render delivery|inbound" and "post delivery|inbound".
namespace TradeRender {

// Whether `name` is a template of the note's kind in the template list.
bool knownTemplate(const Paths &paths, NoteKind kind, const QString &name);
// The note the tab would hold: what it shows once template `name` is
// loaded, the given values over it, the goods rows, amounts and totals
// recomputed as the grid computes them.
TradeNote formNote(
    AppContext &context, NoteKind kind, const QString &name, const FieldValues &values, const GoodsRows &goods);

struct Options
{
    QString out; // ".pdf", ".png" or ".ops"
    int dpi = 0; // 0: 600, or 96 for a preview
    QPoint printableOffset; // pixels, subtracted while printing
    bool preview = false; // blue, no printable-area offset
};
// Draws the note with its template into a file; nothing posted. Empty text
// on success, else what went wrong.
QString render(const Paths &paths, const TradeNote &note, const Options &options);

} // namespace TradeRender
} // namespace Slipdesk
