#include "BarcodeItems.h"

#include <algorithm>

namespace Slipdesk {

namespace {

// A module of 0.25 mm (10 mil) when the item has no width: what common
// scanners read without trouble.
constexpr double kDefaultModuleMm = 0.25;
// Bars 10 mm high when the item names no height.
constexpr int kDefaultBarHeight = 100; // 0.1 mm
// Between the bars and the number under them.
constexpr int kTextGap = 5; // 0.1 mm

int defaultModule(int resolution)
{
    return std::max(1, int(Drawing::nearest(resolution * kDefaultModuleMm / 25.4)));
}

// The number under a Code 128's bars, centred on the symbol, fitted into
// `width` pixels.
void drawHumanText(Drawing &drawing, const QString &text, const ItemParams &item, int centreX, int top, int width)
{
    if (item.size < Drawing::MinimumSize)
        return;
    Canvas &canvas = drawing.canvas();
    const int widthTenths = drawing.lengthFromPixels(width);
    int size = item.size;
    bool clip = false;
    if (!drawing.fits(text, size, item.font, widthTenths)) {
        const int shrunk = item.shrink ? drawing.shrinkSize(text, size - 1, item.font, widthTenths) : 0;
        if (shrunk >= 1) {
            size = shrunk;
        } else {
            size = item.shrink ? Drawing::MinimumSize : item.size;
            clip = true;
        }
    }
    drawing.useFont(item.font, size);
    const int textWidth = canvas.textWidth(text);
    if (!clip) {
        canvas.drawText(centreX - textWidth / 2, top, text);
        return;
    }
    const QRect box(centreX - width / 2, top, width, canvas.textHeight(text));
    canvas.drawTextClipped(box, box.x(), top, text);
}

} // namespace

BarcodeLayout barcodeLayout(const Drawing &drawing, const Barcode &barcode, const ItemParams &item)
{
    const Canvas &canvas = drawing.canvas();
    const QPoint at = drawing.position(item.left, item.top);
    const int quiet = barcode.quietZone();
    const int across = barcode.columns() + 2 * quiet;
    const int boxWidth = item.width > 0 ? drawing.pixelsX(item.width) : 0;
    const double aspect = canvas.resolutionX() > 0 ? double(canvas.resolutionY()) / canvas.resolutionX() : 1.0;

    BarcodeLayout layout;
    if (canvas.printing()) {
        // Whole device pixels a module: every bar of one width prints alike.
        const int module = boxWidth > 0 ? std::max(1, boxWidth / across) : defaultModule(canvas.resolutionX());
        layout.module = module;
        layout.moduleHeight = double(std::max(1, int(Drawing::nearest(module * aspect))));
    } else {
        // A screen has too few pixels for that: whole pixels would make the
        // symbol of a preview visibly narrower than the printed one. The
        // preview shows it at its size instead, its edges rounded.
        layout.module = boxWidth > 0 ? std::max(1.0, double(boxWidth) / across)
                                     : std::max(1.0, canvas.resolutionX() * kDefaultModuleMm / 25.4);
        layout.moduleHeight = layout.module * aspect;
    }
    const auto pixels = [](double modules, double module) { return int(Drawing::nearest(modules * module)); };
    const int symbolWidth = pixels(across, layout.module);
    const int left = at.x() + std::max(0, (boxWidth - symbolWidth) / 2);
    const int modulesLeft = left + pixels(quiet, layout.module);
    const int modulesWidth = pixels(barcode.columns(), layout.module);
    if (barcode.linear()) {
        const int height = drawing.pixelsY(item.spacing > 0 ? item.spacing : kDefaultBarHeight);
        layout.symbol = QRect(left, at.y(), symbolWidth, height);
        layout.modules = QRect(modulesLeft, at.y(), modulesWidth, height);
    } else {
        const int down = barcode.rows() + 2 * quiet;
        layout.symbol = QRect(left, at.y(), symbolWidth, pixels(down, layout.moduleHeight));
        layout.modules = QRect(modulesLeft, at.y() + pixels(quiet, layout.moduleHeight), modulesWidth,
            pixels(barcode.rows(), layout.moduleHeight));
    }
    return layout;
}

bool drawBarcode(Drawing &drawing, const QString &text, Barcode::Symbology symbology, const ItemParams &item)
{
    if (text.isEmpty())
        return false;
    const std::optional<Barcode> barcode = Barcode::encode(symbology, text);
    if (!barcode) {
        drawing.drawItem(text, item);
        return false;
    }
    const BarcodeLayout layout = barcodeLayout(drawing, *barcode, item);
    Canvas &canvas = drawing.canvas();
    const QRect &modules = layout.modules;
    // Each edge from the symbol's corner, so that rounding never adds up.
    const auto x = [&](int column) { return modules.x() + int(Drawing::nearest(column * layout.module)); };
    const auto y = [&](int row) { return modules.y() + int(Drawing::nearest(row * layout.moduleHeight)); };
    const QList<Barcode::Run> runs = barcode->runs();
    for (const Barcode::Run &run : runs) {
        const int left = x(run.column);
        const int right = x(run.column + run.length);
        if (barcode->linear())
            canvas.fillRect(QRect(left, modules.y(), right - left, modules.height()));
        else
            canvas.fillRect(QRect(left, y(run.row), right - left, y(run.row + 1) - y(run.row)));
    }
    if (barcode->linear()) {
        const int width = item.width > 0 ? drawing.pixelsX(item.width) : layout.symbol.width();
        drawHumanText(drawing, text, item, layout.symbol.x() + layout.symbol.width() / 2,
            layout.symbol.y() + layout.symbol.height() + drawing.pixelsY(kTextGap), width);
    }
    return true;
}

} // namespace Slipdesk
