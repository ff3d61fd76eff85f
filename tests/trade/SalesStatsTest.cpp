#include "trade/SalesStats.h"

#include "render/Amounts.h"
#include "storage/Paths.h"
#include "support/TempDir.h"
#include "trade/TradeNumbers.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// A delivery detail line: template, note number, printing date, then the
// goods row (code, name, unit, quantity, price, amount, remark, cost price,
// inbound remark).
QString line(const QString &date, const QString &code, const QString &name, const QString &quantity,
    const QString &amount, const QString &costPrice, const QString &note = QStringLiteral("CK000001"))
{
    return QStringList {QStringLiteral("默认发货单"), note, date, code, name, QStringLiteral("个"), quantity, QString(),
        amount, QString(), costPrice, QString()}
        .join(u',');
}

const QDate kDay(2024, 5, 10);

SalesTable computeOn(const QStringList &lines, const QDate &from = kDay, const QDate &to = kDay)
{
    const std::optional<SalesTable> table = SalesStats::compute(lines, from, to);
    EXPECT_TRUE(table.has_value());
    return table.value_or(SalesTable {});
}

QStringList codes(const SalesTable &table)
{
    QStringList result;
    for (qsizetype i = 0; i + 1 < table.rows.size(); ++i)
        result.append(table.rows[i][1]);
    return result;
}

} // namespace

TEST(SalesStats, OneSaleGivesItsRowAndTheTotalsRow)
{
    const SalesTable table = computeOn({line(QStringLiteral("2024-05-10"), QStringLiteral("0101"),
        QStringLiteral("保温杯"), QStringLiteral("2"), QStringLiteral("3000.00"), QStringLiteral("1200.00"))});
    EXPECT_EQ(table.header.join(u','), QStringLiteral("序号,商品编码,商品名称,单位,数量,收入合计,成本合计,毛利合计"));
    EXPECT_EQ(table.header, SalesStats::header());
    ASSERT_EQ(table.rows.size(), 2);
    EXPECT_EQ(table.rows[0],
        (QStringList {QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("保温杯"), QStringLiteral("个"),
            QStringLiteral("2"), QStringLiteral("3,000.00"), QStringLiteral("2,400.00"), QStringLiteral("600.00")}));
    EXPECT_EQ(table.rows[1],
        (QStringList {QStringLiteral("2"), QString(), QStringLiteral("合计"), QString(), QStringLiteral("2"),
            QStringLiteral("3,000.00"), QStringLiteral("2,400.00"), QStringLiteral("600.00")}));
}

TEST(SalesStats, LinesOfOneCodeAreSummedAndEmptyCostIsAllProfit)
{
    const QString day = QStringLiteral("2024-05-10");
    const SalesTable table = computeOn({
        line(day, QStringLiteral("0101"), QStringLiteral("保温杯"), QStringLiteral("2"), QStringLiteral("100.00"),
            QStringLiteral("30.00"), QStringLiteral("CK000001")),
        line(day, QStringLiteral("0202"), QStringLiteral("茶叶"), QStringLiteral("1"), QStringLiteral("80.00"),
            QString(), QStringLiteral("CK000001")),
        line(day, QStringLiteral("0101"), QStringLiteral("保温杯"), QStringLiteral("3"), QStringLiteral("150.00"),
            QStringLiteral("30.00"), QStringLiteral("CK000002")),
    });
    ASSERT_EQ(table.rows.size(), 3);
    EXPECT_EQ(table.rows[0].mid(4),
        (QStringList {
            QStringLiteral("5"), QStringLiteral("250.00"), QStringLiteral("150.00"), QStringLiteral("100.00")}));
    EXPECT_EQ(table.rows[1].mid(4),
        (QStringList {QStringLiteral("1"), QStringLiteral("80.00"), QStringLiteral("0.00"), QStringLiteral("80.00")}));
    EXPECT_EQ(table.rows[2].mid(4),
        (QStringList {
            QStringLiteral("6"), QStringLiteral("330.00"), QStringLiteral("150.00"), QStringLiteral("180.00")}));
}

