#include "render/Drawing.h"
#include "render/CentimetreGrid.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Slipdesk;
using Op = RecordingCanvas::Op;

namespace {

ItemParams item(int left, int top, int width, int size = 10, bool shrink = true,
    ItemParams::Wrap wrap = ItemParams::AutoWrap, int spacing = 0)
{
    ItemParams p;
    p.print = true;
    p.left = left;
    p.top = top;
    p.width = width;
    p.spacing = spacing;
    p.size = size;
    p.shrink = shrink;
    p.wrap = wrap;
    return p;
}

// Ten narrow characters: at 96 dpi 70 px at 10 points, 60 at 9 and 8, 50 at 7,
// 40 at 6 and 5, 30 at 4.
const QString tenNarrow = QStringLiteral("ABCDEFGHIJ");

} // namespace

TEST(DrawingTest, NearestRoundsHalvesToEven)
{
    const struct
    {
        double value;
        qint64 expected;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {37.7953, 38},
        {11.34, 11},
        {0.0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Drawing::nearest(c.value), c.expected) << c.value;
}

TEST(DrawingTest, LengthToPixels)
{
    const struct
    {
        int length;
        int dpi;
        int expected;
    } cases[] = {
        {1000, 600, 2362}, // 10 cm on a 600 dpi printer
        {1000, 96, 378}, // the same on the screen
        {127, 100, 50}, // exactly 500000 ten-thousandths, no float drift
        {381, 100, 150},
        {127, 5, 2}, // 2.5: halves go to the even neighbour
        {127, 3, 2}, // 1.5
        {381, 1, 2}, // 1.5
        {-127, 5, -2},
        {-381, 1, -2},
        {254, 600, 600},
        {0, 600, 0},
        {30, 96, 11},
        {-50, 96, -19},
    };
    RecordingCanvas canvas;
    Drawing drawing(canvas);
    for (const auto &c : cases) {
        canvas.setResolution(c.dpi, c.dpi);
        EXPECT_EQ(drawing.pixelsX(c.length), c.expected) << c.length << " at " << c.dpi;
        EXPECT_EQ(drawing.pixelsY(c.length), c.expected) << c.length << " at " << c.dpi;
    }
}

TEST(DrawingTest, EachAxisUsesItsResolutionReadAnew)
{
    RecordingCanvas canvas;
    Drawing drawing(canvas);
    canvas.setResolution(600, 300);
    EXPECT_EQ(drawing.pixelsX(1000), 2362);
    EXPECT_EQ(drawing.pixelsY(1000), 1181);
    canvas.setResolution(96, 96);
    EXPECT_EQ(drawing.pixelsX(1000), 378);
    EXPECT_EQ(drawing.pixelsY(1000), 378);
}

TEST(DrawingTest, PixelsToLengthAndRoundTrip)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    EXPECT_EQ(drawing.lengthFromPixels(378), 1000);
    EXPECT_EQ(drawing.lengthFromPixels(0), 0);

    for (const int dpi : {96, 254, 300, 600}) {
        canvas.setResolution(dpi, dpi);
        // A length comes back within half a pixel plus the final rounding.
        const int tolerance = 254 / (2 * dpi) + 1;
        for (int length = -300; length <= 3000; ++length) {
            const int back = drawing.lengthFromPixels(drawing.pixelsX(length));
            ASSERT_LE(std::abs(back - length), tolerance) << length << " at " << dpi;
        }
        // Where a pixel is coarser than 0.1 mm, every pixel survives the trip.
        if (dpi <= 254) {
            for (int pixels = -100; pixels <= 2000; ++pixels)
                ASSERT_EQ(drawing.pixelsX(drawing.lengthFromPixels(pixels)), pixels) << pixels << " at " << dpi;
        }
    }
}

TEST(DrawingTest, PixelsToLengthWithoutResolutionIsZero)
{
    RecordingCanvas canvas(0);
    Drawing drawing(canvas);
    EXPECT_EQ(drawing.lengthFromPixels(100), 0);
    EXPECT_EQ(drawing.pixelsX(100), 0);
}

