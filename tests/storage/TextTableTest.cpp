#include "storage/TextTable.h"
#include "forms/DocumentNumber.h"
#include "storage/Codec.h"
#include "storage/IoError.h"
#include "support/TempDir.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
namespace TT = Slipdesk::TextTable;

QStringList list(std::initializer_list<const char16_t *> values)
{
    QStringList result;
    for (const char16_t *v : values)
        result.append(QString::fromUtf16(v));
    return result;
}

// ---- fields of a row ------------------------------------------------------

TEST(TextTableFields, FieldByIndex)
{
    struct Case
    {
        const char16_t *row;
        int index;
        const char16_t *field;
    };
    const Case cases[] = {
        {u"a,,c", 0, u"a"},
        {u"a,,c", 1, u""},
        {u"a,,c", 2, u"c"},
        {u"a,,c", 3, u""}, // beyond the end
        {u"a,,c", -1, u""},
        {u"", 0, u""},
        {u"abc", 0, u"abc"},
        {u" a , b ", 1, u" b "}, // no trimming
        {u"a,b,", 2, u""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.row).toStdString() + " #" + std::to_string(c.index));
        EXPECT_EQ(TT::field(QString::fromUtf16(c.row), c.index), QString::fromUtf16(c.field));
    }
    EXPECT_EQ(TT::field(u"a|b,c|d", 1, u'|'), u"b,c");
}

TEST(TextTableFields, FieldCount)
{
    const QString recipient
        = QStringLiteral("0,个人,0001,310000,上海市,上海市,浦东新区,张江路100弄,某某公司,采购部,张三,先生,收,"
                         "021-12345678,,,13812345678,nick,13812345678,a@b.com,c@d.com,qq123,x");
    ASSERT_EQ(recipient.count(u','), 22);
    EXPECT_EQ(TT::fieldCount(recipient), 23);
    EXPECT_EQ(TT::fieldCount(QString(22, u',')), 23);
    EXPECT_EQ(TT::fieldCount(u""), 0);
    EXPECT_EQ(TT::fieldCount(u" \t\r\n"), 0);
    EXPECT_EQ(TT::fieldCount(u"a"), 1);
    EXPECT_EQ(TT::fieldCount(u"\t a,b \r\n"), 2);
    EXPECT_EQ(TT::fieldCount(u"a||b||c", u"||"), 3);
}

TEST(TextTableFields, SetFieldPadsShortRows)
{
    EXPECT_EQ(TT::setField(u"a,b", 1, u"x"), u"a,x");
    EXPECT_EQ(TT::setField(u"a", 3, u"x"), u"a,,,x");
    EXPECT_EQ(TT::setField(u"", 0, u"x"), u"x");
    EXPECT_EQ(TT::setField(u"a,b,c", 1, u""), u"a,,c");
    EXPECT_EQ(TT::setField(u"a|b", 2, u"c", u'|'), u"a|b|c");
}

TEST(TextTableFields, CleaningRemovesCommasFromValuesAndBlanksFromRows)
{
    EXPECT_EQ(TT::cleanValue(QStringLiteral("1,200")), u"1200");
    const QString row
        = TT::cleanValue(QStringLiteral("张三")) + u',' + TT::cleanValue(QStringLiteral("上海 浦东,张江"));
    EXPECT_EQ(TT::cleanRow(row), u"张三,上海浦东张江");
    EXPECT_EQ(TT::fieldCount(TT::cleanRow(row)), 2);
}

// ---- the comma-text rule -----------------------------------------------------

