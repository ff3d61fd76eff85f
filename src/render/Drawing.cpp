#include "Drawing.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace Slipdesk {

namespace {

const QString &fallbackFont()
{
    static const QString font = QStringLiteral("黑体");
    return font;
}

// numerator ÷ denominator to the nearest integer, halves to the even
// neighbour, in exact integer arithmetic (denominator > 0).
qint64 roundDiv(qint64 numerator, qint64 denominator)
{
    const bool negative = numerator < 0;
    const qint64 magnitude = negative ? -numerator : numerator;
    qint64 quotient = magnitude / denominator;
    const qint64 twiceRemainder = (magnitude % denominator) * 2;
    if (twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1)))
        ++quotient;
    return negative ? -quotient : quotient;
}

int clampToInt(qint64 value)
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

// Length in 0.1 mm to pixels: the inch is 254 tenths of a millimetre. The
// intermediate ten-thousandths are rounded first, as the forms were laid out
// with that two-step rounding; doing it in integers keeps 127 at 100 dpi at
// exactly 50 instead of whatever a binary fraction makes of 49.99999….
int lengthToPixels(int length, int resolution)
{
    const qint64 tenThousandths = roundDiv(qint64(length) * resolution * 10000, 254);
    return clampToInt(roundDiv(tenThousandths, 10000));
}

// The text split at CR LF, CR or LF.
QStringList splitLines(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    return normalised.split(u'\n');
}

} // namespace

Drawing::Drawing(Canvas &canvas, int offsetX, int offsetY)
    : m_canvas(canvas)
    , m_offsetX(offsetX)
    , m_offsetY(offsetY)
{
}

qint64 Drawing::nearest(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result += 1.0;
    if (result >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (result <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    return qint64(result);
}

int Drawing::pixelsX(int length) const
{
    return lengthToPixels(length, m_canvas.resolutionX());
}

int Drawing::pixelsY(int length) const
{
    return lengthToPixels(length, m_canvas.resolutionY());
}

int Drawing::lengthFromPixels(int pixels) const
{
    const int resolution = m_canvas.resolutionX();
    if (resolution <= 0)
        return 0;
    const qint64 tenThousandthsOfInch = roundDiv(qint64(pixels) * 10000, resolution);
    return clampToInt(roundDiv(tenThousandthsOfInch * 254, 10000));
}

QPoint Drawing::position(int left, int top) const
{
    int x = pixelsX(left + m_offsetX);
    int y = pixelsY(top + m_offsetY);
    // A printer's origin is the corner of its printable area; template
    // positions are measured from the paper corner.
    if (m_canvas.printing()) {
        const QPoint printable = m_canvas.printableOffset();
        x -= printable.x();
        y -= printable.y();
    }
    return {x, y};
}

void Drawing::useFont(const QString &font, int size)
{
    m_canvas.setFont(m_canvas.fontAvailable(font) ? font : fallbackFont(), size);
}

bool Drawing::fits(const QString &text, int size, const QString &font, int width)
{
    useFont(font, size);
    return pixelsX(width) >= m_canvas.textWidth(text);
}

int Drawing::shrinkSize(const QString &text, int size, const QString &font, int width)
{
    for (int s = size; s >= MinimumSize; --s) {
        if (fits(text, s, font, width))
            return s;
    }
    return 0;
}

void Drawing::drawPlain(const QString &text, int size, const QString &font, int top, int left)
{
    if (text.isEmpty())
        return;
    useFont(font, size);
    plainAt(position(left, top), text);
}

void Drawing::drawClipped(const QString &text, int size, const QString &font, int top, int left, int width)
{
    if (text.isEmpty())
        return;
    useFont(font, size);
    clippedAt(position(left, top), width, text);
}

void Drawing::drawWrapped(const QString &text, int size, const QString &font, int top, int left, int width)
{
    if (text.isEmpty())
        return;
    useFont(font, size);
    const QPoint at = position(left, top);
    const QRect box(at.x(), at.y(), pixelsX(width), WrappedLines * m_canvas.textHeight(text));
    m_canvas.drawTextWrapped(box, text);
}

void Drawing::plainAt(const QPoint &at, const QString &text)
{
    m_canvas.drawText(at.x(), at.y(), text);
}

void Drawing::clippedAt(const QPoint &at, int width, const QString &text)
{
    const QRect box(at.x(), at.y(), pixelsX(width), m_canvas.textHeight(text));
    m_canvas.drawTextClipped(box, at.x(), at.y(), text);
}

void Drawing::fitLine(const QString &text, const ItemParams &item, bool wrap, const QPoint &at)
{
    if (fits(text, item.size, item.font, item.width)) {
        plainAt(at, text);
        return;
    }
    // The full size was just measured; the shrink search starts one point
    // below so that each size is measured once (at most size − 3 in all).
    int size = item.size;
    if (item.shrink) {
        const int shrunk = shrinkSize(text, item.size - 1, item.font, item.width);
        if (shrunk >= 1) {
            plainAt(at, text); // shrinkSize left the font at `shrunk`
            return;
        }
        size = MinimumSize;
    }
    useFont(item.font, size);
    if (wrap) {
        const QRect box(at.x(), at.y(), pixelsX(item.width), WrappedLines * m_canvas.textHeight(text));
        m_canvas.drawTextWrapped(box, text);
    } else {
        clippedAt(at, item.width, text);
    }
}

void Drawing::drawItem(const QString &text, const ItemParams &item)
{
    if (text.isEmpty())
        return;
    const QPoint at = position(item.left, item.top);
    switch (item.wrap) {
    case ItemParams::NoWrap:
        fitLine(text, item, false, at);
        return;
    case ItemParams::ManualWrap: {
        // "手工换行": the line breaks in the text are the user's; each line is
        // fitted on its own like a "不换行" item, one line height below the
        // previous one. A text without breaks prints as "不换行".
        useFont(item.font, item.size);
        const int pitch = m_canvas.textHeight(text);
        const QStringList lines = splitLines(text);
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines.at(i).isEmpty())
                fitLine(lines.at(i), item, false, at + QPoint(0, i * pitch));
        }
        return;
    }
    case ItemParams::AutoWrap:
    default:
        fitLine(text, item, true, at);
        return;
    }
}

void Drawing::drawSpacedItem(const QString &text, const ItemParams &item)
{
    if (text.isEmpty())
        return;
    if (item.spacing <= 0) {
        ItemParams asItem = item;
        asItem.wrap = ItemParams::AutoWrap;
        drawItem(text, asItem);
        return;
    }
    useFont(item.font, item.size);
    const QPoint at = position(item.left, item.top);
    const int pitch = pixelsX(item.spacing);
    const int eightWidth = m_canvas.textWidth(QStringLiteral("8"));
    // Whole characters (a surrogate pair is one), so a Chinese character in
    // a code field keeps its glyph.
    int x = at.x();
    int i = 0;
    while (i < text.size()) {
        const int length
            = (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString character = text.mid(i, length);
        m_canvas.drawText(x, at.y(), character);
        i += length;
        if (i < text.size())
            x += m_canvas.textWidth(character) + pitch - eightWidth;
    }
}

} // namespace Slipdesk
