#include "context/AppContext.h"
#include "storage/Codec.h"
#include "storage/IoError.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(AppContext, BooksStartFromTheirSamplesAndSayWhenTheyChange)
{
    TempDir dir;
    AppContext context {Paths(dir.path())};
    QSignalSpy loaded(&context, &AppContext::addressBooksLoaded);
    QSignalSpy appended(&context, &AppContext::recipientAppended);
    context.loadAddressBooks();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(context.recipients().size(), 2);
    EXPECT_EQ(context.senders().size(), 2);
    EXPECT_FALSE(dir.exists(QStringLiteral("收件单位.TXT")));

    const QString row = QStringLiteral(",,,,,,,,新单位,,新人");
    context.appendRecipient(row);
    ASSERT_EQ(appended.size(), 1);
    EXPECT_EQ(context.recipientNames().last(), QStringLiteral("新人"));
    EXPECT_EQ(context.recipientUnits().last(), QStringLiteral("新单位"));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))), QStringList {row});

    // A book that cannot be written stays as it is, and nobody is told of a row.
    QFile::remove(dir.file(QStringLiteral("收件单位.TXT")));
    QDir().mkpath(dir.file(QStringLiteral("收件单位.TXT")));
    EXPECT_THROW(context.appendRecipient(QStringLiteral(",,,,,,,,,,又一人")), IoError);
    EXPECT_EQ(context.recipients().size(), 3);
    EXPECT_EQ(appended.size(), 1);
}

TEST(AppContext, APickListEntryIsKeptOnlyWhenWritten)
{
    TempDir dir;
    AppContext context {Paths(dir.path())};
    context.addToPickList(11, QStringLiteral("轻放"));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("信函留言.TXT"))),
        (QStringList {QStringLiteral("请查收"), QStringLiteral("请收件后回复"), QStringLiteral("轻放")}));

    QFile::remove(dir.file(QStringLiteral("信函留言.TXT")));
    QDir().mkpath(dir.file(QStringLiteral("信函留言.TXT")));
    EXPECT_THROW(context.addToPickList(11, QStringLiteral("易碎")), IoError);
    EXPECT_FALSE(context.pickList(11).contains(QStringLiteral("易碎")));
}

TEST(AppContext, GoodsMasterLoadsOnFirstUseAndFindsCodesIgnoringCase)
{
    TempDir dir;
    dir.write(QStringLiteral("商品资料.TXT"),
        Codec::encode(QStringLiteral("ab01,茶杯,个,1\r\nAB01,重复,个,2\r\nx9,杯垫,个,3\r\n")));
    AppContext context {Paths(dir.path())};
    QSignalSpy loaded(&context, &AppContext::goodsLoaded);
    EXPECT_FALSE(context.goods().isLoaded());
    context.ensureGoods();
    context.ensureGoods();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(context.goods().size(), 3);
    EXPECT_EQ(context.goods().find(QStringLiteral("Ab01")), 0); // the first of two lines
    EXPECT_EQ(context.goods().find(QStringLiteral("X9")), 2);
    EXPECT_EQ(context.goods().find(QStringLiteral("x")), -1);

    TempDir empty;
    AppContext fresh {Paths(empty.path())};
    fresh.ensureGoods();
    EXPECT_EQ(fresh.goods().rows(), GoodsMaster::samples());
    EXPECT_EQ(fresh.goods().find(QStringLiteral("0102")), 1);
}
