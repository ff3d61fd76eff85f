#include "datawin/DataTable.h"
#include "render/Amounts.h"
#include "storage/Codec.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

QStringList header(const char *text)
{
    return QString::fromUtf8(text).split(u',');
}

DataTable addresses()
{
    return DataTable(header("序号,姓名,地址,金额"),
        {QStringLiteral("张三,北京海淀,1500.00"), QStringLiteral("李四,上海浦东张江,20"),
            QStringLiteral("王五,广州,")});
}

// One column of values; `values` row by row.
DataTable column(const QStringList &values)
{
    return DataTable(header("序号,值"), values);
}

using Pairs = QList<std::pair<int, int>>;

Pairs scan(const DataTable &table, int column)
{
    Pairs pairs;
    DataTable::DuplicateScan duplicates(table, column);
    while (const auto pair = duplicates.next())
        pairs.append(*pair);
    return pairs;
}

} // namespace

TEST(DataTable, RowsAreNumberedAndTheNumberIsNeverSaved)
{
    DataTable table = addresses();
    EXPECT_EQ(table.header().first(), QStringLiteral("序号"));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_TRUE(table.hasData());
    EXPECT_EQ(table.cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(table.cell(2, 0), QStringLiteral("3"));
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("上海浦东张江"));
    EXPECT_EQ(
        table.cells(1), (QStringList {QStringLiteral("李四"), QStringLiteral("上海浦东张江"), QStringLiteral("20")}));

    table.setCell(0, 0, QStringLiteral("99"));
    EXPECT_EQ(table.cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(table.savedLines(),
        (QStringList {QStringLiteral("张三,北京海淀,1500.00"), QStringLiteral("李四,上海浦东张江,20"),
            QStringLiteral("王五,广州,")}));
}

TEST(DataTable, EmptyTableShowsOneUnnumberedRowAndSavesNothing)
{
    const DataTable table(header("序号,姓名,地址"), {});
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_FALSE(table.hasData());
    EXPECT_EQ(table.cell(0, 0), QString());
    EXPECT_TRUE(table.savedLines().isEmpty());
}

// A comma typed into a cell must not split the row while it is edited, and
// must not reach the file as a field separator.
TEST(DataTable, SavingRemovesCommasAndBlanksFromEveryCell)
{
    DataTable table = addresses();
    table.setCell(1, 2, QStringLiteral("上海 浦东,张江"));
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("上海 浦东,张江"));
    EXPECT_EQ(table.cell(1, 3), QStringLiteral("20"));
    table.setCell(2, 1, QStringLiteral(" 王 五 "));
    const QStringList saved = table.savedLines();
    EXPECT_EQ(saved.at(1), QStringLiteral("李四,上海浦东张江,20"));
    EXPECT_EQ(saved.at(2), QStringLiteral("王五,广州,"));

    // A short line is written out to the width of the header.
    const DataTable shortLine(header("序号,甲,乙,丙"), {QStringLiteral("a")});
    EXPECT_EQ(shortLine.savedLines(), QStringList {QStringLiteral("a,,")});
}

TEST(DataTable, MovingARowChangesOnlyTheOrderOfTheSavedLines)
{
    DataTable table = addresses();
    const QStringList before = table.savedLines();
    table.move(0, 2);
    EXPECT_EQ(table.savedLines(), (QStringList {before.at(1), before.at(2), before.at(0)}));
    EXPECT_EQ(table.cell(2, 0), QStringLiteral("3"));
    EXPECT_EQ(table.cell(2, 1), QStringLiteral("张三"));
    table.move(2, 5); // out of range: nothing
    EXPECT_EQ(table.savedLines().size(), 3);
}

TEST(DataTable, AddInsertAndDelete)
{
    DataTable empty(header("序号,姓名,地址"), {});
    EXPECT_EQ(empty.append(), 0);
    EXPECT_TRUE(empty.hasData());
    EXPECT_EQ(empty.rowCount(), 1);
    EXPECT_EQ(empty.cell(0, 0), QStringLiteral("1"));
    empty.setCell(0, 1, QStringLiteral("赵六"));
    EXPECT_EQ(empty.savedLines(), QStringList {QStringLiteral("赵六,")});

    DataTable table = addresses();
    EXPECT_EQ(table.append(), 3);
    EXPECT_EQ(table.insert(1), 1);
    ASSERT_EQ(table.rowCount(), 5);
    EXPECT_EQ(table.cells(1), (QStringList {QString(), QString(), QString()}));
    EXPECT_EQ(table.cell(2, 1), QStringLiteral("李四"));
    EXPECT_EQ(table.cell(4, 0), QStringLiteral("5"));

    // Deleting the last row selects the one before it.
    EXPECT_EQ(table.remove(4), 3);
    EXPECT_EQ(table.remove(1), 1);
    EXPECT_EQ(table.cell(1, 1), QStringLiteral("李四"));
}

