#include "storage/Codec.h"

#include <QStringEncoder>
#include <QStringList>

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

// Files are encoded through a table of the basic plane; it must give byte
// for byte what the GB18030 converter gives, around characters beyond the
// plane and lone surrogates too.
TEST(CodecTest, FastEncodingMatchesTheConverterEverywhere)
{
    QString plane;
    for (char32_t u = 0x20; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF)
            plane.append(QChar(char16_t(u)));
    QString mixed = QStringLiteral("王𠮷,上海 浦东\r\n€©ü") + QChar(0xD800) + QStringLiteral("末") + QChar(0xDC00);
    QStringEncoder converter("GB18030", QStringConverter::Flag::Stateless);
    for (const QString &text : {plane, mixed}) {
        const QByteArray expected = converter.encode(text);
        EXPECT_EQ(Slipdesk::Codec::encode(text), expected);
    }
    EXPECT_EQ(Slipdesk::Codec::encode(QStringLiteral("王")), QByteArray("\xCD\xF5"));
}

TEST(CodecTest, AsciiRunsAndPiecesEncodeAsTheWholeText)
{
    // Runs of ASCII of every length against the four-at-a-time path, and a
    // file encoded piece by piece against the whole text.
    QStringEncoder converter("GB18030", QStringConverter::Flag::Stateless);
    const QStringList pieces {QStringLiteral("a"), QStringLiteral("12"), QStringLiteral("SF0"), QStringLiteral("2026"),
        QStringLiteral("上"), QStringLiteral("€"), QStringLiteral("𠮷"), QStringLiteral("\r\n")};
    QString text;
    QByteArray pieceByPiece;
    for (int i = 0; i < 2000; ++i) {
        const QString piece = pieces.at((i * 7 + i / 3) % pieces.size());
        text += piece;
        Slipdesk::Codec::appendEncoded(pieceByPiece, piece);
    }
    EXPECT_EQ(Slipdesk::Codec::encode(text), converter.encode(text));
    EXPECT_EQ(pieceByPiece, converter.encode(text));
}
