// slipdesk-cli: the program's routines without the window, for scripts and
// for machines without a display. Every command prints its result on
// standard output; exit codes: 0 done, 1 refused or failed (the program's
// message on standard error), 2 wrong usage.

#include "BatchCommands.h"
#include "CliSupport.h"
#include "ExportCommand.h"

#include "context/AppContext.h"
#include "forms/DocumentNumber.h"
#include "platform/FolderLock.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "render/Amounts.h"
#include "render/FontMapping.h"
#include "storage/Paths.h"
#include "storage/ProgramLocation.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "trade/GoodsCheck.h"
#include "trade/SalesStats.h"
#include "trade/TradePosting.h"
#include "trade/TradeRender.h"
#include "waybill/OrderParser.h"
#include "waybill/OrderReading.h"
#include "waybill/WaybillForm.h"
#include "waybill/WaybillPosting.h"
#include "waybill/WaybillRender.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Slipdesk;
using namespace Slipdesk::Cli;

namespace {

struct Option
{
    const char *name;
    const char *valueName; // null: a switch
    const char *help;
};

struct Command
{
    const char *name;
    const char *arguments; // shown after the name in the usage line
    const char *help;
    QList<Option> options;
    bool drawing; // needs fonts, hence a GUI application (never a display)
    bool writes; // changes the data folder: runs only while it holds the folder's lock
    std::function<int(const QCommandLineParser &, const QStringList &)> run;
};

const QList<Command> &commands();

QString usageLine(const Command &c)
{
    return QStringLiteral("slipdesk-cli [--data DIR] ") + QLatin1String(c.name) + u' ' + QString::fromUtf8(c.arguments);
}

QString overview()
{
    QString text = QStringLiteral("usage: slipdesk-cli [--data DIR] COMMAND [ARGS]\n"
                                  "       slipdesk-cli COMMAND --help\n\n"
                                  "  --data DIR   the data folder (else SLIPDESK_DATA, else the program's folder)\n\n"
                                  "commands:\n");
    for (const Command &c : commands())
        text += QStringLiteral("  ") + QLatin1String(c.name) + u' ' + QString::fromUtf8(c.arguments)
            + QStringLiteral("\n      ") + QString::fromUtf8(c.help) + u'\n';
    return text;
}

QString commandHelp(const Command &c)
{
    QString text
        = QStringLiteral("usage: ") + usageLine(c) + QStringLiteral("\n\n") + QString::fromUtf8(c.help) + u'\n';
    if (!c.options.isEmpty()) {
        text += QStringLiteral("\noptions:\n");
        for (const Option &o : c.options) {
            QString name = QStringLiteral("--") + QLatin1String(o.name);
            if (o.valueName)
                name += u' ' + QLatin1String(o.valueName);
            text += QStringLiteral("  ") + name.leftJustified(22) + QString::fromUtf8(o.help) + u'\n';
        }
    }
    return text;
}

QByteArray readAll(FILE *stream)
{
    QByteArray input;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        input.append(buffer, qsizetype(got));
    if (input.startsWith("\xEF\xBB\xBF"))
        input.remove(0, 3); // a byte-order mark is no part of the text
    return input;
}

// ---- the commands ---------------------------------------------------------------

int advance(const QCommandLineParser &, const QStringList &args)
{
    if (args.size() != 1)
        return Usage;
    printLine(advanceNumber(args.first()));
    return Done;
}

int capital(const QCommandLineParser &, const QStringList &args)
{
    if (args.size() != 1)
        return Usage;
    AmountError error = AmountError::None;
    const std::optional<qint64> fen = parseAmount(args.first(), &error);
    if (!fen && error == AmountError::NotANumber)
        return fail(QStringLiteral("capital"), QStringLiteral("not a number: ") + args.first(), Usage);
    if (!fen || *fen > MaxCapitalFen || *fen < -MaxCapitalFen)
        return fail(QStringLiteral("capital"),
            QStringLiteral("too large for capitals (at most 15 fen digits): ") + args.first(), Usage);
    printLine(capitalAmount(*fen));
    return Done;
}

int boxes(const QCommandLineParser &, const QStringList &args)
{
    if (args.size() != 2)
        return Usage;
    bool ok = false;
    const int drop = args.at(1).toInt(&ok);
    if (!ok || drop < 0)
        return fail(QStringLiteral("boxes"),
            QStringLiteral("K must be a whole number of digits, 0 or more: ") + args.at(1), Usage);
    printLine(boxCapitals(args.first(), drop));
    return Done;
}

int where(const QCommandLineParser &, const QStringList &args)
{
    if (!args.isEmpty())
        return Usage;
    printLine(ProgramLocation::fromApplication().dataRoot);
    return Done;
}

int parseOrder(const QCommandLineParser &parser, const QStringList &args)
{
    if (!args.isEmpty() || !parser.isSet(QStringLiteral("format")))
        return Usage;
    const QString value = parser.value(QStringLiteral("format"));
    bool ok = false;
    const int format = value.toInt(&ok);
    if (!ok || format < 0 || format >= OrderParser::FormatCount)
        return fail(QStringLiteral("parse-order"),
            QStringLiteral("the format is a number from 0 to %1: %2").arg(OrderParser::FormatCount - 1).arg(value),
            Usage);
    // As the one-click fill reads it: a fixed format that does not fit the
    // text gives the smart reading, said on standard error.
    const OrderReading reading = OrderReading::read(format, QString::fromUtf8(readAll(stdin)));
    if (reading.smartFallback)
        writeTo(stderr, QStringLiteral("parse-order: ") + reading.note(format));
    const QByteArray json = reading.result.toJson() + '\n';
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return Done;
}

// The output options of "render": --out, --dpi N, --offset X,Y, --preview.
// False when one of them is not well formed.
bool readOutput(const QCommandLineParser &parser, QString *out, int *dpi, QPoint *offset, bool *preview)
{
    *out = parser.value(QStringLiteral("out"));
    *preview = parser.isSet(QStringLiteral("preview"));
    if (parser.isSet(QStringLiteral("dpi"))) {
        bool ok = false;
        *dpi = parser.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || *dpi <= 0)
            return false;
    }
    if (parser.isSet(QStringLiteral("offset"))) {
        const QStringList xy = parser.value(QStringLiteral("offset")).split(u',');
        bool okX = false;
        bool okY = false;
        if (xy.size() == 2)
            *offset = QPoint(xy.at(0).toInt(&okX), xy.at(1).toInt(&okY));
        if (!okX || !okY)
            return false;
    }
    return true;
}

