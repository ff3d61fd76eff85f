#include "support/TempDir.h"

#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "platform/PrinterSetup.h"
#include "platform/VirtualPdfPrinter.h"
#include "render/Canvas.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

QStringList pdfFiles(const TempDir &dir)
{
    return QDir(dir.path()).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name);
}

// Page sizes in points, from the /MediaBox entries of a PDF written by Qt.
QList<QSizeF> mediaBoxes(const QByteArray &pdf)
{
    QList<QSizeF> boxes;
    static const QRegularExpression box(uR"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"_s);
    auto it = box.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto match = it.next();
        boxes.append(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()));
    }
    return boxes;
}

// A print service over the virtual printer only, so that no test depends on
// the printers of the machine it runs on.
struct VirtualOnly
{
    explicit VirtualOnly(const TempDir &dir)
        : service(std::make_unique<VirtualPdfPrinter>(dir.path()))
    {
    }
    VirtualPdfPrinter &printer() { return *service.virtualPrinter(); }
    VirtualPrinterService service;
};

PrinterSetup setupFor(int paperSize, int feed, const QString &other = QString(), const QString &label = QString())
{
    TemplateSettings::PrintDevice device;
    device.labelPaper = label;
    device.printer = VirtualPdfPrinter::printerName();
    device.paperSize = paperSize;
    device.feedDirection = feed;
    device.otherPaper = other;
    return PrinterSetup::fromDevice(device);
}

TEST(VirtualPdfPrinter, ListedAndDefaultWithoutRealPrinters)
{
    TempDir dir;
    VirtualOnly v(dir);
    EXPECT_EQ(v.service.printerNames(), QStringList {u"Slipdesk PDF"_s});
    EXPECT_EQ(v.service.defaultPrinterName(), u"Slipdesk PDF");
    EXPECT_EQ(v.service.resolvePrinter(u"Gone Printer"_s), u"Slipdesk PDF");

    const QStringList papers = v.service.paperEntries(u"Slipdesk PDF"_s);
    EXPECT_TRUE(papers.contains(u"9-A4"_s)) << papers.join(u' ').toStdString();
    EXPECT_TRUE(papers.contains(u"8-A3"_s));
}

TEST(VirtualPdfPrinter, EachJobWritesItsOwnFile)
{
    TempDir dir;
    VirtualOnly v(dir);
    const QString title = u"默认B6国内信封-SF0001"_s;
    for (int i = 0; i < 3; ++i) {
        QString error;
        std::unique_ptr<PrintJob> job = v.service.startJob(setupFor(0, 0), title, &error);
        ASSERT_NE(job, nullptr) << error.toStdString();
        EXPECT_TRUE(job->canvas().printing());
        job->canvas().setFont(u"黑体"_s, 10);
        job->canvas().drawText(100, 100, u"收件人"_s);
        EXPECT_TRUE(job->finish());
        EXPECT_FALSE(job->finish()) << "a job ends once";
    }
    EXPECT_EQ(pdfFiles(dir),
        (QStringList {
            u"默认B6国内信封-SF0001 (2).pdf"_s, u"默认B6国内信封-SF0001 (3).pdf"_s, u"默认B6国内信封-SF0001.pdf"_s}));
    const QByteArray pdf = dir.read(u"默认B6国内信封-SF0001.pdf"_s);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(mediaBoxes(pdf).size(), 1);
}

TEST(VirtualPdfPrinter, AbortedOrAbandonedJobsLeaveNoFile)
{
    TempDir dir;
    VirtualOnly v(dir);
    {
        auto job = v.service.startJob(setupFor(0, 0), u"aborted"_s);
        ASSERT_NE(job, nullptr);
        EXPECT_EQ(job->outputFile(), dir.file(u"aborted.pdf"_s));
        job->canvas().drawLine(0, 0, 100, 100);
        job->abort();
        EXPECT_FALSE(job->finish());
    }
    {
        auto job = v.service.startJob(setupFor(0, 0), u"abandoned"_s);
        ASSERT_NE(job, nullptr);
        job->canvas().drawLine(0, 0, 100, 100);
    } // destroyed half-way, as when drawing fails
    EXPECT_TRUE(pdfFiles(dir).isEmpty()) << pdfFiles(dir).join(u' ').toStdString();
}

