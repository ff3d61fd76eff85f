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
    if (command == u"where" && args.isEmpty()) {
        printLine(ProgramLocation::fromApplication().dataRoot);
        return 0;
    }
    return usage();
}