int renderNote(NoteKind kind, const QCommandLineParser &parser)
{
    if (parser.value(QStringLiteral("template")).isEmpty() || parser.value(QStringLiteral("out")).isEmpty()
        || parser.value(QStringLiteral("fields")).isEmpty())
        return Usage;
    TradeRender::Options options;
    if (!readOutput(parser, &options.out, &options.dpi, &options.printableOffset, &options.preview))
        return Usage;
    FontMapping::install();
    AppContext context(dataFolder());
    QString error;
    const TradeNote note = readNote(context, kind, parser, &error);
    if (!error.isEmpty())
        return fail(QStringLiteral("render"), error);
    // A picture of a note that could not be printed would mislead.
    if (const QString refusal = GoodsCheck::refusal(note, GoodsCheck::Action::Print); !refusal.isEmpty())
        return fail(QStringLiteral("render"), refusal);
    error = TradeRender::render(context.paths(), note, options);
    return error.isEmpty() ? Done : fail(QStringLiteral("render"), error);
}

int postNote(const QCommandLineParser &parser, const QStringList &args)
{
    const std::optional<NoteKind> kind = noteKind(args.value(0));
    if (args.size() != 1 || !kind || parser.value(QStringLiteral("template")).isEmpty()
        || parser.value(QStringLiteral("fields")).isEmpty())
        return Usage;
    FontMapping::install();
    configurePrinter(parser);
    AppContext context(dataFolder());
    QString error;
    const TradeNote note = readNote(context, *kind, parser, &error);
    if (!error.isEmpty())
        return fail(QStringLiteral("post"), error);
    const PrintSource source = PrintSource::load(context.paths(), note.templateName(), TradeNote::templateKind(*kind));
    const TradePosting::PrintResult result
        = TradePosting::printAndPost(context, PrinterService::instance(), source, note, QDateTime::currentDateTime());
    if (!result.refusal.isEmpty())
        return fail(QStringLiteral("post"), result.refusal);
    printLine(result.posting.postedNumber);
    for (const QString &failure : result.posting.failed)
        writeTo(stderr, QStringLiteral("post: ") + failure);
    return result.posting.ok() ? Done : Failed;
}

