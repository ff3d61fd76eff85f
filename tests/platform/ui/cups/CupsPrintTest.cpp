// Printing through the real print system: the window's printer service over
// Qt's CUPS support, a private scheduler (PrivateCups) with one cups-pdf
// queue, and the PDF that comes out of it, measured with the poppler tools.
//
// cups-pdf receives PostScript and has Ghostscript write the PDF; on the way
// every text becomes Type 3 bitmap glyphs with made-up Unicode and glyph
// boxes about 0.9 mm off, so pdftotext can neither read nor place them. The
// texts are found by their ink on a rendering of the page instead, which is
// what the paper would show; pdftotext serves on the queue with margins,
// whose filters keep text as text. SLIPDESK_CUPS_VERBOSE=1 prints every
// measured deviation.

#include "support/BarcodeReader.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateCups.h"

#include "platform/PrintJob.h"
#include "platform/VirtualPdfPrinter.h"
#include "platform/ui/QtPrinterService.h"
#include "platform/ui/WidgetFields.h"
#include "render/Drawing.h"
#include "render/FontMapping.h"
#include "render/PainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "templates/ItemTable.h"
#include "templates/ui/TemplateTab.h"
#include "trade/GoodsTable.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <iostream>

using namespace Slipdesk;

namespace {

const QString kDevice = QStringLiteral("打印设备");
constexpr int kJobTimeoutMs = 60000;
constexpr double kToleranceMm = 0.5;
// The rendering the texts are found on: finer than the 0.5 mm tolerance.
constexpr int kRenderDpi = 300;
// How far around a text's expected ink its real ink is looked for.
constexpr double kSearchMarginMm = 1.0;

// The window's printer service as the program makes it (system printers, no
// virtual printer), noting what the job it started used.
class ObservedPrinters : public PrinterService
{
public:
    QStringList printerNames() const override { return real.printerNames(); }
    QString defaultPrinterName() const override { return real.defaultPrinterName(); }
    QList<PaperInfo> papers(const QString &printer) const override { return real.papers(printer); }
    std::unique_ptr<PrintJob> startJob(const PrinterSetup &setup, const QString &title, QString *error) override
    {
        std::unique_ptr<PrintJob> job = real.startJob(setup, title, error);
        if (job) {
            ++jobs;
            resolutionX = job->resolutionX();
            resolutionY = job->resolutionY();
            printableOffset = job->printableOffset();
            if (onJob)
                onJob();
        }
        return job;
    }

    QtPrinterService real {nullptr, true};
    std::function<void()> onJob; // called once the job has started, before anything is drawn
    int jobs = 0;
    int resolutionX = 0;
    int resolutionY = 0;
    QPoint printableOffset;
};

QString runTool(const QString &program, const QStringList &arguments, bool *ok)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(program), arguments);
    *ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The first page's size in millimetres as a viewer shows it (turned by the
// page's rotation).
QSizeF pdfPageSizeMm(const QString &pdf)
{
    bool ok = false;
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf}, &ok);
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(info);
    if (!ok || !size.hasMatch())
        return {};
    QSizeF mm(size.captured(1).toDouble() * 25.4 / 72, size.captured(2).toDouble() * 25.4 / 72);
    const QRegularExpressionMatch rotation = QRegularExpression(QStringLiteral(R"(Page rot:\s+(\d+))")).match(info);
    if (rotation.hasMatch() && rotation.captured(1).toInt() % 180 == 90)
        mm.transpose();
    return mm;
}

QImage renderGray(const QString &pdf, const QString &stem)
{
    bool ok = false;
    runTool(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(kRenderDpi), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
            QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, stem},
        &ok);
    return ok ? QImage(stem + QStringLiteral(".pgm")) : QImage();
}

