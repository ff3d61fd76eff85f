#pragma once

#include "context/PostingResult.h"
#include "forms/FieldValues.h"
#include "templates/PrintSource.h"
#include "waybill/WaybillPage.h"

#include <QDateTime>

namespace Slipdesk {

class AppContext;
class PrinterService;

// What keeps the record of a printed waybill, run once the form is on
// paper: by the express tab's print, the preview's print test and the
// command line alike.
namespace WaybillPosting {

struct Result : PostingResult
{
    QString printedNumber; // EdtEmsNo as printed
    QString nextNumber; // the number the next waybill gets
    bool numberSaved = false;
    QString newRecipient; // the row added to the recipient book, empty when none
};

// The steps after a printed waybill, on the express tab's values (keyed by
// control name):
// 1. a recipient not yet in the book (its name, or else its unit, unknown)
//    is appended to "收件单位.TXT" and the book;
// 2. one line goes to this year's waybill log, markers named as the
//    template `CmbLetterSelect` names them;
// 3. a new goods description joins its pick list, when the list is loaded;
// 4. the waybill number advances and is saved as the template's "信函号码".
// Every step runs: the waybill is on paper, and its log line and its next
// number matter even when the book could not be written.
Result afterPrint(AppContext &context, const FieldValues &values, const QDateTime &now);

struct PrintResult
{
    // Set when nothing was printed; `focus` names the control the window
    // puts the focus on then.
    QString refusal;
    QString focus;
    bool printed = false;
    Result posting; // what the print kept
};

// "打印(&P)" of the express tab, the command line's "print waybill" and every
// waybill of a batch run: a printer required, the overall offset checked,
// the waybill drawn with `source` in one job titled template + number (a
// print test from the preview has no title), then its record kept as above.
PrintResult printAndPost(AppContext &context, PrinterService &printers, const PrintSource &source,
    const WaybillPage::Formats &formats, const FieldValues &values, const QDateTime &now, bool testPrint = false);

} // namespace WaybillPosting
} // namespace Slipdesk
