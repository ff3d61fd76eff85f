#include "TradeLogs.h"

#include "render/Amounts.h"
#include "render/DateText.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"

namespace Slipdesk::TradeLogs {

namespace {

using namespace GoodsColumn;

QString joined(QStringList fields)
{
    for (QString &field : fields)
        field = TextTable::cleanValue(field);
    return TextTable::cleanRow(fields.join(u','));
}

QString address(const TradeNote &note)
{
    return note.value("EdtAddSs") + u'|' + note.value("EdtAddDs") + u'|' + note.value("EdtAddQx") + u'|'
        + note.value("EdtAddress");
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
    const QString date = shortDate(now.date());
    const QString time = longTime(now.time());
    if (note.kind == NoteKind::Delivery) {
        return joined({date, time, note.value("DTPSender"), note.templateName(), note.number(),
            note.value("CmbEmsCompany"), note.value("EdtInvEmsNo"), note.value("CmbBuyerName"),
            note.value("CmbBuyerWW"), note.value("EdtBuyerMobile"), note.value("EdtBuyerTel"), address(note),
            note.value("EdtBuyerYb"), note.value("LblSumCount"), note.value("EdtPostPrice"),
            note.value("EdtMoneySumXx"), note.value("EdtInvTotalJE"), TradeNumbers::plainMoney(costFen(note)),
            TradeNumbers::plainMoney(profitFen(note)), note.value("CmbSalerName"), QString()});
    }
    return joined(
        {date, time, note.value("DtpInputDate"), note.templateName(), note.number(), note.value("CmbInputJbr"),
            note.value("CmbInputType"), note.value("LblInputSumCount"), note.value("EdtInputSumMoney")});
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
