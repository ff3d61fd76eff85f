#include "render/RuledTable.h"
#include "render/Drawing.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Slipdesk;
using namespace Slipdesk::RuledTable;
using Op = RecordingCanvas::Op;

namespace {

// At 254 dpi one tenth of a millimetre is one pixel. Simple metrics there:
// em 35 at 10 points (narrow 18), 32 at 9 (16), 28 at 8 (14), 25 at 7 (13),
// 14 at 4 (7).
constexpr int OnePixelPerTenth = 254;

Length mm(int tenths)
{
    return Length::tenthMm(tenths);
}

// A cell 20 mm wide and 6 mm high at (10 mm, 20 mm).
const Box cell {mm(100), mm(200), mm(200), mm(60)};

const TextStyle style {QStringLiteral("黑体"), 10};

} // namespace

TEST(RuledTableTest, LinesAndFramesTakeBothOffsetsWhilePrinting)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    canvas.setPrinting(true);
    canvas.setPrintableOffset(QPoint(5, 7));
    Drawing drawing(canvas, 30, -10);

    line(drawing, {mm(100), mm(200)}, {mm(400), mm(200)});
    frame(drawing, {mm(100), mm(200), mm(300), mm(60)});
    line(drawing, {mm(100), mm(260)}, {mm(400), mm(260)});

    ASSERT_EQ(canvas.ops.size(), 3);
    const Op &first = canvas.ops[0];
    EXPECT_EQ(first.kind, Op::Line);
    EXPECT_EQ(QRect(QPoint(first.x, first.y), QPoint(first.x2, first.y2)), QRect(QPoint(125, 183), QPoint(425, 183)));
    EXPECT_EQ(first.penWidth, 1);
    EXPECT_EQ(canvas.ops[1].kind, Op::Frame);
    EXPECT_EQ(canvas.ops[1].box, QRect(125, 183, 300, 60));
    EXPECT_EQ(canvas.ops[1].penWidth, 2);
    // The wide pen was the frame's only.
    EXPECT_EQ(canvas.ops[2].penWidth, 1);

    // A preview is measured from its own corner: no printable offset.
    canvas.clear();
    canvas.setPrinting(false);
    frame(drawing, {mm(100), mm(200), mm(300), mm(60)});
    EXPECT_EQ(canvas.ops[0].box, QRect(130, 190, 300, 60));
}

TEST(RuledTableTest, FrameEdgesMeetTheLinesDrawnAlongThem)
{
    // At 96 dpi 6 tenths are 2.27 px (2) and 12 tenths 4.54 px (5): a frame
    // from 6 to 12 is 3 px wide, though 6 tenths alone round to 2.
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    frame(drawing, {mm(6), mm(6), mm(6), mm(6)});
    line(drawing, {mm(12), mm(6)}, {mm(12), mm(12)});
    EXPECT_EQ(canvas.ops[0].box, QRect(2, 2, 3, 3));
    EXPECT_EQ(canvas.ops[1].x, 5);
    EXPECT_EQ(canvas.ops[1].y2, 5);
}

TEST(RuledTableTest, CellTextIsPlacedByItsForm)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    // "AB" is 36 px at 10 points, 35 high: vertically (60 − 35) ÷ 2 = 12 down.
    cellText(drawing, cell, QStringLiteral("AB"), style, Align::Centre);
    cellText(drawing, cell, QStringLiteral("AB"), style, Align::Left);
    cellText(drawing, cell, QStringLiteral("AB"), style, Align::Right);
    ASSERT_EQ(canvas.ops.size(), 3);
    EXPECT_EQ(QPoint(canvas.ops[0].x, canvas.ops[0].y), QPoint(182, 212)); // 100 + (200 − 36) ÷ 2
    EXPECT_EQ(QPoint(canvas.ops[1].x, canvas.ops[1].y), QPoint(105, 212)); // 5 in
    EXPECT_EQ(QPoint(canvas.ops[2].x, canvas.ops[2].y), QPoint(259, 212)); // ends at 300 − 5
    for (const Op &op : canvas.ops) {
        EXPECT_EQ(op.mode, Op::Plain);
        EXPECT_EQ(op.size, 10);
    }
}

TEST(RuledTableTest, EmptyTextDrawsNothing)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    for (const Align align : {Align::Centre, Align::Left, Align::Right})
        cellText(drawing, cell, QString(), style, align);
    EXPECT_TRUE(canvas.ops.isEmpty());
}

TEST(RuledTableTest, LeftAndRightShrinkToTheLargestSizeThatFits)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    // 14 narrow characters in 195 px of room: 252 at 10, 224 at 9, 196 at 8,
    // 182 at 7 points.
    const QString text(14, u'x');
    cellText(drawing, cell, text, style, Align::Left);
    cellText(drawing, cell, text, style, Align::Right);
    ASSERT_EQ(canvas.ops.size(), 2);
    EXPECT_EQ(canvas.ops[0].size, 7);
    EXPECT_EQ(canvas.ops[1].size, 7);
    EXPECT_EQ(canvas.ops[0].mode, Op::Plain);
    // 25 px high at 7 points: (60 − 25) ÷ 2 = 17 down.
    EXPECT_EQ(QPoint(canvas.ops[0].x, canvas.ops[0].y), QPoint(105, 217));
    EXPECT_EQ(QPoint(canvas.ops[1].x, canvas.ops[1].y), QPoint(295 - 182, 217));
}

TEST(RuledTableTest, TextThatNeverFitsIsDrawnWholeAtSizeFour)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    // 30 narrow characters are 210 px even at 4 points.
    cellText(drawing, cell, QString(30, u'x'), style, Align::Left);
    ASSERT_EQ(canvas.ops.size(), 1);
    const Op &op = canvas.ops[0];
    EXPECT_EQ(op.size, 4);
    EXPECT_EQ(op.mode, Op::Plain);
    EXPECT_EQ(op.text.size(), 30);
    EXPECT_EQ(QPoint(op.x, op.y), QPoint(105, 223)); // (60 − 14) ÷ 2 = 23 down
}

TEST(RuledTableTest, CentredTextKeepsItsSize)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    // Nine Chinese characters, 315 px, in a 200 px cell: overhangs 57.5 px on
    // each side, rounded down to 58 on the left.
    cellText(drawing, cell, QStringLiteral("一二三四五六七八九"), style, Align::Centre);
    ASSERT_EQ(canvas.ops.size(), 1);
    const Op &op = canvas.ops[0];
    EXPECT_EQ(op.size, 10);
    EXPECT_EQ(QPoint(op.x, op.y), QPoint(42, 212));
    EXPECT_EQ(op.mode, Op::Plain);
}

TEST(RuledTableTest, MissingFontFallsBackToHeiti)
{
    RecordingCanvas canvas(OnePixelPerTenth);
    Drawing drawing(canvas);
    cellText(drawing, cell, QStringLiteral("AB"), {QStringLiteral("NoSuchFont"), 9}, Align::Left);
    ASSERT_EQ(canvas.ops.size(), 1);
    EXPECT_EQ(canvas.ops[0].font, u"黑体");
    EXPECT_EQ(canvas.ops[0].size, 9);
}
