// A text table's file (any bytes) loaded, every row's fields read and one
// field rewritten, then saved, loaded again and appended to: what the
// address books, pick lists, the goods master and the logs go through.

#include "FuzzSupport.h"

#include "forms/DocumentNumber.h"
#include "storage/TextTable.h"

#include <QStringList>

using namespace Slipdesk;
using FuzzSupport::scratchFile;

namespace {

void checkFields(const QString &row)
{
    const QStringList pieces = row.split(u',');
    const int count = TextTable::fieldCount(row);
    FUZZ_CHECK(count >= 0 && count <= pieces.size());
    for (int i = 0; i < pieces.size() && i < 40; ++i)
        FUZZ_CHECK(TextTable::field(row, i) == pieces.at(i));
    FUZZ_CHECK(TextTable::field(row, int(pieces.size())).isEmpty());
    FUZZ_CHECK(TextTable::field(row, -1).isEmpty());

    // A field written anywhere (padding the row) reads back, the others stay.
    const int index = int(row.size() % 48);
    const QString value = QStringLiteral("新值") + QString::number(index);
    const QString written = TextTable::setField(row, index, value);
    FUZZ_CHECK(TextTable::field(written, index) == value);
    const QStringList after = written.split(u',');
    FUZZ_CHECK(after.size() == std::max<qsizetype>(pieces.size(), index + 1));
    for (int i = 0; i < pieces.size() && i < 40; ++i)
        if (i != index)
            FUZZ_CHECK(after.at(i) == pieces.at(i));
    FUZZ_CHECK(TextTable::setField(row, -1, value) == row);

    FUZZ_CHECK(!TextTable::cleanValue(row).contains(u','));
    FUZZ_CHECK(!TextTable::cleanRow(row).contains(u' '));

    // The number advance keeps the text before the digits and never shortens.
    for (int i = 0; i < pieces.size() && i < 8; ++i) {
        const QString &number = pieces.at(i);
        const QString next = advanceNumber(number);
        FUZZ_CHECK(next.size() == number.size() || next.size() == number.size() + 1);
        if (number.isEmpty() || !number.back().isDigit() || number.back().unicode() > u'9')
            continue;
        qsizetype run = number.size();
        while (run > 0 && number[run - 1] >= u'0' && number[run - 1] <= u'9')
            --run;
        FUZZ_CHECK(next.left(run) == number.left(run));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = scratchFile(QStringLiteral("收件单位.TXT"));
    const QString copy = scratchFile(QStringLiteral("copy.TXT"));
    const QString list = scratchFile(QStringLiteral("list.TXT"));
    FuzzSupport::writeFile(path, QByteArrayView(data, qsizetype(size)));

    const QStringList rows = TextTable::load(path);
    for (const QString &row : rows) {
        FUZZ_CHECK(!row.contains(u'\n') && !row.contains(u'\r'));
        checkFields(row);
    }

    // Saved and loaded again, the rows are the same rows.
    TextTable::save(copy, rows);
    FUZZ_CHECK(TextTable::load(copy) == rows);

    // One list text, written exactly.
    const QString text = TextTable::loadList(path);
    FUZZ_CHECK(text.isEmpty() == rows.isEmpty());
    TextTable::writeList(list, text);
    if (!text.isEmpty())
        FUZZ_CHECK(TextTable::load(list) == rows);

    // A row appended to the file as it was (perhaps cut off in the middle of
    // a line or of a character) comes back as one more row.
    const QString added = QStringLiteral("张三,13800138000,浙江省杭州市西湖区文三路1号");
    TextTable::appendRow(path, added);
    QStringList expected = rows;
    const QStringList appended = TextTable::load(path);
    expected.append(added);
    FUZZ_CHECK(appended.size() == expected.size());
    FUZZ_CHECK(appended.last() == added);
    TextTable::appendRows(path, {QString(), QStringLiteral("李四,,"), QString()});
    FUZZ_CHECK(TextTable::load(path).last() == QStringLiteral("李四,,"));
    return 0;
}
