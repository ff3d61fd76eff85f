#include "render/Amounts.h"

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

// ---- reading an amount ----------------------------------------------------

TEST(AmountParse, ExactFenFromDecimalText)
{
    struct Case
    {
        const char16_t *text;
        qint64 fen;
    };
    const Case cases[] = {
        {u"12", 1200},
        {u"1,234.5", 123450},
        {u"1,2,3", 12300}, // every comma goes, wherever it stands
        {u" 12 ", 1200},
        {u".5", 50},
        {u"5.", 500},
        {u"+1", 100},
        {u"-12.3", -1230},
        {u"1e3", 100000},
        {u"1.5E-1", 15},
        {u"0", 0},
        {u"-0", 0},
        {u"000100.01", 10001},
        // Halves away from zero, decided on the decimal digits: as binary
        // doubles 1.005 and 0.025 lie just below the half and would round down.
        {u"0.005", 1},
        {u"0.004", 0},
        {u"-0.005", -1},
        {u"1.005", 101},
        {u"0.025", 3},
        {u"0.0049999", 0},
        {u"1e-400", 0},
        {u"0e999999", 0},
        {u"9,999,999,999,999,999.99", 999'999'999'999'999'999LL},
    };
    for (const Case &c : cases) {
        AmountError error = AmountError::TooLarge;
        const std::optional<qint64> fen = parseAmount(q(c.text), &error);
        ASSERT_TRUE(fen.has_value()) << q(c.text).toStdString();
        EXPECT_EQ(*fen, c.fen) << q(c.text).toStdString();
        EXPECT_EQ(error, AmountError::None);
    }
}

TEST(AmountParse, RefusesWhatIsNotAnAmount)
{
    struct Case
    {
        const char16_t *text;
        AmountError error;
    };
    const Case cases[] = {
        {u"", AmountError::NotANumber},
        {u",", AmountError::NotANumber},
        {u"abc", AmountError::NotANumber},
        {u"-", AmountError::NotANumber},
        {u".", AmountError::NotANumber},
        {u"1e", AmountError::NotANumber},
        {u"1.2.3", AmountError::NotANumber},
        {u"12abc", AmountError::NotANumber},
        {u"1 2", AmountError::NotANumber},
        {u"inf", AmountError::NotANumber},
        {u"nan", AmountError::NotANumber},
        {u"１２", AmountError::NotANumber}, // fullwidth digits
        // Beyond 18 fen digits nothing can be held exactly.
        {u"10000000000000000", AmountError::TooLarge},
        {u"9999999999999999.995", AmountError::TooLarge}, // rounds over the edge
        {u"1e400", AmountError::TooLarge},
        {u"-1e17", AmountError::TooLarge},
    };
    for (const Case &c : cases) {
        AmountError error = AmountError::None;
        EXPECT_FALSE(parseAmount(q(c.text), &error).has_value()) << q(c.text).toStdString();
        EXPECT_EQ(error, c.error) << q(c.text).toStdString();
        EXPECT_EQ(amountOrZero(q(c.text)), 0);
    }
}

// ---- grouped form and field normalisation ---------------------------------

TEST(AmountFormat, GroupedWithTwoDecimals)
{
    struct Case
    {
        qint64 fen;
        const char16_t *text;
    };
    const Case cases[] = {
        {0, u"0.00"},
        {5, u"0.05"},
        {99999, u"999.99"},
        {100000, u"1,000.00"},
        {123450, u"1,234.50"},
        {100000000, u"1,000,000.00"},
        {-1230, u"-12.30"},
        {-123456789, u"-1,234,567.89"},
        {999'999'999'999'999'999LL, u"9,999,999,999,999,999.99"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatGrouped(c.fen), q(c.text)) << c.fen;
}

TEST(AmountFormat, FieldShowsGroupedValueOrNothing)
{
    struct Case
    {
        const char16_t *typed;
        const char16_t *shown;
    };
    const Case cases[] = {
        {u"12", u"12.00"},
        {u"1,234.5", u"1,234.50"},
        {u"1234567.891", u"1,234,567.89"},
        {u"1,234.50", u"1,234.50"}, // leaving it again changes nothing
        {u"-0", u"0.00"},
        {u"abc", u""},
        {u"", u""},
        {u"12元", u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(normaliseAmountField(q(c.typed)), q(c.shown)) << q(c.typed).toStdString();
}

// ---- cheque capitals -------------------------------------------------------

TEST(CapitalAmount, ChequeText)
{
    struct Case
    {
        const char16_t *amount;
        const char16_t *capital;
    };
    const Case cases[] = {
        {u"100.01", u"壹佰元零壹分"},
        {u"100", u"壹佰元整"},
        {u"1005.5", u"壹仟零伍元伍角整"},
        {u"0.05", u"伍分"},
        {u"0.5", u"伍角整"},
        {u"-12.3", u"负壹拾贰元叁角整"},
        {u"100100", u"壹拾万零壹佰元整"},
        {u"1234567.89", u"壹佰贰拾叁万肆仟伍佰陆拾柒元捌角玖分"},
        {u"0", u""},
        {u"10000000", u"壹仟万元整"},
        {u"100000000.25", u"壹亿元贰角伍分"},
        {u"1,234.50", u"壹仟贰佰叁拾肆元伍角整"},
        {u"10.01", u"壹拾元零壹分"},
        // the largest amount the units cover: 15 fen digits
        {u"9999999999999.99", u"玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
        // rounds to 0: no text, and no lone "负"
        {u"-0.001", u""},
        {u"abc", u""},
        {u"", u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(capitalAmount(q(c.amount)), q(c.capital)) << q(c.amount).toStdString();
}

TEST(CapitalAmount, SixteenFenDigitsAndMoreGiveNoText)
{
    // The units end at the fifteenth digit; a longer amount must not come out
    // as a shorter, wrong one.
    const char16_t *amounts[] = {
        u"10000000000000",
        u"-10000000000000",
        u"99999999999999.99",
        u"9999999999999999.99",
    };
    for (const char16_t *amount : amounts)
        EXPECT_EQ(capitalAmount(q(amount)), QString()) << q(amount).toStdString();
    EXPECT_EQ(capitalAmount(MaxCapitalFen + 1), QString());
    EXPECT_FALSE(capitalAmount(MaxCapitalFen).isEmpty());
    EXPECT_FALSE(capitalAmount(-MaxCapitalFen).isEmpty());
}

// ---- box capitals ----------------------------------------------------------

TEST(BoxCapitals, DigitsWithoutTheDroppedOnes)
{
    struct Case
    {
        const char16_t *field;
        int drop;
        const char16_t *boxes;
    };
    const Case cases[] = {
        {u"100.01", 2, u"※壹零零"},
        {u"100.01", 1, u"※壹零零零"},
        {u"100.01", 0, u"※壹零零零壹"},
        {u"1,234.50", 2, u"※壹贰叁肆"},
        // A field that was never normalised keeps its yuan digits.
        {u"12", 2, u"※壹贰"},
        {u"12.5", 1, u"※壹贰伍"},
        {u"1234.5", 0, u"※壹贰叁肆伍零"},
        {u"0.05", 2, u"※零"},
        {u"100.01", -1, u"※壹零零零壹"},
        {u"100.01", 99, u"※"},
        {u"0", 2, u""},
        {u"0.00", 0, u""},
        {u"", 2, u""},
        {u"abc", 0, u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(boxCapitals(q(c.field), c.drop), q(c.boxes)) << q(c.field).toStdString() << " k=" << c.drop;
}

} // namespace