TEST(CommaText, SplitsLikeTheDesktopRule)
{
    struct Case
    {
        const char16_t *text;
        QStringList fields;
    };
    const Case cases[] = {
        {u"", {}},
        {u"   ", {}},
        {u"a,,b", list({u"a", u"", u"b"})},
        {u"a,", list({u"a", u""})},
        {u",a", list({u"", u"a"})},
        {u",", list({u"", u""})},
        {u"a, ", list({u"a"})}, // a separator followed by blanks adds nothing
        {u"  a , b  ", list({u"a", u"b"})}, // blanks around fields are skipped
        {u"a b", list({u"a", u"b"})}, // an unquoted field ends at a blank
        {u"a\tb", list({u"a", u"b"})},
        {u"\"a b\",c", list({u"a b", u"c"})},
        {u"\"say \"\"hi\"\"\",x", list({u"say \"hi\"", u"x"})},
        {u"\"\"", list({u""})},
        {u"\"a,b\"", list({u"a,b"})},
        {u"\"ab\"cd,e", list({u"ab", u"cd", u"e"})},
        {u"\"open", list({u"open"})}, // unterminated quote: the rest of the text
        {u"1,信函号码,打印,100,200", list({u"1", u"信函号码", u"打印", u"100", u"200"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(TT::splitCommaText(QString::fromUtf16(c.text)), c.fields);
    }
}

TEST(CommaText, JoinsQuotingOnlyWhereNeeded)
{
    EXPECT_EQ(TT::joinCommaText({}), u"");
    EXPECT_EQ(TT::joinCommaText(list({u""})), u"\"\"");
    EXPECT_EQ(TT::joinCommaText(list({u"a", u""})), u"a,");
    EXPECT_EQ(TT::joinCommaText(list({u"a b", u"c\"d", u"e,f", u"g", u"宋体"})), u"\"a b\",\"c\"\"d\",\"e,f\",g,宋体");
}

TEST(CommaText, JoinThenSplitGivesTheValuesBack)
{
    const QStringList samples[] = {
        list({u""}),
        list({u"", u""}),
        list({u"", u"a", u""}),
        list({u"a b", u" lead", u"trail ", u"\"", u",", u"x\ty"}),
        list({u"1", u"收件人", u"打印", u"1200", u"300", u"1600", u"0", u"12", u"宋体", u"是", u"0"}),
    };
    for (const QStringList &values : samples) {
        SCOPED_TRACE(values.join(u'|').toStdString());
        EXPECT_EQ(TT::splitCommaText(TT::joinCommaText(values)), values);
    }
}

// ---- number advance ----------------------------------------------------------

TEST(AdvanceNumber, TrailingDigitRunPlusOne)
{
    struct Case
    {
        const char16_t *from;
        const char16_t *to;
    };
    const Case cases[] = {
        {u"CK000001", u"CK000002"},
        {u"A99", u"A100"},
        {u"SF0999", u"SF1000"},
        {u"ABC", u"ABC"},
        {u"000", u"001"},
        {u"RK000009", u"RK000010"},
        {u"12A12", u"12A13"},
        {u"", u""},
        {u"9", u"10"},
        {u"快递0099", u"快递0100"},
        {u"9223372036854775807", u"9223372036854775808"}, // past 64-bit signed
        {u"X99999999999999999999", u"X100000000000000000000"}, // past any 64-bit value
        {u"N00000000000000000000000001", u"N00000000000000000000000002"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.from).toStdString());
        EXPECT_EQ(advanceNumber(QString::fromUtf16(c.from)), QString::fromUtf16(c.to));
    }
}

// ---- files -------------------------------------------------------------------

TEST(TextTableFiles, MissingFileGivesDefaultsAndCreatesNothing)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("计量单位.txt"));
    EXPECT_EQ(TT::load(path, QStringLiteral("件\r\n个\r\n套")), list({u"件", u"个", u"套"}));
    EXPECT_EQ(TT::load(path), QStringList());
    EXPECT_EQ(TT::loadList(path), QString());
    EXPECT_FALSE(dir.exists(QStringLiteral("计量单位.txt")));
}

TEST(TextTableFiles, ReadsCrLfAndLoneLfOrCr)
{
    struct Case
    {
        const char *bytes;
        QStringList rows;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", list({u"a", u"b"})},
        {"a\r\nb", list({u"a", u"b"})},
        {"a\nb\n", list({u"a", u"b"})},
        {"a\rb\r", list({u"a", u"b"})}, // a lone CR ends a line as well
        {"a\r\n\r\nb\r\n", list({u"a", u"", u"b"})},
        {"a\r\n\r\n", list({u"a", u""})},
        {"\r\n", list({u""})},
        {"", {}},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(QByteArray(c.bytes).toHex().toStdString());
        dir.write(QStringLiteral("t.txt"), c.bytes);
        EXPECT_EQ(TT::load(dir.file(QStringLiteral("t.txt"))), c.rows);
    }
}

TEST(TextTableFiles, SaveWritesCrLfAndReplacesTheWholeFile)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("商品资料.TXT"));
    TT::save(path, list({u"0001,苹果,个", u"0002,梨,个", u"0003,桃,个"}));
    TT::save(path, list({u"a", u"b"}));
    EXPECT_EQ(dir.read(QStringLiteral("商品资料.TXT")), QByteArray("a\r\nb\r\n"));
    TT::save(path, {});
    EXPECT_TRUE(dir.exists(QStringLiteral("商品资料.TXT")));
    EXPECT_EQ(dir.read(QStringLiteral("商品资料.TXT")), QByteArray());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("商品资料.TXT")})
        << "a temporary file was left behind";
}

