#include "render/Amounts.h"
#include "storage/ProgramLocation.h"
#include "storage/TextTable.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace Slipdesk;

namespace {

int usage()
{
    QTextStream err(stderr);
    err << "usage: slipdesk-cli [--data DIR] COMMAND [ARGS]\n"
           "  advance TEXT     the next document number after TEXT\n"
           "  capital AMOUNT   the amount in Chinese capitals (empty for 0)\n"
           "  boxes TEXT K     the box capitals of TEXT without its last K digits\n"
           "  where            the data folder the program would use\n";
    return 2;
}

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
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
    if (command == u"where" && args.isEmpty()) {
        printLine(ProgramLocation::fromApplication().dataRoot);
        return 0;
    }
    return usage();
}
