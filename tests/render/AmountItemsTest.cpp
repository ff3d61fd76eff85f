#include "render/AmountItems.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;

QString q(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// At 96 pixels per inch: left 1000 → x 378, top 500 → y 189, spacing 50 →
// a pitch of 19 pixels. Size 12 → em 16: wide characters 16 pixels, digits 8.
ItemParams item()
{
    ItemParams p;
    p.print = true;
    p.left = 1000;
    p.top = 500;
    p.width = 2000;
    p.spacing = 50;
    p.size = 12;
    p.font = QStringLiteral("黑体");
    return p;
}

struct Placed
{
    int x;
    const char16_t *text;
};

void expectTexts(const RecordingCanvas &canvas, std::initializer_list<Placed> expected, int y = 189)
{
    const QList<RecordingCanvas::Op> ops = canvas.texts();
    ASSERT_EQ(ops.size(), qsizetype(expected.size()));
    int i = 0;
    for (const Placed &e : expected) {
        EXPECT_EQ(ops[i].text, q(e.text)) << "op " << i;
        EXPECT_EQ(ops[i].x, e.x) << "op " << i << " " << ops[i].text.toStdString();
        EXPECT_EQ(ops[i].y, y) << "op " << i;
        ++i;
    }
}

// ---- figures ---------------------------------------------------------------

TEST(AmountFigures, DigitsRunLeftFromTheFenBox)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawAmountFigures(drawing, QStringLiteral("12.00"), item());
    // 0, 0, 2, 1 one pitch apart, ending at the item's position; "￥" at
    // 321 + 8 − 8 − 19 − nearest((19 − 8) ÷ 2 = 5.5 → 6) = 296.
    expectTexts(canvas, {{378, u"0"}, {359, u"0"}, {340, u"2"}, {321, u"1"}, {296, u"￥"}});
    const QList<RecordingCanvas::Op> ops = canvas.texts();
    EXPECT_EQ(ops[0].font, u"黑体");
    EXPECT_EQ(ops[4].font, u"华文细黑");
    EXPECT_EQ(ops[4].size, 12);
}

TEST(AmountFigures, FieldTextIsReadNotPrintedAsTyped)
{
    // A field typed as "1,234.5" prints its fen digit too.
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawAmountFigures(drawing, QStringLiteral("1,234.5"), item());
    expectTexts(canvas, {{378, u"0"}, {359, u"5"}, {340, u"4"}, {321, u"3"}, {302, u"2"}, {283, u"1"}, {258, u"￥"}});
}

TEST(AmountFigures, WithoutSpacingSignThenGroupedText)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    ItemParams p = item();
    p.spacing = 0;
    drawAmountFigures(drawing, QStringLiteral("1234.5"), p);
    expectTexts(canvas, {{378, u"￥"}, {394, u"1,234.50"}});
    EXPECT_EQ(canvas.texts()[0].font, u"华文细黑");
    EXPECT_EQ(canvas.texts()[1].font, u"黑体");
}

TEST(AmountFigures, FollowsTheOverallOffset)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas, 100, 0); // 1100 → 416
    drawAmountFigures(drawing, QStringLiteral("5"), item());
    expectTexts(canvas, {{416, u"0"}, {397, u"0"}, {378, u"5"}, {353, u"￥"}});
}

TEST(AmountItems, NothingForZeroOrNonNumbersInAnyFormat)
{
    const char16_t *fields[] = {u"", u"0", u"0.00", u"abc", u"-0.001"};
    for (const char16_t *field : fields) {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawAmountFigures(drawing, q(field), item());
        ItemParams noSpacing = item();
        noSpacing.spacing = 0;
        drawAmountFigures(drawing, q(field), noSpacing);
        for (int format = 0; format <= 3; ++format)
            drawCapitalAmount(drawing, q(field), format, item());
        EXPECT_TRUE(canvas.ops.isEmpty()) << q(field).toStdString();
    }
}

TEST(AmountItems, CapitalsBeyondFifteenFenDigitsPrintNothing)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawCapitalAmount(drawing, QStringLiteral("10,000,000,000,000.00"), CapitalCheque, item());
    EXPECT_TRUE(canvas.ops.isEmpty());
}

// ---- capitals --------------------------------------------------------------

