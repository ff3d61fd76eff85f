#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace Slipdesk {

class PrintJob;
class VirtualPdfPrinter;
struct PrinterSetup;

// One paper a printer offers: its Windows paper number (A4 = 9, A3 = 8,
// custom sizes 256) and the name the print system gives it.
struct PaperInfo
{
    int number = 0;
    QString name;
};

// The installed printers as the platform lists them, and print jobs on them.
class PrinterService
{
public:
    virtual ~PrinterService() = default;
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;

    // The papers `printer` supports, in the print system's order.
    virtual QList<PaperInfo> papers(const QString &printer) const;
    // Starts a job titled `title` on the printer of `setup` (the default
    // printer when that one is not installed), with its orientation and paper.
    // nullptr, with `error` set, when no printer exists or the job cannot start.
    virtual std::unique_ptr<PrintJob> startJob(
        const PrinterSetup &setup, const QString &title, QString *error = nullptr);

    // `name` when it is installed, otherwise the default printer; empty when
    // there is no printer at all.
    QString resolvePrinter(const QString &name) const;
    // The other-paper list of `printer`: "number-name" entries, at most 256.
    QStringList paperEntries(const QString &printer) const;

    static PrinterService &instance();
    static void install(PrinterService *service); // tests; nullptr restores the default

    // Makes the default service: given the virtual printer (or null), the
    // desktop program returns one that lists the print system's printers too.
    // Without a factory the default offers the virtual printer alone.
    using Factory = std::function<std::unique_ptr<PrinterService>(std::unique_ptr<VirtualPdfPrinter>)>;
    static void setFactory(Factory factory);

    // Reads "--print-to DIR" (or "--print-to=DIR", or the environment variable
    // SLIPDESK_PRINT_TO) and, when given, makes the default service one that
    // also offers the virtual PDF printer writing into DIR. Returns the folder,
    // empty (and the plain default service) when none is given.
    static QString configureFromArguments(const QStringList &arguments);
};

// The printers a program has without a print system: the virtual PDF printer
// when one is given, else none.
class VirtualPrinterService : public PrinterService
{
public:
    VirtualPrinterService();
    explicit VirtualPrinterService(std::unique_ptr<VirtualPdfPrinter> printer);
    ~VirtualPrinterService() override;

    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    QList<PaperInfo> papers(const QString &printer) const override;
    std::unique_ptr<PrintJob> startJob(
        const PrinterSetup &setup, const QString &title, QString *error = nullptr) override;

    VirtualPdfPrinter *virtualPrinter() const { return m_printer.get(); }

private:
    std::unique_ptr<VirtualPdfPrinter> m_printer;
};

} // namespace Slipdesk