// Where the ink of a drawn text is expected on the paper, in millimetres from
// the paper corner. The recorded position is the drawing routine's (template
// position, overall offset, printable-area offset subtracted); the job moves
// its painter by the printable-area offset, so the paper position is the
// recorded one plus that offset. The ink is the text's tight box in the font
// the printer canvas sets, below the baseline it draws at (top + ascent).
QRectF expectedInkMm(const RecordingCanvas::Op &op, const ObservedPrinters &printers)
{
    QFont font(op.font);
    font.setPixelSize(PainterCanvas::pixelSize(op.size, printers.resolutionY));
    const QFontMetrics metrics(font);
    const QRectF tight = QFontMetricsF(font).tightBoundingRect(op.text);
    const QPointF origin(op.x + printers.printableOffset.x(), op.y + printers.printableOffset.y() + metrics.ascent());
    const QRectF pixels = tight.translated(origin);
    return {pixels.left() * 25.4 / printers.resolutionX, pixels.top() * 25.4 / printers.resolutionY,
        pixels.width() * 25.4 / printers.resolutionX, pixels.height() * 25.4 / printers.resolutionY};
}

// The bounding box of the dark pixels of `page` inside `windowMm`.
QRectF inkMm(const QImage &page, const QRectF &windowMm)
{
    const double perMm = kRenderDpi / 25.4;
    const QRect window
        = QRect(QPoint(int(std::floor(windowMm.left() * perMm)), int(std::floor(windowMm.top() * perMm))),
            QPoint(int(std::ceil(windowMm.right() * perMm)), int(std::ceil(windowMm.bottom() * perMm))))
              .intersected(page.rect());
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = window.top(); y <= window.bottom(); ++y) {
        for (int x = window.left(); x <= window.right(); ++x) {
            if (qGray(page.pixel(x, y)) >= 128)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return {left / perMm, top / perMm, (right + 1 - left) / perMm, (bottom + 1 - top) / perMm};
}

class CupsPrint : public MainWindowTest
{
protected:
    static void SetUpTestSuite()
    {
        s_skip = PrivateCups::missing();
        for (const char *tool : {"pdfinfo", "pdftoppm"}) {
            if (s_skip.isEmpty() && QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                s_skip = QString::fromLatin1(tool) + QStringLiteral(" not installed (package poppler-utils)");
        }
        if (!s_skip.isEmpty())
            return;
        FontMapping::install();
        s_cups = new PrivateCups;
        if (!s_cups->start(&s_startError))
            s_startError
                = s_startError.isEmpty() ? QStringLiteral("the private scheduler did not start") : s_startError;
        else
            std::cout << "[ private CUPS ] " << s_cups->socketPath().toStdString() << ", backend "
                      << s_cups->backend().toStdString() << std::endl;
    }
    static void TearDownTestSuite()
    {
        delete s_cups;
        s_cups = nullptr;
    }

    void SetUp() override
    {
        if (!s_skip.isEmpty())
            GTEST_SKIP() << "CUPS printing tests skipped: " << s_skip.toStdString();
        ASSERT_TRUE(s_startError.isEmpty()) << s_startError.toStdString();
        Slipdesk::PrinterService::install(&observed);
    }

    // The template's printer and paper, as the template tab saves them.
    void useQueue(const QString &templateName, int paperSize, const QString &otherPaper, int feedDirection,
        const QString &moveX = QStringLiteral("0"), const QString &moveY = QStringLiteral("0"),
        const QString &queue = PrivateCups::queueName())
    {
        IniFile ini(dir.file(QStringLiteral("用户信函模版/") + templateName + QStringLiteral(".INI")));
        ini.writeString(kDevice, QStringLiteral("打印机"), queue);
        ini.writeInteger(kDevice, QStringLiteral("纸张尺寸"), paperSize);
        ini.writeString(kDevice, QStringLiteral("其他纸张类型"), otherPaper);
        ini.writeInteger(kDevice, QStringLiteral("进纸方向"), feedDirection);
        ini.writeString(kDevice, QStringLiteral("水平整体移动"), moveX);
        ini.writeString(kDevice, QStringLiteral("垂直整体移动"), moveY);
    }

    // Presses `button` and waits for the queue's PDF. What the tab draws is
    // recorded when the job starts (the print changes the form afterwards:
    // the number advances), at the job's resolution and with its
    // printable-area offset, drawing with `overallOffset` as the print does.
    QString printAndWait(
        QPushButton *button, QPoint overallOffset = {}, const QString &queue = PrivateCups::queueName())
    {
        const QStringList before = s_cups->pdfs();
        const int jobs = observed.jobs;
        recorded.clear();
        observed.onJob = [this, overallOffset] {
            RecordingCanvas recording(observed.resolutionY, RecordingCanvas::Metrics::Font);
            recording.setResolution(observed.resolutionX, observed.resolutionY);
            recording.setPrinting(true);
            recording.setPrintableOffset(observed.printableOffset);
            form->templateTab()->drawForm(recording, overallOffset);
            recorded = recording.ops;
        };
        button->click();
        observed.onJob = nullptr;
        EXPECT_EQ(observed.jobs, jobs + 1) << messages.texts().join(u'\n').toStdString();
        EXPECT_TRUE(messages.texts(MessageService::Icon::Warning).isEmpty())
            << messages.texts().join(u'\n').toStdString();
        QString error;
        const QString pdf = s_cups->waitForPdf(queue, before, kJobTimeoutMs, &error);
        EXPECT_FALSE(pdf.isEmpty()) << error.toStdString();
        return pdf;
    }

    // The recorded texts whose surroundings hold no other drawing, so that
    // each can be told apart by its ink.
    QList<RecordingCanvas::Op> isolatedTexts() const
    {
        QList<RecordingCanvas::Op> lines;
        QList<std::pair<RecordingCanvas::Op, QRectF>> texts;
        for (const RecordingCanvas::Op &op : recorded) {
            if (op.kind != RecordingCanvas::Op::Text)
                lines.append(op);
            else if (!op.text.trimmed().isEmpty())
                texts.append({op,
                    expectedInkMm(op, observed)
                        .adjusted(-kSearchMarginMm, -kSearchMarginMm, kSearchMarginMm, kSearchMarginMm)});
        }
        QList<RecordingCanvas::Op> isolated;
        for (const auto &[op, window] : texts) {
            bool alone = op.mode == RecordingCanvas::Op::Plain;
            for (const auto &[other, otherWindow] : texts) {
                if (&other != &op
                    && window.intersects(expectedInkMm(other, observed)
                                             .adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm)))
                    alone = false;
            }
            for (const RecordingCanvas::Op &line : lines) {
                const QRectF extent = line.kind == RecordingCanvas::Op::Frame || line.kind == RecordingCanvas::Op::Rect
                    ? QRectF(line.box)
                    : QRectF(QPointF(line.x, line.y), QPointF(line.x2, line.y2)).normalized();
                const QRectF mm((extent.left() + observed.printableOffset.x()) * 25.4 / observed.resolutionX,
                    (extent.top() + observed.printableOffset.y()) * 25.4 / observed.resolutionY,
                    (extent.width() + 4) * 25.4 / observed.resolutionX,
                    (extent.height() + 4) * 25.4 / observed.resolutionY);
                // Lines are drawn a little wider than their extent.
                if (window.intersects(mm))
                    alone = false;
            }
            if (alone)
                isolated.append(op);
        }
        return isolated;
    }

    // Every isolated text stands on the paper where the template puts it;
    // returns the texts checked. A sheet fed sideways comes out of the queue
    // as the paper is fed, the page upright and the form turned a quarter to
    // the left on it: it is turned back for measuring.
    QStringList expectTextsInPlace(const QString &pdf, const QString &stem, bool fedSideways = false)
    {
        QImage page = renderGray(pdf, dir.file(stem));
        if (fedSideways)
            page = page.transformed(QTransform().rotate(90));
        EXPECT_FALSE(page.isNull()) << "pdftoppm could not render " << pdf.toStdString();
        if (page.isNull())
            return {};
        QStringList checked;
        double worst = 0;
        for (const RecordingCanvas::Op &op : isolatedTexts()) {
            const QRectF expected = expectedInkMm(op, observed);
            const QRectF found
                = inkMm(page, expected.adjusted(-kSearchMarginMm, -kSearchMarginMm, kSearchMarginMm, kSearchMarginMm));
            SCOPED_TRACE(op.text.toStdString());
            EXPECT_FALSE(found.isNull()) << "no ink near the expected place";
            if (found.isNull())
                continue;
            const double deviations[] = {found.left() - expected.left(), found.top() - expected.top(),
                found.right() - expected.right(), found.bottom() - expected.bottom()};
            for (const double deviation : deviations) {
                EXPECT_LE(std::abs(deviation), kToleranceMm)
                    << "expected " << expected.left() << ", " << expected.top() << " - " << expected.right() << ", "
                    << expected.bottom() << " mm; found " << found.left() << ", " << found.top() << " - "
                    << found.right() << ", " << found.bottom() << " mm";
                worst = std::max(worst, std::abs(deviation));
            }
            checked.append(op.text);
            if (qEnvironmentVariableIsSet("SLIPDESK_CUPS_VERBOSE"))
                std::cout << op.text.toStdString() << ": " << deviations[0] << " " << deviations[1] << " "
                          << deviations[2] << " " << deviations[3] << std::endl;
        }
        std::cout << "[ measured ] " << checked.size() << " texts, largest deviation " << worst << " mm, "
                  << "printable-area offset " << observed.printableOffset.x() << ", " << observed.printableOffset.y()
                  << " px at " << observed.resolutionX << " x " << observed.resolutionY << " dpi" << std::endl;
        return checked;
    }

    void expectPageMm(const QString &pdf, QSizeF expected)
    {
        const QSizeF size = pdfPageSizeMm(pdf);
        EXPECT_NEAR(size.width(), expected.width(), kToleranceMm) << pdf.toStdString();
        EXPECT_NEAR(size.height(), expected.height(), kToleranceMm) << pdf.toStdString();
    }

    ObservedPrinters observed;
    QList<RecordingCanvas::Op> recorded;

    static inline PrivateCups *s_cups = nullptr;
    static inline QString s_skip;
    static inline QString s_startError;
};

} // namespace

