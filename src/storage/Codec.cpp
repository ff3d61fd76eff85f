#include "Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace Slipdesk::Codec {

namespace {

constexpr const char *kEncoding = "GB18030";

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Without ICU Qt has no GB18030 converter and every file would be mangled:
// stop at once rather than read or write wrong text.
void requireConverter()
{
    static const bool available = QStringDecoder(kEncoding).isValid();
    if (!available)
        qFatal("Slipdesk: the %s text converter is not available (Qt built without ICU)", kEncoding);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    // Pure ASCII (numbers, codes, most INI files) is the same in every code
    // page and skips the converter.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    requireConverter();
    QStringDecoder decoder(kEncoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    requireConverter();
    QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

qsizetype encodedLength(QStringView text)
{
    if (isAscii(text))
        return text.size();
    return encode(text).size();
}

} // namespace Slipdesk::Codec
