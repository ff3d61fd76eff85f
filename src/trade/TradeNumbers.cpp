#include "TradeNumbers.h"

#include "render/Amounts.h"

#include <cmath>

namespace Slipdesk::TradeNumbers {

std::optional<double> parse(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double lenient(const QString &text)
{
    return parse(text).value_or(0.0);
}

QString shortest(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // no "-0"
    // Rounded to 15 significant digits first, so that 0.1 + 0.2 shows 0.3.
    QString text = QString::number(value, 'g', 15);
    if (text.contains(u'e'))
        text = QString::number(value, 'f', 6);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

QString cleaned(QString text)
{
    text.remove(u',');
    text.remove(u' ');
    return text;
}

QString plainMoney(qint64 fen)
{
    const bool negative = fen < 0;
    const qint64 magnitude = negative ? -fen : fen;
    const qint64 cents = magnitude % 100;
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + u'.'
        + QChar(u'0' + int(cents / 10)) + QChar(u'0' + int(cents % 10));
}

qint64 times(double quantity, qint64 priceFen)
{
    // A quantity such as "1e300" from a goods file: the amount stops at the
    // largest the program handles instead of wrapping round (llround of a
    // value beyond 64 bits gives the most negative number).
    const double fen = quantity * double(priceFen);
    if (std::isnan(fen))
        return 0;
    if (fen >= double(MaxAmountFen))
        return MaxAmountFen;
    if (fen <= -double(MaxAmountFen))
        return -MaxAmountFen;
    return qint64(std::llround(fen));
}

} // namespace Slipdesk::TradeNumbers
