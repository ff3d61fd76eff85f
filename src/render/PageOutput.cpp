#include "PageOutput.h"

#include "render/Drawing.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace Slipdesk {

namespace {

int pixels(int tenthMillimetres, int dpi)
{
    return int(Drawing::nearest(double(tenthMillimetres) * dpi / 254.0));
}

} // namespace

PageOutput::PageOutput(const QString &path, Format format, const QSize &paper, int dpi)
    : m_path(path)
    , m_format(format)
    , m_paper(paper)
    , m_dpi(qMax(1, dpi))
{
}

PageOutput::~PageOutput()
{
    if (m_open)
        m_painter.end();
}

PageOutput::Format PageOutput::formatForPath(const QString &path)
{
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? Format::Pdf : Format::Png;
}

QString PageOutput::pagePath(int page) const
{
    if (m_format == Format::Pdf || page <= 1)
        return m_path;
    const QFileInfo info(m_path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString base = m_path.left(m_path.size() - suffix.size());
    return base + u'-' + QString::number(page) + suffix;
}

bool PageOutput::begin()
{
    if (m_open || m_paper.width() <= 0 || m_paper.height() <= 0) {
        m_error = QStringLiteral("纸张尺寸无效");
        return false;
    }
    if (m_format == Format::Pdf) {
        m_pdf = std::make_unique<QPdfWriter>(m_path);
        m_pdf->setResolution(m_dpi);
        m_pdf->setPageLayout(
            QPageLayout(QPageSize(QSizeF(m_paper) / 10.0, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
        if (!m_painter.begin(m_pdf.get())) {
            m_error = QStringLiteral("无法写入文件：") + m_path;
            m_pdf.reset();
            return false;
        }
    } else {
        m_image = QImage(pixels(m_paper.width(), m_dpi), pixels(m_paper.height(), m_dpi), QImage::Format_RGB32);
        if (m_image.isNull()) {
            m_error = QStringLiteral("纸张尺寸无效");
            return false;
        }
        const int dotsPerMetre = int(Drawing::nearest(m_dpi * 10000.0 / 254.0));
        m_image.setDotsPerMeterX(dotsPerMetre);
        m_image.setDotsPerMeterY(dotsPerMetre);
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
    }
    m_painter.setRenderHint(QPainter::Antialiasing, m_format == Format::Png);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_canvas = std::make_unique<PainterCanvas>(m_painter, m_dpi, m_dpi);
    m_open = true;
    m_pages = 1;
    return true;
}

Canvas &PageOutput::canvas()
{
    return *m_canvas;
}

bool PageOutput::savePng()
{
    const QString path = pagePath(m_pages);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!m_image.save(&png, "PNG")) {
        m_error = QStringLiteral("无法写入文件：") + path;
        return false;
    }
    // Replaced only when every byte is written: a full disk keeps the old page.
    try {
        FileIo::writeAtomic(path, png.data(), FileIo::Folder::MustExist);
    } catch (const IoError &e) {
        m_error = e.message();
        return false;
    }
    return true;
}

bool PageOutput::newPage()
{
    if (!m_open)
        return false;
    if (m_format == Format::Pdf) {
        if (!m_pdf->newPage())
            return false;
    } else {
        m_painter.end();
        if (!savePng()) {
            m_open = false;
            return false;
        }
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        m_canvas->painterRestarted();
    }
    ++m_pages;
    return true;
}

bool PageOutput::finish()
{
    if (!m_open)
        return false;
    m_open = false;
    const bool ended = m_painter.end();
    if (m_format == Format::Pdf) {
        m_pdf.reset();
        if (!ended) {
            m_error = QStringLiteral("无法写入文件：") + m_path;
            return false;
        }
        return true;
    }
    return savePng();
}

} // namespace Slipdesk
