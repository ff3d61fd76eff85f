#include "StockRules.h"

#include "render/Amounts.h"
#include "storage/TextTable.h"
#include "trade/GoodsMaster.h"
#include "trade/TradeNumbers.h"

#include <cmath>

namespace Slipdesk::StockRules {

namespace {

using namespace GoodsColumn;
using TradeNumbers::cleaned;
using TradeNumbers::shortest;

QString code(const GoodsRow &row)
{
    return cleaned(GoodsTable::cell(row, Code));
}

double quantity(const GoodsRow &row)
{
    return TradeNumbers::lenient(GoodsTable::cell(row, Quantity));
}

// A new goods line from grid cells: every value cleaned of commas, so that a
// grouped price such as "1,500.00" never splits the line.
QString goodsLine(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &field : fields)
        out.append(TextTable::cleanValue(field));
    return out.join(u',');
}

// A price as the goods master stores it: the grid's grouped text without its
// separators.
QString storedPrice(const QString &cell)
{
    return TextTable::cleanValue(cell).trimmed();
}

} // namespace

bool postDelivery(GoodsMaster &goods, const GoodsRows &rows, bool fromBatch)
{
    bool changed = false;
    for (const GoodsRow &row : rows) {
        if (!GoodsTable::hasCode(row))
            continue;
        changed = true;
        const int line = goods.find(code(row));
        const double sold = quantity(row);
        if (line >= 0) {
            goods.setField(line, GoodsMaster::Stock, shortest(goods.number(line, GoodsMaster::Stock) - sold));
            if (fromBatch)
                goods.setField(line, GoodsMaster::Pending, shortest(goods.number(line, GoodsMaster::Pending) - sold));
            continue;
        }
        // The stock of an unknown article is what this note took from it.
        const std::optional<double> read = TradeNumbers::parse(GoodsTable::cell(row, Quantity));
        goods.append(goodsLine({code(row), GoodsTable::cell(row, Name), GoodsTable::cell(row, Unit),
            shortest(-(read ? *read : 0.0)), storedPrice(GoodsTable::cell(row, Price)), GoodsTable::cell(row, Remark),
            storedPrice(GoodsTable::cell(row, OtherPrice)), GoodsTable::cell(row, OtherRemark)}));
    }
    return changed;
}

bool saveToBatch(GoodsMaster &goods, const GoodsRows &rows)
{
    bool changed = false;
    for (const GoodsRow &row : rows) {
        if (!GoodsTable::hasCode(row))
            continue;
        const int line = goods.find(code(row));
        if (line < 0)
            continue;
        goods.setField(line, GoodsMaster::Pending, shortest(goods.number(line, GoodsMaster::Pending) + quantity(row)));
        changed = true;
    }
    return changed;
}

bool postInbound(GoodsMaster &goods, const GoodsRows &rows)
{
    bool changed = false;
    for (const GoodsRow &row : rows) {
        if (!GoodsTable::hasCode(row))
            continue;
        changed = true;
        const int line = goods.find(code(row));
        const double bought = quantity(row);
        const qint64 newCost = amountOrZero(GoodsTable::cell(row, Price));
        if (line < 0) {
            goods.append(goodsLine({code(row), GoodsTable::cell(row, Name), GoodsTable::cell(row, Unit),
                shortest(bought), storedPrice(GoodsTable::cell(row, OtherPrice)), GoodsTable::cell(row, OtherRemark),
                TradeNumbers::plainMoney(newCost), GoodsTable::cell(row, Remark)}));
            continue;
        }
        const double oldStock = goods.number(line, GoodsMaster::Stock);
        const qint64 oldCost = amountOrZero(goods.field(line, GoodsMaster::CostPrice));
        goods.setField(line, GoodsMaster::Stock, shortest(oldStock + bought));
        if (newCost == oldCost)
            continue;
        // Weighted over what was there and what came in; with nothing (or a
        // debt) in stock, or nothing left after the note, the note's price is
        // the only one that means anything.
        qint64 cost = newCost;
        if (oldStock > 0 && oldStock + bought > 0)
            cost = qint64(std::llround((oldStock * double(oldCost) + bought * double(newCost)) / (oldStock + bought)));
        goods.setField(line, GoodsMaster::CostPrice, TradeNumbers::plainMoney(cost));
    }
    return changed;
}

bool reverse(GoodsMaster &goods, const QList<StockLine> &lines, Reversal kind)
{
    bool changed = false;
    for (const StockLine &stock : lines) {
        const int line = goods.find(cleaned(stock.code));
        if (line < 0 || cleaned(stock.code).isEmpty())
            continue;
        const double quantity = TradeNumbers::lenient(stock.quantity);
        switch (kind) {
        case Reversal::DeliveryLog:
            goods.setField(line, GoodsMaster::Stock, shortest(goods.number(line, GoodsMaster::Stock) + quantity));
            break;
        case Reversal::DeliveryBatch:
            goods.setField(line, GoodsMaster::Pending, shortest(goods.number(line, GoodsMaster::Pending) - quantity));
            break;
        case Reversal::InboundLog:
            goods.setField(line, GoodsMaster::Stock, shortest(goods.number(line, GoodsMaster::Stock) - quantity));
            break;
        }
        changed = true;
    }
    return changed;
}

} // namespace Slipdesk::StockRules
