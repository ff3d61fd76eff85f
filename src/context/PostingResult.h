#pragma once

#include "storage/IoError.h"

#include <QStringList>

namespace Slipdesk {

// What one user action wrote and what it could not write. Every saving step
// of an action runs even when an earlier one failed, so that one full disk or
// locked file never costs the records the other steps keep; the window shows
// the failures, the command line prints them.
struct PostingResult
{
    QStringList saved; // what was written, as the user names it ("收件单位.TXT", …)
    QStringList failed; // one message per step that failed

    bool ok() const { return failed.isEmpty(); }

    // Runs one saving step named `what`; its file error becomes a failure.
    template<typename Step> bool step(const QString &what, Step &&run)
    {
        try {
            run();
        } catch (const IoError &e) {
            failed.append(e.message());
            return false;
        }
        saved.append(what);
        return true;
    }
};

} // namespace Slipdesk
