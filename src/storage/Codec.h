#pragma once

#include <QByteArray>
#include <QString>

namespace Slipdesk::Codec {

// Every text file of the program is GB18030: identical bytes to GBK for every
// GBK character, and characters outside GBK are kept instead of becoming "?".
QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);
// Appends the bytes of `text` to `out`: a big file written piece by piece,
// without the text of the whole file built first.
void appendEncoded(QByteArray &out, QStringView text);

// Number of bytes the text takes in the file encoding (a Chinese character
// counts two, as users of the GBK code page count it).
qsizetype encodedLength(QStringView text);

} // namespace Slipdesk::Codec