TEST(TextTableFiles, SaveAndAppendCreateAMissingFolder)
{
    TempDir dir;
    TT::save(dir.file(QStringLiteral("批打数据/快递批量打印数据.txt")), list({u"a"}));
    TT::appendRow(dir.file(QStringLiteral("打印记录/快递打印记录2024.txt")), QStringLiteral("b"));
    EXPECT_EQ(dir.read(QStringLiteral("批打数据/快递批量打印数据.txt")), QByteArray("a\r\n"));
    EXPECT_EQ(dir.read(QStringLiteral("打印记录/快递打印记录2024.txt")), QByteArray("b\r\n"));
}

TEST(TextTableFiles, AppendAddsRowsAndIgnoresAnEmptyOne)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("收件单位.TXT"));
    TT::appendRow(path, QString());
    EXPECT_FALSE(dir.exists(QStringLiteral("收件单位.TXT")));
    TT::appendRow(path, QStringLiteral("r1"));
    TT::appendRow(path, QString());
    TT::appendRow(path, QStringLiteral("r2"));
    EXPECT_EQ(dir.read(QStringLiteral("收件单位.TXT")), QByteArray("r1\r\nr2\r\n"));

    // A last row without its line break (cut off, or edited by hand) is not
    // glued to the new one.
    dir.write(QStringLiteral("cut.txt"), "r1\r\nr2-cut");
    TT::appendRow(dir.file(QStringLiteral("cut.txt")), QStringLiteral("r3"));
    EXPECT_EQ(dir.read(QStringLiteral("cut.txt")), QByteArray("r1\r\nr2-cut\r\nr3\r\n"));
    dir.write(QStringLiteral("lf.txt"), "r1\n");
    TT::appendRow(dir.file(QStringLiteral("lf.txt")), QStringLiteral("r2"));
    EXPECT_EQ(dir.read(QStringLiteral("lf.txt")), QByteArray("r1\nr2\r\n"));
}

TEST(TextTableFiles, NameOutsideGbkSurvivesAppendLoadAndSave)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("收件单位.TXT"));
    const QString row = QStringLiteral("0,个人,0001,310000,上海市,上海市,浦东新区,张江路1号,,采购部,张𠮷䶮,先生,收");
    TT::appendRow(path, row);
    const QByteArray onDisk = dir.read(QStringLiteral("收件单位.TXT"));
    EXPECT_EQ(onDisk, Codec::encode(row) + "\r\n");
    EXPECT_TRUE(onDisk.contains(QByteArray::fromHex("d5c59534b235"))) << "张𠮷 in GB18030";
    const QStringList rows = TT::load(path);
    ASSERT_EQ(rows, QStringList {row});
    TT::save(path, rows);
    EXPECT_EQ(dir.read(QStringLiteral("收件单位.TXT")), onDisk);
}

TEST(TextTableFiles, OneColumnLists)
{
    TempDir dir;
    dir.write(QStringLiteral("计量单位.txt"), Codec::encode(u"件\n个"));
    EXPECT_EQ(TT::loadList(dir.file(QStringLiteral("计量单位.txt"))), u"件\r\n个\r\n");

    const QString path = dir.file(QStringLiteral("出库备注.Txt"));
    TT::writeList(path, QString());
    EXPECT_FALSE(dir.exists(QStringLiteral("出库备注.Txt")));
    TT::writeList(path, QStringLiteral("出库备注1\r\n出库备注2"));
    EXPECT_EQ(dir.read(QStringLiteral("出库备注.Txt")), Codec::encode(u"出库备注1\r\n出库备注2"));
}

TEST(TextTableFiles, FileSystemFailuresThrowNamingTheFile)
{
    TempDir dir;
    dir.write(QStringLiteral("plain"), "x");
    dir.write(QStringLiteral("folder/inside"), "x");
    const auto expectIoError = [](const std::function<void()> &action, const QString &name) {
        try {
            action();
            ADD_FAILURE() << "no IoError for " << name.toStdString();
        } catch (const IoError &e) {
            EXPECT_TRUE(e.message().contains(name)) << e.message().toStdString();
        }
    };
    // A folder where a file should be, and a file where a folder should be.
    expectIoError([&] { TT::load(dir.file(QStringLiteral("folder"))); }, QStringLiteral("folder"));
    expectIoError(
        [&] { TT::save(dir.file(QStringLiteral("folder")), {QStringLiteral("a")}); }, QStringLiteral("folder"));
    expectIoError(
        [&] { TT::appendRow(dir.file(QStringLiteral("folder")), QStringLiteral("a")); }, QStringLiteral("folder"));
    expectIoError(
        [&] { TT::save(dir.file(QStringLiteral("plain/t.txt")), {QStringLiteral("a")}); }, QStringLiteral("plain"));
    EXPECT_EQ(dir.read(QStringLiteral("plain")), QByteArray("x"));
}

} // namespace
