#include "render/AmountItems.h"

#include "render/Amounts.h"

namespace Slipdesk {

namespace {

// The currency sign has its own font so that it matches the forms' printed
// boxes whatever font the digits use.
const QString kCurrencyFont = QStringLiteral("华文细黑");
const QString kCurrencySign = QStringLiteral("￥");

} // namespace

QString capitalItemText(const QString &fieldText, int format)
{
    switch (format) {
    case CapitalCheque:
        return capitalAmount(fieldText);
    case CapitalBoxYuan:
        return boxCapitals(fieldText, 2);
    case CapitalBoxFen:
        return boxCapitals(fieldText, 0);
    case CapitalBoxJiao:
        return boxCapitals(fieldText, 1);
    default:
        return {};
    }
}

void drawAmountFigures(Drawing &drawing, const QString &fieldText, const ItemParams &item)
{
    const std::optional<qint64> fen = parseAmount(fieldText);
    if (!fen || *fen == 0)
        return;
    const QString formatted = formatGrouped(*fen);
    Canvas &canvas = drawing.canvas();
    const QPoint at = drawing.position(item.left, item.top);

    if (item.spacing <= 0) {
        drawing.useFont(kCurrencyFont, item.size);
        canvas.drawText(at.x(), at.y(), kCurrencySign);
        const int signWidth = canvas.textWidth(kCurrencySign);
        drawing.useFont(item.font, item.size);
        canvas.drawText(at.x() + signWidth, at.y(), formatted);
        return;
    }

    QString digits = formatted;
    digits.remove(u',');
    digits.remove(u'.');
    const int pitch = drawing.pixelsX(item.spacing);
    drawing.useFont(item.font, item.size);
    const int width8 = canvas.textWidth(QStringLiteral("8"));
    const int width9 = canvas.textWidth(QStringLiteral("9"));
    int x = at.x();
    int previousWidth = 0;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const QString digit(digits[i]);
        if (i != digits.size() - 1)
            x = x + previousWidth - width8 - pitch;
        canvas.drawText(x, at.y(), digit);
        previousWidth = canvas.textWidth(digit);
    }
    // One box before the highest digit, centred in the gap between boxes.
    const int signX = x + previousWidth - width9 - pitch - int(Drawing::nearest((pitch - width8) / 2.0));
    drawing.useFont(kCurrencyFont, item.size);
    canvas.drawText(signX, at.y(), kCurrencySign);
}

void drawRightToLeft(Drawing &drawing, const QString &text, const ItemParams &item)
{
    if (text.isEmpty())
        return;
    Canvas &canvas = drawing.canvas();
    const QPoint at = drawing.position(item.left, item.top);
    const int pitch = drawing.pixelsX(item.spacing);
    drawing.useFont(item.font, item.size);
    const int wideWidth = canvas.textWidth(QStringLiteral("一"));
    int x = at.x();
    int previousWidth = 0;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QString character(text[i]);
        if (i != text.size() - 1)
            x = x + previousWidth - wideWidth - pitch;
        canvas.drawText(x, at.y(), character);
        previousWidth = canvas.textWidth(character);
    }
}

void drawCapitalAmount(Drawing &drawing, const QString &fieldText, int format, const ItemParams &item)
{
    const QString text = capitalItemText(fieldText, format);
    if (text.isEmpty())
        return;
    if (format == CapitalCheque) {
        // A cheque line must never wrap into the next printed line of the
        // form, and must never be cut: one line, shrunk as far as needed.
        ItemParams line = item;
        line.wrap = ItemParams::NoWrap;
        line.shrink = true;
        drawing.drawItem(text, line);
        return;
    }
    drawRightToLeft(drawing, text, item);
}

void drawSplitDate(Drawing &drawing, const DatePieces &pieces, const ItemParams &item, bool withYear, bool capitals)
{
    if (pieces.year.isEmpty() && pieces.month.isEmpty() && pieces.day.isEmpty())
        return;
    Canvas &canvas = drawing.canvas();
    const QPoint at = drawing.position(item.left, item.top);
    const int pitch = drawing.pixelsX(item.spacing);
    drawing.useFont(item.font, item.size);

    auto draw = [&canvas, &at](int x, const QString &text) {
        if (!text.isEmpty())
            canvas.drawText(x, at.y(), text);
    };
    if (withYear)
        draw(at.x(), pieces.year);
    const int monthX = at.x() + canvas.textWidth(pieces.year) + pitch;
    draw(monthX, pieces.month);
    int dayX = monthX + canvas.textWidth(pieces.month) + pitch;
    if (capitals) {
        if (pieces.month.size() == 1)
            dayX += canvas.textWidth(QStringLiteral("日日"));
        else if (pieces.month.size() == 2)
            dayX += canvas.textWidth(QStringLiteral("日"));
    } else if (pieces.month.size() == 1) {
        dayX += canvas.textWidth(QStringLiteral("1"));
    }
    draw(dayX, pieces.day);
}

void drawDate(Drawing &drawing, const QDate &date, int format, const ItemParams &item)
{
    switch (format) {
    case DateSpaced:
        drawSplitDate(drawing, datePieces(date), item, true);
        return;
    case DateMonthDay:
        drawSplitDate(drawing, datePieces(date), item, false);
        return;
    case DateDashed:
    case DateChinese:
    case DateDayFirst:
        drawing.drawItem(dateItemText(date, format), item);
        return;
    default:
        return;
    }
}

} // namespace Slipdesk