TEST(DrawingTest, PositionAppliesOffsetAndPrintableAreaOnlyWhilePrinting)
{
    // 254 dpi: one pixel per 0.1 mm, so positions read as template lengths.
    RecordingCanvas canvas(254);
    canvas.setPrintableOffset({30, 40});
    Drawing drawing(canvas, 100, -50);

    EXPECT_EQ(drawing.position(1000, 500), QPoint(1100, 450));
    canvas.setPrinting(true);
    EXPECT_EQ(drawing.position(1000, 500), QPoint(1070, 410));
    // The paper corner lies outside the printable area.
    Drawing noOffset(canvas);
    EXPECT_EQ(noOffset.position(0, 0), QPoint(-30, -40));

    noOffset.drawPlain(QStringLiteral("A"), 10, QStringLiteral("黑体"), 0, 0);
    ASSERT_EQ(canvas.ops.size(), 1);
    EXPECT_EQ(canvas.ops[0].x, -30);
    EXPECT_EQ(canvas.ops[0].y, -40);
}

TEST(DrawingTest, SixHundredDpiPrinterPosition)
{
    RecordingCanvas canvas(600);
    canvas.setPrintableOffset({100, 80});
    Drawing drawing(canvas);
    EXPECT_EQ(drawing.position(1000, 1000), QPoint(2362, 2362));
    canvas.setPrinting(true);
    EXPECT_EQ(drawing.position(1000, 1000), QPoint(2262, 2282));
}

TEST(DrawingTest, DrawItemFitsShrinksWrapsOrClips)
{
    // Item at left 300, top 200 at 96 dpi: (113, 76). Width 140 → 53 px,
    // 50 → 19 px, 200 → 76 px.
    const struct Case
    {
        const char *name;
        ItemParams::Wrap wrap;
        bool shrink;
        int width;
        Op::Mode mode;
        int size;
        int boxWidth;
        int boxHeight;
        int measurements;
    } cases[] = {
        {"fits at 10", ItemParams::AutoWrap, true, 200, Op::Plain, 10, 0, 0, 1},
        {"fits at 10, no wrap", ItemParams::NoWrap, true, 200, Op::Plain, 10, 0, 0, 1},
        {"shrinks to 7", ItemParams::AutoWrap, true, 140, Op::Plain, 7, 0, 0, 4},
        {"shrinks to 7, no wrap", ItemParams::NoWrap, true, 140, Op::Plain, 7, 0, 0, 4},
        {"wrapped at 4", ItemParams::AutoWrap, true, 50, Op::Wrapped, 4, 19, 50, 7},
        {"clipped at 4", ItemParams::NoWrap, true, 50, Op::Clipped, 4, 19, 5, 7},
        {"shrink off: wrapped", ItemParams::AutoWrap, false, 140, Op::Wrapped, 10, 53, 130, 1},
        {"shrink off: clipped", ItemParams::NoWrap, false, 140, Op::Clipped, 10, 53, 13, 1},
    };
    for (const Case &c : cases) {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawing.drawItem(tenNarrow, item(300, 200, c.width, 10, c.shrink, c.wrap));
        ASSERT_EQ(canvas.ops.size(), 1) << c.name;
        const Op &op = canvas.ops[0];
        EXPECT_EQ(op.mode, c.mode) << c.name;
        EXPECT_EQ(op.size, c.size) << c.name;
        EXPECT_EQ(op.text, tenNarrow) << c.name;
        EXPECT_EQ(QPoint(op.x, op.y), QPoint(113, 76)) << c.name;
        if (c.mode != Op::Plain) {
            EXPECT_EQ(op.box, QRect(113, 76, c.boxWidth, c.boxHeight)) << c.name;
        }
        EXPECT_EQ(canvas.widthCalls(), c.measurements) << c.name;
        EXPECT_LE(canvas.widthCalls(), 10 - 3) << c.name;
    }
}

TEST(DrawingTest, ShrinkSizeMeasuresOncePerSize)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    EXPECT_EQ(drawing.shrinkSize(tenNarrow, 10, QStringLiteral("黑体"), 140), 7);
    EXPECT_EQ(canvas.widthCalls(), 4);
    canvas.resetCounters();
    EXPECT_EQ(drawing.shrinkSize(tenNarrow, 10, QStringLiteral("黑体"), 50), 0);
    EXPECT_EQ(canvas.widthCalls(), 7);
    canvas.resetCounters();
    EXPECT_EQ(drawing.shrinkSize(tenNarrow, 3, QStringLiteral("黑体"), 1000), 0);
    EXPECT_EQ(canvas.widthCalls(), 0);
}

