// A template's ".SET" item table of any bytes (and, after a line "%%INI%%",
// its ".INI" settings) loaded as a print loads it: the item parameters of
// every row, the cells edited as the editor grid edits them, then saved and
// loaded again.

#include "FuzzSupport.h"

#include "storage/Paths.h"
#include "templates/ItemTable.h"
#include "templates/PrintSource.h"

using namespace Slipdesk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes input(data, size);
    const int kind = input.take() % 3;
    QByteArrayView set = input.rest();
    QByteArrayView ini;
    const QByteArrayView marker("\n%%INI%%\n");
    const qsizetype split = set.indexOf(marker);
    if (split >= 0) {
        ini = set.sliced(split + marker.size());
        set = set.first(split);
    }

    const Paths paths(FuzzSupport::scratchFile(QStringLiteral("root")));
    const QString name = QStringLiteral("顺丰");
    FuzzSupport::writeFile(paths.templateSet(name), QByteArray());
    FuzzSupport::writeFile(paths.templateSet(name), set);
    FuzzSupport::writeFile(paths.templateIni(name), ini);

    const PrintSource source = PrintSource::load(paths, name, kind);
    ItemTable table = source.table;
    FUZZ_CHECK(table.rowCount() >= 1);
    for (int row = 1; row < table.rowCount(); ++row)
        FUZZ_CHECK(table.cell(row, 0) == QString::number(row));
    for (int row = -1; row <= table.rowCount(); ++row) {
        const ItemParams params = ItemParams::fromRow(table, row);
        FUZZ_CHECK(!params.font.isEmpty());
    }
    for (const char *header : {"打印项目", "left", "TOP", "Split", "width", "字号", "没有"})
        (void)table.findColumn(QString::fromUtf8(header));
    (void)table.findItem(QStringLiteral("收件人姓名"));
    (void)table.findItem(table.cell(table.rowCount() - 1, 1));

    // Saved as it was loaded, the table loads back the same.
    const QString copy = paths.templateSet(QStringLiteral("副本"));
    table.save(copy);
    FUZZ_CHECK(ItemTable::load(copy, kind).rows() == table.rows());

    // Edited as the grid edits it (a cell past the end pads the row).
    const int row = int(set.size() % 7);
    const int column = 1 + int(set.size() % 12); // column 0 is renumbered on load
    const QString value = QStringLiteral("寄件人 \"姓名\",甲");
    table.setCell(row, column, value);
    FUZZ_CHECK(table.cell(row, column) == value);
    table.setCell(-1, 0, value);
    table.save(copy);
    const ItemTable again = ItemTable::load(copy, kind);
    FUZZ_CHECK(again.cell(row, column) == value);
    FUZZ_CHECK(again.rowCount() == table.rowCount());
    return 0;
}