// The queue is one of the program's printers, with the papers of its PPD
// under their Windows numbers, in the print system's list and in the template
// tab's printer and paper lists.
TEST_F(CupsPrint, TheQueueAndItsPapersAreListed)
{
    QtPrinterService service(nullptr, true);
    ASSERT_TRUE(service.printerNames().contains(PrivateCups::queueName()))
        << service.printerNames().join(u',').toStdString();
    const QStringList entries = service.paperEntries(PrivateCups::queueName());
    for (const char *entry : {"9-A4", "8-A3", "11-A5", "13-B5 (JIS)"})
        EXPECT_TRUE(entries.contains(QString::fromUtf8(entry))) << entry << " in " << entries.join(u',').toStdString();
    // Papers without a Windows number are custom papers told apart by name.
    EXPECT_TRUE(entries.contains(QStringLiteral("256-8x10"))) << entries.join(u',').toStdString();
    for (const PaperInfo &paper : service.papers(PrivateCups::queueName()))
        EXPECT_GT(paper.number, 0) << paper.name.toStdString();

    useQueue(QStringLiteral("默认B6国内信封"), 3, QStringLiteral("256-8x10"), 0);
    open();
    ASSERT_TRUE(form->switchToPage(3));
    const QStringList printers = comboItems(control<QComboBox>("CmbPrn"));
    EXPECT_TRUE(printers.contains(PrivateCups::queueName())) << printers.join(u',').toStdString();
    EXPECT_EQ(control<QComboBox>("CmbPrn")->currentText(), PrivateCups::queueName());
    const QStringList papers = comboItems(control<QComboBox>("CmbPaperList"));
    EXPECT_EQ(papers, entries);
    EXPECT_EQ(control<QComboBox>("CmbPaperList")->currentText(), QStringLiteral("256-8x10"));
}

