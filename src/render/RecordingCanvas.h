#pragma once

#include "render/Canvas.h"

#include <QList>
#include <QSet>
#include <QStringList>

namespace Slipdesk {

// A canvas that draws nothing and records every operation, for tests and for
// the ".ops" dump of a page.
//
// Its text metrics are simple enough to work out by hand: with
// em = nearest(size × resolutionY ÷ 72), a wide character (Chinese, fullwidth
// forms, everything from U+3000 up, "※") is em pixels wide, any other
// character (em + 1) ÷ 2; a text is em pixels high. With Metrics::Font the
// extents come from the real font at that pixel size instead.
class RecordingCanvas : public Canvas
{
public:
    enum class Metrics { Simple, Font };

    struct Op
    {
        enum Kind { Text, Line, Frame, DottedLine, Rect };
        enum Mode { Plain, Clipped, Wrapped };

        Kind kind = Text;
        // Text: where it is drawn (the box corner when wrapped); lines: start.
        int x = 0;
        int y = 0;
        int x2 = 0; // lines: end
        int y2 = 0;
        QRect box; // clipped and wrapped text: the box; frames and filled rectangles: the rectangle
        QString text;
        QString font;
        int size = 0;
        QColor color;
        Mode mode = Plain;
        int penWidth = 1;
    };

    explicit RecordingCanvas(int resolution = 96, Metrics metrics = Metrics::Simple);

    QList<Op> ops;

    // Fonts reported as installed; by default the four template fonts.
    QSet<QString> availableFonts;

    void setResolution(int x, int y)
    {
        m_resolutionX = x;
        m_resolutionY = y;
    }
    void setPrintableOffset(const QPoint &offset) { m_printableOffset = offset; }
    void setPrinting(bool printing) { m_printing = printing; }

    // Number of textWidth / textHeight calls so far (measurements).
    int widthCalls() const { return m_widthCalls; }
    int heightCalls() const { return m_heightCalls; }
    void resetCounters() { m_widthCalls = m_heightCalls = 0; }
    void clear()
    {
        ops.clear();
        resetCounters();
    }

    QList<Op> texts() const;
    QList<Op> rects() const; // the filled rectangles

    // One JSON object per line and operation:
    // {"op":"text","x":…,"y":…,"size":…,"font":"…","text":"…","mode":"plain|clipped|wrapped"}
    // {"op":"line","x1":…,"y1":…,"x2":…,"y2":…}
    // {"op":"frame","x":…,"y":…,"w":…,"h":…}
    // {"op":"dotted","x1":…,"y1":…,"x2":…,"y2":…}
    // {"op":"rect","x":…,"y":…,"w":…,"h":…} (filled)
    QString toJsonLines() const;

    // Simple metrics.
    static bool isWide(char32_t codePoint);
    static int em(int pointSize, int resolutionY);

    int resolutionX() const override { return m_resolutionX; }
    int resolutionY() const override { return m_resolutionY; }
    QPoint printableOffset() const override { return m_printableOffset; }
    bool printing() const override { return m_printing; }

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

    void drawLine(int x1, int y1, int x2, int y2, int penWidth = 1) override;
    void drawFrame(const QRect &rect, int penWidth = 1) override;
    void drawDottedLine(int x1, int y1, int x2, int y2, const QColor &color) override;
    void fillRect(const QRect &rect) override;

private:
    Op textOp(int x, int y, const QString &text, Op::Mode mode) const;

    int m_resolutionX;
    int m_resolutionY;
    Metrics m_metrics;
    QPoint m_printableOffset;
    bool m_printing = false;
    QString m_family = QStringLiteral("黑体");
    int m_size = 10;
    QColor m_color = Qt::black;
    int m_widthCalls = 0;
    int m_heightCalls = 0;
};

} // namespace Slipdesk
