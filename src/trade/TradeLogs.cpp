#include "TradeLogs.h"

#include "render/Amounts.h"
#include "render/DateText.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"

#include <QHash>

namespace Slipdesk::TradeLogs {

namespace {

using namespace GoodsColumn;

QString joined(QStringList fields)
{
    for (QString &field : fields)
        field = TextTable::cleanValue(field);
    return TextTable::cleanRow(fields.join(u','));
}

// The line's fields of `E` from the note, fields sharing a column joined by
// "|"; `fixed` fills the columns no field keeps.
template<typename E> QStringList fieldsOf(const TradeNote &note, int columns, const QHash<int, QString> &fixed)
{
    QStringList fields;
    for (int column = 0; column < columns; ++column) {
        const QList<E> here = FormFields::atLogColumn<E>(column);
        if (here.isEmpty()) {
            fields.append(fixed.value(column));
            continue;
        }
        QStringList parts;
        for (E field : here)
            parts.append(note.value(field));
        fields.append(parts.join(u'|'));
    }
    return fields;
}

} // namespace

QString logPath(const Paths &paths, NoteKind, const QString &templateName, int year)
{
    return paths.logDir() + Paths::checkedStem(templateName) + QString::number(year) + QStringLiteral(".TXT");
}

QString detailPath(const Paths &paths, NoteKind kind, const QString &templateName, int year)
{
    const QString suffix = kind == NoteKind::Delivery ? QStringLiteral("发货清单") : QStringLiteral("入库清单");
    return paths.logDir() + Paths::checkedStem(templateName) + QString::number(year) + suffix + QStringLiteral(".TXT");
}

qint64 costFen(const TradeNote &note)
{
    qint64 cost = 0;
    for (const GoodsRow &row : note.goods)
        cost += TradeNumbers::times(
            TradeNumbers::lenient(GoodsTable::cell(row, Quantity)), amountOrZero(GoodsTable::cell(row, OtherPrice)));
    return cost;
}

qint64 profitFen(const TradeNote &note)
{
    return GoodsTable::totals(note.goods).amountFen - costFen(note);
}

QString logLine(const TradeNote &note, const QDateTime &now)
{
    QHash<int, QString> fixed {{0, shortDate(now.date())}, {1, longTime(now.time())}};
    if (note.kind == NoteKind::Delivery) {
        fixed.insert(17, TradeNumbers::plainMoney(costFen(note)));
        fixed.insert(18, TradeNumbers::plainMoney(profitFen(note)));
        return joined(fieldsOf<DeliveryField>(note, DeliveryForm::LogColumns, fixed));
    }
    return joined(fieldsOf<InboundField>(note, InboundForm::LogColumns, fixed));
}

QStringList detailLines(const TradeNote &note, const QDate &today)
{
    QStringList lines;
    for (const GoodsRow &row : note.goods) {
        if (!GoodsTable::hasCode(row))
            continue;
        QStringList fields {note.templateName(), note.number(), shortDate(today)};
        for (int c = Code; c < Count; ++c)
            fields.append(GoodsTable::cell(row, c));
        lines.append(joined(fields));
    }
    return lines;
}

void append(const Paths &paths, const TradeNote &note, const QDateTime &now)
{
    const int year = now.date().year();
    TextTable::appendRow(logPath(paths, note.kind, note.templateName(), year), logLine(note, now));
    TextTable::appendRows(detailPath(paths, note.kind, note.templateName(), year), detailLines(note, now.date()));
}

} // namespace Slipdesk::TradeLogs
