// The comma-text rule a row goes through on its way into a grid and back
// (template item tables, the order table's lines): any text split, joined
// and split again gives the same fields, and joining any fields (the values
// cut out of the input) reads back as those fields.

#include "FuzzSupport.h"

#include "storage/TextTable.h"

#include <QStringList>

using namespace Slipdesk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes bytes(data, size);
    const uint8_t mode = bytes.take();
    const QString text = FuzzSupport::text(bytes.rest(), mode & 1);

    const QStringList fields = TextTable::splitCommaText(text);
    const QString joined = TextTable::joinCommaText(fields);
    FUZZ_CHECK(TextTable::splitCommaText(joined) == fields);
    FUZZ_CHECK(TextTable::joinCommaText(TextTable::splitCommaText(joined)) == joined);

    // Values of any shape (blanks, quotes, commas, control characters, an
    // empty value first, last or alone), cut out of the input at a byte.
    const QChar cut = QChar(char16_t(mode >> 1));
    QStringList values = text.split(cut);
    if (mode & 0x80)
        values.prepend(QString());
    const QString line = TextTable::joinCommaText(values);
    FUZZ_CHECK(TextTable::splitCommaText(line) == values);

    (void)TextTable::fieldCount(text);
    (void)TextTable::fieldCount(text, QStringView());
    return 0;
}
