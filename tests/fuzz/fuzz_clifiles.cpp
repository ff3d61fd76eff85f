// The command line's --fields and --goods files: the first byte picks the
// reader, the rest is the file. The goods rows then go through the grid's
// rules (amounts, totals) as a note made from them does.

#include "FuzzSupport.h"

#include "trade/GoodsFile.h"
#include "trade/GoodsTable.h"
#include "waybill/WaybillRender.h"

using namespace Slipdesk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes input(data, size);
    const uint8_t mode = input.take();
    const QByteArray file = input.rest().toByteArray();

    if (mode & 1) {
        const FieldValues values = FieldValues::fromFieldFile(file);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            FUZZ_CHECK(!it.key().contains(u'\n'));
            FUZZ_CHECK(!it.value().contains(u'\n'));
        }
        return 0;
    }

    const int gridRows = (mode & 2) ? GoodsFile::DeliveryRows : GoodsFile::InboundRows;
    GoodsRows rows = GoodsFile::parse(file, gridRows);
    FUZZ_CHECK(rows.size() >= gridRows);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        FUZZ_CHECK(rows.at(k).size() == GoodsColumn::Count);
        FUZZ_CHECK(GoodsTable::cell(rows.at(k), GoodsColumn::Number) == QString::number(k + 1));
    }
    // Only the rows a note would print: a goods file of a thousand lines is
    // already more than any grid holds.
    if (rows.size() > 200)
        rows.resize(200);
    for (GoodsRow &row : rows)
        for (int column = 0; column < GoodsColumn::Count; ++column)
            GoodsTable::cellLeft(row, column);
    GoodsTable::recompute(rows);
    const GoodsTable::Totals totals = GoodsTable::totals(rows);
    (void)GoodsTable::quantityText(totals);
    (void)GoodsTable::withCode(rows);
    for (const GoodsRow &row : rows) {
        (void)GoodsTable::hasCode(row);
        (void)GoodsTable::hasName(row);
    }
    return 0;
}
