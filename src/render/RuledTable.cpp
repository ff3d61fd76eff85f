#include "RuledTable.h"

#include "render/Drawing.h"

#include <QRect>

namespace Slipdesk::RuledTable {

namespace {

// Half of `pixels`, rounded towards minus infinity, so that a text wider
// than its cell overhangs both sides by the same rule as a narrower one is
// inset.
int halfDown(int pixels)
{
    return pixels >= 0 ? pixels / 2 : -((1 - pixels) / 2);
}

QPoint at(const Drawing &drawing, Length x, Length y)
{
    return drawing.position(x.tenths, y.tenths);
}

} // namespace

void line(Drawing &drawing, Point from, Point to)
{
    const QPoint a = at(drawing, from.x, from.y);
    const QPoint b = at(drawing, to.x, to.y);
    drawing.canvas().drawLine(a.x(), a.y(), b.x(), b.y());
}

void frame(Drawing &drawing, const Box &box)
{
    const QPoint topLeft = at(drawing, box.left, box.top);
    const QPoint bottomRight = at(drawing, box.right(), box.bottom());
    drawing.canvas().drawFrame(
        QRect(topLeft.x(), topLeft.y(), bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()), FramePenWidth);
}

void cellText(Drawing &drawing, const Box &cell, const QString &text, const TextStyle &style, Align align)
{
    if (text.isEmpty())
        return;
    Canvas &canvas = drawing.canvas();
    const QPoint cellTopLeft = at(drawing, cell.left, cell.top);
    const QPoint cellBottomRight = at(drawing, cell.right(), cell.bottom());

    // The room the text may take: the whole cell when centred, the cell less
    // its padding on the side the text starts from otherwise.
    int from = cellTopLeft.x();
    int to = cellBottomRight.x();
    if (align == Align::Left)
        from = at(drawing, cell.left + CellPadding, cell.top).x();
    else if (align == Align::Right)
        to = at(drawing, cell.right() - CellPadding, cell.top).x();
    const int room = to - from;

    drawing.useFont(style.font, style.size);
    int width = canvas.textWidth(text);
    if (align != Align::Centre) {
        for (int size = style.size; width > room && size > Drawing::MinimumSize;) {
            drawing.useFont(style.font, --size);
            width = canvas.textWidth(text);
        }
    }

    const int height = canvas.textHeight(text);
    const int y = cellTopLeft.y() + halfDown(cellBottomRight.y() - cellTopLeft.y() - height);
    int x = from;
    if (align == Align::Centre)
        x = from + halfDown(room - width);
    else if (align == Align::Right)
        x = to - width;

    canvas.drawText(x, y, text);
}

} // namespace Slipdesk::RuledTable