TEST(CapitalItems, BoxesRightToLeft)
{
    struct Case
    {
        int format;
        std::initializer_list<Placed> texts;
    };
    const Case cases[] = {
        {CapitalBoxYuan, {{378, u"零"}, {359, u"零"}, {340, u"壹"}, {321, u"※"}}},
        {CapitalBoxJiao, {{378, u"零"}, {359, u"零"}, {340, u"零"}, {321, u"壹"}, {302, u"※"}}},
        {CapitalBoxFen, {{378, u"壹"}, {359, u"零"}, {340, u"零"}, {321, u"零"}, {302, u"壹"}, {283, u"※"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawCapitalAmount(drawing, QStringLiteral("100.01"), c.format, item());
        expectTexts(canvas, c.texts);
    }
}

TEST(CapitalItems, ChequeLineAlwaysShrinksOnOneLine)
{
    // Width 100 → 38 pixels: six capitals fit only at 4 points (em 5).
    ItemParams p = item();
    p.width = 100;
    p.shrink = false;
    p.wrap = ItemParams::AutoWrap;
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawCapitalAmount(drawing, QStringLiteral("100.01"), CapitalCheque, p);
    const QList<RecordingCanvas::Op> ops = canvas.texts();
    ASSERT_EQ(ops.size(), 1);
    EXPECT_EQ(ops[0].text, u"壹佰元零壹分");
    EXPECT_EQ(ops[0].mode, RecordingCanvas::Op::Plain);
    EXPECT_EQ(ops[0].size, 4);
    EXPECT_EQ(ops[0].x, 378);
}

TEST(CapitalItems, UnknownFormatPrintsNothing)
{
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawCapitalAmount(drawing, QStringLiteral("100.01"), 4, item());
    drawCapitalAmount(drawing, QStringLiteral("100.01"), -1, item());
    EXPECT_TRUE(canvas.ops.isEmpty());
}

// ---- date ------------------------------------------------------------------

TEST(DateItem, SplitFormats)
{
    // Year "2010" is 32 pixels wide: month at 378 + 32 + 19, day at
    // 429 + 16 + 19.
    const QDate date(2010, 5, 4);
    {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawDate(drawing, date, DateSpaced, item());
        expectTexts(canvas, {{378, u"2010"}, {429, u"05"}, {464, u"04"}});
    }
    {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawDate(drawing, date, DateMonthDay, item());
        expectTexts(canvas, {{429, u"05"}, {464, u"04"}});
    }
}

TEST(DateItem, OneStringFormatsAreNormalItems)
{
    const QDate date(2010, 5, 4);
    struct Case
    {
        int format;
        const char16_t *text;
    };
    const Case cases[] = {
        {DateDashed, u"2010-05-04"},
        {DateChinese, u"2010年05月04日"},
        {DateDayFirst, u"04/05/2010"},
    };
    for (const Case &c : cases) {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawDate(drawing, date, c.format, item());
        expectTexts(canvas, {{378, c.text}});
    }
    RecordingCanvas canvas(96);
    Drawing drawing(canvas);
    drawDate(drawing, date, 5, item());
    drawDate(drawing, QDate(), DateSpaced, item());
    EXPECT_TRUE(canvas.ops.isEmpty());
}

TEST(DateItem, ShortMonthKeepsTheDayInItsBox)
{
    // Digits: a one-digit month moves the day by the width of "1".
    {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawSplitDate(drawing, {QStringLiteral("2010"), QStringLiteral("5"), QStringLiteral("4")}, item());
        expectTexts(canvas, {{378, u"2010"}, {429, u"5"}, {464, u"4"}});
    }
    // Capitals: the day stands where it would after a three-character month.
    // Year "贰零壹零" is 64 wide: month at 378 + 64 + 19 = 461, day at
    // 461 + 48 + 19 = 528.
    struct Case
    {
        const char16_t *month;
    };
    const Case months[] = {{u"伍"}, {u"零伍"}, {u"壹拾壹"}};
    for (const Case &c : months) {
        RecordingCanvas canvas(96);
        Drawing drawing(canvas);
        drawSplitDate(drawing, {q(u"贰零壹零"), q(c.month), q(u"零肆")}, item(), true, true);
        expectTexts(canvas, {{378, u"贰零壹零"}, {461, c.month}, {528, u"零肆"}});
    }
}

} // namespace
