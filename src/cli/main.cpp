#include "render/Amounts.h"
#include "storage/ProgramLocation.h"
#include "storage/TextTable.h"
#include "render/FontMapping.h"
#include "storage/Paths.h"
#include "waybill/OrderParser.h"
#include "waybill/WaybillRender.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

using namespace Slipdesk;

namespace {

int usage()
{
    QTextStream err(stderr);
    err << "usage: slipdesk-cli [--data DIR] COMMAND [ARGS]\n"
           "  advance TEXT     the next document number after TEXT\n"
           "  capital AMOUNT   the amount in Chinese capitals (empty for 0)\n"
           "  boxes TEXT K     the box capitals of TEXT without its last K digits\n"
           "  where            the data folder the program would use\n"
           "  render waybill --template NAME --fields FILE --out OUT\n"
           "         [--dpi N] [--offset X,Y] [--preview]\n"
           "                   draws one waybill with an express template of the data\n"
           "                   folder into OUT (.pdf, .png or .ops); nothing is printed\n"
           "                   or logged\n"
           "  parse-order --format N\n"
           "                   reads copied order text (UTF-8) from standard input and\n"
           "                   prints its twelve recipient values as one JSON line\n";
    return 2;
}

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

// parse-order --format N: the copied text comes on standard input.
int parseOrder(const QStringList &args)
{
    QString value;
    if (args.size() == 2 && args.first() == u"--format")
        value = args.at(1);
    else if (args.size() == 1 && args.first().startsWith(u"--format="))
        value = args.first().mid(9);
    else
        return usage();
    bool ok = false;
    const int format = value.toInt(&ok);
    if (!ok || format < 0 || format >= OrderParser::FormatCount) {
        QTextStream(stderr) << "parse-order: the format is a number from 0 to " << OrderParser::FormatCount - 1
                            << ": " << value << '\n';
        return 2;
    }
    QByteArray input;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        input.append(buffer, qsizetype(got));
    if (input.startsWith("\xEF\xBB\xBF"))
        input.remove(0, 3);  // a byte-order mark is no part of the text
    const QByteArray json = OrderParser::parse(format, QString::fromUtf8(input)).toJson() + '\n';
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

// render waybill --template NAME --fields FILE --out OUT [--dpi N] [--offset X,Y] [--preview]
int renderWaybill(const QStringList &all, const QStringList &args)
{
    if (args.value(0) != u"waybill")
        return usage();
    WaybillRender::Options options;
    options.templateName = optionValue(all, QStringLiteral("--template"));
    options.out = optionValue(all, QStringLiteral("--out"));
    const QString fields = optionValue(all, QStringLiteral("--fields"));
    options.preview = args.contains(QStringLiteral("--preview"));
    options.dpi = optionValue(all, QStringLiteral("--dpi")).toInt();
    const QStringList offset = optionValue(all, QStringLiteral("--offset")).split(u',');
    if (offset.size() == 2)
        options.printableOffset = QPoint(offset.at(0).toInt(), offset.at(1).toInt());
    if (options.templateName.isEmpty() || options.out.isEmpty() || fields.isEmpty())
        return usage();
    QFile file(fields);
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "render: " << fields << ": " << file.errorString() << '\n';
        return 1;
    }
    options.values = WaybillRender::parseFieldFile(file.readAll());
    FontMapping::install();
    const QString error = WaybillRender::render(Paths(ProgramLocation::fromApplication().dataRoot), options);
    if (!error.isEmpty()) {
        QTextStream(stderr) << "render: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts, hence a GUI application, but never a display.
    std::unique_ptr<QCoreApplication> application;
    bool drawing = false;
    for (int i = 1; i < argc; ++i)
        drawing = drawing || qstrcmp(argv[i], "render") == 0;
    if (drawing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList all = QCoreApplication::arguments();
    QStringList args = all;
    args.removeFirst();
    // Options with a value come before the command.
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const bool hasValue = !args.first().contains(QLatin1Char('='));
        args.removeFirst();
        if (hasValue && !args.isEmpty())
            args.removeFirst();
    }
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == u"advance" && args.size() == 1) {
        printLine(advanceNumber(args.first()));
        return 0;
    }
    if (command == u"capital" && args.size() == 1) {
        AmountError error = AmountError::None;
        const std::optional<qint64> fen = parseAmount(args.first(), &error);
        if (!fen && error == AmountError::NotANumber) {
            QTextStream(stderr) << "capital: not a number: " << args.first() << '\n';
            return 2;
        }
        if (!fen || *fen > MaxCapitalFen || *fen < -MaxCapitalFen) {
            QTextStream(stderr) << "capital: too large for capitals (at most 15 fen digits): "
                                << args.first() << '\n';
            return 2;
        }
        printLine(capitalAmount(*fen));
        return 0;
    }
    if (command == u"boxes" && args.size() == 2) {
        bool ok = false;
        const int drop = args.at(1).toInt(&ok);
        if (!ok || drop < 0) {
            QTextStream(stderr) << "boxes: K must be a whole number of digits, 0 or more: "
                                << args.at(1) << '\n';
            return 2;
        }
        printLine(boxCapitals(args.first(), drop));
        return 0;
    }
    if (command == u"render")
        return renderWaybill(all, args);
    if (command == u"parse-order")
        return parseOrder(args);
    if (command == u"where" && args.isEmpty()) {
        printLine(ProgramLocation::fromApplication().dataRoot);
        return 0;
    }
    return usage();
}
