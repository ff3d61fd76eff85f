#include "storage/IniFile.h"
#include "storage/Codec.h"
#include "storage/IoError.h"
#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

class IniFileTest : public ::testing::Test
{
protected:
    void put(const QString &text) { m_dir.write(QStringLiteral("SlipdeskPosts.INI"), Codec::encode(text)); }
    QString onDisk() const { return Codec::decode(m_dir.read(QStringLiteral("SlipdeskPosts.INI"))); }

    TempDir m_dir;
    IniFile m_ini {m_dir.file(QStringLiteral("SlipdeskPosts.INI"))};
};

TEST_F(IniFileTest, MissingFileReadsAsDefaultsAndIsNotCreated)
{
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"卖家留言"_s, u"默认"_s), u"默认");
    EXPECT_EQ(m_ini.readInteger(u"Main"_s, u"最后模版"_s, 7), 7);
    EXPECT_TRUE(m_ini.readBool(u"Main"_s, u"快递是否共用地址"_s, true));
    EXPECT_FALSE(m_ini.valueExists(u"Main"_s, u"最后模版"_s));
    EXPECT_FALSE(m_ini.sectionExists(u"Main"_s));
    EXPECT_TRUE(m_ini.readSectionKeys(u"Main"_s).isEmpty());
    m_ini.deleteKey(u"Main"_s, u"计量单位"_s);
    m_ini.eraseSection(u"Main"_s);
    EXPECT_FALSE(m_dir.exists(u"SlipdeskPosts.INI"_s));
}

TEST_F(IniFileTest, FirstWriteCreatesFolderAndGb18030CrLfFile)
{
    IniFile ini(m_dir.file(u"用户信函模版/默认B6国内信封.INI"_s));
    ini.writeString(u"打印设备"_s, u"信函经办人"_s, u"张𠮷"_s);
    ini.writeInteger(u"打印设备"_s, u"进纸方向"_s, 1);
    EXPECT_EQ(m_dir.read(u"用户信函模版/默认B6国内信封.INI"_s),
        Codec::encode(u"[打印设备]\r\n信函经办人=张𠮷\r\n进纸方向=1\r\n"));
    EXPECT_EQ(ini.readString(u"打印设备"_s, u"信函经办人"_s), u"张𠮷");
}

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreAsciiCase)
{
    put(u"[MAIN]\r\nLastKey=1\r\n"_s);
    EXPECT_EQ(m_ini.readInteger(u"main"_s, u"LASTKEY"_s), 1);
    EXPECT_TRUE(m_ini.valueExists(u"Main"_s, u"lastkey"_s));
    m_ini.writeInteger(u"main"_s, u"lastKEY"_s, 2);
    EXPECT_EQ(onDisk(), u"[MAIN]\r\nLastKey=2\r\n") << "the existing line is rewritten in place";
}

TEST_F(IniFileTest, BooleansAreWrittenOneZeroAndReadAsAnyNonZero)
{
    m_ini.writeBool(u"Main"_s, u"a"_s, true);
    m_ini.writeBool(u"Main"_s, u"b"_s, false);
    EXPECT_EQ(onDisk(), u"[Main]\r\na=1\r\nb=0\r\n");
    struct Case
    {
        const char16_t *stored;
        bool def;
        bool read;
    };
    const Case cases[] = {
        {u"1", false, true},
        {u"0", true, false},
        {u"5", false, true},
        {u"-1", false, true},
        {u"true", false, false},
        {u"true", true, true},
        {u"", true, true},
        {u"", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.stored).toStdString());
        put(u"[Main]\r\nflag="_s + QString::fromUtf16(c.stored) + u"\r\n"_s);
        EXPECT_EQ(m_ini.readBool(u"Main"_s, u"flag"_s, c.def), c.read);
    }
}

TEST_F(IniFileTest, IntegersParseLikeTheDesktopApi)
{
    struct Case
    {
        const char16_t *stored;
        int read;
    };
    const int def = -99;
    const Case cases[] = {
        {u"42", 42}, {u"  42  ", 42}, {u"-7", -7}, {u"+7", 7}, {u"0x1F", 31}, {u"0X10", 16}, {u"$10", 16},
        {u"0xFFFFFFFF", -1}, {u"2147483647", 2147483647}, {u"-2147483648", INT_MIN}, {u"2147483648", def},
        {u"12abc", def}, {u"abc", def}, {u"", def}, {u"0x", def}, {u"1 2", def},
        {u"１２", def}, // full-width digits are not a number
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.stored).toStdString());
        put(u"[Main]\r\nn="_s + QString::fromUtf16(c.stored) + u"\r\n"_s);
        EXPECT_EQ(m_ini.readInteger(u"Main"_s, u"n"_s, def), c.read);
    }
}

TEST_F(IniFileTest, ValuesAreTrimmedAndUnquoted)
{
    put(u"[Main]\r\n  key one =  value with  blanks  \r\nq=\"  quoted  \"\r\nh='x'\r\nhalf=\"x\r\nfirst=1\r\nfirst=2\r\n"_s);
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"key one"_s), u"value with  blanks");
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"q"_s), u"  quoted  ");
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"h"_s), u"x");
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"half"_s), u"\"x");
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"first"_s), u"1") << "the first of two equal keys counts";
    EXPECT_EQ(m_ini.readSectionKeys(u"Main"_s),
        (QStringList {u"key one"_s, u"q"_s, u"h"_s, u"half"_s, u"first"_s, u"first"_s}));
}

