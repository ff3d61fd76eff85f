#pragma once

#include "forms/FieldValues.h"

#include <QDateTime>
#include <QPoint>
#include <QString>

namespace Slipdesk {

class Paths;

// One express waybill drawn into a file with a template of a data folder,
// without the window and without keeping any record: the command line's
// "render waybill". The drawing and the print job are those of the express
// tab's print.
namespace WaybillRender {

struct Options
{
    QString templateName;
    FieldValues values; // keyed by control name; missing ones are empty
    QString out; // ".pdf", ".png" or ".ops"
    int dpi = 0; // 0: 600, or 96 for a preview
    QPoint printableOffset; // pixels, subtracted while printing
    bool preview = false; // blue, no printable-area offset
};

// Draws into a file, nothing printed or logged. Returns an empty string on
// success, else what went wrong.
QString render(const Paths &paths, const Options &options);

} // namespace WaybillRender
} // namespace Slipdesk
