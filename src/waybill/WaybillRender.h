#pragma once

#include "forms/FieldValues.h"
#include "waybill/WaybillPosting.h"

#include <QDateTime>
#include <QPoint>
#include <QString>

namespace Slipdesk {

class AppContext;
class Paths;
class PrinterService;

// One express waybill drawn with a template of a data folder, without the
// window: the command line's "render waybill" and "print waybill". The
// drawing, the print job and the record kept afterwards are those of the
// express tab.
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

// Reads "Name=value" lines (UTF-8); blank lines and lines without "=" are skipped.
FieldValues parseFieldFile(const QByteArray &utf8);

// Draws into a file, nothing printed or logged. Returns an empty string on
// success, else what went wrong.
QString render(const Paths &paths, const Options &options);

// What the express tab shows once template `name` is loaded: its name, its
// waybill number and today's date; `values` given by the caller win.
FieldValues formValues(const Paths &paths, const QString &name, const FieldValues &values);

struct PrintResult
{
    QString refusal; // set when nothing was printed
    WaybillPosting::Result posting; // what the print kept
};

// "打印(&P)" without the window: prints the waybill with template `name`
// through `printers` and keeps its record as the express tab does.
PrintResult print(AppContext &context, PrinterService &printers, const QString &name, const FieldValues &values,
    const QDateTime &now);

} // namespace WaybillRender
} // namespace Slipdesk
