#include "DataSession.h"

#include "context/AppContext.h"
#include "datawin/BatchRun.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/TextTable.h"
#include "trade/StockRules.h"
#include "trade/TradeNumbers.h"

#include <QFile>
#include <QFileInfo>

namespace Slipdesk {

FileStamp FileStamp::of(const QString &path)
{
    FileStamp stamp;
    stamp.path = path;
    const QFileInfo info(path);
    stamp.existed = info.exists();
    if (stamp.existed) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    return stamp;
}

bool FileStamp::changedOnDisk() const
{
    if (path.isEmpty())
        return false;
    const FileStamp now = of(path);
    return now.existed != existed || (existed && (now.size != size || now.modified != modified));
}

QStringList DetailList::linesOf(const QString &key1, const QString &key2) const
{
    QStringList out;
    for (const QString &line : lines)
        if (TextTable::field(line, 0) == key1 && TextTable::field(line, 1) == key2)
            out.append(line);
    return out;
}

int DetailList::removeNote(const QString &key1, const QString &key2, int count)
{
    int removed = 0;
    for (qsizetype i = lines.size() - 1; i >= 0 && removed < count; --i) {
        if (TextTable::field(lines.at(i), 0) == key1 && TextTable::field(lines.at(i), 1) == key2) {
            lines.removeAt(i);
            ++removed;
        }
    }
    return removed;
}

DataSession::DataSession(AppContext &context, const Request &request)
    : m_context(&context)
    , m_request(request)
    , m_spec(&tableSpec(request.code))
{
}

QString DataSession::queueFile(const AppContext &context, const Request &request)
{
    const TableSpec &spec = tableSpec(request.code);
    return spec.queueFile ? spec.queueFile(context.paths(), request.templateName) : QString();
}

QString DataSession::queueGoodsFile(const AppContext &context, const Request &request)
{
    const TableSpec &spec = tableSpec(request.code);
    return spec.queueGoodsFile ? spec.queueGoodsFile(context.paths(), request.templateName) : QString();
}

BatchRecord::Unfinished DataSession::unfinishedRun(const AppContext &context, const Request &request)
{
    const QString queue = queueFile(context, request);
    return queue.isEmpty() ? BatchRecord::Unfinished() : BatchRecord::unfinished(queue);
}

PostingResult DataSession::settleUnfinishedRun(
    const AppContext &context, const Request &request, const BatchRecord::Unfinished &earlier, bool deletePrinted)
{
    const QString queue = queueFile(context, request);
    if (queue.isEmpty() || !earlier.any())
        return {};
    return BatchRecord::settle(queue, queueGoodsFile(context, request), earlier.rows, deletePrinted);
}

DataSession DataSession::open(AppContext &context, const Request &request)
{
    DataSession session(context, request);
    session.load();
    return session;
}

void DataSession::load()
{
    const TableSpec &spec = this->spec();
    m_refusal.clear();
    m_refusalFocus.clear();
    m_detail = DetailList();
    m_start.clear();
    m_end.clear();
    m_stockChanged = false;
    m_givenBack.clear();

    LoadedTable loaded = spec.load ? spec.load(spec, *m_context, m_request) : LoadedTable();
    if (!loaded.refusal.isEmpty()) {
        m_refusal = loaded.refusal;
        m_refusalFocus = spec.refusalFocus;
        return;
    }
    m_title = loaded.title.isEmpty() ? loaded.file : loaded.title;
    m_stamp = FileStamp::of(loaded.file);
    m_table = DataTable(spec.header.split(u','), std::move(loaded.lines));
    for (const QString &column : spec.grouped)
        m_table.formatGrouped(column);
    if (!loaded.detailFile.isEmpty()) {
        m_detail.path = loaded.detailFile;
        m_detail.lines = TextTable::load(m_detail.path);
        m_detail.stamp = FileStamp::of(m_detail.path);
    }
    if (spec.batchPage && m_table.hasData()) {
        m_start = QStringLiteral("1");
        m_end = QString::number(m_table.rowCount());
    }
}

void DataSession::reload()
{
    // What the window held is dropped, a deletion's stock change with it.
    close();
    load();
}

DataTable DataSession::detailOf(int row) const
{
    const TableSpec &spec = this->spec();
    if (!spec.hasDetail() || !m_table.hasData())
        return DataTable(spec.detailHeader.split(u','), {});
    DataTable detail(spec.detailHeader.split(u','),
        m_detail.linesOf(m_table.cell(row, spec.detailKey1), m_table.cell(row, spec.detailKey2)));
    for (const char *column : {"金额", "进价", "售价"})
        detail.formatGrouped(QString::fromUtf8(column));
    return detail;
}

int DataSession::deleteNote(int row, int detailRows)
{
    takeBackNote(row, detailRows);
    return m_table.remove(row);
}

void DataSession::takeBackNote(int row, int detailRows)
{
    const TableSpec &spec = this->spec();
    if (spec.hasDetail() && m_table.hasData() && detailRows >= 1) {
        const QString key1 = m_table.cell(row, spec.detailKey1);
        const QString key2 = m_table.cell(row, spec.detailKey2);
        const DataTable shown = detailOf(row);
        const int codeColumn = shown.findColumn(QStringLiteral("商品编码"));
        const int quantityColumn = shown.findColumn(QStringLiteral("数量"));
        QList<StockRules::StockLine> stock;
        for (int r = 0; r < detailRows && r < shown.rowCount() && shown.hasData(); ++r)
            stock.append({shown.cell(r, codeColumn), shown.cell(r, quantityColumn)});
        m_context->ensureGoods();
        const StockRules::Reversal kind = spec.reversal;
        if (StockRules::reverse(m_context->goods(), stock, kind)) {
            m_stockChanged = true;
            m_givenBack.append({kind, stock});
        }
        m_detail.removeNote(key1, key2, detailRows);
    }
}

DataSession::SaveResult DataSession::save()
{
    const TableSpec &spec = this->spec();
    if (m_stamp.changedOnDisk())
        return {SaveOutcome::ChangedOnDisk, m_stamp.path};
    if (spec.hasDetail() && m_detail.stamp.changedOnDisk())
        return {SaveOutcome::ChangedOnDisk, m_detail.path};
    try {
        FileIo::writeAtomic(m_stamp.path, m_table.savedBytes());
        // Taken at once, so that a later write failing does not make the
        // next attempt see this write as a change on disk.
        m_stamp = FileStamp::of(m_stamp.path);
        if (spec.hasDetail()) {
            TextTable::save(m_detail.path, m_detail.lines);
            m_detail.stamp = FileStamp::of(m_detail.path);
            // The stock the deleted notes gave back belongs with the table
            // that no longer has them.
            if (m_stockChanged) {
                m_context->goods().save(m_context->paths());
                m_stockChanged = false;
                m_givenBack.clear();
            }
        }
        spec.saved(*m_context, m_table);
    } catch (const IoError &e) {
        return {SaveOutcome::Failed, e.message()};
    }
    return {};
}

DataSession::SaveResult DataSession::deleteFiles()
{
    // Deleting a file that grew meanwhile would delete what the program
    // logged or queued while the window was open.
    if (m_stamp.changedOnDisk())
        return {SaveOutcome::ChangedOnDisk, m_stamp.path};
    if (spec().hasDetail() && m_detail.stamp.changedOnDisk())
        return {SaveOutcome::ChangedOnDisk, m_detail.path};
    try {
        FileIo::remove(m_stamp.path);
        m_stamp = FileStamp::of(m_stamp.path);
        if (spec().hasDetail()) {
            FileIo::remove(m_detail.path);
            m_detail.stamp = FileStamp::of(m_detail.path);
            // The notes deleted before the table was emptied gave their
            // stock back; it is kept as a save keeps it.
            if (m_stockChanged) {
                m_context->goods().save(m_context->paths());
                m_stockChanged = false;
                m_givenBack.clear();
            }
        }
    } catch (const IoError &e) {
        return {SaveOutcome::Failed, e.message()};
    }
    spec().cleared(*m_context);
    return {};
}

DataSession::SaveResult DataSession::clear()
{
    return deleteFiles();
}

void DataSession::close()
{
    if (!m_stockChanged)
        return;
    // A deletion that was not saved gives nothing back. Undoing exactly what
    // it gave back, rather than reading the goods file again, keeps a note
    // the program posted meanwhile (its stock is in memory and maybe on disk).
    for (qsizetype i = m_givenBack.size() - 1; i >= 0; --i) {
        QList<StockRules::StockLine> undo = m_givenBack.at(i).lines;
        for (StockRules::StockLine &line : undo)
            line.quantity = TradeNumbers::shortest(-TradeNumbers::lenient(line.quantity));
        StockRules::reverse(m_context->goods(), undo, m_givenBack.at(i).kind);
    }
    m_givenBack.clear();
    m_stockChanged = false;
    // The goods controls show the stock again.
    m_context->setGoods(m_context->goods().rows());
}

} // namespace Slipdesk