TEST(DrawingTest, SmallItemThatDoesNotFitIsWrappedAtFour)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawing.drawItem(tenNarrow, item(0, 0, 50, 4));
    ASSERT_EQ(canvas.ops.size(), 1);
    EXPECT_EQ(canvas.ops[0].mode, Op::Wrapped);
    EXPECT_EQ(canvas.ops[0].size, 4);
    EXPECT_EQ(canvas.widthCalls(), 1);
}

TEST(DrawingTest, ChineseTextShrinks)
{
    // Five wide characters: 65 px at 10 points, 60 at 9 (em 12), so a
    // 60 px box (159 → 60.1 → 60) takes size 9.
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawing.drawItem(QStringLiteral("北京市海淀"), item(0, 0, 159));
    ASSERT_EQ(canvas.ops.size(), 1);
    EXPECT_EQ(canvas.ops[0].size, 9);
    EXPECT_EQ(canvas.ops[0].mode, Op::Plain);
}

TEST(DrawingTest, BoxGeometryOfThePrimitives)
{
    RecordingCanvas canvas(254);
    Drawing drawing(canvas, 10, 20);
    drawing.drawClipped(QStringLiteral("收件人"), 12, QStringLiteral("宋体"), 100, 200, 300);
    drawing.drawWrapped(QStringLiteral("收件人"), 12, QStringLiteral("宋体"), 100, 200, 300);
    drawing.drawPlain(QStringLiteral("收件人"), 12, QStringLiteral("宋体"), 100, 200);
    const int em = RecordingCanvas::em(12, 254); // 42
    ASSERT_EQ(canvas.ops.size(), 3);
    EXPECT_EQ(canvas.ops[0].mode, Op::Clipped);
    EXPECT_EQ(canvas.ops[0].box, QRect(210, 120, 300, em));
    EXPECT_EQ(QPoint(canvas.ops[0].x, canvas.ops[0].y), QPoint(210, 120));
    EXPECT_EQ(canvas.ops[1].mode, Op::Wrapped);
    EXPECT_EQ(canvas.ops[1].box, QRect(210, 120, 300, 10 * em));
    EXPECT_EQ(canvas.ops[2].mode, Op::Plain);
    EXPECT_EQ(QPoint(canvas.ops[2].x, canvas.ops[2].y), QPoint(210, 120));
    for (const Op &op : canvas.ops) {
        EXPECT_EQ(op.font, u"宋体");
        EXPECT_EQ(op.size, 12);
    }
}

TEST(DrawingTest, EmptyTextDrawsNothing)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    for (const auto wrap : {ItemParams::AutoWrap, ItemParams::ManualWrap, ItemParams::NoWrap}) {
        drawing.drawItem(QString(), item(100, 100, 0, 10, true, wrap));
        drawing.drawSpacedItem(QString(), item(100, 100, 0, 10, true, wrap, 30));
        drawing.drawSpacedItem(QString(), item(100, 100, 0, 10, true, wrap, 0));
    }
    drawing.drawPlain(QString(), 10, QStringLiteral("黑体"), 0, 0);
    drawing.drawClipped(QString(), 10, QStringLiteral("黑体"), 0, 0, 100);
    drawing.drawWrapped(QString(), 10, QStringLiteral("黑体"), 0, 0, 100);
    EXPECT_TRUE(canvas.ops.isEmpty());
}

TEST(DrawingTest, MissingFontFallsBackToHeiti)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    const struct
    {
        QString font;
        QString expected;
    } cases[] = {
        {QStringLiteral("方正舒体"), QStringLiteral("黑体")},
        {QString(), QStringLiteral("黑体")},
        {QStringLiteral("宋体"), QStringLiteral("宋体")},
        {QStringLiteral("华文细黑"), QStringLiteral("华文细黑")},
    };
    for (const auto &c : cases) {
        canvas.clear();
        ItemParams p = item(0, 0, 2000);
        p.font = c.font;
        drawing.drawItem(QStringLiteral("张三"), p);
        ASSERT_EQ(canvas.ops.size(), 1);
        EXPECT_EQ(canvas.ops[0].font, c.expected) << c.font.toStdString();
    }
}