TEST(VirtualPdfPrinter, TitlesBecomeSafeFileNames)
{
    EXPECT_EQ(VirtualPdfPrinter::fileStem(u"a/b\\c:d*e?f\"g<h>i|j"_s), u"a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(VirtualPdfPrinter::fileStem(u"../../etc/passwd"_s), u"_.._etc_passwd");
    EXPECT_EQ(VirtualPdfPrinter::fileStem(u" 出库发货单\tCK000001. "_s), u"出库发货单_CK000001");
    EXPECT_EQ(VirtualPdfPrinter::fileStem(u".."_s), u"print");
    EXPECT_EQ(VirtualPdfPrinter::fileStem(QString()), u"print");
    EXPECT_LE(VirtualPdfPrinter::fileStem(QString(300, u'票')).toUtf8().size(), 200);

    TempDir dir;
    VirtualOnly v(dir);
    auto job = v.service.startJob(setupFor(0, 0), u"../escape"_s);
    ASSERT_NE(job, nullptr);
    EXPECT_TRUE(job->finish());
    EXPECT_EQ(pdfFiles(dir), QStringList {u"_escape.pdf"_s});
}

TEST(VirtualPdfPrinter, PaperSizeAndOrientation)
{
    TempDir dir;
    VirtualOnly v(dir);
    struct Case
    {
        const char16_t *title;
        PrinterSetup setup;
        QSizeF points;
    };
    const QSizeF a4(595.28, 841.89);
    const QSizeF a3(841.89, 1190.55);
    const Case cases[] = {
        {u"a4", setupFor(0, 0), a4}, {u"a3-landscape", setupFor(1, 1), a3.transposed()},
        {u"default", setupFor(2, 0), a4}, // "默认" on a PDF: A4
        {u"a5", setupFor(3, 0, u"11-A5"_s), QSizeF(419.53, 595.28)},
        {u"custom", setupFor(3, 1, u"256-Custom"_s), a4.transposed()}, // no size known
        {u"label", setupFor(2, 0, QString(), u"100x150"_s), QSizeF(283.46, 425.2)},
        {u"label-sideways", setupFor(2, 1, QString(), u"100x180"_s), QSizeF(510.24, 283.46)},
        {u"label-on-a4", setupFor(0, 0, QString(), u"100x150"_s), a4}, // only with "默认"
    };
    for (const Case &c : cases) {
        const QString title = QString::fromUtf16(c.title);
        auto job = v.service.startJob(c.setup, title);
        ASSERT_NE(job, nullptr) << title.toStdString();
        ASSERT_TRUE(job->finish());
        const QList<QSizeF> boxes = mediaBoxes(dir.read(title + u".pdf"));
        ASSERT_EQ(boxes.size(), 1) << title.toStdString();
        EXPECT_NEAR(boxes[0].width(), c.points.width(), 1.0) << title.toStdString();
        EXPECT_NEAR(boxes[0].height(), c.points.height(), 1.0) << title.toStdString();
    }
}

TEST(VirtualPdfPrinter, ResolutionOffsetAndPages)
{
    TempDir dir;
    VirtualOnly v(dir);
    EXPECT_EQ(v.printer().resolution(), 600);
    EXPECT_EQ(v.printer().printableOffset(), QPoint(0, 0));
    v.printer().setResolution(300);
    v.printer().setPrintableOffset(QPoint(50, 20));

    auto job = v.service.startJob(setupFor(0, 0), u"pages"_s);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->resolutionX(), 300);
    EXPECT_EQ(job->resolutionY(), 300);
    EXPECT_EQ(job->printableOffset(), QPoint(50, 20));
    EXPECT_EQ(job->canvas().resolutionX(), 300);
    EXPECT_EQ(job->canvas().resolutionY(), 300);
    EXPECT_EQ(job->canvas().printableOffset(), QPoint(50, 20));
    EXPECT_TRUE(job->newPage());
    job->canvas().drawFrame(QRect(0, 0, 100, 100));
    EXPECT_TRUE(job->finish());
    EXPECT_FALSE(job->newPage());
    EXPECT_EQ(mediaBoxes(dir.read(u"pages.pdf"_s)).size(), 2);
}

// ---- the service without printers, and configuration from the command line ------

class NoPrinters : public PrinterService
{
public:
    QStringList names;
    QString fallback;
    QStringList printerNames() const override { return names; }
    QString defaultPrinterName() const override { return fallback; }
};

TEST(PrinterServiceBase, ResolvesPrintersAndRefusesJobsWithoutThem)
{
    NoPrinters none;
    EXPECT_EQ(none.resolvePrinter(u"Office"_s), QString());
    EXPECT_TRUE(none.paperEntries(u"Office"_s).isEmpty());
    QString error;
    EXPECT_EQ(none.startJob(setupFor(0, 0), u"t"_s, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());

    none.names = {u"A"_s, u"B"_s};
    none.fallback = u"B"_s;
    EXPECT_EQ(none.resolvePrinter(u"A"_s), u"A");
    EXPECT_EQ(none.resolvePrinter(u"Gone"_s), u"B");
    EXPECT_EQ(none.resolvePrinter(QString()), u"B");
    none.fallback = u"Removed"_s; // a default the system no longer lists
    EXPECT_EQ(none.resolvePrinter(u"Gone"_s), u"A");
}

TEST(PrinterServiceBase, ConfigureFromArguments)
{
    const QByteArray savedEnv = qgetenv("SLIPDESK_PRINT_TO");
    qunsetenv("SLIPDESK_PRINT_TO");
    TempDir dir;
    const QString folder = dir.file(u"out"_s);
    PrinterService::install(nullptr);

    EXPECT_EQ(
        PrinterService::configureFromArguments({u"slipdesk"_s, u"--print-to"_s, folder}), QDir(folder).absolutePath());
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(PrinterService::instance().printerNames().contains(u"Slipdesk PDF"_s));
    auto job = PrinterService::instance().startJob(setupFor(0, 0), u"cli"_s);
    ASSERT_NE(job, nullptr);
    EXPECT_TRUE(job->finish());
    EXPECT_TRUE(QFile::exists(folder + u"/cli.pdf"));

    EXPECT_EQ(PrinterService::configureFromArguments({u"slipdesk"_s, u"--print-to="_s + folder + u"2"}),
        QDir(folder + u"2").absolutePath());

    qputenv("SLIPDESK_PRINT_TO", QFile::encodeName(folder + u"3"));
    EXPECT_EQ(PrinterService::configureFromArguments({u"slipdesk"_s}), QDir(folder + u"3").absolutePath());
    qunsetenv("SLIPDESK_PRINT_TO");

    EXPECT_EQ(PrinterService::configureFromArguments({u"slipdesk"_s}), QString());
    EXPECT_FALSE(PrinterService::instance().printerNames().contains(u"Slipdesk PDF"_s));
    if (!savedEnv.isNull())
        qputenv("SLIPDESK_PRINT_TO", savedEnv);
}

} // namespace
