#include "render/Drawing.h"
#include "render/FontMapping.h"
#include "render/PageOutput.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

ItemParams item(int left, int top, int width, int size, bool shrink, ItemParams::Wrap wrap)
{
    ItemParams p;
    p.print = true;
    p.left = left;
    p.top = top;
    p.width = width;
    p.size = size;
    p.shrink = shrink;
    p.wrap = wrap;
    return p;
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Dark pixels inside `box` and outside `box` grown by `margin`.
struct Ink
{
    int inside = 0;
    int outside = 0;
    QRect bounds;
};

Ink inkAround(const QImage &image, const QRect &box, int margin = 2)
{
    Ink ink;
    const QRect allowed = box.adjusted(-margin, -margin, margin, margin);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!dark(line[x]))
                continue;
            ink.bounds |= QRect(x, y, 1, 1);
            if (box.contains(x, y))
                ++ink.inside;
            else if (!allowed.contains(x, y))
                ++ink.outside;
        }
    }
    return ink;
}

QImage page(int dpi, QSize size = {1800, 1200})
{
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = int(Drawing::nearest(dpi * 10000.0 / 254.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

const QString longText = QStringLiteral("广东省深圳市南山区科技园南区高新南七道数字技术园");

class PainterCanvasTest : public ::testing::Test
{
protected:
    void SetUp() override { FontMapping::install(); }
};

} // namespace

TEST_F(PainterCanvasTest, TemplateFontsAreAvailable)
{
    QImage image = page(96, {10, 10});
    QPainter painter(&image);
    PainterCanvas canvas(painter, 96, 96);
    for (const char16_t *font : {u"黑体", u"宋体", u"华文细黑", u"新宋体", u"WenQuanYi Micro Hei"})
        EXPECT_TRUE(canvas.fontAvailable(QString::fromUtf16(font))) << QString::fromUtf16(font).toStdString();
    EXPECT_FALSE(canvas.fontAvailable(QStringLiteral("No Such Font Slipdesk")));
    EXPECT_FALSE(canvas.fontAvailable(QString()));
}

TEST_F(PainterCanvasTest, PointSizesScaleWithTheResolutionOnEveryDevice)
{
    // The same resolution measures the same on an image and a PDF, whatever
    // dpi the device itself reports.
    QImage image = page(72, {10, 10});
    QPainter imagePainter(&image);
    PainterCanvas onImage(imagePainter, 300, 300);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    QPainter pdfPainter(&pdf);
    PainterCanvas onPdf(pdfPainter, 300, 300);

    for (PainterCanvas *canvas : {&onImage, &onPdf}) {
        canvas->setFont(QStringLiteral("黑体"), 10);
    }
    const int em = PainterCanvas::pixelSize(10, 300); // 42
    EXPECT_EQ(em, 42);
    for (const QString &text : {QStringLiteral("国"), QStringLiteral("收件人张三"), QStringLiteral("100080")})
        EXPECT_EQ(onImage.textWidth(text), onPdf.textWidth(text)) << text.toStdString();
    EXPECT_EQ(onImage.textHeight(QStringLiteral("国")), onPdf.textHeight(QStringLiteral("国")));
    // A Chinese character is one em wide; the line is at least an em high.
    EXPECT_NEAR(onImage.textWidth(QStringLiteral("国")), em, 2);
    EXPECT_GE(onImage.textHeight(QStringLiteral("国")), em);
    EXPECT_LE(onImage.textHeight(QStringLiteral("国")), 2 * em);

    onImage.setFont(QStringLiteral("黑体"), 20);
    EXPECT_NEAR(onImage.textWidth(QStringLiteral("国")), 2 * em, 3);
    pdfPainter.end();
}

TEST_F(PainterCanvasTest, ItemsLandInsideTheirBoxes)
{
    const int dpi = 300;
    const struct Case
    {
        const char *name;
        QString text;
        ItemParams item;
        int lines; // expected box height in text lines
    } cases[] = {
        {"fits", QStringLiteral("收件人张三"), item(200, 200, 800, 12, true, ItemParams::AutoWrap), 1},
        {"shrinks", longText, item(200, 200, 800, 12, true, ItemParams::AutoWrap), 1},
        {"clipped", longText, item(200, 200, 400, 12, false, ItemParams::NoWrap), 1},
        {"wrapped", longText, item(200, 200, 400, 12, false, ItemParams::AutoWrap), 10},
    };
    for (const Case &c : cases) {
        QImage image = page(dpi);
        QPainter painter(&image);
        PainterCanvas canvas(painter, dpi, dpi);
        Drawing drawing(canvas);
        drawing.drawItem(c.text, c.item);
        canvas.setFont(QStringLiteral("黑体"), c.item.size);
        const int lineHeight = canvas.textHeight(c.text);
        painter.end();

        const QPoint at = drawing.position(c.item.left, c.item.top);
        const QRect box(at, QSize(drawing.pixelsX(c.item.width), c.lines * lineHeight));
        const Ink ink = inkAround(image, box);
        EXPECT_GT(ink.inside, 100) << c.name;
        EXPECT_EQ(ink.outside, 0) << c.name;
        // Text hangs from its top-left corner.
        EXPECT_GE(ink.bounds.top(), at.y()) << c.name;
        EXPECT_GE(ink.bounds.left(), at.x() - 1) << c.name;
        if (c.lines == 10) {
            EXPECT_GT(ink.bounds.bottom(), at.y() + lineHeight) << c.name << ": more than one line";
        }
        if (QByteArray(c.name) == "clipped") {
            EXPECT_GE(ink.bounds.right(), box.right() - lineHeight) << c.name << ": cut at the edge, not before";
        }
    }
}

TEST_F(PainterCanvasTest, PlainTextBaselineSitsOneAscentBelowTheTop)
{
    QImage image = page(300);
    QPainter painter(&image);
    PainterCanvas canvas(painter, 300, 300);
    canvas.setFont(QStringLiteral("黑体"), 20);
    canvas.drawText(100, 100, QStringLiteral("国国"));
    const int height = canvas.textHeight(QStringLiteral("国"));
    const int width = canvas.textWidth(QStringLiteral("国国"));
    painter.end();
    const Ink ink = inkAround(image, QRect(100, 100, width, height));
    EXPECT_GT(ink.inside, 200);
    EXPECT_EQ(ink.outside, 0);
    EXPECT_LT(ink.bounds.top(), 100 + height / 3) << "glyphs start near the top, not below it";
}

TEST_F(PainterCanvasTest, LinesFramesAndDottedLines)
{
    QImage image = page(96, {200, 200});
    QPainter painter(&image);
    PainterCanvas canvas(painter, 96, 96);
    canvas.drawFrame(QRect(20, 20, 100, 60), 2);
    canvas.drawLine(20, 150, 180, 150, 1);
    canvas.drawDottedLine(10, 190, 190, 190, Qt::black);
    painter.end();

    EXPECT_TRUE(dark(image.pixel(20, 50))); // left edge
    EXPECT_TRUE(dark(image.pixel(70, 20))); // top edge
    EXPECT_TRUE(dark(image.pixel(120, 50))); // right edge
    EXPECT_TRUE(dark(image.pixel(70, 80))); // bottom edge
    EXPECT_FALSE(dark(image.pixel(70, 50))); // a frame is not filled
    EXPECT_TRUE(dark(image.pixel(100, 150)));
    int dots = 0;
    for (int x = 10; x <= 190; ++x)
        dots += dark(image.pixel(x, 190));
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 170) << "dotted, not solid";
}

TEST_F(PainterCanvasTest, PreviewColourAppliesToText)
{
    QImage image = page(96, {200, 60});
    QPainter painter(&image);
    PainterCanvas canvas(painter, 96, 96);
    canvas.setTextColor(QColor(0, 0, 255));
    canvas.setFont(QStringLiteral("黑体"), 20);
    canvas.drawText(5, 5, QStringLiteral("国国国"));
    painter.end();
    int blue = 0, other = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white)
                continue;
            // Blue blended with white by antialiasing keeps full blue.
            (c.blue() >= 250 ? blue : other)++;
        }
    }
    EXPECT_GT(blue, 50);
    EXPECT_EQ(other, 0);
}

