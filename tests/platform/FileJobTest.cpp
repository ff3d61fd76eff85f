#include "support/TempDir.h"

#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "platform/PrinterSetup.h"
#include "render/Canvas.h"
#include "storage/IoError.h"

#include <QImage>
#include <QPageSize>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

PrinterSetup setup(int paperNumber, bool landscape = false)
{
    PrinterSetup s;
    s.paperNumber = paperNumber;
    s.orientation = landscape ? PrinterSetup::Orientation::Landscape : PrinterSetup::Orientation::Portrait;
    return s;
}

QSizeF millimetres(const PrinterSetup &s)
{
    return PrintJob::pageLayoutFor(s).fullRect(QPageLayout::Millimeter).size();
}

PrintJob::FileTarget target(const QString &path, int dpi = 100)
{
    PrintJob::FileTarget t;
    t.path = path;
    t.dpi = dpi;
    return t;
}

} // namespace

// One paper rule for every job that no print system decides: the Windows
// number, "默认" and unknown numbers as A4, landscape turning the sheet.
TEST(FileJob, PaperRule)
{
    EXPECT_NEAR(millimetres(setup(PrinterSetup::PaperA4)).width(), 210, 0.5);
    EXPECT_NEAR(millimetres(setup(PrinterSetup::PaperA4)).height(), 297, 0.5);
    EXPECT_NEAR(millimetres(setup(PrinterSetup::PaperA3, true)).width(), 420, 0.5);
    EXPECT_NEAR(millimetres(setup(PrinterSetup::PaperUnchanged)).width(), 210, 0.5);
    EXPECT_NEAR(millimetres(setup(256)).height(), 297, 0.5); // a custom number
    EXPECT_NEAR(millimetres(setup(11 /* A5 */, true)).height(), 148, 0.5);
    EXPECT_TRUE(PrintJob::pageLayoutFor(setup(PrinterSetup::PaperA4)).margins().isNull());
}

// A label paper comes out in its own size, turned with the feed direction,
// in a PNG as in the layout of every file job.
TEST(FileJob, LabelPapersKeepTheirSize)
{
    PrinterSetup label = setup(PrinterSetup::PaperUnchanged);
    label.labelSizeMm = QSizeF(100, 150);
    EXPECT_NEAR(millimetres(label).width(), 100, 0.01);
    EXPECT_NEAR(millimetres(label).height(), 150, 0.01);
    label.orientation = PrinterSetup::Orientation::Landscape;
    EXPECT_NEAR(millimetres(label).width(), 150, 0.01);
    label.orientation = PrinterSetup::Orientation::Portrait;
    label.labelSizeMm = QSizeF(76, 130);
    EXPECT_NEAR(millimetres(label).width(), 76, 0.01);

    TempDir dir;
    QString error;
    auto job = PrintJob::toFile(label, target(dir.file(QStringLiteral("label.png")), 203), &error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    ASSERT_TRUE(job->finish());
    EXPECT_EQ(QImage(dir.file(QStringLiteral("label.png"))).size(), QSize(607, 1039)); // 76 × 130 mm at 203 dpi
}

TEST(FileJob, PngPagesAreThePapersSizeAtTheResolution)
{
    TempDir dir;
    QString error;
    auto job = PrintJob::toFile(setup(PrinterSetup::PaperA3, true), target(dir.file(QStringLiteral("a.png"))), &error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    job->canvas().drawFrame(QRect(10, 10, 50, 50));
    ASSERT_TRUE(job->newPage());
    ASSERT_TRUE(job->finish());
    const QImage first(dir.file(QStringLiteral("a.png")));
    EXPECT_EQ(first.size(), QSize(1654, 1169)); // 420 × 297 mm at 100 dpi
    EXPECT_TRUE(dir.exists(QStringLiteral("a-2.png")));
}

TEST(FileJob, OpsRecordEveryOperationAndPagesAreMarked)
{
    TempDir dir;
    PrintJob::FileTarget t = target(dir.file(QStringLiteral("a.ops")), 600);
    t.printableOffset = QPoint(30, 20);
    auto job = PrintJob::toFile(setup(PrinterSetup::PaperA4), t, nullptr);
    ASSERT_NE(job, nullptr);
    EXPECT_TRUE(job->canvas().printing());
    EXPECT_EQ(job->printableOffset(), QPoint(30, 20));
    job->canvas().drawLine(0, 0, 10, 0);
    ASSERT_TRUE(job->newPage());
    job->canvas().drawLine(0, 5, 10, 5);
    ASSERT_TRUE(job->finish());
    const QList<QByteArray> lines = dir.read(QStringLiteral("a.ops")).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).contains("\"op\":\"line\""));
    EXPECT_EQ(lines.at(1), QByteArray("{\"op\":\"page\"}"));

    // A preview target draws as the preview does: no printable offset.
    t.printing = false;
    auto preview = PrintJob::toFile(setup(PrinterSetup::PaperA4), t, nullptr);
    EXPECT_FALSE(preview->canvas().printing());
    EXPECT_EQ(preview->printableOffset(), QPoint());
}

// A form whose drawing fails never leaves a file that looks like a print.
TEST(FileJob, FailedDrawingLeavesNoFileAndSaysWhy)
{
    TempDir dir;
    for (const char *name : {"x.pdf", "x.png", "x.ops"}) {
        SCOPED_TRACE(name);
        const QString path = dir.file(QString::fromLatin1(name));
        const QString error = printForm(PrintJob::toFile(setup(PrinterSetup::PaperA4), target(path), nullptr),
            [](Canvas &) { throw IoError(QStringLiteral("磁盘已满")); });
        EXPECT_TRUE(error.contains(QStringLiteral("磁盘已满"))) << error.toStdString();
        EXPECT_FALSE(dir.exists(QString::fromLatin1(name)));
    }
    const QString done
        = printForm(PrintJob::toFile(setup(PrinterSetup::PaperA4), target(dir.file(QStringLiteral("y.pdf"))), nullptr),
            [](Canvas &canvas) { canvas.drawLine(0, 0, 5, 5); });
    EXPECT_EQ(done, QString());
    EXPECT_TRUE(dir.read(QStringLiteral("y.pdf")).startsWith("%PDF"));
}

TEST(FileJob, NoPrinterNoJob)
{
    VirtualPrinterService none;
    bool drawn = false;
    const QString error
        = printForm(none, setup(PrinterSetup::PaperA4), QStringLiteral("t"), [&](Canvas &) { drawn = true; });
    EXPECT_EQ(error, QStringLiteral("没有可用的打印机"));
    EXPECT_FALSE(drawn);
}
