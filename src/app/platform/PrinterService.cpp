#include "PrinterService.h"

#include "PrintJob.h"
#include "QtPrinterService.h"
#include "VirtualPdfPrinter.h"
#include "templates/PrinterSetup.h"

#include <QDir>

namespace Slipdesk {

namespace {
PrinterService *g_installed = nullptr;
std::unique_ptr<PrinterService> g_default;
} // namespace

QList<PaperInfo> PrinterService::papers(const QString &) const
{
    return {};
}

std::unique_ptr<PrintJob> PrinterService::startJob(const PrinterSetup &, const QString &, QString *error)
{
    if (error)
        *error = QStringLiteral("没有可用的打印机");
    return nullptr;
}

QString PrinterService::resolvePrinter(const QString &name) const
{
    const QStringList names = printerNames();
    if (names.isEmpty())
        return QString();
    if (!name.isEmpty() && names.contains(name))
        return name;
    const QString fallback = defaultPrinterName();
    // A print system may name a default it does not list (a removed queue):
    // then the first listed printer is the one that can print.
    return names.contains(fallback) ? fallback : names.first();
}

QStringList PrinterService::paperEntries(const QString &printer) const
{
    QStringList entries;
    const QList<PaperInfo> list = papers(printer);
    for (const PaperInfo &paper : list) {
        if (entries.size() >= PrinterSetup::MaxPaperEntries)
            break;
        entries.append(PrinterSetup::paperEntry(paper.number, paper.name));
    }
    return entries;
}

PrinterService &PrinterService::instance()
{
    if (g_installed)
        return *g_installed;
    if (!g_default)
        g_default = std::make_unique<QtPrinterService>();
    return *g_default;
}

void PrinterService::install(PrinterService *service)
{
    g_installed = service;
}

QString PrinterService::configureFromArguments(const QStringList &arguments)
{
    static const QString option = QStringLiteral("--print-to");
    QString folder;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == option && i + 1 < arguments.size()) {
            folder = arguments[i + 1];
            break;
        }
        if (argument.startsWith(option + u'=')) {
            folder = argument.mid(option.size() + 1);
            break;
        }
    }
    if (folder.isEmpty())
        folder = qEnvironmentVariable("SLIPDESK_PRINT_TO");
    if (folder.isEmpty()) {
        g_default.reset(); // the plain print system again, made on first use
        return QString();
    }
    folder = QDir(folder).absolutePath();
    QDir().mkpath(folder);
    g_default = std::make_unique<QtPrinterService>(std::make_unique<VirtualPdfPrinter>(folder));
    return folder;
}

} // namespace Slipdesk
