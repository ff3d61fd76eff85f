#pragma once

#include <QString>

#include <optional>

namespace Slipdesk {

// Money on the forms: reading the amount fields, the grouped display form
// ("1,234.50"), the cheque-style capital text and the invoice-style box
// capitals. Amounts are held as an exact whole number of fen (0.01 yuan) so
// that no binary floating-point error ever reaches a printed digit.

// Largest amount that can be held: 18 fen digits.
inline constexpr qint64 MaxAmountFen = 999'999'999'999'999'999LL;
// Largest amount the capital units "分角元…亿…万" cover: 15 fen digits.
inline constexpr qint64 MaxCapitalFen = 999'999'999'999'999LL;

enum class AmountError { None, NotANumber, TooLarge };

// Reads a decimal amount after removing every ","; surrounding blanks, a sign,
// a missing integer or fraction part (".5", "5.") and an exponent ("1e3") are
// accepted. Rounded to the nearest fen, halves away from zero. Nothing for
// text that is not a number (also the empty text) and for amounts beyond
// MaxAmountFen; `error` tells which.
std::optional<qint64> parseAmount(const QString &text, AmountError *error = nullptr);

// The value of a field for arithmetic: text that does not parse counts as 0.
qint64 amountOrZero(const QString &text);

// "1,234.50", "-12.30", "0.00". Always "," and "." whatever the locale: the
// text tables and logs store amounts in this form and read them back by
// removing the commas, so a locale's separators would corrupt stored files.
QString formatGrouped(qint64 fen);

// What an amount field shows once it is left: its value in grouped form, or
// the empty text when it does not hold a number.
QString normaliseAmountField(const QString &text);

// Cheque-style capitals: 100.01 → "壹佰元零壹分", 100 → "壹佰元整", −12.3 →
// "负壹拾贰元叁角整". Empty for 0, and for amounts beyond MaxCapitalFen, which
// the capital units cannot express (a form then shows no amount rather than
// a wrong one).
QString capitalAmount(qint64 fen);
// The same for a field text; empty when it does not hold a number.
QString capitalAmount(const QString &text);

// Invoice-style capitals, one per printed box: "※" then the capital digit of
// every digit of the field's amount, the last `dropDigits` digits (jiao, fen)
// left off. 100.01 with 2 → "※壹零零", with 0 → "※壹零零零壹". Empty when the
// field holds no number or 0.
QString boxCapitals(const QString &fieldText, int dropDigits);

} // namespace Slipdesk