TEST_F(IniFileTest, AcceptsLoneLfAndWritesCrLf)
{
    put(u"[Main]\nA=1\n\n[Other]\nB=2\n"_s);
    EXPECT_EQ(m_ini.readInteger(u"Other"_s, u"B"_s), 2);
    m_ini.writeInteger(u"Main"_s, u"A"_s, 3);
    EXPECT_EQ(onDisk(), u"[Main]\r\nA=3\r\n\r\n[Other]\r\nB=2\r\n");
}

TEST_F(IniFileTest, WritesKeepEverythingElseInPlace)
{
    put(u"; 程序设置\r\n"
        "[Main]\r\n"
        "最后模版=0\r\n"
        "; 用户的注释\r\n"
        "Unknown = kept as is \r\n"
        "\r\n"
        "[信函快递单模版列表]\r\n"
        "模版总数=1\r\n"
        "模版1=默认B6国内信封\r\n"
        "\r\n"
        "[Foreign]\r\n"
        "x=1\r\n"_s);
    m_ini.writeInteger(u"Main"_s, u"最后模版"_s, 2); // existing key: in place
    m_ini.writeBool(u"Main"_s, u"自动感应复制操作"_s, true); // new key: end of its section
    m_ini.writeString(u"打印设备"_s, u"打印机"_s, u"HP"_s); // new section: end of file
    m_ini.deleteKey(u"信函快递单模版列表"_s, u"模版1"_s);
    EXPECT_EQ(onDisk(),
        u"; 程序设置\r\n"
        "[Main]\r\n"
        "最后模版=2\r\n"
        "; 用户的注释\r\n"
        "Unknown = kept as is \r\n"
        "自动感应复制操作=1\r\n"
        "\r\n"
        "[信函快递单模版列表]\r\n"
        "模版总数=1\r\n"
        "\r\n"
        "[Foreign]\r\n"
        "x=1\r\n"
        "[打印设备]\r\n"
        "打印机=HP\r\n");
    m_ini.eraseSection(u"信函快递单模版列表"_s);
    EXPECT_FALSE(onDisk().contains(u"模版总数"_s));
    EXPECT_TRUE(onDisk().contains(u"[Foreign]\r\nx=1\r\n"_s));
}

TEST_F(IniFileTest, SeveralValuesInOneWrite)
{
    put(u"[L]\r\n模版总数=3\r\n模版1=a\r\n模版2=b\r\n模版3=c\r\n"_s);
    m_ini.writeValues(u"L"_s, {{u"模版总数"_s, u"1"_s}, {u"模版1"_s, u"x"_s}}, {u"模版2"_s, u"模版3"_s});
    EXPECT_EQ(onDisk(), u"[L]\r\n模版总数=1\r\n模版1=x\r\n");
    EXPECT_EQ(m_ini.readStrings(u"L"_s, {u"模版1"_s, u"模版2"_s}, u"?"_s), (QStringList {u"x"_s, u"?"_s}));
}

TEST_F(IniFileTest, SectionExistsOnlyWithKeys)
{
    put(u"[Empty]\r\n; nothing\r\n[Full]\r\nk=\r\n"_s);
    EXPECT_FALSE(m_ini.sectionExists(u"Empty"_s));
    EXPECT_TRUE(m_ini.sectionExists(u"full"_s));
    EXPECT_TRUE(m_ini.valueExists(u"Full"_s, u"k"_s));
    EXPECT_EQ(m_ini.readString(u"Full"_s, u"k"_s, u"def"_s), u"") << "an empty value is not a missing one";
}

TEST_F(IniFileTest, ALineBreakInAValueCannotBreakTheFile)
{
    m_ini.writeString(u"Main"_s, u"卖家留言"_s, u"第一行\r\n[Main]\nx=1"_s);
    EXPECT_EQ(m_ini.readSectionKeys(u"Main"_s), QStringList {u"卖家留言"_s});
    EXPECT_EQ(m_ini.readString(u"Main"_s, u"卖家留言"_s), u"第一行 [Main] x=1");
}

TEST_F(IniFileTest, RewriteIsAtomicAndFailureKeepsTheOldFile)
{
    put(u"[Main]\r\na=1\r\n"_s);
    m_ini.writeInteger(u"Main"_s, u"a"_s, 2);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList {u"SlipdeskPosts.INI"_s})
        << "a temporary file was left behind";
    // The settings file's name taken by a folder: the write fails loudly.
    IniFile blocked(m_dir.file(u"blocked"_s));
    QDir().mkpath(m_dir.file(u"blocked"_s));
    EXPECT_THROW(blocked.writeInteger(u"Main"_s, u"a"_s, 1), IoError);
    EXPECT_EQ(blocked.readInteger(u"Main"_s, u"a"_s, 5), 5) << "reading falls back to the default";
}

} // namespace