TEST(DataTable, DeletingTheOnlyRowLeavesAnEmptyTable)
{
    DataTable table(header("序号,姓名"), {QStringLiteral("张三")});
    EXPECT_EQ(table.remove(0), 0);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_FALSE(table.hasData());
    EXPECT_EQ(table.cell(0, 1), QString());
    EXPECT_TRUE(table.savedLines().isEmpty());
}

TEST(DataTable, FindInTheAmountColumnComparesNumbers)
{
    DataTable table = addresses();
    table.formatGrouped(QStringLiteral("金额"));
    const int amount = table.findColumn(QStringLiteral("金额"));
    ASSERT_EQ(table.cell(0, amount), QStringLiteral("1,500.00"));
    EXPECT_TRUE(table.matches(0, amount, QStringLiteral("1,500")));
    EXPECT_TRUE(table.matches(0, amount, QStringLiteral("1500")));
    EXPECT_TRUE(table.matches(1, amount, QStringLiteral("20.00")));
    // Not a part of the text, and not a number on either side.
    EXPECT_FALSE(table.matches(0, amount, QStringLiteral("500")));
    EXPECT_FALSE(table.matches(0, amount, QStringLiteral("1,500元")));
    EXPECT_FALSE(table.matches(2, amount, QString()));

    const DataTable raw(header("序号,金额"), {QStringLiteral("1500")});
    EXPECT_TRUE(raw.matches(0, 1, QStringLiteral("1,500.00")));
}

TEST(DataTable, FindElsewhereLooksForTheTrimmedInput)
{
    const DataTable table = addresses();
    EXPECT_TRUE(table.matches(1, 2, QStringLiteral("浦东")));
    EXPECT_TRUE(table.matches(1, 2, QStringLiteral("  浦东 ")));
    EXPECT_FALSE(table.matches(0, 2, QStringLiteral("浦东")));
    EXPECT_FALSE(table.matches(1, 2, QStringLiteral("浦 东")));

    const DataTable latin(header("序号,昵称"), {QStringLiteral("Zhangsan88")});
    EXPECT_TRUE(latin.matches(0, 1, QStringLiteral("san8")));
    EXPECT_FALSE(latin.matches(0, 1, QStringLiteral("zhangsan")));
}

TEST(DataTable, FormatGroupedRewritesOnlyItsColumn)
{
    DataTable table(header("序号,名称,金额"),
        {QStringLiteral("1500,1500"), QStringLiteral("甲,无"), QStringLiteral("乙,"), QStringLiteral("丙,-12.3")});
    table.formatGrouped(QStringLiteral("金额"));
    EXPECT_EQ(table.cell(0, 2), QStringLiteral("1,500.00"));
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("0.00"));
    EXPECT_EQ(table.cell(2, 2), QString());
    EXPECT_EQ(table.cell(3, 2), QStringLiteral("-12.30"));
    EXPECT_EQ(table.cell(0, 1), QStringLiteral("1500"));
    // The grouped form is shown; the file gets the number without commas.
    EXPECT_EQ(table.savedLines().first(), QStringLiteral("1500,1500.00"));

    table.formatGrouped(QStringLiteral("售价")); // no such column
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("0.00"));
}

TEST(DataTable, DuplicatesArePairedEveryRowAgainstEveryLaterRow)
{
    const DataTable table
        = column({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("A")});
    DataTable::DuplicateScan duplicates(table, 1);
    EXPECT_FALSE(duplicates.foundAny());
    EXPECT_EQ(duplicates.next(), std::make_optional(std::pair {0, 2}));
    EXPECT_TRUE(duplicates.foundAny());
    EXPECT_EQ(duplicates.next(), std::make_optional(std::pair {0, 3}));
    EXPECT_EQ(duplicates.next(), std::make_optional(std::pair {2, 3}));
    EXPECT_EQ(duplicates.next(), std::nullopt);
    EXPECT_EQ(duplicates.next(), std::nullopt);
}

