#pragma once

#include "render/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

#include <map>
#include <utility>

class QPainter;

namespace Slipdesk {

// A canvas over an active QPainter on any paint device: a printer page, a
// PDF writer, an image or a widget. The painter's coordinates must be device
// pixels of `resolutionX` × `resolutionY` per inch.
//
// Font sizes are points; the canvas turns them into a pixel size with the
// vertical resolution it was given (nearest(size × resolutionY ÷ 72)) and sets
// that pixel size on the font. This is independent of what the device reports
// as its logical dpi (an image rounds it through dots per metre, a printer
// may report something else than the resolution a caller asked for), so the
// same template measures the same on every target of the same resolution.
//
// While the canvas is in use it owns the painter's font and pen.
class PainterCanvas : public Canvas
{
public:
    PainterCanvas(
        QPainter &painter, int resolutionX, int resolutionY, QPoint printableOffset = {}, bool printing = false);

    QPainter &painter() const { return m_painter; }

    int resolutionX() const override { return m_resolutionX; }
    int resolutionY() const override { return m_resolutionY; }
    QPoint printableOffset() const override { return m_printableOffset; }
    bool printing() const override { return m_printing; }
    void setPrinting(bool printing) { m_printing = printing; }
    // After the painter was ended and begun again (a fresh painter state), the
    // font is set on it again before the next text.
    void painterRestarted() { m_fontApplied = false; }

    void setFont(const QString &family, int pointSize) override;
    QString fontFamily() const override { return m_family; }
    int fontSize() const override { return m_size; }
    bool fontAvailable(const QString &family) const override;
    void setTextColor(const QColor &color) override { m_color = color; }
    QColor textColor() const override { return m_color; }

    int textWidth(const QString &text) override;
    int textHeight(const QString &text) override;

    void drawText(int x, int y, const QString &text) override;
    void drawTextClipped(const QRect &box, int x, int y, const QString &text) override;
    void drawTextWrapped(const QRect &box, const QString &text) override;

    // Lines and frames are drawn in the text colour, so a preview shows the
    // whole form in its preview colour.
    void drawLine(int x1, int y1, int x2, int y2, int penWidth = 1) override;
    void drawFrame(const QRect &rect, int penWidth = 1) override;
    void drawDottedLine(int x1, int y1, int x2, int y2, const QColor &color) override;
    void fillRect(const QRect &rect) override;

    // Pixel size of a `pointSize` font at `resolutionY` (at least 1).
    static int pixelSize(int pointSize, int resolutionY);
    // Whether `family` or one of its substitutes is an installed family.
    static bool familyInstalled(const QString &family);

private:
    void applyFont();
    const QFontMetrics &metrics() const { return m_current->metrics; }

    QPainter &m_painter;
    int m_resolutionX;
    int m_resolutionY;
    QPoint m_printableOffset;
    bool m_printing;
    QString m_family;
    int m_size = 0;
    QColor m_color = Qt::black;
    struct FontEntry
    {
        QFont font;
        QFontMetrics metrics;
    };
    // Fonts built so far on this canvas: the shrink search visits the same
    // few sizes item after item, and building a font is the costly part of a
    // measurement.
    std::map<std::pair<QString, int>, FontEntry> m_fonts;
    const FontEntry *m_current = nullptr;
    bool m_fontApplied = false;
    mutable QHash<QString, bool> m_available;
};

} // namespace Slipdesk
