#include "render/Amounts.h"

#include <algorithm>
#include <utility>

namespace Slipdesk {

namespace {

const QString kCapitalDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
// From the last fen digit leftwards.
const QString kCapitalUnits = QStringLiteral("分角元拾佰仟万拾佰仟亿拾佰仟万");
const QString kBoxPrefix = QStringLiteral("※");

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Exponents beyond this only ever give 0 or an amount too large to hold.
constexpr int kExponentLimit = 1000;

} // namespace

std::optional<qint64> parseAmount(const QString &text, AmountError *error)
{
    auto fail = [error](AmountError why) -> std::optional<qint64> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QString s = text;
    s.remove(u',');
    s = s.trimmed();

    int i = 0;
    const int n = int(s.size());
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    QString digits; // integer and fraction digits together
    int fractionLength = 0;
    while (i < n && isDigit(s[i]))
        digits.append(s[i++]);
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            digits.append(s[i++]);
            ++fractionLength;
        }
    }
    if (digits.isEmpty())
        return fail(AmountError::NotANumber);
    int exponent = 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) {
            expNegative = s[i] == u'-';
            ++i;
        }
        if (i >= n || !isDigit(s[i]))
            return fail(AmountError::NotANumber);
        while (i < n && isDigit(s[i])) {
            if (exponent < kExponentLimit)
                exponent = exponent * 10 + (s[i].unicode() - u'0');
            ++i;
        }
        exponent = std::min(exponent, kExponentLimit);
        if (expNegative)
            exponent = -exponent;
    }
    if (i != n)
        return fail(AmountError::NotANumber);

    // value = digits × 10^(exponent − fractionLength); in fen two places more.
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    const bool zero = digits == u"0";
    const int shift = exponent - fractionLength + 2;
    QString whole;
    bool roundUp = false;
    if (zero) {
        whole = QStringLiteral("0");
    } else if (shift >= 0) {
        if (digits.size() + shift > 18)
            return fail(AmountError::TooLarge);
        whole = digits + QString(shift, u'0');
    } else {
        const qsizetype keep = digits.size() + shift; // may be ≤ 0
        whole = keep > 0 ? digits.left(keep) : QStringLiteral("0");
        // Round half away from zero: only the first dropped digit decides.
        roundUp = keep >= 0 && digits[keep].unicode() >= u'5';
        while (whole.size() > 1 && whole.front() == u'0')
            whole.remove(0, 1);
        if (whole.size() > 18)
            return fail(AmountError::TooLarge);
    }
    qint64 fen = 0;
    for (QChar c : whole)
        fen = fen * 10 + (c.unicode() - u'0');
    if (roundUp)
        ++fen;
    if (fen > MaxAmountFen)
        return fail(AmountError::TooLarge);
    if (error)
        *error = AmountError::None;
    return negative ? -fen : fen;
}

qint64 amountOrZero(const QString &text)
{
    return parseAmount(text).value_or(0);
}

QString formatGrouped(qint64 fen)
{
    // Fixed separators on purpose; see the header.
    const bool negative = fen < 0;
    // Unsigned, so that the most negative number has a magnitude too.
    const quint64 magnitude = negative ? 0 - quint64(fen) : quint64(fen);
    const QString yuan = QString::number(magnitude / 100);
    QString grouped;
    for (qsizetype i = 0; i < yuan.size(); ++i) {
        if (i > 0 && (yuan.size() - i) % 3 == 0)
            grouped.append(u',');
        grouped.append(yuan[i]);
    }
    const quint64 cents = magnitude % 100;
    return (negative ? QStringLiteral("-") : QString()) + grouped + u'.' + QChar(u'0' + int(cents / 10))
        + QChar(u'0' + int(cents % 10));
}

QString normaliseAmountField(const QString &text)
{
    const std::optional<qint64> fen = parseAmount(text);
    return fen ? formatGrouped(*fen) : QString();
}

QString capitalAmount(qint64 fen)
{
    if (fen == 0 || fen > MaxCapitalFen || fen < -MaxCapitalFen)
        return {};
    const bool negative = fen < 0;
    const QString digits = QString::number(negative ? -fen : fen);
    const qsizetype length = digits.size();

    QString text;
    for (qsizetype i = 0; i < length; ++i) {
        text.append(kCapitalDigits[digits[i].unicode() - u'0']);
        text.append(kCapitalUnits[length - 1 - i]);
    }
    // The order of these replacements is what makes the zeros come out as on
    // a cheque; each one is a single left-to-right pass over the whole text.
    text.replace(QStringLiteral("零仟"), QStringLiteral("零"));
    text.replace(QStringLiteral("零佰"), QStringLiteral("零"));
    text.replace(QStringLiteral("零拾"), QStringLiteral("零"));
    text.replace(QStringLiteral("零角"), QStringLiteral("零"));
    text.replace(QStringLiteral("零分"), QStringLiteral("整"));
    text.replace(QStringLiteral("零零"), QStringLiteral("零"));
    text.replace(QStringLiteral("零零"), QStringLiteral("零"));
    text.replace(QStringLiteral("零亿"), QStringLiteral("亿"));
    text.replace(QStringLiteral("零万"), QStringLiteral("万"));
    text.replace(QStringLiteral("零元"), QStringLiteral("元"));
    if (text == u"整")
        return {};
    text.replace(QStringLiteral("亿万"), QStringLiteral("亿零"));
    text.replace(QStringLiteral("零整"), QStringLiteral("整"));
    text.replace(QStringLiteral("零零"), QStringLiteral("零"));
    text.replace(QStringLiteral("零元"), QStringLiteral("元"));
    // The sign only for an amount that is not 0 after rounding: −0.001 has
    // no capital text at all, not "负整".
    return negative ? QStringLiteral("负") + text : text;
}

QString capitalAmount(const QString &text)
{
    const std::optional<qint64> fen = parseAmount(text);
    return fen ? capitalAmount(*fen) : QString();
}

QString boxCapitals(const QString &fieldText, int dropDigits)
{
    const std::optional<qint64> fen = parseAmount(fieldText);
    if (!fen || *fen == 0)
        return {};
    // The digits come from the grouped two-decimal form, the form the field
    // holds once it has been left. A raw "12" or "12.5" (the field never lost
    // focus, or a value from elsewhere) would otherwise lose yuan digits where
    // the jiao and fen digits were meant to be dropped.
    QString digits = formatGrouped(*fen);
    digits.remove(u'.');
    digits.remove(u',');
    digits.chop(std::clamp(dropDigits, 0, int(digits.size())));
    QString result = kBoxPrefix;
    for (QChar c : std::as_const(digits))
        result.append(isDigit(c) ? kCapitalDigits[c.unicode() - u'0'] : c);
    return result;
}

} // namespace Slipdesk
