#pragma once

#include "context/PostingResult.h"
#include "datawin/BatchRange.h"

#include <QList>
#include <QStringList>

namespace Slipdesk {

// One printed row of a batch run: its queue row (1-based), how many goods
// lines its note had (delivery), and the line as the queue file held it.
struct PrintedRow
{
    int row = 0;
    int goodsRows = 0;
    QString line;
};

// The record of a run in progress, beside its queue file, rewritten
// (atomically) after every printed form. A run that ended as it should
// leaves none; one that was killed leaves the rows it printed, so that the
// next opening of the queue can take them out instead of printing them a
// second time.
namespace BatchRecord {

// The queue file's path + ".RUN".
QString pathFor(const QString &queueFile);
// The record replaced by `rows`, and one row added at its end (one write,
// so that a kill leaves whole rows only). Throw IoError.
void write(const QString &queueFile, const QList<PrintedRow> &rows);
void append(const QString &queueFile, const PrintedRow &row);
// The rows an unfinished run printed; empty when no run was left unfinished.
QList<PrintedRow> read(const QString &queueFile);
void discard(const QString &queueFile);
// Takes the recorded rows out of the queue (and, with a goods file, their
// goods lines), then discards the record. A row is found at its place, or
// else by its text anywhere in the queue; a row no longer there is skipped.
// A queue left empty is deleted with its goods file.
PostingResult removePrinted(const QString &queueFile, const QString &goodsFile, const QList<PrintedRow> &rows);

// An earlier run on a queue that did not finish: the rows it printed, or
// why its record could not be read.
struct Unfinished
{
    QList<PrintedRow> rows;
    PostingResult read;

    bool any() const { return !rows.isEmpty(); }
    // What the window asks when it opens the queue (No is the safe answer).
    QString question() const;
};
// Opening a queue: the rows an earlier run left on record; none while this
// process itself runs on the queue.
Unfinished unfinished(const QString &queueFile);
// The answer to the question: the printed rows taken out of the queue, or
// kept in it; either way the record goes.
PostingResult settle(
    const QString &queueFile, const QString &goodsFile, const QList<PrintedRow> &rows, bool deletePrinted);

} // namespace BatchRecord

// A batch run over rows start … end of an express or delivery queue, as the
// window's tab and the command line run it: the position, the rows printed,
// and what the end of the run does to the queue files. The rows are those of
// the table the run was started from (the data window's grid).
class BatchRun
{
public:
    explicit BatchRun(const BatchStart &start);
    ~BatchRun();
    BatchRun(const BatchRun &) = delete;
    BatchRun &operator=(const BatchRun &) = delete;

    // Whether a run of this process is printing from `queueFile`: its record
    // is then no leftover of an unfinished run.
    static bool runningOn(const QString &queueFile);

    TableCode code() const { return m_start.code; }
    // A queue of delivery notes, whose rows have goods lines.
    bool delivery() const;
    bool continuous() const { return m_start.continuous; }
    QString file() const { return m_start.file; }
    QString goodsFile() const { return m_start.detail.path; }
    int first() const { return m_start.start; }
    int count() const { return m_start.count(); }

    // 1 … count().
    int position() const { return m_position; }
    // Moves to position `p` when it is within the run; false otherwise.
    bool setPosition(int p);
    bool atLast() const { return m_position == count(); }
    // The queue row (1-based) of the current position: first() + position() − 1.
    int row() const { return first() + m_position - 1; }
    // The current row's stored cells (without the number column).
    QStringList cells() const;
    // A delivery note's goods lines (same template and key), in file order.
    QStringList goodsLines() const;

    // The step after a finished print: the current row joins the printed
    // rows (once, even when it was printed again) and the record gets it:
    // the run's first row replaces whatever record was there, later rows
    // are appended, so that a long run costs the same per form throughout.
    // A record that cannot be written is a failure to show; the run goes on.
    PostingResult markPrinted();
    const QList<PrintedRow> &printed() const { return m_printed; }
    bool allPrinted() const;

    // The end of the run. With `deletePrinted` (the question answered Yes)
    // and rows printed: every row printed deletes the queue (and its goods
    // file); otherwise the queue is rewritten with the rows not printed, in
    // grid order, and a delivery's goods file loses the printed notes' goods
    // lines. Lines appended to the queue file while the run went on are
    // kept. Without it, the files stay as they are. The record goes.
    PostingResult finish(bool deletePrinted);

private:
    QString diskLine(int row) const;

    BatchStart m_start;
    QStringList m_diskLines; // the queue file as it was when the run began
    int m_position = 1;
    QList<PrintedRow> m_printed;
    bool m_recordStarted = false;
};

} // namespace Slipdesk
