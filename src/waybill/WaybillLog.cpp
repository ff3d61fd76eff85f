#include "WaybillLog.h"

#include "render/DateText.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "waybill/MarkerGroups.h"

namespace Slipdesk::WaybillLog {

namespace {
// 业务标记1-3, made from the marker groups.
constexpr int kFirstMarkerColumn = 17;

// The fields of each log column, in table order.
const QList<QList<WaybillField>> &columnFields()
{
    static const QList<QList<WaybillField>> columns = [] {
        QList<QList<WaybillField>> out;
        for (int column = 0; column < WaybillForm::LogColumns; ++column)
            out.append(FormFields::atLogColumn<WaybillField>(column));
        return out;
    }();
    return columns;
}
} // namespace

QString fileName(int year)
{
    return QStringLiteral("快递打印记录") + QString::number(year) + QStringLiteral(".txt");
}

QString path(const Paths &paths, int year)
{
    return paths.logDir() + fileName(year);
}

QString buildLine(const FieldValues &values, const QStringList &markers, const QDateTime &now)
{
    using enum WaybillField;
    const QDate letterDate = QDate::fromString(values.value(DateTimeP), QStringLiteral("yyyy-MM-dd"));
    QStringList fields {shortDate(now.date()), longTime(now.time()),
        letterDate.isValid() ? shortDate(letterDate) : values.value(DateTimeP), QString()};
    for (int column = int(fields.size()); column < WaybillForm::LogColumns; ++column) {
        const int marker = column - kFirstMarkerColumn;
        if (marker >= 0 && marker < MarkerGroups::GroupCount) {
            fields.append(markers.value(marker));
            continue;
        }
        // The address parts share their column, joined by "|".
        QStringList parts;
        for (WaybillField field : columnFields().at(column))
            parts.append(values.value(field));
        fields.append(parts.join(u'|'));
    }
    for (QString &field : fields)
        field = TextTable::cleanValue(field);
    return TextTable::cleanRow(fields.join(u','));
}

void append(const Paths &paths, const FieldValues &values, const QStringList &markers, const QDateTime &now)
{
    TextTable::appendRow(path(paths, now.date().year()), buildLine(values, markers, now));
}

} // namespace Slipdesk::WaybillLog
