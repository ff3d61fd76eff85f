// Text-table files that end oddly (a lone CR, a character cut in half)
// take an appended row as exactly one more row.

#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(FileIo, AppendingAfterALoneCrAddsNoEmptyRow)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("收件单位.TXT"));
    dir.write(QStringLiteral("收件单位.TXT"), Codec::encode(QStringLiteral("王小明,南京\r刘芳,杭州\r")));
    TextTable::appendRow(path, QStringLiteral("张三,上海"));
    EXPECT_EQ(TextTable::load(path),
        QStringList({QStringLiteral("王小明,南京"), QStringLiteral("刘芳,杭州"), QStringLiteral("张三,上海")}));
    EXPECT_EQ(dir.read(QStringLiteral("收件单位.TXT")).right(12), Codec::encode(QStringLiteral("\r张三,上海\r\n")));
}

TEST(Codec, AFileCutInsideACharacterKeepsItsLastRow)
{
    // The half character reads as one replacement character, and the byte
    // before it that began a four-byte sequence is not lost.
    EXPECT_EQ(Codec::decode("ab\n\xd0"), QStringLiteral("ab\n\uFFFD"));
    EXPECT_EQ(Codec::decode("1\x81\x30"), QStringLiteral("1\uFFFD0"));
    EXPECT_EQ(Codec::decode("\xd5\xc5\xc8\xfd"), QStringLiteral("张三"));
    EXPECT_EQ(Codec::decode("\xd5\xc5\r\n\xc8"), QStringLiteral("张\r\n\uFFFD"));

    TempDir dir;
    const QString path = dir.file(QStringLiteral("log.txt"));
    dir.write(QStringLiteral("log.txt"), QByteArray("a,1\r\n\xd5\xc5,\xc8"));
    const QStringList before = TextTable::load(path);
    ASSERT_EQ(before.size(), 2);
    TextTable::appendRow(path, QStringLiteral("李四,2"));
    QStringList after = before;
    after.append(QStringLiteral("李四,2"));
    EXPECT_EQ(TextTable::load(path), after);
}
