#include "ExportCommand.h"

#include "CliSupport.h"

#include "context/AppContext.h"
#include "datawin/BatchRange.h"
#include "datawin/DataSession.h"
#include "export/Workbook.h"
#include "storage/IoError.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace Slipdesk::Cli {

int exportTable(const QCommandLineParser &parser, const QStringList &args)
{
    bool ok = false;
    const std::optional<TableCode> code = tableCodeOf(parser.value(QStringLiteral("code")).toInt(&ok));
    const QString out = parser.value(QStringLiteral("out"));
    // The tables whose "导出" writes stored rows: the trade logs export
    // nothing, the statistics exist only in the window.
    if (!args.isEmpty() || !ok || !code || !tableSpec(*code).exportsStoredRows() || out.isEmpty())
        return Usage;
    const QString suffix = QFileInfo(out).suffix().toLower();
    const bool ownWriter = parser.isSet(QStringLiteral("own-writer"));
    if (suffix != u"xls" && suffix != u"xlsx")
        return fail(QStringLiteral("export"), QStringLiteral("the workbook must end in .xls or .xlsx: ") + out, Usage);
    if (ownWriter && suffix == u"xlsx")
        return fail(QStringLiteral("export"), QStringLiteral("the own writer writes .xls workbooks only"), Usage);

    AppContext context(dataFolder());
    std::optional<DataSession> session;
    try {
        session = DataSession::open(context, {*code, QString(), QDate::currentDate()});
    } catch (const IoError &e) {
        return fail(QStringLiteral("export"), e.message());
    }
    if (!session->refusal().isEmpty())
        return fail(QStringLiteral("export"), session->refusal());
    const DataTable &table = session->table();
    if (!table.hasData())
        return fail(QStringLiteral("export"), QStringLiteral("没有数据"));
    const std::optional<std::pair<int, int>> range = BatchRange::parse(
        parser.isSet(QStringLiteral("from")) ? parser.value(QStringLiteral("from")) : QStringLiteral("1"),
        parser.isSet(QStringLiteral("to")) ? parser.value(QStringLiteral("to")) : QString::number(table.rowCount()),
        table.rowCount());
    if (!range)
        return fail(QStringLiteral("export"), QStringLiteral("输入的序号有误！"));
    Workbook::ExportOptions options;
    options.ownWriter = ownWriter;
    Workbook::Exported done;
    try {
        done = Workbook::exportGrid(table, *code, out, range->first, range->second, options);
        // Said aside, so that the row count stays the only output.
        if (!done.fallback.isEmpty())
            writeTo(stderr, QStringLiteral("export: written by the own writer: ") + done.fallback);
    } catch (const IoError &e) {
        return fail(QStringLiteral("export"), e.message());
    }
    // The rows the file holds, never the rows asked for; rows the format
    // could not take make the run a failure that names them.
    printLine(QString::number(done.written));
    if (!done.complete())
        return fail(QStringLiteral("export"), done.leftOut());
    return Done;
}

} // namespace Slipdesk::Cli
