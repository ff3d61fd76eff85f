// Marketplace order tables imported into the express queue: the seller
// order table's rows read from it, then appended to the queue file and read
// back from there as the batch run reads them; any table by its header.

#include "FuzzSupport.h"

#include "export/OrderImport.h"
#include "storage/FileIo.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "waybill/WaybillQueue.h"

using namespace Slipdesk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QList<QStringList> rows = OrderImport::rows(bytes);
    for (const QStringList &row : rows) {
        FUZZ_CHECK(row.size() == WaybillQueue::FieldCount);
        FUZZ_CHECK(row.at(9).isEmpty() || row.at(9).size() == 6); // 邮编
        FUZZ_CHECK(row.at(2) == row.at(4)); // 目的地 is the city
    }

    // Every order becomes exactly one queue row of all its fields.
    const Paths paths(FuzzSupport::scratchFile(QStringLiteral("root")));
    const QString queue = WaybillQueue::file(paths);
    FileIo::remove(queue);
    const int added = OrderImport::appendToQueue(paths, rows);
    FUZZ_CHECK(added == rows.size());
    const QStringList lines = TextTable::load(queue);
    FUZZ_CHECK(lines.size() == added);
    for (const QString &line : lines)
        FUZZ_CHECK(line.count(u',') == WaybillQueue::FieldCount - 1);
    FileIo::remove(queue);

    // Any layout, recognised from the header: a refusal adds no row, and
    // every row has the queue's cells.
    const OrderImport::Imported any = OrderImport::readOrderTable(bytes);
    FUZZ_CHECK(any.ok() || any.rows.isEmpty());
    for (const QStringList &row : any.rows) {
        FUZZ_CHECK(row.size() == WaybillQueue::FieldCount);
        for (const QString &cell : row)
            FUZZ_CHECK(!cell.contains(u'\n') && !cell.contains(u'\r'));
    }

    // The address rule on the address field of every line.
    for (const QString &line : Codec::decode(bytes).split(u'\n').mid(0, 64)) {
        const OrderImport::Address address = OrderImport::splitAddress(TextTable::splitCommaText(line).value(13));
        FUZZ_CHECK(address.postcode.isEmpty() || address.postcode.size() == 6);
    }
    return 0;
}
