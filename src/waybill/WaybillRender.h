#pragma once

#include "templates/FieldValues.h"

#include <QPoint>
#include <QString>

namespace Slipdesk {

class Paths;

// Draws one waybill with an express template of a data folder into a file,
// without printing or logging: the command line's "render waybill".
namespace WaybillRender {

struct Options
{
    QString templateName;
    FieldValues values;      // keyed by control name; missing ones are empty
    QString out;             // ".pdf", ".png" or ".ops"
    int dpi = 0;             // 0: 600, or 96 for a preview
    QPoint printableOffset;  // pixels, subtracted while printing
    bool preview = false;    // blue, no printable-area offset
};

// Reads "Name=value" lines (UTF-8); blank lines and lines without "=" are skipped.
FieldValues parseFieldFile(const QByteArray &utf8);

// Returns an empty string on success, else what went wrong.
QString render(const Paths &paths, const Options &options);

} // namespace WaybillRender
} // namespace Slipdesk
