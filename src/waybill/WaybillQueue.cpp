#include "WaybillQueue.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"
#include "waybill/MarkerGroups.h"

namespace Slipdesk::WaybillQueue {

namespace {

constexpr int kFirstMarker = 15;

// The field of each queue column; none for the three marker fields.
const QList<std::optional<WaybillField>> &columnFields()
{
    static const QList<std::optional<WaybillField>> fields = [] {
        QList<std::optional<WaybillField>> out;
        for (int column = 0; column < FieldCount; ++column)
            out.append(FormFields::atQueueColumn<WaybillField>(column));
        return out;
    }();
    return fields;
}

QString markerState(const FieldValues &values, int group)
{
    QList<bool> ticked;
    for (int box = 1; box <= MarkerGroups::boxCount(group); ++box)
        ticked.append(values.ticked(MarkerGroups::boxField(group, box)));
    return MarkerGroups::stateText(ticked);
}

} // namespace

QString file(const Paths &paths)
{
    return paths.batchDir() + QStringLiteral("快递批量打印数据.txt");
}

QString control(int index)
{
    if (index < 0 || index >= FieldCount || !columnFields().at(index))
        return QString();
    return controlName(*columnFields().at(index));
}

QString row(const FieldValues &values)
{
    QStringList fields;
    fields.reserve(FieldCount);
    for (int i = 0; i < FieldCount; ++i) {
        if (i >= kFirstMarker && i < kFirstMarker + MarkerGroups::GroupCount)
            fields.append(markerState(values, i - kFirstMarker + 1));
        else
            fields.append(TextTable::cleanValue(values.value(control(i))));
    }
    return TextTable::cleanRow(fields.join(u','));
}

void append(const Paths &paths, const FieldValues &values)
{
    TextTable::appendRow(file(paths), row(values));
}

FieldValues rowValues(const QStringList &cells)
{
    FieldValues values;
    for (int i = 0; i < FieldCount; ++i) {
        const QString cell = TradeNumbers::cleaned(cells.value(i));
        if (i >= kFirstMarker && i < kFirstMarker + MarkerGroups::GroupCount) {
            const int group = i - kFirstMarker + 1;
            const int boxes = MarkerGroups::boxCount(group);
            if (cell.size() != boxes)
                continue;
            for (int box = 1; box <= boxes; ++box)
                values.insert(MarkerGroups::boxField(group, box),
                    cell.at(box - 1) == u'1' ? QStringLiteral("1") : QStringLiteral("0"));
        } else if (const WaybillField field = *columnFields().at(i); fieldSpec(field).kind == FieldKind::Amount) {
            values.insert(field, TradeNumbers::shortest(TradeNumbers::lenient(cell)));
        } else {
            values.insert(field, cell);
        }
    }
    return values;
}

} // namespace Slipdesk::WaybillQueue
