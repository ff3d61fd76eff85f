#include "GoodsTable.h"

#include "render/Amounts.h"
#include "trade/TradeNumbers.h"

namespace Slipdesk::GoodsTable {

using namespace GoodsColumn;

QString cell(const GoodsRow &row, int column)
{
    return row.value(column);
}

void setCell(GoodsRow &row, int column, const QString &text)
{
    while (row.size() <= column)
        row.append(QString());
    row[column] = text;
}

GoodsRow row(const QStringList &cells)
{
    GoodsRow out = cells.mid(0, Count);
    while (out.size() < Count)
        out.append(QString());
    return out;
}

bool hasCode(const GoodsRow &row)
{
    return !TradeNumbers::cleaned(cell(row, Code)).isEmpty();
}

bool hasName(const GoodsRow &row)
{
    return !TradeNumbers::cleaned(cell(row, Name)).isEmpty();
}

void cellLeft(GoodsRow &row, int column)
{
    if ((column == Quantity || column == Price) && hasCode(row)) {
        const std::optional<double> quantity = TradeNumbers::parse(cell(row, Quantity));
        QString priceText = cell(row, Price);
        priceText.remove(u',');
        if (priceText.trimmed().isEmpty())
            priceText = QStringLiteral("0");
        const std::optional<qint64> price = parseAmount(priceText);
        if (!quantity || !price) {
            setCell(row, Amount, QString());
            return;
        }
        setCell(row, Price, formatGrouped(*price));
        setCell(row, Amount, formatGrouped(TradeNumbers::times(*quantity, *price)));
    } else if (column == OtherPrice && !cell(row, OtherPrice).isEmpty()) {
        setCell(row, OtherPrice, formatGrouped(amountOrZero(cell(row, OtherPrice))));
    } else if (column == Code && !hasCode(row)) {
        for (int c = Code; c < Count; ++c)
            setCell(row, c, QString());
    }
}

void recompute(GoodsRows &rows)
{
    for (GoodsRow &row : rows) {
        if (!hasCode(row))
            continue;
        cellLeft(row, Quantity);
        cellLeft(row, OtherPrice);
    }
}

Totals totals(const GoodsRows &rows)
{
    Totals totals;
    for (const GoodsRow &row : rows) {
        totals.quantity += TradeNumbers::lenient(cell(row, Quantity));
        totals.amountFen += amountOrZero(cell(row, Amount));
    }
    return totals;
}

QString quantityText(const Totals &totals)
{
    return TradeNumbers::shortest(totals.quantity);
}

GoodsRows withCode(const GoodsRows &rows)
{
    GoodsRows out;
    for (const GoodsRow &row : rows)
        if (hasCode(row))
            out.append(row);
    return out;
}

GoodsRows emptyRows(int count)
{
    GoodsRows rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        GoodsRow r = row({});
        r[Number] = QString::number(i + 1);
        rows.append(r);
    }
    return rows;
}

} // namespace Slipdesk::GoodsTable
