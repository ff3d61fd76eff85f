#pragma once

#include "context/PostingResult.h"
#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "trade/StockRules.h"

#include <QDate>
#include <QDateTime>

namespace Slipdesk {

class AppContext;
namespace BatchRecord {
struct Unfinished;
}

// What a file looked like when the window read it, so that a save never
// overwrites lines the program appended meanwhile (a print logged, a note
// queued) while a table stayed open.
struct FileStamp
{
    QString path;
    bool existed = false;
    qint64 size = 0;
    QDateTime modified;

    static FileStamp of(const QString &path);
    bool changedOnDisk() const;
};

// The goods lines of the notes of a log or batch: the detail file held in
// memory while its table is open.
struct DetailList
{
    QString path;
    QStringList lines;
    FileStamp stamp;

    // The lines whose first two fields are `key1` and `key2`, in file order.
    QStringList linesOf(const QString &key1, const QString &key2) const;
    // Removes up to `count` lines of a note, scanning from the end.
    int removeNote(const QString &key1, const QString &key2, int count);
};

// One table opened in the data window, without the window: where it comes
// from, its rows, its detail list, and what saving, emptying, deleting a
// note and closing do to the files and to the lists the program holds.
class DataSession
{
public:
    using Request = TableRequest;

    // Opens the table of `request.code`: one look-up of its spec, one call
    // of its loader. `refusal()` tells when there is nothing to open (a log
    // that does not exist): nothing else is valid then.
    static DataSession open(AppContext &context, const Request &request);
    // The files of a batch queue: the queue and, for a delivery queue, its
    // goods file; empty for other tables.
    static QString queueFile(const AppContext &context, const Request &request);
    static QString queueGoodsFile(const AppContext &context, const Request &request);
    // Opening a batch queue that an earlier run left unfinished: the rows
    // that run printed, for the caller to ask about; then the answer, which
    // settles the record either way (see BatchRecord).
    static BatchRecord::Unfinished unfinishedRun(const AppContext &context, const Request &request);
    static PostingResult settleUnfinishedRun(
        const AppContext &context, const Request &request, const BatchRecord::Unfinished &earlier, bool deletePrinted);

    TableCode code() const { return m_request.code; }
    const Request &request() const { return m_request; }
    const TableSpec &spec() const { return *m_spec; }
    QString refusal() const { return m_refusal; }
    // The control of the main window that takes the focus after a refusal.
    QString refusalFocus() const { return m_refusalFocus; }
    // The window title: the file's full path, "查询统计" for the statistics.
    QString title() const { return m_title; }
    QString file() const { return m_stamp.path; }

    DataTable &table() { return m_table; }
    const DataTable &table() const { return m_table; }
    void setTable(const DataTable &table) { m_table = table; }
    DetailList &detail() { return m_detail; }
    // Batch tables: the range fields' first values ("1" and the row count;
    // empty for a missing express batch file).
    QString startNumber() const { return m_start; }
    QString endNumber() const { return m_end; }

    // The detail view of master row `row`: the note's goods lines under the
    // detail header, money columns grouped.
    DataTable detailOf(int row) const;

    // "删除" of master row `row` of a log or batch (`detailRows` as many goods
    // lines as the detail view shows for it): its goods go back by stock
    // rule 4 in memory, its lines leave the detail list, the row goes.
    // Returns the row to select afterwards.
    int deleteNote(int row, int detailRows);
    // The first half of deleteNote: the stock given back and the detail
    // lines removed, the row itself left for the caller (a view's model).
    void takeBackNote(int row, int detailRows);
    // Whether a deletion changed the goods master in memory since the last save.
    bool stockChanged() const { return m_stockChanged; }

    enum class SaveOutcome { Saved, ChangedOnDisk, Failed };
    struct SaveResult
    {
        SaveOutcome outcome = SaveOutcome::Saved;
        QString message; // the failure, or the file that changed on disk
    };
    // "保存" of a table with data: the file, the detail file, the goods master
    // when a deletion changed it, and what the program holds of the table.
    // Refused, nothing written, when a file changed on disk since it was read.
    SaveResult save();
    // "保存" of an empty table, answered Yes: the file deleted, the list reset.
    SaveResult deleteFiles();
    // "清空", answered Yes: the files deleted, the lists their defaults.
    SaveResult clear();
    // Closing: an unsaved deletion's stock change is dropped (the goods
    // master read again from its file).
    void close();
    // Reads the table (and its detail list) again from disk.
    void reload();

private:
    DataSession(AppContext &context, const Request &request);
    void load();

    AppContext *m_context = nullptr;
    Request m_request;
    const TableSpec *m_spec = nullptr;
    QString m_title;
    QString m_refusal;
    QString m_refusalFocus;
    FileStamp m_stamp;
    DataTable m_table;
    DetailList m_detail;
    QString m_start;
    QString m_end;
    bool m_stockChanged = false;
    // What the unsaved deletions gave back, so that closing takes exactly
    // that back even when a note posted meanwhile wrote the goods file.
    struct GivenBack
    {
        StockRules::Reversal kind;
        QList<StockRules::StockLine> lines;
    };
    QList<GivenBack> m_givenBack;
};

} // namespace Slipdesk
