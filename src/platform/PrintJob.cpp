#include "PrintJob.h"

#include "platform/PrinterService.h"
#include "platform/PrinterSetup.h"
#include "render/Drawing.h"
#include "render/PageOutput.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace Slipdesk {

namespace {

class PainterPrintJob : public PrintJob
{
public:
    PainterPrintJob(std::unique_ptr<QPagedPaintDevice> device, int resolutionX, int resolutionY, QPoint offset,
        Hooks hooks, bool printing)
        : m_hooks(std::move(hooks))
        , m_device(std::move(device))
        , m_resolutionX(resolutionX)
        , m_resolutionY(resolutionY)
        , m_offset(offset)
        , m_printing(printing)
    {
    }

    ~PainterPrintJob() override
    {
        if (m_state == State::Open)
            abort();
    }

    bool begin()
    {
        if (!m_painter.begin(m_device.get())) {
            // Nothing was drawn: remove whatever the device had prepared.
            if (m_hooks.afterAbort)
                m_hooks.afterAbort();
            return false;
        }
        m_painter.translate(m_offset);
        m_canvas = std::make_unique<PainterCanvas>(m_painter, m_resolutionX, m_resolutionY, m_offset, m_printing);
        m_state = State::Open;
        return true;
    }

    Canvas &canvas() override { return *m_canvas; }

    bool newPage() override
    {
        if (m_state != State::Open || !m_device->newPage())
            return false;
        // A new page starts with a fresh painter state on some devices.
        m_painter.resetTransform();
        m_painter.translate(m_offset);
        return true;
    }

    bool finish() override
    {
        if (m_state != State::Open)
            return false;
        m_state = State::Finished;
        if (!m_painter.end())
            m_error = QStringLiteral("无法结束打印作业");
        // The output is written only after a complete page: a painter that
        // failed leaves nothing.
        if (m_hooks.afterFinish && m_error.isEmpty())
            m_error = m_hooks.afterFinish();
        else if (m_hooks.afterAbort && !m_error.isEmpty())
            m_hooks.afterAbort();
        return m_error.isEmpty();
    }

    void abort() override
    {
        if (m_state != State::Open)
            return;
        m_state = State::Aborted;
        if (m_hooks.beforeAbort)
            m_hooks.beforeAbort();
        m_painter.end();
        if (m_hooks.afterAbort)
            m_hooks.afterAbort();
    }

    int resolutionX() const override { return m_resolutionX; }
    int resolutionY() const override { return m_resolutionY; }
    QPoint printableOffset() const override { return m_offset; }
    QString outputFile() const override { return m_hooks.outputFile ? m_hooks.outputFile() : QString(); }
    QString errorString() const override { return m_error; }

private:
    enum class State { NotStarted, Open, Finished, Aborted };

    // Declared first, destroyed last: the hooks may own the file the device
    // writes into, and the painter must end before its device goes.
    Hooks m_hooks;
    std::unique_ptr<QPagedPaintDevice> m_device;
    QPainter m_painter;
    std::unique_ptr<PainterCanvas> m_canvas;
    int m_resolutionX;
    int m_resolutionY;
    QPoint m_offset;
    bool m_printing;
    State m_state = State::NotStarted;
    QString m_error;
};

// Pictures of the pages, written when the job finishes.
class ImagePrintJob : public PrintJob
{
public:
    ImagePrintJob(const QString &path, const QSize &paper, int dpi, QPoint offset, bool printing)
        : m_output(path, PageOutput::Format::Png, paper, dpi)
        , m_dpi(dpi)
        , m_offset(offset)
        , m_printing(printing)
    {
    }

    bool begin(QString *error)
    {
        if (!m_output.begin()) {
            if (error)
                *error = m_output.errorString();
            return false;
        }
        auto &inner = static_cast<PainterCanvas &>(m_output.canvas());
        m_canvas = std::make_unique<PainterCanvas>(inner.painter(), m_dpi, m_dpi, m_offset, m_printing);
        m_open = true;
        return true;
    }

    Canvas &canvas() override { return *m_canvas; }
    bool newPage() override
    {
        if (!m_open || !m_output.newPage())
            return false;
        m_canvas->painterRestarted();
        return true;
    }
    bool finish() override
    {
        if (!m_open)
            return false;
        m_open = false;
        return m_output.finish();
    }
    // Pages are only written by finish() (earlier pages by newPage()): an
    // aborted single-page job leaves nothing behind.
    void abort() override { m_open = false; }
    int resolutionX() const override { return m_dpi; }
    int resolutionY() const override { return m_dpi; }
    QPoint printableOffset() const override { return m_offset; }
    QString outputFile() const override { return m_output.pagePath(1); }
    QString errorString() const override { return m_output.errorString(); }

private:
    PageOutput m_output;
    std::unique_ptr<PainterCanvas> m_canvas;
    int m_dpi;
    QPoint m_offset;
    bool m_printing;
    bool m_open = false;
};

// Every drawing operation as a JSON line; pages are separated by a line
// {"op":"page"}.
class RecordingPrintJob : public PrintJob
{
public:
    RecordingPrintJob(const QString &path, int dpi, QPoint offset, bool printing)
        : m_path(path)
        , m_canvas(dpi, RecordingCanvas::Metrics::Font)
    {
        m_canvas.setPrinting(printing);
        m_canvas.setPrintableOffset(offset);
    }

