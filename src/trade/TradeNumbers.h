#pragma once

#include <QString>

#include <optional>

namespace Slipdesk::TradeNumbers {

// Quantities, stock and prices of the goods master and the goods grids.
// A quantity or stock is a decimal number in its shortest general form
// ("3", "2.5", "-2"); money is held in fen (see Amounts) and shown grouped.

// The number in `text` (blanks around it allowed); nothing when it is not one.
std::optional<double> parse(const QString &text);
// Lenient reading: text that does not parse counts as 0.
double lenient(const QString &text);
// The shortest general decimal form: 3, 2.5, -0.25; never an exponent for
// the magnitudes goods have, and 15 significant digits at most.
QString shortest(double value);
// Every "," and every blank removed, as before a value goes into a line.
QString cleaned(QString text);
// Money with two decimals and no group separators ("1200.00"), as the goods
// master and the logs store it.
QString plainMoney(qint64 fen);
// `quantity` × `priceFen`, rounded to the fen.
qint64 times(double quantity, qint64 priceFen);

} // namespace Slipdesk::TradeNumbers
