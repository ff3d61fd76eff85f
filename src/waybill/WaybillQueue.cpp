#include "WaybillQueue.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"
#include "waybill/MarkerGroups.h"

namespace Slipdesk::WaybillQueue {

namespace {

constexpr int kFirstMarker = 15;
constexpr int kFirstAmount = 31;

// Field order of a queue row; the marker fields have no control of their own.
constexpr const char *kControls[FieldCount] = {
    "EdtSjrWW",
    "CmbSjrMc",
    "EdtTo",
    "EdtSjDwSs",
    "EdtSjDwDs",
    "EdtSjDwQx",
    "EdtSjDwDz",
    "CmbSjdwMc",
    "EdtSjDwTel",
    "EdtSjdwYb",
    "EdtWLDD",
    "CmbLetterWP",
    "EdtWpCount",
    "EdtWpWeight",
    "CmbLetterLy",
    "",
    "",
    "",
    "EdtSjrTel1",
    "EdtSjrMobile",
    "EdtSjrPayEmail",
    "EdtSjrEmail",
    "EdtSjrIM",
    "EdtSjDwFax",
    "EdtSjDwDm",
    "EdtSjDwType",
    "EdtSjDwNo",
    "EdtSjDwWeb",
    "CmbSjdwBm",
    "CmbSjrCw",
    "CmbSjrSy",
    "EdtWpJe",
    "EdtDshk",
    "EdtBjje",
    "EdtBF",
    "EdtYF",
    "EdtJJF",
};

QString markerState(const FieldValues &values, int group)
{
    QList<bool> ticked;
    for (int box = 1; box <= MarkerGroups::boxCount(group); ++box)
        ticked.append(values.value(MarkerGroups::boxControl(group, box)) == u"1");
    return MarkerGroups::stateText(ticked);
}

} // namespace

QString file(const Paths &paths)
{
    return paths.batchDir() + QStringLiteral("快递批量打印数据.txt");
}

QString control(int index)
{
    if (index < 0 || index >= FieldCount)
        return QString();
    return QLatin1String(kControls[index]);
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
                values.insert(MarkerGroups::boxControl(group, box),
                    cell.at(box - 1) == u'1' ? QStringLiteral("1") : QStringLiteral("0"));
        } else if (i >= kFirstAmount) {
            values.insert(control(i), TradeNumbers::shortest(TradeNumbers::lenient(cell)));
        } else {
            values.insert(control(i), cell);
        }
    }
    return values;
}

} // namespace Slipdesk::WaybillQueue
