#include "PrintJob.h"

#include "render/PainterCanvas.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace Slipdesk {

namespace {

class PainterPrintJob : public PrintJob
{
public:
    PainterPrintJob(std::unique_ptr<QPagedPaintDevice> device, int resolutionX, int resolutionY, QPoint offset,
                    Hooks hooks)
        : m_hooks(std::move(hooks))
        , m_device(std::move(device))
        , m_resolutionX(resolutionX)
        , m_resolutionY(resolutionY)
        , m_offset(offset)
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
        m_canvas = std::make_unique<PainterCanvas>(m_painter, m_resolutionX, m_resolutionY, m_offset, true);
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
        bool ok = m_painter.end();
        if (m_hooks.afterFinish)
            ok = m_hooks.afterFinish() && ok;
        return ok;
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
    QString outputFile() const override { return m_hooks.outputFile; }

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
    State m_state = State::NotStarted;
};

} // namespace

std::unique_ptr<PrintJob> PrintJob::overDevice(std::unique_ptr<QPagedPaintDevice> device, int resolutionX,
                                               int resolutionY, QPoint printableOffset, Hooks hooks, QString *error)
{
    auto job = std::make_unique<PainterPrintJob>(std::move(device), resolutionX, resolutionY, printableOffset,
                                                 std::move(hooks));
    if (!job->begin()) {
        if (error)
            *error = QStringLiteral("无法开始打印作业");
        return nullptr;
    }
    return job;
}

} // namespace Slipdesk
