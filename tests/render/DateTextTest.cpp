#include "render/DateText.h"

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

TEST(DateText, FixedFileFormats)
{
    EXPECT_EQ(shortDate(QDate(2010, 5, 4)), u"2010-05-04");
    EXPECT_EQ(shortDate(QDate(2007, 12, 31)), u"2007-12-31");
    EXPECT_EQ(shortDate(QDate()), QString());
    EXPECT_EQ(longTime(QTime(8, 3, 9)), u"08:03:09");
    EXPECT_EQ(longTime(QTime(23, 59, 0)), u"23:59:00");
}

TEST(DateText, SplitAtDashes)
{
    struct Case
    {
        const char16_t *text;
        const char16_t *year;
        const char16_t *month;
        const char16_t *day;
    };
    const Case cases[] = {
        {u"2010-05-04", u"2010", u"05", u"04"},
        {u"2010-5-4", u"2010", u"5", u"4"},
        {u"2010-05", u"2010", u"05", u""},
        {u"", u"", u"", u""},
    };
    for (const Case &c : cases) {
        const DatePieces p = splitDate(q(c.text));
        EXPECT_EQ(p.year, q(c.year));
        EXPECT_EQ(p.month, q(c.month));
        EXPECT_EQ(p.day, q(c.day));
    }
}

TEST(DateText, OneStringFormats)
{
    const QDate date(2007, 7, 30);
    struct Case
    {
        int format;
        const char16_t *text;
    };
    const Case cases[] = {
        {DateSpaced, u""},
        {DateDashed, u"2007-07-30"},
        {DateChinese, u"2007年07月30日"},
        {DateMonthDay, u""},
        {DateDayFirst, u"30/07/2007"},
        {5, u""},
        {-1, u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dateItemText(date, c.format), q(c.text)) << c.format;
    EXPECT_EQ(dateItemText(QDate(), DateDashed), QString());
}

TEST(DateText, CapitalMonthsAndDays)
{
    const QStringList longTable = q(u"零壹,零贰,零叁,零肆,零伍,零陆,零柒,零捌,零玖,零壹拾,壹拾壹,壹拾贰").split(u',');
    const QStringList shortTable = q(u"零壹,零贰,叁,肆,伍,陆,柒,捌,玖,零壹拾,壹拾壹,壹拾贰").split(u',');
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(capitalMonth(m), longTable.at(m - 1)) << m;
        EXPECT_EQ(capitalMonth(m, true), shortTable.at(m - 1)) << m;
    }
    struct Case
    {
        int day;
        const char16_t *text;
    };
    const Case days[] = {
        {1, u"零壹"},
        {9, u"零玖"},
        {10, u"零壹拾"},
        {11, u"壹拾壹"},
        {19, u"壹拾玖"},
        {20, u"零贰拾"},
        {21, u"贰拾壹"},
        {29, u"贰拾玖"},
        {30, u"零叁拾"},
        {31, u"叁拾壹"},
        {0, u""},
        {32, u""},
    };
    for (const Case &c : days)
        EXPECT_EQ(capitalDay(c.day), q(c.text)) << c.day;
    EXPECT_EQ(capitalMonth(0), QString());
    EXPECT_EQ(capitalMonth(13, true), QString());
}

TEST(DateText, DateInCapitals)
{
    const QDate date(2010, 5, 4);
    EXPECT_EQ(dateCapitals(date), u"贰零壹零年零伍月零肆日");
    EXPECT_EQ(dateCapitals(date, true), u"贰零壹零年伍月零肆日");
    EXPECT_EQ(dateCapitals(date, false, true), u"贰零壹零-零伍-零肆");
    EXPECT_EQ(dateCapitals(QDate(2007, 11, 30)), u"贰零零柒年壹拾壹月零叁拾日");
    EXPECT_EQ(dateCapitals(QDate()), QString());
}

} // namespace
