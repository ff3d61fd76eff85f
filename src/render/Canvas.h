#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

namespace Slipdesk {

// The one drawing surface every print and preview goes through: the printer
// page, the preview window's paint area, a PDF or PNG file, or a recording for
// tests. Coordinates are device pixels of the target; font sizes are points,
// scaled by the target's vertical resolution.
class Canvas
{
public:
    virtual ~Canvas() = default;

    // Logical pixels per inch of the target.
    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;
    // Physical offset of the printable area from the paper corner, in target
    // pixels; (0, 0) for previews and files.
    virtual QPoint printableOffset() const = 0;

    // True while drawing on the printer page (positions are then measured from
    // the paper corner), false for previews.
    virtual bool printing() const = 0;

    virtual void setFont(const QString &family, int pointSize) = 0;
    virtual QString fontFamily() const = 0;
    virtual int fontSize() const = 0;
    // Whether `family` is installed (or mapped onto an installed font).
    virtual bool fontAvailable(const QString &family) const = 0;
    virtual void setTextColor(const QColor &color) = 0;
    virtual QColor textColor() const = 0;

    // Extents of `text` in the current font, in pixels.
    virtual int textWidth(const QString &text) = 0;
    virtual int textHeight(const QString &text) = 0;

    // Text with its top-left corner at (x, y).
    virtual void drawText(int x, int y, const QString &text) = 0;
    // One line at (x, y), cut at `box`.
    virtual void drawTextClipped(const QRect &box, int x, int y, const QString &text) = 0;
    // Word-wrapped in `box` (breaks between words and between Chinese
    // characters) and cut at it.
    virtual void drawTextWrapped(const QRect &box, const QString &text) = 0;

    virtual void drawLine(int x1, int y1, int x2, int y2, int penWidth = 1) = 0;
    virtual void drawFrame(const QRect &rect, int penWidth = 1) = 0;
    virtual void drawDottedLine(int x1, int y1, int x2, int y2, const QColor &color) = 0;
    // A solid rectangle in the text colour, exactly the device pixels of
    // `rect` (the bars and modules of a barcode).
    virtual void fillRect(const QRect &rect) = 0;
};

} // namespace Slipdesk
