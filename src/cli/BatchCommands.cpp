#include "BatchCommands.h"

#include "CliSupport.h"

#include "context/AppContext.h"
#include "datawin/BatchPrint.h"
#include "datawin/BatchRange.h"
#include "datawin/BatchRun.h"
#include "datawin/DataSession.h"
#include "export/OrderImport.h"
#include "platform/PrinterService.h"
#include "render/FontMapping.h"
#include "storage/FileIo.h"
#include "storage/ProgramSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"
#include "trade/DeliveryQueue.h"
#include "waybill/WaybillForm.h"
#include "waybill/WaybillQueue.h"

#include <QCommandLineParser>

#include <csignal>

namespace Slipdesk::Cli {

namespace {

int queueWaybill(const QCommandLineParser &parser)
{
    const QString name = parser.value(QStringLiteral("template"));
    FieldValues values;
    QString error;
    if (!readFieldFile(parser.value(QStringLiteral("fields")), &values, &error))
        return fail(QStringLiteral("queue"), error);
    const Paths paths = dataFolder();
    if (const QString refusal = templateRefusal(paths, ItemTable::Express, name); !refusal.isEmpty())
        return fail(QStringLiteral("queue"), refusal);
    qsizetype rows = 0;
    try {
        WaybillQueue::append(paths, WaybillForm::withDefaults(paths, name, values));
        rows = TextTable::load(WaybillQueue::file(paths)).size();
    } catch (const IoError &e) {
        return fail(QStringLiteral("queue"), e.message());
    }
    printLine(QString::number(rows));
    return Done;
}

int queueDelivery(const QCommandLineParser &parser)
{
    AppContext context(dataFolder());
    QString error;
    const TradeNote note = readNote(context, NoteKind::Delivery, parser, &error);
    if (!error.isEmpty())
        return fail(QStringLiteral("queue"), error);
    const DeliveryQueue::SaveResult result = DeliveryQueue::save(context, note, QDateTime::currentDateTime());
    // The note is queued once its line is written, even when its goods
    // could not be reserved afterwards.
    if (result.saved.contains(QStringLiteral("批打数据/") + note.templateName() + QStringLiteral(".TSK")))
        printLine(result.key);
    for (const QString &failure : result.failed)
        writeTo(stderr, QStringLiteral("queue: ") + failure);
    return result.ok() ? Done : Failed;
}

// Ctrl+C (or a polite kill) ends the run after the form being printed, so
// that the end of the run still settles the queue; a second one kills.
volatile std::sig_atomic_t g_stopAsked = 0;

void askToStop(int signal)
{
    g_stopAsked = 1;
    std::signal(signal, SIG_DFL);
}

// A run killed earlier left the rows it printed in its record: they are
// taken out or kept as the user said, or the run is refused. Done when the
// run may start.
int settleEarlierRun(const QCommandLineParser &parser, const QString &queueFile, const QString &goodsFile)
{
    QList<PrintedRow> printed;
    try {
        printed = BatchRecord::read(queueFile);
    } catch (const IoError &e) {
        return fail(QStringLiteral("batch"), e.message());
    }
    if (printed.isEmpty() || BatchRun::runningOn(queueFile))
        return Done;
    const QString earlier
        = QStringLiteral("上次的批量打印没有正常结束，当时已经打印了 %1 条批打数据").arg(printed.size());
    if (parser.isSet(QStringLiteral("delete-printed"))) {
        const PostingResult removed = BatchRecord::removePrinted(queueFile, goodsFile, printed);
        if (!removed.ok())
            return fail(QStringLiteral("batch"), removed.failed.join(u'\n'));
        writeTo(stderr, QStringLiteral("batch: ") + earlier + QStringLiteral("，已从批打数据中删除"));
        return Done;
    }
    if (parser.isSet(QStringLiteral("keep-printed"))) {
        try {
            BatchRecord::discard(queueFile);
        } catch (const IoError &e) {
            return fail(QStringLiteral("batch"), e.message());
        }
        writeTo(stderr, QStringLiteral("batch: ") + earlier + QStringLiteral("，保留在批打数据中"));
        return Done;
    }
    return fail(QStringLiteral("batch"),
        earlier + QStringLiteral("。请加 --delete-printed 删除已经打印过的批打数据，或加 --keep-printed 保留它们"));
}

} // namespace

int queueForm(const QCommandLineParser &parser, const QStringList &args)
{
    if (args.size() != 1 || parser.value(QStringLiteral("template")).isEmpty()
        || parser.value(QStringLiteral("fields")).isEmpty())
        return Usage;
    if (args.first() == u"waybill" && !parser.isSet(QStringLiteral("goods")))
        return queueWaybill(parser);
    if (args.first() == u"delivery")
        return queueDelivery(parser);
    return Usage;
}

int batchPrint(const QCommandLineParser &parser, const QStringList &args)
{
    const bool delivery = args == QStringList {QStringLiteral("delivery")};
    const QString name = parser.value(QStringLiteral("template"));
    const bool deletePrinted = parser.isSet(QStringLiteral("delete-printed"));
    if ((!delivery && args != QStringList {QStringLiteral("waybill")}) || name.isEmpty()
        || (deletePrinted && parser.isSet(QStringLiteral("keep-printed"))))
        return Usage;
    FieldValues fields;
    QString error;
    if (parser.isSet(QStringLiteral("fields"))
        && !readFieldFile(parser.value(QStringLiteral("fields")), &fields, &error))
        return fail(QStringLiteral("batch"), error);
    FontMapping::install();
    configurePrinter(parser);

    AppContext context(dataFolder());
    const QString refusal = templateRefusal(context.paths(), delivery ? ItemTable::Delivery : ItemTable::Express, name);
    if (!refusal.isEmpty())
        return fail(QStringLiteral("batch"), refusal);

    DataSession::Request request;
    request.code = delivery ? TableCode::DeliveryBatch : TableCode::ExpressBatch;
    request.templateName = name;
    const QString queueFile = DataSession::queueFile(context, request);
    if (const int settled = settleEarlierRun(parser, queueFile, DataSession::queueGoodsFile(context, request));
        settled != Done)
        return settled;

    std::optional<DataSession> session;
    try {
        context.loadAddressBooks();
        session = DataSession::open(context, request);
    } catch (const IoError &e) {
        return fail(QStringLiteral("batch"), e.message());
    }
    if (!session->refusal().isEmpty())
        return fail(QStringLiteral("batch"), session->refusal());
    if (!session->table().hasData())
        return fail(QStringLiteral("batch"), QStringLiteral("没有批量打印数据"));
    const int rows = session->table().rowCount();
    const std::optional<std::pair<int, int>> range = BatchRange::parse(
        parser.isSet(QStringLiteral("from")) ? parser.value(QStringLiteral("from")) : QStringLiteral("1"),
        parser.isSet(QStringLiteral("to")) ? parser.value(QStringLiteral("to")) : QString::number(rows), rows);
    if (!range)
        return fail(QStringLiteral("batch"), QStringLiteral("输入的序号有误！"));

    BatchStart start;
    start.code = request.code;
    start.start = range->first;
    start.end = range->second;
    start.continuous = true;
    start.file = session->file();
    start.table = session->table();
    start.detail = session->detail();
    session.reset(); // the run holds its own copy of the rows
    BatchRun run(start);

    BatchPrint::Hooks hooks;
    hooks.printing = [](const BatchPrint::Progress &p) {
        writeTo(stderr, QStringLiteral("batch: row %1 of %2 (queue row %3)").arg(p.position).arg(p.count).arg(p.row));
    };
    hooks.stop = [] { return g_stopAsked != 0; };
    std::signal(SIGINT, askToStop);
    std::signal(SIGTERM, askToStop);
    const BatchPrint::Summary summary = delivery
        ? BatchPrint::deliveries(context, PrinterService::instance(), run, name, fields, hooks)
        : BatchPrint::waybills(context, PrinterService::instance(), run, name, fields, hooks);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    const PostingResult finished = run.finish(deletePrinted);
    QString line = QString::number(summary.printed) + QStringLiteral(" printed");
    if (summary.printed > 0)
        line += deletePrinted && finished.ok() ? QStringLiteral(", deleted from the queue")
                                               : QStringLiteral(", kept in the queue");
    printLine(line);
    for (const QString &failure : summary.failed + finished.failed)
        writeTo(stderr, QStringLiteral("batch: ") + failure);
    if (!summary.refusal.isEmpty())
        return fail(QStringLiteral("batch"), summary.refusal);
    if (summary.printed < run.count())
        return fail(QStringLiteral("batch"),
            QStringLiteral("stopped after %1 of %2 forms").arg(summary.printed).arg(run.count()));
    return summary.failed.isEmpty() && finished.ok() ? Done : Failed;
}

int importOrders(const QCommandLineParser &, const QStringList &args)
{
    if (args.size() != 1)
        return Usage;
    try {
        // The layout is recognised from the table's header; an unknown one
        // (or text in neither UTF-8 nor GBK) adds nothing.
        const OrderImport::Imported imported = OrderImport::readOrderFile(args.first());
        if (!imported.ok())
            return fail(QStringLiteral("import-orders"), imported.refusal);
        const int added = OrderImport::appendToQueue(dataFolder(), imported.rows);
        printLine(QString::number(added) + u' ' + imported.layout);
    } catch (const IoError &e) {
        return fail(QStringLiteral("import-orders"), e.message());
    }
    return Done;
}

} // namespace Slipdesk::Cli
