#include "CliSupport.h"

#include "context/AppContext.h"
#include "platform/PrinterService.h"
#include "storage/Paths.h"
#include "storage/ProgramLocation.h"
#include "trade/GoodsFile.h"
#include "trade/TradeRender.h"
#include "waybill/WaybillRender.h"

#include <QCommandLineParser>
#include <QFile>

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    *values = WaybillRender::parseFieldFile(file.readAll());
    return true;
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
        QFile file(parser.value(QStringLiteral("goods")));
        if (!file.open(QIODevice::ReadOnly)) {
            *error = file.fileName() + QStringLiteral(": ") + file.errorString();
            return {};
        }
        goods = GoodsFile::parse(file.readAll(), gridRows);
    } else {
        goods = GoodsTable::emptyRows(gridRows);
    }
    const QString name = parser.value(QStringLiteral("template"));
    if (!TradeRender::knownTemplate(context.paths(), kind, name)) {
        *error = (kind == NoteKind::Delivery ? QStringLiteral("发货单模版“") : QStringLiteral("入库单模版“")) + name
            + QStringLiteral("”不存在。");
        return {};
    }
    try {
        context.loadAddressBooks();
    } catch (const IoError &e) {
        *error = e.message();
        return {};
    }
    return TradeRender::formNote(context, kind, name, values, goods);
}

} // namespace Slipdesk::Cli
