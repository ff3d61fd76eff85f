#include "waybill/AddressBook.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(AddressBookRowTest, BuildRowCleansValuesAndTheWholeRow)
{
    struct Case
    {
        QStringList values;
        QString row;
    };
    const QList<Case> cases {
        {{QStringLiteral("上海 浦东,张江"), QStringLiteral("王 五")}, QStringLiteral("上海浦东张江,王五")},
        {{QStringLiteral("a,b,c"), QString(), QStringLiteral("d")}, QStringLiteral("abc,,d")},
        // A pasted line break would split the stored row in two.
        {{QStringLiteral("一行\r\n两行"), QStringLiteral("x\ny")}, QStringLiteral("一行两行,xy")},
        {{QString(), QString()}, QStringLiteral(",")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AddressBook::buildRow(c.values), c.row) << c.row.toStdString();
}

TEST(AddressBookRowTest, NewnessRule)
{
    const QStringList names {QStringLiteral("张三"), QStringLiteral("李四")};
    const QStringList units {QStringLiteral("甲公司"), QStringLiteral("乙公司")};
    struct Case
    {
        QString name;
        QString unit;
        bool isNew;
    };
    const QList<Case> cases {
        {QStringLiteral("张三"), QStringLiteral("甲公司"), false},
        {QStringLiteral("张三"), QStringLiteral("乙公司"), false}, // both known, in different rows
        {QStringLiteral("张三"), QStringLiteral("丙公司"), true},
        {QStringLiteral("王五"), QStringLiteral("甲公司"), true},
        {QString(), QString(), false},
        {QStringLiteral(" , "), QStringLiteral(" "), false}, // nothing left once cleaned
        {QString(), QStringLiteral("丙公司"), true},
        // Compared as the book stores them: "张 三" is the book's "张三".
        {QStringLiteral("张 三"), QStringLiteral("甲公司"), false},
        {QStringLiteral("张,三\n"), QStringLiteral("甲公司"), false},
        {QString(), QStringLiteral("乙 公司"), false},
        {QStringLiteral("张 四"), QStringLiteral("甲公司"), true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AddressBook::isNewRecipient(c.name, names, c.unit, units), c.isNew)
            << c.name.toStdString() << "/" << c.unit.toStdString();
    EXPECT_EQ(AddressBook::storedName(QStringLiteral(" 张 三,\r\n")), QStringLiteral("张三"));
    // A name edited into the book by hand with a blank is still known.
    EXPECT_TRUE(AddressBook::holdsName({QStringLiteral("王 五")}, QStringLiteral("王五")));
    EXPECT_FALSE(AddressBook::holdsName({QStringLiteral("王 五")}, QStringLiteral("王")));
}

TEST(AddressBookRowTest, ControlListsFollowTheColumns)
{
    EXPECT_EQ(AddressBook::recipientControls().size(), 22);
    EXPECT_EQ(AddressBook::recipientControls().at(AddressBook::RecipientUnitField), QStringLiteral("CmbSjdwMc"));
    EXPECT_EQ(AddressBook::recipientControls().at(AddressBook::RecipientNameField), QStringLiteral("CmbSjrMc"));
    EXPECT_EQ(AddressBook::senderControls().size(), 21);
    EXPECT_EQ(AddressBook::senderControls().at(AddressBook::SenderUnitField), QStringLiteral("CmbJjDwMc"));
    EXPECT_EQ(AddressBook::senderControls().at(AddressBook::SenderNameField), QStringLiteral("CmbJjrMc"));
    for (int code = 7; code <= 11; ++code)
        ASSERT_NE(AddressBook::pickListOfCode(code), nullptr) << code;
    EXPECT_EQ(AddressBook::pickListOfCombo(QStringLiteral("CmbSjrSy"))->defaultText, QStringLiteral("收\r\n启"));
}
