#pragma once

#include "render/Barcode.h"
#include "render/Drawing.h"
#include "templates/ItemTable.h"

#include <QRect>
#include <QString>

namespace Slipdesk {

// The barcode items of a form: a number as a Code 128 or a QR code, drawn
// with the item's row. While printing every module is a whole number of
// device pixels of the target, and every dark run is one filled rectangle,
// so that the printer, a PDF, a PNG and the ".ops" list draw the same symbol
// and no scaling blurs a bar.
//
// The row's cells: 距左端/距上端 the top-left corner of the symbol's box,
// quiet zones included; 宽度 the box's width, which the symbol fills as far
// as whole pixels per module allow, centred in it (0: a module of 0.25 mm);
// 间距 the height of a Code 128's bars (0: 10 mm; a QR code is square);
// 字号 and 字体 the number printed under a Code 128's bars, shrunk to the
// box's width unless 自动缩小 is "否" (a 字号 below 4 prints no number).

// Where an item's symbol lands on the target.
// While printing a module is a whole number of device pixels; a preview
// draws the symbol at its size on the screen, with edges rounded to pixels.
struct BarcodeLayout
{
    double module = 0; // device pixels per module, across
    double moduleHeight = 0; // device pixels per module row of a QR code
    QRect symbol; // the symbol with its quiet zones
    QRect modules; // the bars or modules alone
};
BarcodeLayout barcodeLayout(const Drawing &drawing, const Barcode &barcode, const ItemParams &item);

// Draws `text` as a barcode of `symbology` at the item. A text the
// symbology cannot hold (Chinese in a Code 128) is printed as a text item
// instead, so that the number is still on the form; false then.
bool drawBarcode(Drawing &drawing, const QString &text, Barcode::Symbology symbology, const ItemParams &item);

} // namespace Slipdesk
