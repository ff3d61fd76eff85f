#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace Slipdesk {

// The desktop's spreadsheet program (LibreOffice, run without a window)
// for what the program's own files cannot do: writing the Excel 97 format
// that upload pages ask for, and reading any workbook. It may be missing,
// fail or hang: every run has a time limit and works in a scratch folder
// of its own, removed afterwards, with a private profile so that a
// LibreOffice the user has open is never disturbed.
class SpreadsheetProgram
{
public:
    enum class Status { Done, Missing, Failed, TimedOut };
    struct Result
    {
        Status status = Status::Missing;
        QString message; // why it did not work, for the user
        bool ok() const { return status == Status::Done; }
    };

    // The program run: the environment's SLIPDESK_SPREADSHEET when set
    // (empty: none), else soffice or libreoffice on the path; empty when
    // there is none.
    static QString program();
    static bool available() { return !program().isEmpty(); }
    // Tests put a stand-in (or "" for none) in place; nullopt restores the lookup.
    static void setProgram(const std::optional<QString> &path);

    // How long one run may take before it is ended (milliseconds).
    static int timeLimit();
    static void setTimeLimit(int milliseconds);

    // Converts `input` into `output` with the program's conversion filter
    // `filter` (as "--convert-to" takes it, e.g. "xls:MS Excel 97"). The
    // output takes its name only when complete. `poll` runs every few
    // milliseconds while the program works (the window keeps painting).
    static Result convert(
        const QString &input, const QString &filter, const QString &output, const std::function<void()> &poll = {});
};

} // namespace Slipdesk
