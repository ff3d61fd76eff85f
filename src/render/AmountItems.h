#pragma once

#include "render/DateText.h"
#include "render/Drawing.h"
#include "templates/ItemTable.h"

#include <QDate>
#include <QString>

namespace Slipdesk {

// The amount and date items of a form: amounts in figures one per box,
// amounts in capitals (a cheque line or invoice boxes) and the date in its
// chosen shape, all drawn with the primitives of Drawing at the item's row.
// An amount that is not a number, or is 0, prints nothing in any format.

// The capital-amount item's formats, the index of its format menu.
enum CapitalFormat {
    CapitalCheque = 0, // "壹佰元零壹分" on one line
    CapitalBoxYuan = 1, // ※ and the yuan digits, one per box
    CapitalBoxFen = 2, // … and the jiao and fen digits
    CapitalBoxJiao = 3, // … and the jiao digit
};

// The text a capital-amount item prints for a field in `format`; empty for
// nothing to print and for unknown formats.
QString capitalItemText(const QString &fieldText, int format);

// Figures: with a spacing the digits (fen last) run leftwards from the item's
// position one pitch apart and "￥" stands in the box before the highest
// digit; without one "￥" and the grouped amount ("￥1,234.50") at the position.
void drawAmountFigures(Drawing &drawing, const QString &fieldText, const ItemParams &item);

// Capitals in `format`: the cheque text as a one-line item that shrinks to
// fit; the box capitals right to left, the last one at the item's position.
void drawCapitalAmount(Drawing &drawing, const QString &fieldText, int format, const ItemParams &item);

// `text` character by character from right to left: its last character at
// the item's position, each earlier one a pitch (spacing) further left, wide
// characters measured against "一".
void drawRightToLeft(Drawing &drawing, const QString &text, const ItemParams &item);

// The date item in `format` (DateFormat); nothing for unknown formats.
void drawDate(Drawing &drawing, const QDate &date, int format, const ItemParams &item);

// Year, month and day in separate boxes: the year at the item's position
// (left empty without `withYear`, its room kept), the month a pitch after the
// year's end, the day a pitch after the month's end. A short month moves the
// day right so that it keeps its box: by "1" for a one-digit month, by "日日"
// or "日" for a one- or two-character capital month.
void drawSplitDate(
    Drawing &drawing, const DatePieces &pieces, const ItemParams &item, bool withYear = true, bool capitals = false);

} // namespace Slipdesk