TEST(SalesStats, CodesAreGroupedAndOrderedIgnoringCase)
{
    const QString day = QStringLiteral("2024-05-10");
    const SalesTable table = computeOn({
        line(day, QStringLiteral("b2"), QStringLiteral("乙"), QStringLiteral("1"), QStringLiteral("1"), QString()),
        line(day, QStringLiteral("ab1"), QStringLiteral("小写在前"), QStringLiteral("1"), QStringLiteral("1"),
            QString()),
        line(day, QStringLiteral("A10"), QStringLiteral("甲十"), QStringLiteral("1"), QStringLiteral("1"), QString()),
        line(day, QStringLiteral("AB1"), QStringLiteral("大写在后"), QStringLiteral("2"), QStringLiteral("1"),
            QString()),
        line(day, QStringLiteral("B1"), QStringLiteral("乙一"), QStringLiteral("1"), QStringLiteral("1"), QString()),
        line(day, QStringLiteral("a1"), QStringLiteral("甲"), QStringLiteral("1"), QStringLiteral("1"), QString()),
    });
    EXPECT_EQ(codes(table),
        (QStringList {QStringLiteral("a1"), QStringLiteral("A10"), QStringLiteral("ab1"), QStringLiteral("B1"),
            QStringLiteral("b2")}));
    const QStringList ab = table.rows[2];
    EXPECT_EQ(ab[0], QStringLiteral("3"));
    EXPECT_EQ(ab[2], QStringLiteral("小写在前"));
    EXPECT_EQ(ab[4], QStringLiteral("3"));
    EXPECT_EQ(table.rows.last()[0], QStringLiteral("6"));
    EXPECT_EQ(table.rows.last()[4], QStringLiteral("7"));
}

TEST(SalesStats, OnlyPrintingDatesInsideTheRangeCount)
{
    const auto at = [](const QString &date, const QString &code) {
        return line(date, code, QStringLiteral("货"), QStringLiteral("1"), QStringLiteral("10.00"), QString());
    };
    const QStringList lines {
        at(QStringLiteral("2024-05-09"), QStringLiteral("BEFORE")),
        at(QStringLiteral("2024-05-10"), QStringLiteral("FIRST")),
        at(QStringLiteral("2024-5-12"), QStringLiteral("SHORT")), // one-digit month, as hand-edited
        at(QStringLiteral("2024-05-20"), QStringLiteral("LAST")),
        at(QStringLiteral("2024-05-21"), QStringLiteral("AFTER")),
        at(QStringLiteral("2024-02-30"), QStringLiteral("NODAY")), at(QStringLiteral("昨天"), QStringLiteral("WORD")),
        at(QString(), QStringLiteral("EMPTY")),
        QString(), // a blank line
        QStringLiteral("默认发货单,CK1"), // a line cut short
    };
    EXPECT_EQ(codes(computeOn(lines, QDate(2024, 5, 10), QDate(2024, 5, 20))),
        (QStringList {QStringLiteral("FIRST"), QStringLiteral("LAST"), QStringLiteral("SHORT")}));
    // Dates that do not read belong to no range, not even one reaching back
    // before any real sale.
    EXPECT_EQ(codes(computeOn(lines, QDate(1900, 1, 1), QDate(2100, 1, 1))).size(), 5);
    EXPECT_FALSE(SalesStats::compute(lines, QDate(2024, 5, 11), QDate(2024, 5, 11)));
    EXPECT_FALSE(SalesStats::compute(lines, QDate(2024, 5, 20), QDate(2024, 5, 10)));
    EXPECT_FALSE(SalesStats::compute({}, QDate(1900, 1, 1), QDate(2100, 1, 1)));
}