int renderForm(const QCommandLineParser &parser, const QStringList &args)
{
    if (args.size() == 1)
        if (const std::optional<NoteKind> kind = noteKind(args.first()))
            return renderNote(*kind, parser);
    if (args != QStringList {QStringLiteral("waybill")})
        return Usage;
    WaybillRender::Options options;
    options.templateName = parser.value(QStringLiteral("template"));
    const QString fields = parser.value(QStringLiteral("fields"));
    if (!readOutput(parser, &options.out, &options.dpi, &options.printableOffset, &options.preview))
        return Usage;
    if (options.templateName.isEmpty() || options.out.isEmpty() || fields.isEmpty())
        return Usage;
    QString error;
    if (!readFieldFile(fields, &options.values, &error))
        return fail(QStringLiteral("render"), error);
    FontMapping::install();
    error = WaybillRender::render(dataFolder(), options);
    return error.isEmpty() ? Done : fail(QStringLiteral("render"), error);
}

int printForm(const QCommandLineParser &parser, const QStringList &args)
{
    if (args != QStringList {QStringLiteral("waybill")})
        return Usage;
    const QString name = parser.value(QStringLiteral("template"));
    const QString fields = parser.value(QStringLiteral("fields"));
    if (name.isEmpty() || fields.isEmpty())
        return Usage;
    FieldValues values;
    QString error;
    if (!readFieldFile(fields, &values, &error))
        return fail(QStringLiteral("print"), error);
    FontMapping::install();
    configurePrinter(parser);

    AppContext context(dataFolder());
    try {
        context.loadAddressBooks();
    } catch (const IoError &e) {
        return fail(QStringLiteral("print"), e.message());
    }
    if (const QString refusal = templateRefusal(context.paths(), ItemTable::Express, name); !refusal.isEmpty())
        return fail(QStringLiteral("print"), refusal);
    values = WaybillForm::withDefaults(context.paths(), name, values);
    const PrintSource source = PrintSource::load(context.paths(), name, ItemTable::Express);
    const WaybillPosting::PrintResult result = WaybillPosting::printAndPost(context, PrinterService::instance(), source,
        WaybillPage::formatsOf(TemplateSettings(context.paths(), name)), values, QDateTime::currentDateTime());
    if (!result.refusal.isEmpty())
        return fail(QStringLiteral("print"), result.refusal);
    printLine(result.posting.printedNumber);
    for (const QString &failure : result.posting.failed)
        writeTo(stderr, QStringLiteral("print: ") + failure);
    return result.posting.ok() ? Done : Failed;
}

// A CSV cell: quoted when it holds a separator, a quote or a line break
// (grouped amounts hold commas), inner quotes doubled.
QString csvCell(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList &cells)
{
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString &cell : cells)
        quoted.append(csvCell(cell));
    return quoted.join(u',');
}

