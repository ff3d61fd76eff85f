// Barcode symbols and the barcode item: modules in whole device pixels, the
// quiet zone kept clear, and a rendered symbol that a barcode reader (zbar's
// zbarimg, when installed) reads back to its text.

#include "render/Barcode.h"
#include "render/BarcodeItems.h"
#include "render/FontMapping.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "support/BarcodeReader.h"
#include "support/TempDir.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <iostream>

using namespace Slipdesk;

namespace {

using Symbology = Barcode::Symbology;

ItemParams barcodeItem(int left, int top, int width, int spacing = 0, int size = 10)
{
    ItemParams item;
    item.print = true;
    item.left = left;
    item.top = top;
    item.width = width;
    item.spacing = spacing;
    item.size = size;
    item.wrap = ItemParams::NoWrap;
    return item;
}

QImage whitePage(int dpi, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = int(Drawing::nearest(dpi * 10000.0 / 254.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

// Dark pixels of `image` inside `area`.
int inkIn(const QImage &image, const QRect &area)
{
    int dark = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

} // namespace

TEST(Barcode, Code128AndQrCodeComeOutAsModules)
{
    const std::optional<Barcode> code = Barcode::encode(Symbology::Code128, QStringLiteral("SF1234567890"));
    ASSERT_TRUE(code);
    EXPECT_TRUE(code->linear());
    EXPECT_EQ(code->rows(), 1);
    EXPECT_EQ(code->quietZone(), 10);
    // Characters of 11 modules each, the stop pattern 13 wide and ending in
    // two bars; the start character begins with a bar.
    EXPECT_EQ(code->columns() % 11, 2);
    EXPECT_TRUE(code->dark(0, 0));
    EXPECT_TRUE(code->dark(code->columns() - 1, 0));
    EXPECT_TRUE(code->dark(code->columns() - 2, 0));
    EXPECT_FALSE(code->dark(code->columns(), 0)); // outside
    int dark = 0;
    for (int c = 0; c < code->columns(); ++c)
        dark += code->dark(c, 0) ? 1 : 0;
    int inRuns = 0;
    for (const Barcode::Run &run : code->runs()) {
        EXPECT_EQ(run.row, 0);
        inRuns += run.length;
    }
    EXPECT_EQ(inRuns, dark);

    const std::optional<Barcode> qr = Barcode::encode(Symbology::QrCode, QStringLiteral("SF1234567890"));
    ASSERT_TRUE(qr);
    EXPECT_FALSE(qr->linear());
    EXPECT_EQ(qr->quietZone(), 4);
    EXPECT_EQ(qr->columns(), qr->rows());
    EXPECT_EQ((qr->columns() - 17) % 4, 0); // versions grow by 4 modules
    // The three finder patterns: a dark ring, a light ring, a dark core.
    const int last = qr->columns() - 1;
    for (const auto &[x, y] : {std::pair {0, 0}, std::pair {last - 6, 0}, std::pair {0, last - 6}}) {
        EXPECT_TRUE(qr->dark(x, y));
        EXPECT_TRUE(qr->dark(x + 6, y + 6));
        EXPECT_FALSE(qr->dark(x + 1, y + 1));
        EXPECT_TRUE(qr->dark(x + 3, y + 3));
    }
}

TEST(Barcode, RefusesWhatTheSymbologyCannotHold)
{
    QString error;
    EXPECT_FALSE(Barcode::encode(Symbology::Code128, QStringLiteral("运单号123"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(Barcode::encode(Symbology::Code128, QString()));
    EXPECT_FALSE(Barcode::encode(Symbology::QrCode, QString()));
    EXPECT_FALSE(Barcode::encode(Symbology::Code128, QString(500, u'7')));
    // A QR code takes any text.
    EXPECT_TRUE(Barcode::encode(Symbology::QrCode, QStringLiteral("运单号123")));
}

// At the printer's resolution every bar is a whole number of pixels of one
// module width, the symbol fills its box as far as whole modules allow,
// centred, and its quiet zones hold nothing; the number is printed centred
// under the bars.
TEST(BarcodeItems, ModulesAreWholePixelsAndTheQuietZonesStayEmpty)
{
    RecordingCanvas canvas(600);
    canvas.setPrinting(true);
    canvas.setPrintableOffset(QPoint(30, 20));
    Drawing drawing(canvas, 15, -10);
    const ItemParams item = barcodeItem(100, 200, 600, 120);
    const QString number = QStringLiteral("SF1234567890");
    ASSERT_TRUE(drawBarcode(drawing, number, Symbology::Code128, item));

    const Barcode code = *Barcode::encode(Symbology::Code128, number);
    const BarcodeLayout layout = barcodeLayout(drawing, code, item);
    const int module = int(layout.module);
    EXPECT_EQ(double(module), layout.module);
    const QPoint at = drawing.position(100, 200);
    const int box = drawing.pixelsX(600); // 1417 pixels
    EXPECT_EQ(module, box / (code.columns() + 20));
    EXPECT_GE(module, 2);
    EXPECT_EQ(layout.symbol.width(), (code.columns() + 20) * module);
    EXPECT_EQ(layout.symbol.x(), at.x() + (box - layout.symbol.width()) / 2);
    EXPECT_EQ(layout.symbol.y(), at.y());
    EXPECT_EQ(layout.modules.x(), layout.symbol.x() + 10 * module);
    EXPECT_EQ(layout.modules.right(), layout.symbol.right() - 10 * module);

    const QList<RecordingCanvas::Op> bars = canvas.rects();
    ASSERT_EQ(bars.size(), code.runs().size());
    int inked = 0;
    for (const RecordingCanvas::Op &bar : bars) {
        EXPECT_TRUE(layout.modules.contains(bar.box)) << bar.box.x();
        EXPECT_EQ((bar.box.x() - layout.modules.x()) % module, 0);
        EXPECT_EQ(bar.box.width() % module, 0);
        EXPECT_EQ(bar.box.height(), drawing.pixelsY(120));
        inked += bar.box.width();
    }
    EXPECT_EQ(bars.first().box.x(), layout.modules.x());
    EXPECT_EQ(bars.last().box.right(), layout.modules.right());
    int darkModules = 0;
    for (int c = 0; c < code.columns(); ++c)
        darkModules += code.dark(c, 0) ? 1 : 0;
    EXPECT_EQ(inked, darkModules * module);

    const QList<RecordingCanvas::Op> texts = canvas.texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts.first().text, number);
    EXPECT_GT(texts.first().y, layout.symbol.bottom());
    const int textWidth = canvas.textWidth(number);
    EXPECT_LE(std::abs(texts.first().x + textWidth / 2 - layout.symbol.center().x()), 1);
}

TEST(BarcodeItems, QrModulesAreSquaresOfWholePixelsInsideTheQuietZone)
{
    RecordingCanvas canvas(300);
    canvas.setPrinting(true);
    Drawing drawing(canvas);
    const ItemParams item = barcodeItem(500, 400, 250);
    const QString number = QStringLiteral("YT9876543210");
    ASSERT_TRUE(drawBarcode(drawing, number, Symbology::QrCode, item));
    const Barcode qr = *Barcode::encode(Symbology::QrCode, number);
    const BarcodeLayout layout = barcodeLayout(drawing, qr, item);
    const int module = int(layout.module);
    EXPECT_EQ(module, drawing.pixelsX(250) / (qr.columns() + 8));
    EXPECT_EQ(layout.moduleHeight, layout.module);
    EXPECT_EQ(layout.modules.topLeft(), layout.symbol.topLeft() + QPoint(4, 4) * module);
    EXPECT_EQ(layout.symbol.height(), layout.symbol.width());
    for (const RecordingCanvas::Op &run : canvas.rects()) {
        EXPECT_TRUE(layout.modules.contains(run.box));
        EXPECT_EQ(run.box.height(), module);
        EXPECT_EQ((run.box.y() - layout.modules.y()) % module, 0);
        EXPECT_EQ((run.box.x() - layout.modules.x()) % module, 0);
    }
    EXPECT_EQ(canvas.rects().size(), qr.runs().size());
    EXPECT_TRUE(canvas.texts().isEmpty()); // a QR code carries no number line

    // Without a width the module is 0.25 mm; a narrow box still gets one
    // whole pixel a module.
    EXPECT_EQ(barcodeLayout(drawing, qr, barcodeItem(0, 0, 0)).module, 3);
    EXPECT_EQ(barcodeLayout(drawing, qr, barcodeItem(0, 0, 10)).module, 1);
}

// A preview has too few pixels for whole-pixel modules: it shows the symbol
// at its size, filling the box, so that it is never narrower on the screen
// than on paper; a print at any resolution fills the box to within one
// device pixel a module.
TEST(BarcodeItems, APreviewShowsTheSymbolAtItsPrintedSize)
{
    const Barcode code = *Barcode::encode(Symbology::Code128, QStringLiteral("SF0099"));
    const ItemParams item = barcodeItem(50, 170, 900, 150);
    RecordingCanvas screen(96);
    Drawing preview(screen);
    const BarcodeLayout shown = barcodeLayout(preview, code, item);
    const int box = preview.pixelsX(900);
    EXPECT_LE(std::abs(shown.symbol.width() - box), 1);
    EXPECT_GT(shown.module, 3.0); // 340 pixels for 99 modules
    drawBarcode(preview, QStringLiteral("SF0099"), Symbology::Code128, item);
    EXPECT_EQ(screen.rects().first().box.x(), shown.modules.x());
    EXPECT_EQ(screen.rects().last().box.right(), shown.modules.right());
    for (const int dpi : {203, 300, 600}) {
        RecordingCanvas paper(dpi);
        paper.setPrinting(true);
        Drawing print(paper);
        const BarcodeLayout printed = barcodeLayout(print, code, item);
        const double printedMm = printed.symbol.width() * 25.4 / dpi;
        const double shownMm = shown.symbol.width() * 25.4 / 96;
        EXPECT_LE(printedMm, 90.0);
        EXPECT_GT(printedMm, 90.0 - (code.columns() + 20) * 25.4 / dpi) << dpi;
        EXPECT_NEAR(shownMm, 90.0, 0.3);
    }
}

// A value a Code 128 cannot hold still reaches the form, as text; "字号"
// below 4 leaves the number line out.
TEST(BarcodeItems, WhatNoSymbolHoldsIsPrintedAsTextAndTheNumberLineCanBeOff)
{
    RecordingCanvas canvas(600);
    canvas.setPrinting(true);
    Drawing drawing(canvas);
    EXPECT_FALSE(drawBarcode(drawing, QStringLiteral("顺丰123"), Symbology::Code128, barcodeItem(100, 100, 600)));
    EXPECT_TRUE(canvas.rects().isEmpty());
    ASSERT_EQ(canvas.texts().size(), 1);
    EXPECT_EQ(canvas.texts().first().text, QStringLiteral("顺丰123"));

    canvas.clear();
    EXPECT_FALSE(drawBarcode(drawing, QString(), Symbology::Code128, barcodeItem(100, 100, 600)));
    EXPECT_TRUE(canvas.ops.isEmpty());

    EXPECT_TRUE(drawBarcode(drawing, QStringLiteral("123456"), Symbology::Code128, barcodeItem(100, 100, 600, 0, 0)));
    EXPECT_TRUE(canvas.texts().isEmpty());
    EXPECT_EQ(canvas.rects().first().box.height(), drawing.pixelsY(100)); // bars 10 mm high by default
}

TEST(BarcodeItems, OpsLinesListTheRectangles)
{
    RecordingCanvas canvas(96);
    canvas.setPrinting(true);
    Drawing drawing(canvas);
    drawBarcode(drawing, QStringLiteral("AB12"), Symbology::Code128, barcodeItem(0, 0, 400, 50, 0));
    const QStringList lines = canvas.toJsonLines().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), canvas.rects().size());
    const QRect first = canvas.rects().first().box;
    EXPECT_EQ(lines.first(),
        QStringLiteral(R"({"op":"rect","x":%1,"y":%2,"w":%3,"h":%4})")
            .arg(first.x())
            .arg(first.y())
            .arg(first.width())
            .arg(first.height()));
}

// The bars drawn on a picture are exactly the recorded rectangles: solid
// ink inside, nothing in the quiet zones.
TEST(BarcodeItems, PaintedBarsAreSolidAndTheQuietZonesWhite)
{
    FontMapping::install();
    QImage image = whitePage(600, {1600, 500});
    const ItemParams item = barcodeItem(20, 20, 600, 100);
    const QString number = QStringLiteral("SF1234567890");
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, 600, 600, {}, true);
        Drawing drawing(canvas);
        ASSERT_TRUE(drawBarcode(drawing, number, Symbology::Code128, item));
    }
    RecordingCanvas recording(600);
    recording.setPrinting(true);
    Drawing drawing(recording);
    const Barcode code = *Barcode::encode(Symbology::Code128, number);
    const BarcodeLayout layout = barcodeLayout(drawing, code, item);
    drawBarcode(drawing, number, Symbology::Code128, item);
    int barPixels = 0;
    for (const RecordingCanvas::Op &bar : recording.rects()) {
        EXPECT_EQ(inkIn(image, bar.box), bar.box.width() * bar.box.height());
        barPixels += bar.box.width() * bar.box.height();
    }
    EXPECT_EQ(inkIn(image, layout.symbol), barPixels);
    EXPECT_EQ(inkIn(image, QRect(layout.symbol.topLeft(), layout.modules.bottomLeft() - QPoint(1, 0))), 0);
}

// What a scanner sees: the symbol rendered at the printer's resolution,
// cut out with its quiet zones and nothing more, reads back to its text.
TEST(BarcodeDecode, RenderedSymbolsReadBackToTheirText)
{
    if (!BarcodeReader::available())
        GTEST_SKIP() << "zbarimg not installed (package zbar-tools; scripts/deps.sh --tests)";
    FontMapping::install();
    TempDir dir;
    struct Case
    {
        Symbology symbology;
        QString text;
        int dpi;
        int width; // 0.1 mm
    };
    // 600 dpi as the files and office printers, 203 dpi as a thermal label
    // printer: 2 pixels (0.25 mm) a module there.
    const Case cases[] = {
        {Symbology::Code128, QStringLiteral("SF1234567890"), 600, 600},
        {Symbology::Code128, QStringLiteral("YT9876543210"), 203, 365},
        {Symbology::Code128, QStringLiteral("CK000123"), 600, 250},
        {Symbology::QrCode, QStringLiteral("SF1234567890"), 600, 250},
        {Symbology::QrCode, QStringLiteral("YT9876543210"), 203, 80},
        {Symbology::QrCode, QStringLiteral("发货单CK000123"), 600, 250},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " at " + std::to_string(c.dpi));
        RecordingCanvas probe(c.dpi);
        probe.setPrinting(true);
        Drawing measure(probe);
        const ItemParams item = barcodeItem(30, 30, c.width, 100, 0);
        const BarcodeLayout layout = barcodeLayout(measure, *Barcode::encode(c.symbology, c.text), item);
        QImage image = whitePage(c.dpi, QSize(layout.symbol.right() + 60, layout.symbol.bottom() + 60));
        {
            QPainter painter(&image);
            PainterCanvas canvas(painter, c.dpi, c.dpi, {}, true);
            Drawing drawing(canvas);
            ASSERT_TRUE(drawBarcode(drawing, c.text, c.symbology, item));
        }
        const QString file = dir.file(QStringLiteral("symbol%1.png").arg(++n));
        ASSERT_TRUE(image.copy(layout.symbol).save(file));
        EXPECT_EQ(BarcodeReader::read(file), QStringList {c.text});
        std::cout << "[ decoded ] " << (c.symbology == Symbology::Code128 ? "Code 128" : "QR code") << " \""
                  << c.text.toStdString() << "\" at " << c.dpi << " dpi, module " << layout.module << " px ("
                  << layout.module * 25.4 / c.dpi << " mm), quiet zone "
                  << int(layout.modules.x() - layout.symbol.x()) / int(layout.module) << " modules" << std::endl;
    }
}
