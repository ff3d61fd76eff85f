#pragma once

#include <QPageLayout>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace Slipdesk {

class Canvas;
struct PrinterSetup;

// One started print job: pages drawn through a canvas, then finished (sent to
// the printer or written) or aborted (nothing comes out). A job destroyed
// without finish() is aborted, so that a drawing error half-way through a
// form never sends a half-printed form to the printer.
class PrintJob
{
public:
    virtual ~PrintJob() = default;

    // The page being drawn. Positions are device pixels measured from the
    // printable-area corner, as the drawing code produces them.
    virtual Canvas &canvas() = 0;
    virtual bool newPage() = 0;
    // Ends the job; false when the output could not be produced.
    virtual bool finish() = 0;
    virtual void abort() = 0;

    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;
    // Physical offset of the printable area from the paper corner, in pixels.
    virtual QPoint printableOffset() const = 0;
    // The file the job writes to, for printers that print to files (after
    // finish(), the name it got).
    virtual QString outputFile() const { return QString(); }
    // Why finish() failed, in the program's words ("无法写入文件“…”：磁盘已满").
    virtual QString errorString() const { return QString(); }

    // Hooks of a painter job: what ending and aborting do on top of closing
    // the painter (writing the file, removing a half-written one).
    struct Hooks
    {
        // After the painter ended: an empty text when the output is complete,
        // else why not.
        std::function<QString()> afterFinish;
        std::function<void()> beforeAbort; // while the painter is still active
        std::function<void()> afterAbort; // after the painter ended
        std::function<QString()> outputFile;
    };

    // A job drawing with a QPainter on `device`, which must be ready to paint
    // (page size, orientation and resolution set). The painter's origin is the
    // paper corner; it is moved to the printable-area corner so that the
    // drawing code's "minus printable offset" lands on paper positions.
    // `printing` false makes the canvas draw as a preview does.
    // Returns nullptr with `error` set when painting cannot begin.
    static std::unique_ptr<PrintJob> overDevice(std::unique_ptr<QPagedPaintDevice> device, int resolutionX,
        int resolutionY, QPoint printableOffset, Hooks hooks, QString *error, bool printing = true);

    // The paper rule of every job that is not a print system's: the label
    // paper in its size, else the paper by its Windows number, in the setup's
    // orientation, without margins; "默认" and numbers without a standard
    // size give A4.
    static QPageLayout pageLayoutFor(const PrinterSetup &setup);

    // A job that writes a file instead of printing, chosen by the file's
    // ending: ".pdf" one PDF page per form, ".png" one picture per page (page
    // n > 1 at "name-n.png"), ".ops" every drawing operation as one JSON line
    // (measured with the real fonts). `printing` false draws as the preview
    // does (no printable offset). A job that does not finish leaves no file.
    struct FileTarget
    {
        QString path;
        int dpi = 600;
        QPoint printableOffset;
        bool printing = true;
        QString title;
    };
    static std::unique_ptr<PrintJob> toFile(const PrinterSetup &setup, const FileTarget &target, QString *error);
};

// Prints one form: starts the job, lets `draw` fill its page and finishes it.
// A drawing that throws aborts the job. Returns an empty text when the form
// went out, else what went wrong (in the program's words).
class PrinterService;
QString printForm(PrinterService &service, const PrinterSetup &setup, const QString &title,
    const std::function<void(Canvas &)> &draw);
// The same on a job that is already started (file output).
QString printForm(std::unique_ptr<PrintJob> job, const std::function<void(Canvas &)> &draw);

} // namespace Slipdesk
