#pragma once

#include "render/Canvas.h"
#include "templates/ItemTable.h"

#include <QPoint>
#include <QString>

namespace Slipdesk {

// The drawing primitives of every print and preview: template lengths (0.1 mm)
// to target pixels, item positions with the overall offset, and fitting a text
// to its item by shrinking, wrapping or clipping.
class Drawing
{
public:
    // `offsetX`/`offsetY`: the overall offset of the template, 0.1 mm.
    explicit Drawing(Canvas &canvas, int offsetX = 0, int offsetY = 0);

    Canvas &canvas() const { return m_canvas; }
    int offsetX() const { return m_offsetX; }
    int offsetY() const { return m_offsetY; }

    // Nearest integer, halves to the even neighbour.
    static qint64 nearest(double value);

    int pixelsX(int length) const;
    int pixelsY(int length) const;
    int lengthFromPixels(int pixels) const; // X axis

    // Device position of an item's top-left corner: offset applied, and the
    // printable-area offset subtracted while printing.
    QPoint position(int left, int top) const;

    // Sets size and the font (or "黑体" when it is not installed) on the canvas.
    void useFont(const QString &font, int size);
    bool fits(const QString &text, int size, const QString &font, int width);
    // Largest size from `size` down to 4 at which the text fits; 0 if none.
    int shrinkSize(const QString &text, int size, const QString &font, int width);

    void drawPlain(const QString &text, int size, const QString &font, int top, int left);
    void drawClipped(const QString &text, int size, const QString &font, int top, int left, int width);
    void drawWrapped(const QString &text, int size, const QString &font, int top, int left, int width);

    // Text drawing with fit, shrink and the item's wrap mode. "手工换行" draws
    // each line of the text (split at CR/LF) as a "不换行" item, one text
    // height below the previous line.
    void drawItem(const QString &text, const ItemParams &item);
    // One character after the other, `spacing` apart for digits; a spacing of
    // 0 or less draws the text as an "自动换行" item.
    void drawSpacedItem(const QString &text, const ItemParams &item);

    static constexpr int MinimumSize = 4; // points; the shrink search stops here
    static constexpr int WrappedLines = 10; // height of the wrapped box in text lines

private:
    void plainAt(const QPoint &at, const QString &text);
    void clippedAt(const QPoint &at, int width, const QString &text);
    void fitLine(const QString &text, const ItemParams &item, bool wrap, const QPoint &at);

    Canvas &m_canvas;
    int m_offsetX;
    int m_offsetY;
};

} // namespace Slipdesk
