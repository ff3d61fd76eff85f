#pragma once

#include "datawin/BatchRun.h"
#include "forms/FieldValues.h"

#include <functional>

namespace Slipdesk {

class AppContext;
class PrinterService;

// A continuous batch run without the window: what the express or delivery
// tab does when "一次性将所有数据发送到打印机" is ticked, for the command line.
// Each row from the run's position on is loaded over what the tab shows once
// the template is loaded, printed through the printer layer with its whole
// after-print step, and marked printed; the run stops at the first form that
// could not be printed, or when `stop` says so between two forms.
namespace BatchPrint {

struct Progress
{
    int position = 0; // 1 … count
    int count = 0;
    int row = 0; // the queue row
};

struct Summary
{
    int printed = 0;
    QString refusal; // why the run stopped before its end; empty when it ran through
    QStringList failed; // records that could not be written (logs, book, record)
};

struct Hooks
{
    std::function<void(const Progress &)> printing; // before each form
    std::function<bool()> stop; // asked between two forms
};

// An express queue's rows with express template `templateName`; `fields`
// (sender fields, say) lie under every row.
Summary waybills(AppContext &context, PrinterService &printers, BatchRun &run, const QString &templateName,
    const FieldValues &fields, const Hooks &hooks = {});

// A delivery queue's notes with the delivery template `templateName`: stock
// rule 1 lowers stock and pending quantities.
Summary deliveries(AppContext &context, PrinterService &printers, BatchRun &run, const QString &templateName,
    const FieldValues &fields, const Hooks &hooks = {});

} // namespace BatchPrint
} // namespace Slipdesk