TEST(DrawingTest, SpacedPostCodeDigitsArePitchApart)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    // Width 0 and a size that would never fit: spaced items do not shrink.
    drawing.drawSpacedItem(QStringLiteral("100080"), item(150, 120, 0, 10, true, ItemParams::AutoWrap, 30));
    ASSERT_EQ(canvas.ops.size(), 6);
    for (int i = 0; i < 6; ++i) {
        const Op &op = canvas.ops[i];
        EXPECT_EQ(op.text, QString(QStringLiteral("100080").at(i)));
        EXPECT_EQ(op.x, 57 + 11 * i);
        EXPECT_EQ(op.y, 45);
        EXPECT_EQ(op.size, 10);
        EXPECT_EQ(op.mode, Op::Plain);
    }
}

TEST(DrawingTest, SpacedItemKeepsWholeCharacters)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    // Wide characters advance by their own width: 13 + 11 − 7.
    const QString text = QStringLiteral("邮") + QString::fromUcs4(U"\U00020000") + QStringLiteral("1");
    drawing.drawSpacedItem(text, item(0, 0, 0, 10, true, ItemParams::AutoWrap, 30));
    ASSERT_EQ(canvas.ops.size(), 3);
    EXPECT_EQ(canvas.ops[0].text, u"邮");
    EXPECT_EQ(canvas.ops[1].text, QString::fromUcs4(U"\U00020000"));
    EXPECT_EQ(canvas.ops[2].text, u"1");
    EXPECT_EQ(canvas.ops[1].x, 17);
    EXPECT_EQ(canvas.ops[2].x, 34);
}

TEST(DrawingTest, SpacedItemWithoutSpacingIsAnAutoWrapItem)
{
    for (const int spacing : {0, -5}) {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawing.drawSpacedItem(tenNarrow, item(300, 200, 140, 10, true, ItemParams::NoWrap, spacing));
        ASSERT_EQ(canvas.ops.size(), 1);
        EXPECT_EQ(canvas.ops[0].text, tenNarrow);
        EXPECT_EQ(canvas.ops[0].size, 7);

        canvas.clear();
        drawing.drawSpacedItem(tenNarrow, item(300, 200, 50, 10, true, ItemParams::NoWrap, spacing));
        ASSERT_EQ(canvas.ops.size(), 1);
        EXPECT_EQ(canvas.ops[0].mode, Op::Wrapped);
    }
}

TEST(DrawingTest, ManualWrapDrawsEachLineAsNoWrapItem)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    // Width 140 → 53 px: "ABC" fits at 10, the ten letters shrink to 7, the
    // twenty are clipped at 4; each line one text height (13) below the last.
    const QString text = QStringLiteral("ABC\r\n") + tenNarrow + u'\n' + u'\n' + tenNarrow + tenNarrow + u'\r';
    drawing.drawItem(text, item(300, 200, 140, 10, true, ItemParams::ManualWrap));
    ASSERT_EQ(canvas.ops.size(), 3);
    EXPECT_EQ(canvas.ops[0].text, u"ABC");
    EXPECT_EQ(canvas.ops[0].size, 10);
    EXPECT_EQ(QPoint(canvas.ops[0].x, canvas.ops[0].y), QPoint(113, 76));
    EXPECT_EQ(canvas.ops[1].text, tenNarrow);
    EXPECT_EQ(canvas.ops[1].size, 7);
    EXPECT_EQ(canvas.ops[1].y, 76 + 13);
    EXPECT_EQ(canvas.ops[2].mode, Op::Clipped);
    EXPECT_EQ(canvas.ops[2].size, 4);
    EXPECT_EQ(canvas.ops[2].y, 76 + 3 * 13);
    EXPECT_EQ(canvas.ops[2].box, QRect(113, 76 + 3 * 13, 53, 5));
}

