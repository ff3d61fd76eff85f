#include "WaybillLog.h"

#include "render/DateText.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"

namespace Slipdesk::WaybillLog {

namespace {

// Log columns after the date, time and void fields, by source control. An
// empty name marks the three marker fields and the joined address.
const QStringList &columnsFromControls()
{
    static const QStringList columns {
        QStringLiteral("EdtEmsNo"),
        QStringLiteral("CmbLetterSelect"),
        QStringLiteral("EdtSjrWW"),
        QStringLiteral("CmbSjrMc"),
        QStringLiteral("CmbSjdwMc"),
        QString(), // 收件地址
        QStringLiteral("EdtSjDwTel"),
        QStringLiteral("EdtSjdwYb"),
        QStringLiteral("EdtWLDD"),
        QStringLiteral("CmbLetterWP"),
        QStringLiteral("EdtWpCount"),
        QStringLiteral("EdtWpWeight"),
        QStringLiteral("CmbLetterLy"),
        QString(),
        QString(),
        QString(), // 业务标记1-3
        QStringLiteral("EdtSjrTel1"),
        QStringLiteral("EdtSjrMobile"),
        QStringLiteral("EdtSjrPayEmail"),
        QStringLiteral("EdtSjrEmail"),
        QStringLiteral("EdtSjrIM"),
        QStringLiteral("EdtWpJe"),
        QStringLiteral("EdtDshk"),
        QStringLiteral("EdtBjje"),
        QStringLiteral("EdtBF"),
        QStringLiteral("EdtYF"),
        QStringLiteral("EdtJJF"),
        QStringLiteral("CmbJjDwMc"),
    };
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
    const QDate letterDate = QDate::fromString(values.value(QStringLiteral("DateTimeP")), QStringLiteral("yyyy-MM-dd"));
    QStringList fields {shortDate(now.date()), longTime(now.time()),
        letterDate.isValid() ? shortDate(letterDate) : values.value(QStringLiteral("DateTimeP")), QString()};
    int marker = 0;
    for (const QString &control : columnsFromControls()) {
        if (!control.isEmpty()) {
            fields.append(values.value(control));
        } else if (fields.size() == 9) {
            fields.append(values.value(QStringLiteral("EdtSjDwSs")) + u'|' + values.value(QStringLiteral("EdtSjDwDs"))
                + u'|' + values.value(QStringLiteral("EdtSjDwQx")) + u'|' + values.value(QStringLiteral("EdtSjDwDz")));
        } else {
            fields.append(markers.value(marker++));
        }
    }
    for (QString &field : fields)
        field = TextTable::cleanValue(field);
    return TextTable::cleanRow(fields.join(u','));
}

QStringList sourceControls()
{
    QStringList names {QStringLiteral("DateTimeP"), QStringLiteral("EdtSjDwSs"), QStringLiteral("EdtSjDwDs"),
        QStringLiteral("EdtSjDwQx"), QStringLiteral("EdtSjDwDz")};
    for (const QString &control : columnsFromControls())
        if (!control.isEmpty())
            names.append(control);
    return names;
}

void append(const Paths &paths, const FieldValues &values, const QStringList &markers, const QDateTime &now)
{
    TextTable::appendRow(path(paths, now.date().year()), buildLine(values, markers, now));
}

} // namespace Slipdesk::WaybillLog