// A waybill printed from the express tab on an A4 sheet fed sideways, with an
// overall offset: the page is A4 and every text stands at its template
// position plus the offset, measured from the corner of the turned paper.
TEST_F(CupsPrint, WaybillLandsAtItsTemplatePositions)
{
    useQueue(QStringLiteral("默认B6国内信封"), 0, QString(), 1, QStringLiteral("25"), QStringLiteral("-15"));
    open();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("王小二"));
    Fields::setText(control<QWidget>("CmbSjdwMc"), QStringLiteral("13812345678"));
    Fields::setText(control<QWidget>("EdtSjdwYb"), QStringLiteral("518000"));
    Fields::setText(control<QWidget>("CmbJjrMc"), QStringLiteral("李四"));
    ASSERT_EQ(control<QLineEdit>("EdtMoveX")->text(), QStringLiteral("25"));

    const QString pdf = printAndWait(control<QPushButton>("BtnPrint"), QPoint(25, -15));
    ASSERT_FALSE(pdf.isEmpty());
    // The A4 sheet as the printer takes it in; the form stands turned on it.
    expectPageMm(pdf, QPageSize(QPageSize::A4).size(QPageSize::Millimeter));

    // The recorded positions are the drawing routine's own.
    RecordingCanvas probe(observed.resolutionY);
    probe.setResolution(observed.resolutionX, observed.resolutionY);
    probe.setPrinting(true);
    probe.setPrintableOffset(observed.printableOffset);
    const QPoint name = Drawing(probe, 25, -15).position(600, 750);
    const auto drawnName = std::find_if(recorded.begin(), recorded.end(),
        [](const RecordingCanvas::Op &op) { return op.text == QStringLiteral("王小二"); });
    ASSERT_NE(drawnName, recorded.end());
    EXPECT_EQ(QPoint(drawnName->x, drawnName->y), name);

    const QStringList checked = expectTextsInPlace(pdf, QStringLiteral("waybill"), true);
    for (const char *text : {"王小二", "13812345678", "李四", "5", "1"})
        EXPECT_TRUE(checked.contains(QString::fromUtf8(text))) << text << " in " << checked.join(u'|').toStdString();
}