TEST(SalesStats, NumbersReadAsTheGridReadsThem)
{
    const QString day = QStringLiteral("2024-05-10");
    // Each amount in a group of its own: the income cell must be what the
    // amount fields' own reading gives.
    const QStringList amounts {QStringLiteral("3000"), QStringLiteral("3000.5"), QStringLiteral("0.005"),
        QStringLiteral("0.0049"), QStringLiteral("-12.345"), QStringLiteral("+7"), QStringLiteral(".5"),
        QStringLiteral("5."), QStringLiteral("1.999"), QStringLiteral("1e3"), QStringLiteral("abc"), QString(),
        QStringLiteral("-"), QStringLiteral("123456789012345.67"), QStringLiteral("12345678901234567.00"),
        QStringLiteral("00012.30")};
    QStringList lines;
    for (qsizetype i = 0; i < amounts.size(); ++i)
        lines.append(line(day, QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("货"),
            QStringLiteral("1"), amounts[i], QString()));
    const SalesTable table = computeOn(lines);
    ASSERT_EQ(table.rows.size(), amounts.size() + 1);
    for (qsizetype i = 0; i < amounts.size(); ++i)
        EXPECT_EQ(table.rows[i][5], formatGrouped(amountOrZero(amounts[i]))) << amounts[i].toStdString();

    // The same for quantities, against the goods grid's reading.
    const QStringList quantities {QStringLiteral("3"), QStringLiteral("2.5"), QStringLiteral("007"),
        QStringLiteral("-3"), QStringLiteral("+4"), QStringLiteral("5."), QStringLiteral(".5"), QStringLiteral("1e2"),
        QStringLiteral("abc"), QString(), QStringLiteral("-"), QStringLiteral("inf"), QStringLiteral("0.1"),
        QStringLiteral("123456789.123456"), QStringLiteral("1234567890123456789"),
        QStringLiteral("0.000000000000000000001")};
    lines.clear();
    for (qsizetype i = 0; i < quantities.size(); ++i)
        lines.append(line(day, QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("货"),
            quantities[i], QString(), QString()));
    const SalesTable counted = computeOn(lines);
    ASSERT_EQ(counted.rows.size(), quantities.size() + 1);
    for (qsizetype i = 0; i < quantities.size(); ++i)
        EXPECT_EQ(counted.rows[i][4], TradeNumbers::shortest(TradeNumbers::lenient(quantities[i])))
            << quantities[i].toStdString();

    const SalesTable mixed = computeOn({
        line(day, QStringLiteral("Q"), QStringLiteral("货"), QStringLiteral("2.5"), QString(),
            QStringLiteral("10.01")), // 2.5 × 10.01 = 25.025, to the fen
        line(day, QStringLiteral("Q"), QStringLiteral("货"), QStringLiteral("0.1"), QString(), QString()),
        line(day, QStringLiteral("Q"), QStringLiteral("货"), QStringLiteral("0.2"), QString(), QString()),
        line(day, QStringLiteral("Q"), QStringLiteral("货"), QStringLiteral("两个"), QStringLiteral("5.00"),
            QStringLiteral("3.00")), // no quantity: income, no cost
    });
    ASSERT_EQ(mixed.rows.size(), 2);
    EXPECT_EQ(mixed.rows[0].mid(4),
        (QStringList {
            QStringLiteral("2.8"), QStringLiteral("5.00"), QStringLiteral("25.03"), QStringLiteral("-20.03")}));
}

TEST(SalesStats, DetailLogOfThisYearElseLastYear)
{
    TempDir dir;
    const Paths paths(dir.path());
    const QString name = QStringLiteral("默认发货单");
    const QDate january(2025, 1, 3);
    EXPECT_TRUE(SalesStats::detailLogFor(paths, name, january).isEmpty());

    dir.write(QStringLiteral("打印记录/默认发货单2024发货清单.TXT"), "x\r\n");
    dir.write(QStringLiteral("打印记录/默认发货单2025.TXT"), "x\r\n"); // the log alone does not do
    EXPECT_EQ(SalesStats::detailLogFor(paths, name, january),
        dir.file(QStringLiteral("打印记录/默认发货单2024发货清单.TXT")));
    EXPECT_TRUE(SalesStats::detailLogFor(paths, name, QDate(2026, 1, 3)).isEmpty());
    EXPECT_TRUE(SalesStats::detailLogFor(paths, QStringLiteral("别的发货单"), january).isEmpty());

    dir.write(QStringLiteral("打印记录/默认发货单2025发货清单.TXT"), "x\r\n");
    EXPECT_EQ(SalesStats::detailLogFor(paths, name, january),
        dir.file(QStringLiteral("打印记录/默认发货单2025发货清单.TXT")));
}
