#include "DataSession.h"

#include "context/AppContext.h"
#include "datawin/BatchRun.h"
#include "storage/Codec.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/TextTable.h"
#include "trade/DeliveryQueue.h"
#include "trade/SmallLists.h"
#include "trade/StockRules.h"
#include "trade/TradeLogs.h"
#include "trade/TradeNumbers.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillLog.h"
#include "waybill/WaybillQueue.h"

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

namespace {

using namespace TableCode;

int smallList(int code)
{
    switch (code) {
    case Units:
        return SmallLists::Units;
    case OutboundRemarks:
        return SmallLists::OutboundRemarks;
    case InboundRemarks:
        return SmallLists::InboundRemarks;
    default:
        return -1;
    }
}

QString smallListHeader(int code)
{
    switch (code) {
    case Units:
        return QStringLiteral("序号,计量单位");
    case OutboundRemarks:
        return QStringLiteral("序号,出库备注");
    default:
        return QStringLiteral("序号,入库备注");
    }
}

bool isPickList(int code)
{
    return (code >= Departments && code <= Messages) || code == InboundTypes;
}

QString pickListHeader(int code)
{
    if (code == InboundTypes)
        return QStringLiteral("序号,入库类别");
    const AddressBook::PickList *list = AddressBook::pickListOfCode(code);
    return list ? list->header : QString();
}

QStringList linesOfText(const QString &text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

DataSession::DataSession(AppContext &context, const Request &request)
    : m_context(&context)
    , m_request(request)
    , m_code(request.code)
{
}

QString DataSession::queueFile(const AppContext &context, const Request &request)
{
    if (request.code == ExpressBatch)
        return WaybillQueue::file(context.paths());
    if (request.code == DeliveryBatch)
        return DeliveryQueue::file(context.paths(), request.templateName);
    return QString();
}

QString DataSession::queueGoodsFile(const AppContext &context, const Request &request)
{
    if (request.code == DeliveryBatch)
        return DeliveryQueue::goodsFile(context.paths(), request.templateName);
    return QString();
}

PostingResult DataSession::settleUnfinishedRun(const AppContext &context, const Request &request)
{
    const QString queue = queueFile(context, request);
    if (queue.isEmpty())
        return {};
    return BatchRecord::settleUnfinished(queue, queueGoodsFile(context, request));
}

DataSession DataSession::open(AppContext &context, const Request &request)
{
    DataSession session(context, request);
    session.load();
    return session;
}

QString DataSession::detailPathOf(const QString &file) const
{
    const QFileInfo info(file);
    return info.path() + u'/' + info.completeBaseName() + spec().detailSuffix + u'.' + info.suffix();
}

void DataSession::load()
{
    const Paths &paths = m_context->paths();
    const TableSpec &spec = this->spec();
    const int year = m_request.today.year();
    QString file;
    QStringList lines;
    QString header = spec.header;
    m_refusal.clear();
    m_refusalFocus.clear();
    m_detail = DetailList();
    m_start.clear();
    m_end.clear();
    m_stockChanged = false;
    m_givenBack.clear();

    auto bothOfYear = [&](NoteKind kind) -> QString {
        for (const int y : {year, year - 1}) {
            const QString log = TradeLogs::logPath(paths, kind, m_request.templateName, y);
            if (QFileInfo::exists(log)
                && QFileInfo::exists(TradeLogs::detailPath(paths, kind, m_request.templateName, y)))
                return log;
        }
        return QString();
    };

    switch (m_code) {
    case ExpressLog:
        file = WaybillLog::path(paths, year);
        if (!QFileInfo::exists(file))
            file = WaybillLog::path(paths, year - 1);
        if (!QFileInfo::exists(file)) {
            m_refusal = QStringLiteral("好像没有打印记录");
            m_refusalFocus = QStringLiteral("CmbSjrMc");
            return;
        }
        lines = TextTable::load(file);
        break;
    case ExpressBatch:
        file = queueFile(*m_context, m_request);
        lines = TextTable::load(file);
        break;
    case Recipients:
        if (m_context->recipients().isEmpty())
            m_context->setRecipients(AddressBook::loadRecipients(paths));
        file = paths.file(AddressBook::recipientFile());
        lines = m_context->recipients();
        break;
    case Senders:
        if (m_context->senders().isEmpty())
            m_context->setSenders(AddressBook::loadSenders(paths));
        file = paths.file(AddressBook::senderFile());
        lines = m_context->senders();
        break;
    case Goods:
        m_context->ensureGoods();
        file = paths.file(GoodsMaster::fileName());
        lines = m_context->goods().rows();
        break;
    case DeliveryLog:
    case InboundLog: {
        const NoteKind kind = m_code == DeliveryLog ? NoteKind::Delivery : NoteKind::Inbound;
        file = bothOfYear(kind);
        if (file.isEmpty()) {
            m_refusal = m_request.templateName + QStringLiteral(" 好像没有打印记录");
            m_refusalFocus
                = kind == NoteKind::Delivery ? QStringLiteral("CmbBuyerName") : QStringLiteral("CmbInputJbr");
            return;
        }
        lines = TextTable::load(file);
        break;
    }
    case DeliveryBatch:
        file = queueFile(*m_context, m_request);
        if (!QFileInfo::exists(file) || !QFileInfo::exists(detailPathOf(file))) {
            m_refusal = QStringLiteral("没有发现批量打印数据文件");
            m_refusalFocus = QStringLiteral("CmbBuyerName");
            return;
        }
        lines = TextTable::load(file);
        break;
    case SalesStats:
        for (const int y : {year, year - 1}) {
            const QString detail = TradeLogs::detailPath(paths, NoteKind::Delivery, m_request.templateName, y);
            if (QFileInfo::exists(detail)) {
                m_detail.path = detail;
                break;
            }
        }
        if (m_detail.path.isEmpty()) {
            m_refusal = QStringLiteral("发货清单文件不存在");
            return;
        }
        m_detail.lines = TextTable::load(m_detail.path);
        m_detail.stamp = FileStamp::of(m_detail.path);
        m_title = QStringLiteral("查询统计");
        m_table = DataTable(header.split(u','), {});
        return;
    default:
        if (const int list = smallList(m_code); list >= 0) {
            m_context->ensureSmallLists();
            file = paths.file(SmallLists::fileName(SmallLists::Which(list)));
            lines = linesOfText(m_context->smallLists().text[list]);
            header = smallListHeader(m_code);
        } else if (isPickList(m_code)) {
            file = paths.file(AppContext::pickListFile(m_code));
            lines = TextTable::load(file, AppContext::pickListDefaults(m_code));
            header = pickListHeader(m_code);
        }
        break;
    }

    m_title = file;
    m_stamp = FileStamp::of(file);
    m_table = DataTable(header.split(u','), std::move(lines));
    for (const QString &column : spec.grouped)
        m_table.formatGrouped(column);
    if (spec.hasDetail()) {
        m_detail.path = detailPathOf(file);
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
        const StockRules::Reversal kind = m_code == DeliveryLog ? StockRules::Reversal::DeliveryLog
            : m_code == DeliveryBatch                           ? StockRules::Reversal::DeliveryBatch
                                                                : StockRules::Reversal::InboundLog;
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
        switch (m_code) {
        case Recipients:
            m_context->reloadRecipients();
            break;
        case Senders:
            m_context->reloadSenders();
            break;
        case Goods:
            m_context->reloadGoods();
            break;
        default:
            if (const int list = smallList(m_code); list >= 0) {
                QString text;
                for (const QString &line : m_table.savedLines())
                    text += TextTable::field(line, 0) + QStringLiteral("\r\n");
                m_context->smallLists().text[list] = text;
            } else if (isPickList(m_code)) {
                m_context->forgetPickList(m_code);
            }
            break;
        }
    } catch (const IoError &e) {
        return {SaveOutcome::Failed, e.message()};
    }
    return {};
}

void DataSession::resetLists()
{
    switch (m_code) {
    case Recipients:
        m_context->setRecipients(AddressBook::recipientSamples());
        break;
    case Senders:
        m_context->setSenders(AddressBook::senderSamples());
        break;
    case Goods:
        m_context->setGoods(GoodsMaster::samples());
        break;
    default:
        if (const int list = smallList(m_code); list >= 0)
            m_context->smallLists().text[list] = SmallLists::defaultText(SmallLists::Which(list));
        else if (isPickList(m_code))
            m_context->forgetPickList(m_code);
        break;
    }
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
    resetLists();
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
