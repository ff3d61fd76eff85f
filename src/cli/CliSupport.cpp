#include "CliSupport.h"

#include "context/AppContext.h"
#include "platform/PrinterService.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"
#include "storage/Paths.h"
#include "storage/ProgramLocation.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"
#include "trade/GoodsFile.h"
#include "trade/TradeForm.h"

#include <QCommandLineParser>

namespace Slipdesk::Cli {

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void printLine(const QString &text)
{
    writeTo(stdout, text);
}

int fail(const QString &command, const QString &message, int code)
{
    writeTo(stderr, command + QStringLiteral(": ") + message);
    return code;
}

Paths dataFolder()
{
    return Paths(ProgramLocation::fromApplication().dataRoot);
}

void configurePrinter(const QCommandLineParser &parser)
{
    PrinterService::configureFromArguments(
        {QStringLiteral("slipdesk-cli"), QStringLiteral("--print-to"), parser.value(QStringLiteral("print-to"))});
}

bool readFieldFile(const QString &path, FieldValues *values, QString *error)
{
    try {
        *values = FieldValues::fromFieldFile(FileIo::readOutside(path, FileIo::kFormFileLimit));
    } catch (const IoError &e) {
        *error = e.message();
        return false;
    }
    return true;
}

QString templateRefusal(const Paths &paths, int kind, const QString &name)
{
    if (TemplateList::known(paths, kind, name))
        return QString();
    const QString what = kind == ItemTable::Express ? QStringLiteral("快递单模版“")
        : kind == ItemTable::Delivery               ? QStringLiteral("发货单模版“")
                                                    : QStringLiteral("入库单模版“");
    return what + name + QStringLiteral("”不存在。");
}

QString templateNameRefusal(const QCommandLineParser &parser)
{
    if (!parser.optionNames().contains(QStringLiteral("template")))
        return QString();
    try {
        Paths::checkedStem(parser.value(QStringLiteral("template")));
    } catch (const IoError &e) {
        return e.message();
    }
    return QString();
}

std::optional<NoteKind> noteKind(const QString &word)
{
    if (word == u"delivery")
        return NoteKind::Delivery;
    if (word == u"inbound")
        return NoteKind::Inbound;
    return std::nullopt;
}

TradeNote readNote(AppContext &context, NoteKind kind, const QCommandLineParser &parser, QString *error)
{
    FieldValues values;
    if (!readFieldFile(parser.value(QStringLiteral("fields")), &values, error))
        return {};
    GoodsRows goods;
    const int gridRows = kind == NoteKind::Delivery ? GoodsFile::DeliveryRows : GoodsFile::InboundRows;
    if (parser.isSet(QStringLiteral("goods"))) {
        try {
            goods = GoodsFile::parse(
                FileIo::readOutside(parser.value(QStringLiteral("goods")), FileIo::kFormFileLimit), gridRows);
        } catch (const IoError &e) {
            *error = e.message();
            return {};
        }
    } else {
        goods = GoodsTable::emptyRows(gridRows);
    }
    const QString name = parser.value(QStringLiteral("template"));
    if (*error = templateRefusal(context.paths(), TradeNote::templateKind(kind), name); !error->isEmpty())
        return {};
    try {
        context.loadAddressBooks();
    } catch (const IoError &e) {
        *error = e.message();
        return {};
    }
    return TradeForm::noteWithDefaults(context, kind, name, values, goods);
}

} // namespace Slipdesk::Cli