// A delivery note printed from the delivery tab on the template's A4 paper:
// the header, buyer and below-table texts stand where the template puts them.
TEST_F(CupsPrint, DeliveryNoteLandsAtItsTemplatePositions)
{
    useQueue(QStringLiteral("出库发货单"), 0, QString(), 0);
    open();
    ASSERT_TRUE(form->switchToPage(1));
    Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));
    Fields::setText(control<QWidget>("EdtBuyerMobile"), QStringLiteral("13912345678"));
    form->deliveryTab()->goods()->setRows({GoodsTable::row({QStringLiteral("1"), QStringLiteral("0101"),
        QStringLiteral("手机"), QStringLiteral("个"), QStringLiteral("2"), QStringLiteral("1500")})});
    form->deliveryTab()->goods()->recompute();

    const QString pdf = printAndWait(control<QPushButton>("BtnInvoicePrn"));
    ASSERT_FALSE(pdf.isEmpty());
    expectPageMm(pdf, QPageSize(QPageSize::A4).size(QPageSize::Millimeter));

    const QStringList checked = expectTextsInPlace(pdf, QStringLiteral("delivery"));
    for (const char *text : {"发货单号:CK000001", "手机:13912345678", "买家姓名:陈小姐"})
        EXPECT_TRUE(checked.contains(QString::fromUtf8(text))) << text << " in " << checked.join(u'|').toStdString();
    EXPECT_GE(checked.size(), 8);
}

// A custom paper of the queue (one Windows has no number for) chosen in the
// template comes out in its own size, not the queue's default.
TEST_F(CupsPrint, ACustomPaperOfTheQueueIsPrintedInItsSize)
{
    useQueue(QStringLiteral("默认B6国内信封"), 3, QStringLiteral("256-8x10"), 0);
    open();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("王小二"));
    const QString pdf = printAndWait(control<QPushButton>("BtnPrint"));
    ASSERT_FALSE(pdf.isEmpty());
    expectPageMm(pdf, QSizeF(203.2, 254));
}