// "汇总统计" of the data window's statistics page, from the same detail log.
int salesStats(const QCommandLineParser &parser, const QStringList &args)
{
    const QString name = parser.value(QStringLiteral("template"));
    const QDate from = QDate::fromString(parser.value(QStringLiteral("from")), QStringLiteral("yyyy-MM-dd"));
    const QDate to = QDate::fromString(parser.value(QStringLiteral("to")), QStringLiteral("yyyy-MM-dd"));
    if (!args.isEmpty() || name.isEmpty() || !from.isValid() || !to.isValid())
        return Usage;
    const QString path = SalesStats::detailLogFor(dataFolder(), name, QDate::currentDate());
    if (path.isEmpty())
        return fail(QStringLiteral("stats"), QStringLiteral("发货清单文件不存在"));
    std::optional<SalesTable> table;
    try {
        table = SalesStats::compute(TextTable::load(path), from, to);
    } catch (const IoError &e) {
        return fail(QStringLiteral("stats"), e.message());
    }
    if (!table)
        return fail(QStringLiteral("stats"), QStringLiteral("没有符合条件的记录"));
    QString text = csvLine(table->header) + u'\n';
    for (const QStringList &row : std::as_const(table->rows))
        text += csvLine(row) + u'\n';
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return Done;
}

