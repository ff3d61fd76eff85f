#include "PrinterService.h"

#include "platform/PrintJob.h"
#include "platform/PrinterSetup.h"
#include "platform/VirtualPdfPrinter.h"

#include <QDir>

namespace Slipdesk {

namespace {
PrinterService *g_installed = nullptr;
std::unique_ptr<PrinterService> g_default;
PrinterService::Factory g_factory;

std::unique_ptr<PrinterService> makeDefault(std::unique_ptr<VirtualPdfPrinter> printer)
{
    if (g_factory)
        return g_factory(std::move(printer));
    return std::make_unique<VirtualPrinterService>(std::move(printer));
}
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
        g_default = makeDefault(nullptr);
    return *g_default;
}

void PrinterService::install(PrinterService *service)
{
    g_installed = service;
}

void PrinterService::setFactory(Factory factory)
{
    g_factory = std::move(factory);
    g_default.reset();
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
        g_default.reset(); // the plain default again, made on first use
        return QString();
    }
    folder = QDir(folder).absolutePath();
    QDir().mkpath(folder);
    g_default = makeDefault(std::make_unique<VirtualPdfPrinter>(folder));
    return folder;
}

VirtualPrinterService::VirtualPrinterService() = default;

VirtualPrinterService::VirtualPrinterService(std::unique_ptr<VirtualPdfPrinter> printer)
    : m_printer(std::move(printer))
{
}

VirtualPrinterService::~VirtualPrinterService() = default;

QStringList VirtualPrinterService::printerNames() const
{
    return m_printer ? QStringList {VirtualPdfPrinter::printerName()} : QStringList();
}

QString VirtualPrinterService::defaultPrinterName() const
{
    return m_printer ? VirtualPdfPrinter::printerName() : QString();
}

QList<PaperInfo> VirtualPrinterService::papers(const QString &printer) const
{
    return m_printer && printer == VirtualPdfPrinter::printerName() ? m_printer->papers() : QList<PaperInfo>();
}

std::unique_ptr<PrintJob> VirtualPrinterService::startJob(
    const PrinterSetup &setup, const QString &title, QString *error)
{
    if (!m_printer)
        return PrinterService::startJob(setup, title, error);
    return m_printer->startJob(setup, title, error);
}

} // namespace Slipdesk