TEST(DataTable, DuplicatesCompareCleanedValuesAndNeverEmptyOnes)
{
    DataTable table = column({QStringLiteral("上海浦东"), QString(), QStringLiteral("x"), QString(), QString()});
    table.setCell(2, 1, QStringLiteral("上海 浦东,"));
    table.setCell(3, 1, QStringLiteral(" , "));
    EXPECT_EQ(scan(table, 1), (Pairs {{0, 2}}));

    DataTable::DuplicateScan none(column({QStringLiteral("A"), QStringLiteral("a"), QString(), QString()}), 1);
    EXPECT_EQ(none.next(), std::nullopt);
    EXPECT_FALSE(none.foundAny());
    EXPECT_TRUE(scan(DataTable(header("序号,值"), {}), 1).isEmpty());
}

TEST(DataTable, DuplicateScanOfALargeColumn)
{
    QStringList values;
    values.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        values.append(QStringLiteral("SF%1").arg(i, 10, 10, QLatin1Char('0')));
    EXPECT_TRUE(scan(column(values), 1).isEmpty());

    values.last() = values.first();
    EXPECT_EQ(scan(column(values), 1), (Pairs {{0, 99999}}));
}

TEST(DataTable, ManyDuplicatesComeInTheOrderOfANaiveScan)
{
    const QStringList pool {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁"),
        QStringLiteral("a b"), QStringLiteral("ab"), QStringLiteral("a,b"), QStringLiteral("1"), QStringLiteral("1.0"),
        QString()};
    QRandomGenerator random(20260108);
    QStringList values;
    for (int i = 0; i < 300; ++i)
        values.append(pool.at(int(random.bounded(pool.size()))));
    DataTable table(header("序号,值"), {});
    for (int i = 0; i < values.size(); ++i)
        table.setCell(table.append(), 1, values.at(i));

    auto cleaned = [](QString text) { return text.remove(u',').remove(u' '); };
    Pairs naive;
    for (int r = 0; r < values.size(); ++r)
        for (int s = r + 1; s < values.size(); ++s)
            if (!cleaned(values.at(r)).isEmpty() && cleaned(values.at(r)) == cleaned(values.at(s)))
                naive.append({r, s});
    ASSERT_GT(naive.size(), 1000);
    EXPECT_EQ(scan(table, 1), naive);
}

TEST(DataTable, GroupedAmountsReadAsTheGeneralParserReadsThem)
{
    // Logs hold plain amounts, which are read by a quick path; every other
    // text must come out exactly as the general parser has it.
    const QStringList samples {QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("1500.5"),
        QStringLiteral("-3.25"), QStringLiteral("-0.01"), QStringLiteral("123456789012.99"),
        QStringLiteral("1234567890123"), QStringLiteral("1."), QStringLiteral(".5"), QStringLiteral("+4"),
        QStringLiteral("1.005"), QStringLiteral("1,500.00"), QStringLiteral(" 12 "), QStringLiteral("12元"),
        QStringLiteral("-"), QStringLiteral("--1"), QStringLiteral("1e3"), QStringLiteral("００１")};
    QStringList lines;
    for (const QString &sample : samples)
        lines.append(u"x," + QString(sample).remove(u',') + u",y");
    DataTable table(header("序号,前,金额,后"), lines);
    table.formatGrouped(QStringLiteral("金额"));
    for (int r = 0; r < int(samples.size()); ++r) {
        const QString plain = QString(samples.at(r)).remove(u',');
        EXPECT_EQ(table.cell(r, 2), formatGrouped(amountOrZero(plain))) << plain.toStdString();
        EXPECT_EQ(table.cell(r, 3), QStringLiteral("y"));
    }
}

TEST(DataTable, SavedBytesAreTheSavedLinesInTheFileEncoding)
{
    DataTable table(header("序号,名称,地址,备注"),
        {QStringLiteral("上海 浦东,张江"), QStringLiteral("a,b,c,d,e"), QStringLiteral("单")});
    table.setCell(0, 3, QStringLiteral("有, 逗号"));
    table.setCell(2, 2, QStringLiteral("€ and 𠀀")); // outside GBK, kept by GB18030
    const QString text = table.savedLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    EXPECT_EQ(table.savedBytes(), Codec::encode(text));
    EXPECT_EQ(Codec::decode(table.savedBytes()), QStringLiteral("上海浦东,张江,有逗号\r\na,b,c\r\n单,€and𠀀,\r\n"));
}

TEST(DataTable, ABigTableIsSavedInTwoHalvesAsOne)
{
    QStringList lines;
    for (int i = 0; i < 25001; ++i)
        lines.append(QStringLiteral("%1,上海 浦东,1500.00").arg(i));
    const DataTable table(header("序号,号,地址,金额"), lines);
    const QString text = table.savedLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    EXPECT_EQ(table.savedBytes(), Codec::encode(text));
}