const QList<Command> &commands()
{
    static const QList<Command> table {
        {"advance", "TEXT", "the next document number after TEXT (CK000009 -> CK000010)", {}, false, false, advance},
        {"capital", "AMOUNT", "the amount in Chinese capitals (an empty line for 0)", {}, false, false, capital},
        {"boxes", "TEXT K", "the box capitals of TEXT without its last K digits", {}, false, false, boxes},
        {"where", "", "the data folder the program would use", {}, false, false, where},
        {"render",
            "waybill|delivery|inbound --template NAME --fields FILE [--goods FILE] --out OUT [--dpi N] "
            "[--offset X,Y] [--preview]",
            "draws one waybill, delivery note or inbound note with a template of the data folder into OUT (.pdf, "
            ".png or .ops); nothing is printed, posted or logged",
            {{"template", "NAME", "the template of that kind"}, {"fields", "FILE", "UTF-8 lines ControlName=value"},
                {"goods", "FILE", "notes: UTF-8 lines, line k for grid row k, columns 1-9 separated by commas"},
                {"out", "OUT", "the file written: .pdf, .png or .ops"},
                {"dpi", "N", "the resolution (600; 96 with --preview)"},
                {"offset", "X,Y", "a printable-area offset in pixels, subtracted as a printer does"},
                {"preview", nullptr, "draw as the preview does (blue, no printable-area offset)"}},
            true, false, renderForm},
        {"print", "waybill --template NAME --fields FILE [--print-to DIR]",
            "prints one waybill as the express tab's \"打印(&P)\" does and keeps its record (new recipient, log "
            "line, goods description, next number); prints the printed waybill number",
            {{"template", "NAME", "the express template"},
                {"fields", "FILE",
                    "UTF-8 lines ControlName=value; number, date and template default as the tab shows them"},
                {"print-to", "DIR", "print to the virtual PDF printer writing into DIR"}},
            true, true, printForm},
        {"post", "delivery|inbound --template NAME --fields FILE [--goods FILE] [--print-to DIR]",
            "runs the tab's \"打印登记\": prints the note (the virtual PDF printer into DIR with --print-to), posts "
            "its stock, saves a new buyer (delivery), writes the logs, advances and saves the note number; prints the "
            "posted note number",
            {{"template", "NAME", "the delivery or inbound template"},
                {"fields", "FILE",
                    "UTF-8 lines ControlName=value; fields not named are what the tab shows after loading"},
                {"goods", "FILE", "UTF-8 lines, line k for grid row k, columns 1-9 separated by commas"},
                {"print-to", "DIR", "print to the virtual PDF printer writing into DIR"}},
            true, true, postNote},
        {"queue", "waybill|delivery --template NAME --fields FILE [--goods FILE]",
            "saves the form to its batch queue for a later batch run: a waybill to the express queue as the express "
            "tab's \"保存(&S)\" does (prints its row number), a delivery note to its template's queue as \"批打保存\" "
            "does, its goods' pending quantities raised (prints its batch key)",
            {{"template", "NAME", "the express or delivery template"},
                {"fields", "FILE",
                    "UTF-8 lines ControlName=value; fields not named are what the tab shows after loading"},
                {"goods", "FILE", "delivery: UTF-8 lines, line k for grid row k, columns 1-9 separated by commas"}},
            false, true, queueForm},
        {"batch",
            "waybill|delivery --template NAME [--from S] [--to E] [--print-to DIR] [--delete-printed|--keep-printed] "
            "[--fields FILE]",
            "prints queue rows S to E (all by default) in one continuous run as the data window's \"开始批打\" does, "
            "each form with its whole record; progress on standard error, the number printed on standard output. "
            "An earlier run that did not finish must be settled with --delete-printed or --keep-printed",
            {{"template", "NAME", "the express or delivery template the forms are printed with"},
                {"from", "S", "the first queue row (1)"}, {"to", "E", "the last queue row (the last one)"},
                {"print-to", "DIR", "print to the virtual PDF printer writing into DIR"},
                {"delete-printed", nullptr,
                    "take the printed rows out of the queue at the end, and those of an unfinished earlier run first"},
                {"keep-printed", nullptr, "keep the printed rows queued, those of an unfinished earlier run too"},
                {"fields", "FILE", "UTF-8 lines ControlName=value under every row (the sender, say)"}},
            true, true, batchPrint},
        {"export", "--code N [--from S] [--to E] --out FILE [--own-writer]",
            "writes rows S to E (all by default) of table N as the data window's \"导出(&O)\" does; the ending of "
            "FILE picks the format: .xlsx a workbook written directly (header row frozen, every value a text cell, "
            "no 序号 column), .xls the same workbook converted to Excel 97 by LibreOffice when it is installed, "
            "else (or with --own-writer) the program's own writer (the header and the 序号 column included, every "
            "cell text in GBK); prints the number of rows written",
            {{"code", "N",
                 "the table: 1 the express log (this year, else last year), 2 the express queue, 3 and 5 "
                 "the address books, 7-12 the pick lists and the goods, 15-18 the small lists"},
                {"from", "S", "the first row (1)"}, {"to", "E", "the last row (the last one)"},
                {"out", "FILE", "the workbook written, ending in .xls or .xlsx"},
                {"own-writer", nullptr, "a .xls by the program's own writer even when LibreOffice is installed"}},
            false, false, exportTable},
        {"import-orders", "FILE",
            "appends the orders of a marketplace order table (the seller order table \"淘宝订单表格\" or the "
            "export of 京东, 拼多多, 抖店, 快手小店 and others, found by its header names; UTF-8 or GBK text separated "
            "by commas or tabs, or .xlsx through LibreOffice) to the express batch queue, as the data window's order "
            "import followed by \"保存\" does; prints the number of rows added and the layout recognised. An "
            "unknown header is refused and adds nothing",
            {}, false, true, importOrders},
        {"parse-order", "--format N",
            "reads copied order text (UTF-8) from standard input and prints its twelve recipient values as one "
            "JSON line, as the one-click fill reads them (a fixed format that does not fit the text gives the smart "
            "reading, said on standard error)",
            {{"format", "N", "the copy format, 0-6 as in the express tab's list"}}, false, false, parseOrder},
        {"stats", "--template NAME --from yyyy-MM-dd --to yyyy-MM-dd",
            "the sales statistics of \"汇总统计\" over the printing dates FROM to TO (both included) from the "
            "template's delivery detail log of this year, else of last year; prints the table as UTF-8 CSV",
            {{"template", "NAME", "the delivery template"}, {"from", "yyyy-MM-dd", "the first printing date"},
                {"to", "yyyy-MM-dd", "the last printing date"}},
            false, false, salesStats},
    };
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

// The command named on the command line, found before the application
// exists: it decides whether fonts (a GUI application) are needed.
const Command *commandInArguments(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--data") == 0) {
            ++i;
            continue;
        }
        if (argv[i][0] == '-')
            continue;
        return findCommand(QString::fromLocal8Bit(argv[i]));
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    const Command *early = commandInArguments(argc, argv);
    std::unique_ptr<QCoreApplication> application;
    if (early && early->drawing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // No dialog can be answered here: messages go to standard error.
    MessageService::setDefault(std::make_unique<HeadlessMessageService>());

    QCommandLineParser top;
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    top.addOption({QStringLiteral("data"), QStringLiteral("the data folder"), QStringLiteral("DIR")});
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("this help"));
    top.addOption(help);
    top.addPositionalArgument(QStringLiteral("command"), QStringLiteral("what to do"));
    if (!top.parse(QCoreApplication::arguments())) {
        writeTo(stderr, top.errorText() + u'\n' + overview());
        return Usage;
    }
    const QStringList positional = top.positionalArguments();
    if (top.isSet(help) && positional.isEmpty()) {
        std::fputs(overview().toUtf8().constData(), stdout);
        return Done;
    }
    if (positional.isEmpty()) {
        writeTo(stderr, overview());
        return Usage;
    }
    const Command *command = findCommand(positional.first());
    if (!command) {
        writeTo(stderr, QStringLiteral("unknown command: ") + positional.first() + u'\n' + overview());
        return Usage;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption commandHelpOption(QStringLiteral("help"));
    parser.addOption(commandHelpOption);
    // The data folder may also be named after the command.
    parser.addOption({QStringLiteral("data"), QStringLiteral("the data folder"), QStringLiteral("DIR")});
    for (const Option &o : command->options) {
        QCommandLineOption option(QLatin1String(o.name), QString::fromUtf8(o.help));
        if (o.valueName)
            option.setValueName(QLatin1String(o.valueName));
        parser.addOption(option);
    }
    QStringList args = positional;
    args.replace(0, QStringLiteral("slipdesk-cli"));
    QStringList rest;
    if (command->options.isEmpty()) {
        // Commands without options take their arguments as they are: an
        // amount may well start with "-".
        rest = args.mid(1);
        if (rest == QStringList {QStringLiteral("--help")}) {
            std::fputs(commandHelp(*command).toUtf8().constData(), stdout);
            return Done;
        }
    } else {
        if (!parser.parse(args)) {
            writeTo(stderr, parser.errorText() + u'\n' + commandHelp(*command));
            return Usage;
        }
        if (parser.isSet(commandHelpOption)) {
            std::fputs(commandHelp(*command).toUtf8().constData(), stdout);
            return Done;
        }
        rest = parser.positionalArguments();
    }
    // A template name becomes the stem of data files: one that is no plain
    // file name ("../../x") is refused before any path is made of it.
    if (const QString refusal = command->options.isEmpty() ? QString() : templateNameRefusal(parser);
        !refusal.isEmpty())
        return fail(positional.first(), refusal);
    // One writer per data folder: a command that writes waits a moment for
    // the window or another command to finish, else it changes nothing.
    FolderLock lock(dataFolder().root());
    if (command->writes) {
        const QString name = QLatin1String(command->name);
        switch (lock.acquire(QStringLiteral("slipdesk-cli ") + name)) {
        case FolderLock::Result::Acquired:
            break;
        case FolderLock::Result::Busy:
            return fail(name, lock.busyMessage());
        case FolderLock::Result::Unlockable:
            writeTo(stderr,
                name + QStringLiteral(": 无法锁定数据文件夹（") + lock.error() + QStringLiteral("），未加锁继续执行"));
            break;
        }
    }
    const int code = command->run(parser, rest);
    if (code == Usage)
        writeTo(stderr, commandHelp(*command));
    return code;
}