TEST_F(PainterCanvasTest, PdfPageOutput)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("waybill.pdf"));
    ASSERT_EQ(PageOutput::formatForPath(path), PageOutput::Format::Pdf);
    PageOutput output(path, PageOutput::Format::Pdf, QSize(2300, 1270), 300);
    ASSERT_TRUE(output.begin());
    Drawing drawing(output.canvas());
    drawing.drawItem(QStringLiteral("收件人张三"), item(600, 750, 300, 10, true, ItemParams::AutoWrap));
    drawing.drawItem(longText, item(300, 350, 500, 10, false, ItemParams::AutoWrap));
    output.canvas().drawFrame(QRect(100, 100, 500, 300), 2);
    ASSERT_TRUE(output.newPage());
    drawing.drawItem(QStringLiteral("第二页"), item(600, 750, 300, 10, true, ItemParams::AutoWrap));
    ASSERT_TRUE(output.finish());
    EXPECT_EQ(output.pageCount(), 2);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2) << "two pages";
}

TEST_F(PainterCanvasTest, PngPageOutput)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("note.png"));
    ASSERT_EQ(PageOutput::formatForPath(path), PageOutput::Format::Png);
    // 20 × 10 cm at 100 dpi: 787 × 394 pixels.
    PageOutput output(path, PageOutput::Format::Png, QSize(2000, 1000), 100);
    ASSERT_TRUE(output.begin());
    Drawing drawing(output.canvas());
    drawing.drawItem(QStringLiteral("出库发货单"), item(100, 100, 800, 15, true, ItemParams::AutoWrap));
    ASSERT_TRUE(output.newPage());
    drawing.drawItem(QStringLiteral("第二页"), item(1000, 500, 800, 15, true, ItemParams::AutoWrap));
    ASSERT_TRUE(output.finish());

    EXPECT_EQ(output.pagePath(2), dir.file(QStringLiteral("note-2.png")));
    QImage first(output.pagePath(1)), second(output.pagePath(2));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(first.size(), QSize(787, 394));
    const Ink onFirst = inkAround(first, QRect(39, 39, 315, 60));
    EXPECT_GT(onFirst.inside, 50);
    EXPECT_EQ(onFirst.outside, 0);
    const Ink onSecond = inkAround(second, QRect(394, 197, 315, 60));
    EXPECT_GT(onSecond.inside, 50);
    EXPECT_EQ(onSecond.outside, 0) << "the second page starts blank";
}