// On a queue whose printable area starts inside the sheet the drawing takes
// the printable-area offset off every position and the job puts it back, so
// that the texts still stand where the template puts them, measured from the
// paper corner. This queue's filters keep the texts as text: pdftotext finds
// them, each word's box starting at the top-left corner of its text.
TEST_F(CupsPrint, PrintableAreaOffsetKeepsTextsAtTheirPaperPositions)
{
    if (!s_cups->hasMarginQueue())
        GTEST_SKIP() << "the generic PDF printer PPD of cups-filters is not installed";
    useQueue(QStringLiteral("出库发货单"), 0, QString(), 0, QStringLiteral("0"), QStringLiteral("0"),
        PrivateCups::marginQueueName());
    open();
    ASSERT_TRUE(form->switchToPage(1));
    Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));
    Fields::setText(control<QWidget>("EdtBuyerMobile"), QStringLiteral("13912345678"));

    const QString pdf = printAndWait(control<QPushButton>("BtnInvoicePrn"), QPoint(), PrivateCups::marginQueueName());
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_GT(observed.printableOffset.x(), 0);
    EXPECT_GT(observed.printableOffset.y(), 0);
    expectPageMm(pdf, QPageSize(QPageSize::A4).size(QPageSize::Millimeter));
    expectTextsInPlace(pdf, QStringLiteral("margins"));

    bool ok = false;
    const QString words
        = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &ok);
    ASSERT_TRUE(ok);
    QHash<QString, QPointF> cornerMm;
    const QRegularExpression word(QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    for (auto it = word.globalMatch(words); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        cornerMm.insert(m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72);
    }
    int found = 0;
    for (const char *text : {"发货单号:CK000001", "手机:13912345678", "买家姓名:陈小姐", "出库发货单"}) {
        const QString wanted = QString::fromUtf8(text);
        const auto op = std::find_if(recorded.begin(), recorded.end(),
            [&](const RecordingCanvas::Op &o) { return o.kind == RecordingCanvas::Op::Text && o.text == wanted; });
        ASSERT_NE(op, recorded.end()) << text;
        ASSERT_TRUE(cornerMm.contains(wanted)) << text << " not extracted from " << words.toStdString();
        const QPointF expected((op->x + observed.printableOffset.x()) * 25.4 / observed.resolutionX,
            (op->y + observed.printableOffset.y()) * 25.4 / observed.resolutionY);
        EXPECT_NEAR(cornerMm[wanted].x(), expected.x(), kToleranceMm) << text;
        EXPECT_NEAR(cornerMm[wanted].y(), expected.y(), kToleranceMm) << text;
        ++found;
        std::cout << "[ pdftotext ] " << text << ": " << cornerMm[wanted].x() - expected.x() << ", "
                  << cornerMm[wanted].y() - expected.y() << " mm" << std::endl;
    }
    EXPECT_EQ(found, 4);
}

// A label paper goes to the print system as a custom paper of its size: the
// queue's PDF is one 100 × 150 mm page, and the waybill number printed on
// it as a Code 128 reads back from a 600 dpi rendering of that page.
TEST_F(CupsPrint, ALabelPaperIsPrintedInItsSizeWithAReadableBarcode)
{
    const QString name = QStringLiteral("默认B6国内信封");
    useQueue(name, 2, QString(), 0);
    IniFile(dir.file(QStringLiteral("用户信函模版/") + name + QStringLiteral(".INI")))
        .writeString(kDevice, QStringLiteral("标签纸张"), QStringLiteral("100x150"));
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    QStringList barcode = table.optionalRow(ItemTable::Express, QStringLiteral("信函编号条码"));
    barcode[table.findColumn(QStringLiteral("距上端"))] = QStringLiteral("300");
    barcode[table.findColumn(QStringLiteral("宽度"))] = QStringLiteral("800");
    table.rows().append(barcode);
    table.save(Paths(dir.path()).templateSet(name));
    open();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("王小二"));
    Fields::setText(control<QWidget>("EdtEmsNo"), QStringLiteral("SF1234567890"));
    ASSERT_EQ(control<QComboBox>("CmbLabelPaper")->currentText(), QStringLiteral("100×150毫米"));

    const QString pdf = printAndWait(control<QPushButton>("BtnPrint"));
    ASSERT_FALSE(pdf.isEmpty());
    expectPageMm(pdf, QSizeF(100, 150));
    const QSizeF page = pdfPageSizeMm(pdf);
    std::cout << "[ label ] page " << page.width() << " x " << page.height() << " mm" << std::endl;
    EXPECT_GT(std::count_if(recorded.begin(), recorded.end(),
                  [](const RecordingCanvas::Op &op) { return op.kind == RecordingCanvas::Op::Rect; }),
        20);

    if (!BarcodeReader::available())
        GTEST_SKIP() << "zbarimg not installed (package zbar-tools; scripts/deps.sh --tests)";
    bool ok = false;
    const QString stem = dir.file(QStringLiteral("label"));
    runTool(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem},
        &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(BarcodeReader::read(stem + QStringLiteral(".png")), QStringList {QStringLiteral("SF1234567890")});
}
