#include "Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

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

// GB18030 encodes every character of the basic plane on its own, in 1, 2 or
// 4 bytes, whatever stands around it. One pass of the converter over the
// whole plane gives a table that whole files are then encoded with: a goods
// master of 100,000 lines is written in a few milliseconds instead of the
// converter's tens.
class BmpTable
{
public:
    BmpTable()
    {
        QString plane;
        plane.reserve(0x10000);
        for (char32_t u = 0; u < 0x10000; ++u)
            if (u < 0xD800 || u > 0xDFFF)
                plane.append(QChar(char16_t(u)));
        QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
        const QByteArray bytes = encoder.encode(plane);
        qsizetype at = 0;
        for (const QChar c : std::as_const(plane)) {
            const int length = sequenceLength(bytes, at);
            if (length == 0) {
                m_valid = false;
                return;
            }
            quint32 code = 0;
            for (int i = 0; i < length; ++i)
                code = (code << 8) | quint8(bytes.at(at + i));
            m_code[c.unicode()] = code;
            m_length[c.unicode()] = quint8(length);
            at += length;
        }
        m_valid = at == bytes.size();
    }

    bool valid() const { return m_valid; }

    // Writes the bytes of `u` at `to`; returns where the next ones go.
    char *write(char *to, char16_t u) const
    {
        const int length = m_length[u];
        const quint32 code = m_code[u];
        if (length == 2) { // every GBK character
            to[0] = char(code >> 8);
            to[1] = char(code);
            return to + 2;
        }
        for (int i = length - 1; i >= 0; --i)
            *to++ = char((code >> (8 * i)) & 0xFF);
        return to;
    }

private:
    // The length of the GB18030 sequence at `at`: one byte below 0x80, four
    // when the second byte is a digit, else two.
    static int sequenceLength(const QByteArray &bytes, qsizetype at)
    {
        if (at >= bytes.size())
            return 0;
        const quint8 first = quint8(bytes.at(at));
        if (first < 0x80)
            return 1;
        if (at + 1 >= bytes.size())
            return 0;
        const quint8 second = quint8(bytes.at(at + 1));
        const int length = (second >= 0x30 && second <= 0x39) ? 4 : 2;
        return at + length <= bytes.size() ? length : 0;
    }

    quint32 m_code[0x10000] = {};
    quint8 m_length[0x10000] = {};
    bool m_valid = false;
};

const BmpTable &bmpTable()
{
    static const BmpTable table;
    return table;
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
    // A file cut off inside a character (a crash, a full disk) ends in an
    // incomplete sequence, which the converter drops together with the
    // bytes before it that it had taken as its start ("\x81\x30" loses
    // the "0"). Such an end reads as a broken character anywhere else does,
    // a replacement character, so that the text does not change when a line
    // is appended after it. Bytes below 0x30 never belong to a sequence:
    // the last line is converted on its own, closed by a line break.
    const quint8 lastByte = quint8(bytes.back());
    if (lastByte < 0x30)
        return decoder.decode(bytes);
    qsizetype tail = bytes.size();
    while (tail > 0 && quint8(bytes[tail - 1]) >= 0x30)
        --tail;
    QString text = decoder.decode(bytes.first(tail));
    QByteArray last = bytes.sliced(tail).toByteArray();
    last.append('\n');
    QString lastText = decoder.decode(last);
    lastText.chop(1);
    return text + lastText;
}

namespace {

// Writes `text` at `to` through the table (room for four bytes a
// character); returns the end.
char *encodeInto(char *to, QStringView text, const BmpTable &table)
{
    const qsizetype n = text.size();
    const char16_t *const chars = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        // Four ASCII characters at once: numbers, dates and codes make up
        // most of a log.
        if (i + 4 <= n) {
            quint64 four;
            std::memcpy(&four, chars + i, sizeof four);
            if ((four & 0xFF80FF80FF80FF80ULL) == 0) {
                to[0] = char(chars[i]);
                to[1] = char(chars[i + 1]);
                to[2] = char(chars[i + 2]);
                to[3] = char(chars[i + 3]);
                to += 4;
                i += 3;
                continue;
            }
        }
        const char16_t u = chars[i];
        if (u < 0x80) {
            *to++ = char(u);
        } else if (u < 0xD800 || u > 0xDFFF) {
            to = table.write(to, u);
        } else {
            // Beyond the basic plane (a surrogate pair), or a lone surrogate:
            // the converter decides, as it always did. A lone surrogate is
            // followed by a letter, so that the converter does not wait for
            // its other half, and the letter's byte is dropped again.
            QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
            QByteArray bytes;
            if (QChar::isHighSurrogate(u) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                bytes = encoder.encode(text.mid(i, 2));
                ++i;
            } else {
                bytes = encoder.encode(QString(QChar(u)) + u'A');
                bytes.chop(1);
            }
            to = std::copy(bytes.cbegin(), bytes.cend(), to);
        }
    }
    return to;
}

} // namespace

QByteArray encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    requireConverter();
    const BmpTable &table = bmpTable();
    if (!table.valid())
        return QStringEncoder(kEncoding, QStringConverter::Flag::Stateless).encode(text);
    // At most four bytes a character; written through a pointer, since this
    // loop encodes whole files.
    QByteArray out(text.size() * 4, Qt::Uninitialized);
    out.truncate(encodeInto(out.data(), text, table) - out.data());
    return out;
}

void appendEncoded(QByteArray &out, QStringView text)
{
    requireConverter();
    const BmpTable &table = bmpTable();
    if (!table.valid()) {
        out.append(QStringEncoder(kEncoding, QStringConverter::Flag::Stateless).encode(text));
        return;
    }
    const qsizetype at = out.size();
    const qsizetype need = text.size() * 4;
    if (out.capacity() - at < need)
        out.reserve(std::max(at + need, out.capacity() * 2));
    out.resize(at + need);
    out.truncate(encodeInto(out.data() + at, text, table) - out.constData());
}

qsizetype encodedLength(QStringView text)
{
    if (isAscii(text))
        return text.size();
    return encode(text).size();
}

} // namespace Slipdesk::Codec