TEST_F(PainterCanvasTest, UnwritablePngReportsFailure)
{
    PageOutput output(QStringLiteral("/nonexistent-slipdesk-dir/x.png"), PageOutput::Format::Png, QSize(100, 100), 96);
    ASSERT_TRUE(output.begin());
    EXPECT_FALSE(output.finish());
    EXPECT_FALSE(output.errorString().isEmpty());
}

TEST(RecordingCanvasTest, SimpleMetrics)
{
    RecordingCanvas canvas(96);
    canvas.setFont(QStringLiteral("黑体"), 10); // em 13, narrow 7
    const struct
    {
        QString text;
        int width;
    } cases[] = {
        {QStringLiteral("A"), 7},
        {QStringLiteral("国"), 13},
        {QStringLiteral("￥12"), 27},
        {QStringLiteral("※"), 13},
        {QStringLiteral("，"), 13}, // fullwidth comma
        {QStringLiteral("　"), 13}, // ideographic space
        {QStringLiteral("ｱ"), 7}, // halfwidth katakana
        {QString::fromUcs4(U"\U00020000"), 13},
        {QString(), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(canvas.textWidth(c.text), c.width) << c.text.toStdString();
    EXPECT_EQ(canvas.textHeight(QStringLiteral("A")), 13);
    canvas.setResolution(600, 600);
    EXPECT_EQ(canvas.textHeight(QStringLiteral("A")), 83); // 83.33
    EXPECT_EQ(canvas.textWidth(QStringLiteral("A")), 42);
}

TEST(RecordingCanvasTest, FontMetricsMode)
{
    FontMapping::install();
    RecordingCanvas canvas(300, RecordingCanvas::Metrics::Font);
    canvas.setFont(QStringLiteral("黑体"), 10);
    EXPECT_NEAR(canvas.textWidth(QStringLiteral("国国")), 84, 4);
    EXPECT_GE(canvas.textHeight(QStringLiteral("国")), 42);
}

TEST(RecordingCanvasTest, JsonLines)
{
    RecordingCanvas canvas(96);
    canvas.setFont(QStringLiteral("黑体"), 10);
    canvas.drawText(1, 2, QStringLiteral("A\"B\\C"));
    canvas.drawTextClipped(QRect(3, 4, 50, 13), 3, 4, QStringLiteral("张三"));
    canvas.setFont(QStringLiteral("宋体"), 4);
    canvas.drawTextWrapped(QRect(5, 6, 20, 50), QStringLiteral("x\ny"));
    canvas.drawLine(0, 1, 100, 1, 1);
    canvas.drawFrame(QRect(10, 20, 300, 40), 2);
    canvas.drawDottedLine(38, 0, 38, 300, Qt::blue);
    EXPECT_EQ(canvas.toJsonLines(),
        QStringLiteral(
            "{\"op\":\"text\",\"x\":1,\"y\":2,\"size\":10,\"font\":\"黑体\",\"text\":\"A\\\"B\\\\C\",\"mode\":"
            "\"plain\"}\n"
            "{\"op\":\"text\",\"x\":3,\"y\":4,\"size\":10,\"font\":\"黑体\",\"text\":\"张三\",\"mode\":\"clipped\"}\n"
            "{\"op\":\"text\",\"x\":5,\"y\":6,\"size\":4,\"font\":\"宋体\",\"text\":\"x\\ny\",\"mode\":\"wrapped\"}\n"
            "{\"op\":\"line\",\"x1\":0,\"y1\":1,\"x2\":100,\"y2\":1}\n"
            "{\"op\":\"frame\",\"x\":10,\"y\":20,\"w\":300,\"h\":40}\n"
            "{\"op\":\"dotted\",\"x1\":38,\"y1\":0,\"x2\":38,\"y2\":300}\n"));
}
