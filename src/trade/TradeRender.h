#pragma once

#include "trade/TradeNote.h"

#include <QPoint>

namespace Slipdesk {

class Paths;

// Delivery and inbound notes drawn into a file without the window and
// without posting: the command line's "render delivery|inbound".
namespace TradeRender {

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
