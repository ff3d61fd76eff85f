#include "storage/Codec.h"

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;

struct EncodingCase
{
    const char16_t *text;
    const char *bytes; // hexadecimal
};

// GBK characters keep their GBK bytes; characters outside GBK take GB18030's
// four-byte form instead of turning into "?".
const EncodingCase kEncodings[] = {
    {u"", ""},
    {u"abc,123", "6162632c313233"},
    {u"中文", "d6d0cec4"},
    {u"收件单位", "cad5bcfeb5a5cebb"},
    {u"，", "a3ac"}, // full-width comma, a GBK character
    {u"𠮷", "9534b235"}, // U+20BB7, outside GBK
    {u"张𠮷a", "d5c59534b23561"},
};

TEST(Codec, EncodesGbkAsGbkAndTheRestAsGb18030)
{
    for (const auto &c : kEncodings) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(Codec::encode(text).toHex(), QByteArray(c.bytes));
        EXPECT_EQ(Codec::decode(QByteArray::fromHex(c.bytes)), text);
        EXPECT_EQ(Codec::encodedLength(text), qsizetype(qstrlen(c.bytes) / 2));
    }
}

TEST(Codec, CharactersOutsideGbkSurviveARoundTrip)
{
    const QString text = QStringLiteral("䶮𠮷鿐㐀€ 上海市浦东新区 João");
    EXPECT_EQ(Codec::decode(Codec::encode(text)), text);
    EXPECT_FALSE(Codec::encode(text).contains('?'));
}

TEST(Codec, CountsBytesAsTheFileHoldsThem)
{
    EXPECT_EQ(Codec::encodedLength(u"上海 A1"), 7);
    EXPECT_EQ(Codec::encodedLength(u""), 0);
}

} // namespace