TEST(DrawingTest, ManualWrapWithoutBreaksPrintsLikeNoWrap)
{
    for (const int width : {2000, 140, 50}) {
        RecordingCanvas manual(96), noWrap(96);
        Drawing(manual).drawItem(tenNarrow, item(300, 200, width, 10, true, ItemParams::ManualWrap));
        Drawing(noWrap).drawItem(tenNarrow, item(300, 200, width, 10, true, ItemParams::NoWrap));
        EXPECT_EQ(manual.toJsonLines(), noWrap.toJsonLines()) << width;
        EXPECT_FALSE(manual.ops.isEmpty());
    }
}

TEST(DrawingTest, DrawingKeepsTheCallersColour)
{
    RecordingCanvas canvas(96);
    canvas.setTextColor(QColor(0, 0, 255));
    Drawing drawing(canvas);
    drawing.drawItem(tenNarrow, item(0, 0, 50));
    drawing.drawSpacedItem(QStringLiteral("12"), item(0, 0, 0, 10, true, ItemParams::AutoWrap, 30));
    ASSERT_EQ(canvas.ops.size(), 3);
    for (const Op &op : canvas.ops)
        EXPECT_EQ(op.color, QColor(0, 0, 255));
}

TEST(CentimetreGridTest, Step)
{
    const struct
    {
        int dpi;
        int step;
    } cases[] = {{96, 38}, {72, 28}, {120, 47}, {144, 57}, {300, 118}, {0, 0}, {-96, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(CentimetreGrid::step(c.dpi), c.step) << c.dpi;
}

TEST(CentimetreGridTest, LinesRunToTheFirstCentimetreBeyondTheEdge)
{
    const struct
    {
        QSize area;
        bool picture;
        int vertical;
        int horizontal;
        int lastX;
        int lastY;
    } cases[] = {
        {{400, 300}, false, 11, 8, 418, 304},
        {{380, 304}, false, 11, 9, 418, 342}, // edges exactly on a mark
        {{400, 300}, true, 11, 8, 418, 304},
        {{0, 0}, false, 1, 1, 38, 38},
    };
    for (const auto &c : cases) {
        RecordingCanvas canvas(96);
        canvas.setFont(QStringLiteral("宋体"), 12);
        canvas.setTextColor(Qt::black);
        CentimetreGrid::draw(canvas, c.area, 96, c.picture);

        QList<Op> texts = canvas.texts();
        ASSERT_EQ(texts.size(), 1 + c.vertical + c.horizontal);
        EXPECT_EQ(texts[0].text, u"0厘米");
        EXPECT_EQ(QPoint(texts[0].x, texts[0].y), QPoint(0, 0));
        EXPECT_EQ(texts[1].text, u"1");
        EXPECT_EQ(QPoint(texts[1].x, texts[1].y), QPoint(38, 0));
        EXPECT_EQ(texts[c.vertical].text, QString::number(c.vertical));
        EXPECT_EQ(texts[c.vertical].x, c.lastX);
        EXPECT_EQ(QPoint(texts[c.vertical + 1].x, texts[c.vertical + 1].y), QPoint(0, 38));
        EXPECT_EQ(texts.last().y, c.lastY);
        for (const Op &t : texts)
            EXPECT_EQ(t.color, QColor(0, 0, 255));

        QList<Op> dotted;
        for (const Op &op : canvas.ops) {
            if (op.kind == Op::DottedLine)
                dotted.append(op);
        }
        if (c.picture) {
            EXPECT_TRUE(dotted.isEmpty());
        } else {
            ASSERT_EQ(dotted.size(), c.vertical + c.horizontal);
            EXPECT_EQ(dotted[0].x, 38);
            EXPECT_EQ(dotted[0].y, 0);
            EXPECT_EQ(dotted[0].x2, 38);
            EXPECT_EQ(dotted[0].y2, c.area.height());
            EXPECT_EQ(dotted[c.vertical - 1].x, c.lastX);
            EXPECT_EQ(dotted.last().y, c.lastY);
            EXPECT_EQ(dotted.last().x2, c.area.width());
            EXPECT_EQ(dotted[0].color, QColor(0, 0, 255));
        }
        // The content drawn after the grid keeps its own font and colour.
        EXPECT_EQ(canvas.fontFamily(), u"宋体");
        EXPECT_EQ(canvas.fontSize(), 12);
        EXPECT_EQ(canvas.textColor(), QColor(Qt::black));
    }
}
