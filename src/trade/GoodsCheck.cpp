#include "GoodsCheck.h"

#include "render/Amounts.h"
#include "trade/TradeNumbers.h"

namespace Slipdesk::GoodsCheck {

namespace {

struct NumberColumn
{
    int column;
    QString delivery; // the header of the column on each grid
    QString inbound;
    bool money;
};

const QList<NumberColumn> &numberColumns()
{
    using namespace GoodsColumn;
    static const QList<NumberColumn> columns {
        {Quantity, QStringLiteral("数量"), QStringLiteral("数量"), false},
        {Price, QStringLiteral("售价"), QStringLiteral("进价"), true},
        {Amount, QStringLiteral("金额"), QStringLiteral("金额"), true},
        {OtherPrice, QStringLiteral("进价"), QStringLiteral("售价"), true},
    };
    return columns;
}

bool reads(const QString &text, bool money)
{
    if (text.trimmed().isEmpty())
        return true;
    return money ? parseAmount(text).has_value() : TradeNumbers::parse(text).has_value();
}

} // namespace

QString refusal(const TradeNote &note, Action action)
{
    for (qsizetype r = 0; r < note.goods.size(); ++r) {
        const GoodsRow &row = note.goods.at(r);
        if (!GoodsTable::hasCode(row) && !GoodsTable::hasName(row))
            continue;
        for (const NumberColumn &c : numberColumns()) {
            const QString text = GoodsTable::cell(row, c.column);
            if (reads(text, c.money))
                continue;
            return QStringLiteral("第%1行商品的%2“%3”不是有效的数字，请改正后再%4。")
                .arg(r + 1)
                .arg(note.kind == NoteKind::Delivery ? c.delivery : c.inbound, text,
                    action == Action::Print ? QStringLiteral("打印") : QStringLiteral("保存"));
        }
    }
    return QString();
}

QString gridControl(NoteKind kind)
{
    return kind == NoteKind::Delivery ? QStringLiteral("SGGoods") : QStringLiteral("SgInput");
}

} // namespace Slipdesk::GoodsCheck
