#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace Slipdesk {

class Canvas;

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
    // The file the job writes to, for printers that print to files.
    virtual QString outputFile() const { return QString(); }

    // Hooks of a painter job: what ending and aborting do on top of closing
    // the painter (closing a file, removing a half-written one).
    struct Hooks
    {
        std::function<bool()> afterFinish;  // after the painter ended
        std::function<void()> beforeAbort;  // while the painter is still active
        std::function<void()> afterAbort;   // after the painter ended
        QString outputFile;
    };

    // A job drawing with a QPainter on `device`, which must be ready to paint
    // (page size, orientation and resolution set). The painter's origin is the
    // paper corner; it is moved to the printable-area corner so that the
    // drawing code's "minus printable offset" lands on paper positions.
    // Returns nullptr with `error` set when painting cannot begin.
    static std::unique_ptr<PrintJob> overDevice(std::unique_ptr<QPagedPaintDevice> device, int resolutionX,
                                                int resolutionY, QPoint printableOffset, Hooks hooks,
                                                QString *error);
};

} // namespace Slipdesk
