#include "waybill/RecipientLookup.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// A recipient row with the four fields the list shows and the ones searched.
QString row(const QString &unit, const QString &name, const QString &phone, const QString &nick = {})
{
    QStringList f(22);
    f[8] = unit;
    f[10] = name;
    f[13] = phone;
    f[17] = nick;
    return f.join(u',');
}

const QStringList kBook {
    row(QStringLiteral("北京华东贸易"), QStringLiteral("张三"), QStringLiteral("010-6234"), QStringLiteral("zs")),
    row(QStringLiteral("上海某某公司"), QStringLiteral("李四"), QStringLiteral("021-5876")),
    row(QStringLiteral("南京分公司"), QStringLiteral("王 五"), QStringLiteral("025-8888"), QStringLiteral("WX")),
    row(QString(), QStringLiteral("赵六"), QString()),
    QStringLiteral("short,row"),
};

} // namespace

TEST(RecipientLookupTest, FindsRowsWhoseFieldContainsTheText)
{
    struct Case
    {
        int field;
        QString text;
        QList<int> rows;
    };
    const QList<Case> cases {
        {RecipientLookup::UnitField, QStringLiteral("京"), {0, 2}},
        {RecipientLookup::UnitField, QStringLiteral("公司"), {1, 2}},
        {RecipientLookup::UnitField, QStringLiteral("贸易上海"), {}}, // never across two rows
        {RecipientLookup::NameField, QStringLiteral("王 五"), {2}}, // spaces are kept
        {RecipientLookup::NameField, QStringLiteral("王五"), {}},
        {RecipientLookup::PhoneField, QStringLiteral("8"), {1, 2}},
        {RecipientLookup::PhoneField, QStringLiteral("-"), {0, 1, 2}},
        {RecipientLookup::NickField, QStringLiteral("w"), {}}, // case-sensitive
        {RecipientLookup::NickField, QStringLiteral("W"), {2}},
        {RecipientLookup::NameField, QString(), {}},
        {RecipientLookup::NameField, QStringLiteral("张\n"), {}},
        {0, QStringLiteral("short"), {4}},
        {1, QStringLiteral("row"), {4}},
    };
    RecipientLookup lookup;
    for (const Case &c : cases)
        EXPECT_EQ(lookup.find(kBook, c.field, c.text), c.rows) << c.field << " " << c.text.toStdString();
}

TEST(RecipientLookupTest, ItemsNumberRowsFromOne)
{
    RecipientLookup lookup;
    EXPECT_EQ(lookup.search(kBook, RecipientLookup::UnitField, QStringLiteral("京")),
        (QStringList {
            QStringLiteral("1,张三,zs,北京华东贸易,010-6234"), QStringLiteral("3,王 五,WX,南京分公司,025-8888")}));
    EXPECT_EQ(RecipientLookup::itemText(QStringLiteral("short,row"), 4), QStringLiteral("5,,,,"));
}

TEST(RecipientLookupTest, FollowsChangesToTheBook)
{
    RecipientLookup lookup;
    QStringList book = kBook;
    EXPECT_EQ(lookup.find(book, RecipientLookup::NameField, QStringLiteral("七")), QList<int> {});
    book.append(row(QStringLiteral("新单位"), QStringLiteral("孙七"), QString()));
    EXPECT_EQ(lookup.find(book, RecipientLookup::NameField, QStringLiteral("七")), QList<int> {5});
    book[0] = row(QStringLiteral("北京"), QStringLiteral("七号"), QString());
    EXPECT_EQ(lookup.search(book, RecipientLookup::NameField, QStringLiteral("七")),
        (QStringList {QStringLiteral("1,七号,,北京,"), QStringLiteral("6,孙七,,新单位,")}));
    book = QStringList {row(QStringLiteral("A"), QStringLiteral("B"), QString())};
    EXPECT_EQ(
        lookup.search(book, RecipientLookup::NameField, QStringLiteral("B")), QStringList {QStringLiteral("1,B,,A,")});
}

TEST(RecipientLookupTest, RowNumbersAndItems)
{
    for (const auto &[text, count, index] : {std::tuple {QStringLiteral("2"), 3, 1}, {QStringLiteral("3"), 3, 2},
             {QStringLiteral("4"), 3, -1}, {QStringLiteral("0"), 3, -1}, {QStringLiteral("02"), 3, 1},
             {QStringLiteral(" 2"), 3, -1}, {QStringLiteral("2a"), 3, -1}, {QStringLiteral("-1"), 3, -1},
             {QString(), 3, -1}, {QStringLiteral("99999999999"), 3, -1}})
        EXPECT_EQ(RecipientLookup::typedRowNumber(text, count), index) << text.toStdString();

    EXPECT_EQ(RecipientLookup::rowOfItem(QStringLiteral("12,张三,,,")), 11);
    EXPECT_EQ(RecipientLookup::rowOfItem(QStringLiteral("x,张三")), -1);
    EXPECT_TRUE(RecipientLookup::blank(QStringLiteral("   ")));
    EXPECT_TRUE(RecipientLookup::blank(QString()));
    EXPECT_FALSE(RecipientLookup::blank(QStringLiteral(" 京 ")));
}

TEST(RecipientLookupTest, WidestCandidatesCountWideCharactersDouble)
{
    const QStringList items {QStringLiteral("1,abcdef"), QStringLiteral("2,北京北京"), QStringLiteral("3,ab")};
    EXPECT_EQ(RecipientLookup::widestCandidates(items, 1), QList<int> {1});
    EXPECT_EQ(RecipientLookup::widestCandidates(items, 10).size(), 3);
}
