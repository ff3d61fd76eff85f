#pragma once

#include "platform/PrinterService.h"

#include <QPoint>
#include <QString>

#include <memory>

namespace Slipdesk {

class PrintJob;
struct PrinterSetup;

// A printer that writes every job as a PDF file into one folder, for machines
// without a printer and for checking printed output: job "T" becomes
// "T.pdf", a later job of the same title "T (2).pdf", and so on. A job's file
// appears only when complete (written beside it, then given its name); an
// existing file is never replaced, also when several programs print into
// the folder at once, and the next free name is found in constant time over
// a run. It honours the paper (by Windows number; "默认" and unknown numbers
// give A4) and the orientation of the setup.
class VirtualPdfPrinter
{
public:
    explicit VirtualPdfPrinter(const QString &directory, int resolution = 600, QPoint printableOffset = {});

    static QString printerName(); // "Slipdesk PDF"

    QString directory() const { return m_directory; }
    int resolution() const { return m_resolution; }
    void setResolution(int dotsPerInch);
    // Emulates a printer whose printable area starts away from the paper
    // corner, in pixels at the printer's resolution.
    QPoint printableOffset() const { return m_offset; }
    void setPrintableOffset(QPoint offset) { m_offset = offset; }

    QList<PaperInfo> papers() const;
    std::unique_ptr<PrintJob> startJob(const PrinterSetup &setup, const QString &title, QString *error) const;

    // The file-name stem for a job title: characters a file name cannot hold
    // replaced by "_", surrounding blanks and dots removed, never empty.
    static QString fileStem(const QString &title);

private:
    QString m_directory;
    int m_resolution;
    QPoint m_offset;
};

} // namespace Slipdesk
