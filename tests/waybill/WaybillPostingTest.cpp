#include "waybill/WaybillPosting.h"
#include "context/AppContext.h"
#include "storage/Codec.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillLog.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QString kTemplate = QStringLiteral("顺丰");
const QDateTime kNow(QDate(2026, 12, 8), QTime(9, 30, 0));

class WaybillPostingTest : public ::testing::Test
{
protected:
    WaybillPostingTest()
    {
        QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
        QDir().mkpath(dir.file(QStringLiteral("打印记录")));
        dir.write(QStringLiteral("收件单位.TXT"), Codec::encode(QStringLiteral(",,,,,,,,甲公司,,张三\r\n")));
        context.loadAddressBooks();
    }

    FieldValues waybill(const QString &name, const QString &unit) const
    {
        return {{QStringLiteral("CmbLetterSelect"), kTemplate}, {QStringLiteral("EdtEmsNo"), QStringLiteral("SF0099")},
            {QStringLiteral("CmbSjrMc"), name}, {QStringLiteral("CmbSjdwMc"), unit},
            {QStringLiteral("EdtSjDwDz"), QStringLiteral("湖滨路 8号")},
            {QStringLiteral("ChbSelect2"), QStringLiteral("1")}};
    }

    QStringList log() const { return TextTable::load(WaybillLog::path(Paths(dir.path()), 2026)); }

    TempDir dir;
    AppContext context {Paths(dir.path())};
};

} // namespace

TEST_F(WaybillPostingTest, NewRecipientLogLineAndNextNumberAreKept)
{
    TemplateSettings(Paths(dir.path()), kTemplate).setMarkerName(1, 2, QStringLiteral("上门"));
    const WaybillPosting::Result result
        = WaybillPosting::afterPrint(context, waybill(QStringLiteral("李四"), QString()), kNow);
    EXPECT_TRUE(result.ok()) << result.failed.join(u'\n').toStdString();
    EXPECT_EQ(result.printedNumber, QStringLiteral("SF0099"));
    EXPECT_EQ(result.nextNumber, QStringLiteral("SF0100"));
    EXPECT_TRUE(result.numberSaved);
    EXPECT_EQ(result.newRecipient, QStringLiteral(",,,,,,,湖滨路8号,,,李四,,,,,,,,,,,"));
    EXPECT_EQ(result.saved,
        (QStringList {QStringLiteral("收件单位.TXT"), QStringLiteral("打印记录/快递打印记录2026.txt"),
            QStringLiteral("顺丰.INI")}));

    EXPECT_EQ(context.recipients().size(), 2);
    EXPECT_EQ(context.recipientNames(), (QStringList {QStringLiteral("张三"), QStringLiteral("李四")}));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 2);
    EXPECT_EQ(TemplateSettings(Paths(dir.path()), kTemplate).waybillNumber(), QStringLiteral("SF0100"));

    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(TextTable::field(lines.first(), 4), QStringLiteral("SF0099"));
    EXPECT_EQ(TextTable::field(lines.first(), 7), QStringLiteral("李四"));
    EXPECT_EQ(TextTable::field(lines.first(), 17), QStringLiteral("上门")); // the marker as the template names it
}

TEST_F(WaybillPostingTest, AKnownRecipientIsNotAddedAgain)
{
    const WaybillPosting::Result result
        = WaybillPosting::afterPrint(context, waybill(QStringLiteral("张三"), QStringLiteral("甲公司")), kNow);
    EXPECT_TRUE(result.newRecipient.isEmpty());
    EXPECT_EQ(context.recipients().size(), 1);
    EXPECT_EQ(log().size(), 1);
}

// The book stores "张 三" as "张三": the same recipient typed with blanks
// again and again is added once.
TEST_F(WaybillPostingTest, ARecipientTypedWithBlanksIsAddedOnce)
{
    for (int i = 0; i < 3; ++i)
        WaybillPosting::afterPrint(context, waybill(QStringLiteral("李 四"), QStringLiteral("乙 公司")), kNow);
    EXPECT_EQ(context.recipientNames(), (QStringList {QStringLiteral("张三"), QStringLiteral("李四")}));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 2);
    EXPECT_TRUE(WaybillPosting::afterPrint(context, waybill(QStringLiteral("张 三"), QStringLiteral("甲 公司")), kNow)
                    .newRecipient.isEmpty());
    EXPECT_EQ(log().size(), 4);
}

// The waybill is on paper: a recipient book that cannot be written costs
// neither the log line nor the next number.
TEST_F(WaybillPostingTest, AFailedStepLeavesTheOthersDone)
{
    QFile::remove(dir.file(QStringLiteral("收件单位.TXT")));
    QDir().mkpath(dir.file(QStringLiteral("收件单位.TXT"))); // a folder where the book should be
    const WaybillPosting::Result result
        = WaybillPosting::afterPrint(context, waybill(QStringLiteral("王五"), QString()), kNow);
    ASSERT_EQ(result.failed.size(), 1);
    EXPECT_TRUE(result.newRecipient.isEmpty());
    EXPECT_EQ(context.recipients().size(), 1); // the book in memory stays as the file was
    EXPECT_EQ(log().size(), 1);
    EXPECT_TRUE(result.numberSaved);
    EXPECT_EQ(TemplateSettings(Paths(dir.path()), kTemplate).waybillNumber(), QStringLiteral("SF0100"));
}

TEST_F(WaybillPostingTest, NewGoodsDescriptionJoinsOnlyALoadedList)
{
    FieldValues values = waybill(QStringLiteral("张三"), QStringLiteral("甲公司"));
    values.insert(QStringLiteral("CmbLetterWP"), QStringLiteral("茶叶"));
    WaybillPosting::afterPrint(context, values, kNow);
    EXPECT_FALSE(dir.exists(QStringLiteral("信函物品.TXT")));

    context.loadPickList(10);
    WaybillPosting::afterPrint(context, values, kNow);
    EXPECT_EQ(
        context.pickList(10), (QStringList {QStringLiteral("书籍"), QStringLiteral("光盘"), QStringLiteral("茶叶")}));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("信函物品.TXT"))), context.pickList(10));
    WaybillPosting::afterPrint(context, values, kNow);
    EXPECT_EQ(context.pickList(10).size(), 3);
}
