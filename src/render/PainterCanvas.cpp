#include "PainterCanvas.h"

#include "render/Drawing.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPen>
#include <QTextOption>

#include <algorithm>

namespace Slipdesk {

PainterCanvas::PainterCanvas(QPainter &painter, int resolutionX, int resolutionY, QPoint printableOffset, bool printing)
    : m_painter(painter)
    , m_resolutionX(resolutionX)
    , m_resolutionY(resolutionY)
    , m_printableOffset(printableOffset)
    , m_printing(printing)
{
    setFont(QStringLiteral("黑体"), 10);
}

int PainterCanvas::pixelSize(int pointSize, int resolutionY)
{
    const qint64 pixels = Drawing::nearest(double(pointSize) * resolutionY / 72.0);
    return int(std::clamp<qint64>(pixels, 1, 1 << 20));
}

bool PainterCanvas::familyInstalled(const QString &family)
{
    if (family.isEmpty())
        return false;
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive))
        return true;
    const QStringList substitutes = QFont::substitutes(family);
    for (const QString &substitute : substitutes) {
        if (installed.contains(substitute, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool PainterCanvas::fontAvailable(const QString &family) const
{
    // The installed families do not change during one page; asking the font
    // database for every item would dominate the drawing time.
    auto it = m_available.constFind(family);
    if (it == m_available.constEnd())
        it = m_available.insert(family, familyInstalled(family));
    return it.value();
}

void PainterCanvas::setFont(const QString &family, int pointSize)
{
    if (m_current && family == m_family && pointSize == m_size)
        return;
    m_family = family;
    m_size = pointSize;
    auto it = m_fonts.find({family, pointSize});
    if (it == m_fonts.end()) {
        QFont font(family);
        font.setPixelSize(pixelSize(pointSize, m_resolutionY));
        // Measured with the painter's device so widths match what is drawn.
        QFontMetrics metrics(font, m_painter.device());
        it = m_fonts.emplace(std::pair {family, pointSize}, FontEntry {font, metrics}).first;
    }
    m_current = &it->second;
    m_fontApplied = false;
}

void PainterCanvas::applyFont()
{
    if (!m_fontApplied) {
        m_painter.setFont(m_current->font);
        m_fontApplied = true;
    }
    m_painter.setPen(QPen(m_color));
}

int PainterCanvas::textWidth(const QString &text)
{
    return metrics().horizontalAdvance(text);
}

int PainterCanvas::textHeight(const QString &)
{
    return metrics().height();
}

void PainterCanvas::drawText(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    applyFont();
    m_painter.drawText(QPoint(x, y + metrics().ascent()), text);
}

void PainterCanvas::drawTextClipped(const QRect &box, int x, int y, const QString &text)
{
    if (text.isEmpty() || box.isEmpty())
        return;
    applyFont();
    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.drawText(QPoint(x, y + metrics().ascent()), text);
    m_painter.restore();
}

void PainterCanvas::drawTextWrapped(const QRect &box, const QString &text)
{
    if (text.isEmpty() || box.isEmpty())
        return;
    applyFont();
    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    // Breaks between words, between Chinese characters, and inside a word
    // that is wider than the box on its own.
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_painter.drawText(QRectF(box), text, option);
    m_painter.restore();
}

void PainterCanvas::drawLine(int x1, int y1, int x2, int y2, int penWidth)
{
    QPen pen(m_color, qMax(1, penWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.drawLine(x1, y1, x2, y2);
}

void PainterCanvas::drawFrame(const QRect &rect, int penWidth)
{
    // Only the outline: a frame must not paint over the pre-printed form.
    QPen pen(m_color, qMax(1, penWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(rect.x(), rect.y(), rect.width(), rect.height()));
}

void PainterCanvas::fillRect(const QRect &rect)
{
    if (rect.isEmpty())
        return;
    // Whole device pixels without antialiasing, so that a bar keeps exactly
    // the width the barcode's module gives it, on paper as in a PDF.
    const bool antialiased = m_painter.testRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.fillRect(rect, m_color);
    m_painter.setRenderHint(QPainter::Antialiasing, antialiased);
}

void PainterCanvas::drawDottedLine(int x1, int y1, int x2, int y2, const QColor &color)
{
    m_painter.setPen(QPen(color, 1, Qt::DotLine));
    m_painter.drawLine(x1, y1, x2, y2);
}

} // namespace Slipdesk
