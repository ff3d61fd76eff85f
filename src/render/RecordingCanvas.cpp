#include "RecordingCanvas.h"

#include "render/PainterCanvas.h"

#include <QFont>
#include <QFontMetrics>

namespace Slipdesk {

namespace {

QString jsonString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString modeName(RecordingCanvas::Op::Mode mode)
{
    switch (mode) {
    case RecordingCanvas::Op::Clipped:
        return QStringLiteral("clipped");
    case RecordingCanvas::Op::Wrapped:
        return QStringLiteral("wrapped");
    case RecordingCanvas::Op::Plain:
        break;
    }
    return QStringLiteral("plain");
}

QFont realFont(const QString &family, int size, int resolutionY)
{
    QFont font(family);
    font.setPixelSize(PainterCanvas::pixelSize(size, resolutionY));
    return font;
}

} // namespace

RecordingCanvas::RecordingCanvas(int resolution, Metrics metrics)
    : availableFonts {QStringLiteral("黑体"), QStringLiteral("宋体"), QStringLiteral("华文细黑"),
        QStringLiteral("新宋体")}
    , m_resolutionX(resolution)
    , m_resolutionY(resolution)
    , m_metrics(metrics)
{
}

bool RecordingCanvas::isWide(char32_t c)
{
    if (c == U'※')
        return true;
    if (c >= 0x2E80 && c < 0x3000) // CJK radicals, ideographic description
        return true;
    if (c >= 0xFF61 && c <= 0xFFDC) // halfwidth katakana and hangul
        return false;
    if (c >= 0xFFE8 && c <= 0xFFEE) // halfwidth symbols
        return false;
    return c >= 0x3000;
}

int RecordingCanvas::em(int pointSize, int resolutionY)
{
    return PainterCanvas::pixelSize(pointSize, resolutionY);
}

void RecordingCanvas::setFont(const QString &family, int pointSize)
{
    m_family = family;
    m_size = pointSize;
}

bool RecordingCanvas::fontAvailable(const QString &family) const
{
    return availableFonts.contains(family);
}

int RecordingCanvas::textWidth(const QString &text)
{
    ++m_widthCalls;
    if (m_metrics == Metrics::Font)
        return QFontMetrics(realFont(m_family, m_size, m_resolutionY)).horizontalAdvance(text);
    const int wide = em(m_size, m_resolutionY);
    const int narrow = (wide + 1) / 2;
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += isWide(c) ? wide : narrow;
    return width;
}

int RecordingCanvas::textHeight(const QString &)
{
    ++m_heightCalls;
    if (m_metrics == Metrics::Font)
        return QFontMetrics(realFont(m_family, m_size, m_resolutionY)).height();
    return em(m_size, m_resolutionY);
}

RecordingCanvas::Op RecordingCanvas::textOp(int x, int y, const QString &text, Op::Mode mode) const
{
    Op op;
    op.kind = Op::Text;
    op.x = x;
    op.y = y;
    op.text = text;
    op.font = m_family;
    op.size = m_size;
    op.color = m_color;
    op.mode = mode;
    return op;
}

void RecordingCanvas::drawText(int x, int y, const QString &text)
{
    ops.append(textOp(x, y, text, Op::Plain));
}

void RecordingCanvas::drawTextClipped(const QRect &box, int x, int y, const QString &text)
{
    Op op = textOp(x, y, text, Op::Clipped);
    op.box = box;
    ops.append(op);
}

void RecordingCanvas::drawTextWrapped(const QRect &box, const QString &text)
{
    Op op = textOp(box.x(), box.y(), text, Op::Wrapped);
    op.box = box;
    ops.append(op);
}

namespace {
RecordingCanvas::Op lineOp(RecordingCanvas::Op::Kind kind, int x1, int y1, int x2, int y2, const QColor &color)
{
    RecordingCanvas::Op op;
    op.kind = kind;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    return op;
}
} // namespace

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, int penWidth)
{
    Op op = lineOp(Op::Line, x1, y1, x2, y2, m_color);
    op.penWidth = penWidth;
    ops.append(op);
}

void RecordingCanvas::drawFrame(const QRect &rect, int penWidth)
{
    Op op;
    op.kind = Op::Frame;
    op.x = rect.x();
    op.y = rect.y();
    op.box = rect;
    op.color = m_color;
    op.penWidth = penWidth;
    ops.append(op);
}

void RecordingCanvas::drawDottedLine(int x1, int y1, int x2, int y2, const QColor &color)
{
    ops.append(lineOp(Op::DottedLine, x1, y1, x2, y2, color));
}

void RecordingCanvas::fillRect(const QRect &rect)
{
    if (rect.isEmpty())
        return;
    Op op;
    op.kind = Op::Rect;
    op.x = rect.x();
    op.y = rect.y();
    op.box = rect;
    op.color = m_color;
    ops.append(op);
}

QList<RecordingCanvas::Op> RecordingCanvas::rects() const
{
    QList<Op> result;
    for (const Op &op : ops) {
        if (op.kind == Op::Rect)
            result.append(op);
    }
    return result;
}

QList<RecordingCanvas::Op> RecordingCanvas::texts() const
{
    QList<Op> result;
    for (const Op &op : ops) {
        if (op.kind == Op::Text)
            result.append(op);
    }
    return result;
}

QString RecordingCanvas::toJsonLines() const
{
    QString out;
    const auto n = [](int v) { return QString::number(v); };
    for (const Op &op : ops) {
        switch (op.kind) {
        case Op::Text:
            out += u"{\"op\":\"text\",\"x\":" + n(op.x) + u",\"y\":" + n(op.y) + u",\"size\":" + n(op.size)
                + u",\"font\":" + jsonString(op.font) + u",\"text\":" + jsonString(op.text) + u",\"mode\":\""
                + modeName(op.mode) + u"\"}\n";
            break;
        case Op::Line:
        case Op::DottedLine:
            out += u"{\"op\":\"" + (op.kind == Op::Line ? QStringLiteral("line") : QStringLiteral("dotted"))
                + u"\",\"x1\":" + n(op.x) + u",\"y1\":" + n(op.y) + u",\"x2\":" + n(op.x2) + u",\"y2\":" + n(op.y2)
                + u"}\n";
            break;
        case Op::Frame:
        case Op::Rect:
            out += u"{\"op\":\"" + (op.kind == Op::Frame ? QStringLiteral("frame") : QStringLiteral("rect"))
                + u"\",\"x\":" + n(op.box.x()) + u",\"y\":" + n(op.box.y()) + u",\"w\":" + n(op.box.width())
                + u",\"h\":" + n(op.box.height()) + u"}\n";
            break;
        }
    }
    return out;
}

} // namespace Slipdesk
