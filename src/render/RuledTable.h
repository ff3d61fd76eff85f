#pragma once

#include "render/Length.h"

#include <QString>

namespace Slipdesk {

class Drawing;

// Drawing a ruled table: lines, the outer frame and one-line cell texts.
// Every position and length is a template length (the template's overall
// offset is added, and the printable-area offset subtracted while printing,
// by the Drawing); each corner is converted on its own, so a cell edge and
// the line drawn along it land on the same device pixel.
namespace RuledTable {

struct Point
{
    Length x;
    Length y;
};

struct Box
{
    Length left;
    Length top;
    Length width;
    Length height;

    constexpr Length right() const { return left + width; }
    constexpr Length bottom() const { return top + height; }
};

struct TextStyle
{
    QString font;
    int size = 10; // points
};

enum class Align {
    Centre, // centred in the cell, never shrunk
    Left, // starting CellPadding in, shrunk to fit
    Right, // ending CellPadding before the right edge, shrunk to fit
};

constexpr int FramePenWidth = 2; // device units
constexpr Length CellPadding = Length::tenthMm(5);

// From `from` to `to` with the canvas's ordinary pen.
void line(Drawing &drawing, Point from, Point to);

// The outline of `box`, FramePenWidth device units wide. The pen width
// belongs to this one call: the lines drawn afterwards are ordinary again.
void frame(Drawing &drawing, const Box &box);

// `text` on one line in `cell`, vertically centred in the cell's height.
// Nothing is drawn for an empty text. The left and right forms try the
// style's size and then one point less at a time down to 4 until the text
// fits between the padding and the far edge; at 4 it is drawn whether it
// fits or not. A text that does not fit runs over the cell's sides rather
// than losing characters: the whole code or name stays on the paper.
void cellText(Drawing &drawing, const Box &cell, const QString &text, const TextStyle &style, Align align);

} // namespace RuledTable
} // namespace Slipdesk