    Canvas &canvas() override { return m_canvas; }
    bool newPage() override
    {
        if (m_done)
            return false;
        m_text += m_canvas.toJsonLines() + QStringLiteral("{\"op\":\"page\"}\n");
        m_canvas.clear();
        return true;
    }
    bool finish() override
    {
        if (m_done)
            return false;
        m_done = true;
        try {
            FileIo::writeAtomic(m_path, (m_text + m_canvas.toJsonLines()).toUtf8(), FileIo::Folder::MustExist);
        } catch (const IoError &e) {
            m_error = e.message();
            return false;
        }
        return true;
    }
    void abort() override { m_done = true; }
    int resolutionX() const override { return m_canvas.resolutionX(); }
    int resolutionY() const override { return m_canvas.resolutionY(); }
    QPoint printableOffset() const override { return m_canvas.printableOffset(); }
    QString outputFile() const override { return m_path; }
    QString errorString() const override { return m_error; }

private:
    QString m_path;
    RecordingCanvas m_canvas;
    QString m_text;
    QString m_error;
    bool m_done = false;
};

} // namespace

std::unique_ptr<PrintJob> PrintJob::overDevice(std::unique_ptr<QPagedPaintDevice> device, int resolutionX,
    int resolutionY, QPoint printableOffset, Hooks hooks, QString *error, bool printing)
{
    auto job = std::make_unique<PainterPrintJob>(
        std::move(device), resolutionX, resolutionY, printableOffset, std::move(hooks), printing);
    if (!job->begin()) {
        if (error)
            *error = QStringLiteral("无法开始打印作业");
        return nullptr;
    }
    return job;
}

QPageLayout PrintJob::pageLayoutFor(const PrinterSetup &setup)
{
    QPageSize size(QPageSize::A4);
    if (!setup.labelSizeMm.isEmpty()) {
        size = QPageSize(setup.labelSizeMm, QPageSize::Millimeter, PrinterSetup::labelCaption(setup.labelSizeMm),
            QPageSize::ExactMatch);
    } else if (setup.paperNumber != PrinterSetup::PaperUnchanged) {
        const QPageSize::PageSizeId id = QPageSize::id(setup.paperNumber);
        if (id != QPageSize::Custom)
            size = QPageSize(id);
    }
    const QPageLayout::Orientation orientation
        = setup.orientation == PrinterSetup::Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF());
}

std::unique_ptr<PrintJob> PrintJob::toFile(const PrinterSetup &setup, const FileTarget &target, QString *error)
{
    const int dpi = target.dpi > 0 ? target.dpi : 600;
    const QPoint offset = target.printing ? target.printableOffset : QPoint();
    const QString suffix = QFileInfo(target.path).suffix().toLower();
    if (suffix == u"ops")
        return std::make_unique<RecordingPrintJob>(target.path, dpi, offset, target.printing);

    const QPageLayout layout = pageLayoutFor(setup);
    if (suffix == u"pdf") {
        // The document grows in memory and replaces the file only when
        // complete: a failed or cut write leaves the old file.
        auto buffer = std::make_shared<QBuffer>();
        buffer->open(QIODevice::WriteOnly);
        auto writer = std::make_unique<QPdfWriter>(buffer.get());
        writer->setTitle(target.title);
        writer->setCreator(QStringLiteral("Slipdesk"));
        writer->setResolution(dpi);
        writer->setPageLayout(layout);
        Hooks hooks;
        hooks.outputFile = [path = target.path] { return path; };
        hooks.afterFinish = [buffer, path = target.path] {
            try {
                FileIo::writeAtomic(path, buffer->data(), FileIo::Folder::MustExist);
            } catch (const IoError &e) {
                return e.message();
            }
            return QString();
        };
        return overDevice(std::move(writer), dpi, dpi, offset, std::move(hooks), error, target.printing);
    }

    const QSizeF millimetres = layout.fullRect(QPageLayout::Millimeter).size();
    const QSize paper(qRound(millimetres.width() * 10), qRound(millimetres.height() * 10));
    auto job = std::make_unique<ImagePrintJob>(target.path, paper, dpi, offset, target.printing);
    if (!job->begin(error))
        return nullptr;
    return job;
}

QString printForm(std::unique_ptr<PrintJob> job, const std::function<void(Canvas &)> &draw)
{
    // A failure while drawing ends the job without sending a half-drawn form.
    try {
        draw(job->canvas());
    } catch (const IoError &e) {
        job->abort();
        return QStringLiteral("打印中断：") + e.message();
    } catch (const std::exception &e) {
        job->abort();
        return QStringLiteral("打印中断：") + QString::fromUtf8(e.what());
    }
    if (!job->finish()) {
        const QString why = job->errorString();
        return why.isEmpty() ? QStringLiteral("打印作业没有完成。") : QStringLiteral("打印作业没有完成：") + why;
    }
    return QString();
}

QString printForm(
    PrinterService &service, const PrinterSetup &setup, const QString &title, const std::function<void(Canvas &)> &draw)
{
    QString error;
    std::unique_ptr<PrintJob> job = service.startJob(setup, title, &error);
    if (!job)
        return error.isEmpty() ? QStringLiteral("无法开始打印作业。") : error;
    return printForm(std::move(job), draw);
}

} // namespace Slipdesk
