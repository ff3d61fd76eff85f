// The virtual printer's files: a PDF appears only complete, under a name no
// other job has, never over an existing file (also when several programs
// print into one folder at once); a full disk or a kill leaves no PDF at
// all, and a failed write is a failed print with its cause.

#include "support/TempDir.h"

#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "platform/PrinterSetup.h"
#include "platform/VirtualPdfPrinter.h"
#include "render/Canvas.h"
#include "storage/FileIo.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace Slipdesk;

const QString kTool = QStringLiteral(SLIPDESK_TOOL_DIR "/print_jobs");

QStringList visiblePdfs(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool complete(const QByteArray &pdf)
{
    return pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF");
}

QString print(VirtualPrinterService &service, const QString &title)
{
    QString error;
    std::unique_ptr<PrintJob> job = service.startJob(PrinterSetup {}, title, &error);
    if (!job)
        return QString();
    job->canvas().drawLine(0, 0, 1000, 1000);
    return job->finish() ? job->outputFile() : QString();
}

} // namespace

TEST(PdfFiles, AFullDiskIsAFailedPrintThatSaysWhyAndLeavesNoFile)
{
    TempDir dir;
    VirtualPrinterService service(std::make_unique<VirtualPdfPrinter>(dir.path()));
    for (const qint64 after : {qint64(0), qint64(200)}) {
        FileIo::Testing::failWritesAfter(after, ENOSPC);
        const QString error = printForm(service, PrinterSetup {}, QStringLiteral("默认B6国内信封SF0001"),
            [](Canvas &canvas) { canvas.drawLine(0, 0, 500, 500); });
        FileIo::Testing::clearFailures();
        EXPECT_TRUE(error.startsWith(QStringLiteral("打印作业没有完成："))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("磁盘已满"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("默认B6国内信封SF0001.pdf"))) << error.toStdString();
        EXPECT_TRUE(everything(dir.path()).isEmpty()) << everything(dir.path()).join(u' ').toStdString();
    }
    EXPECT_EQ(
        print(service, QStringLiteral("默认B6国内信封SF0001")), dir.file(QStringLiteral("默认B6国内信封SF0001.pdf")));
}

TEST(PdfFiles, AnExistingFileIsNeverReplacedAndTheNextNameFollowsTheLastOne)
{
    TempDir dir;
    VirtualPrinterService service(std::make_unique<VirtualPdfPrinter>(dir.path()));
    // Files of an earlier run, one of them in the way of this run's names.
    for (int n = 1; n <= 40; ++n)
        dir.write(n == 1 ? QStringLiteral("早先.pdf") : QStringLiteral("早先 (%1).pdf").arg(n), "earlier");
    EXPECT_EQ(print(service, QStringLiteral("早先")), dir.file(QStringLiteral("早先 (41).pdf")));
    dir.write(QStringLiteral("早先 (43).pdf"), "in the way");
    EXPECT_EQ(print(service, QStringLiteral("早先")), dir.file(QStringLiteral("早先 (42).pdf")));
    EXPECT_EQ(print(service, QStringLiteral("早先")), dir.file(QStringLiteral("早先 (44).pdf")));
    EXPECT_EQ(dir.read(QStringLiteral("早先 (43).pdf")), QByteArray("in the way"));
    for (int n = 2; n <= 40; ++n)
        EXPECT_EQ(dir.read(QStringLiteral("早先 (%1).pdf").arg(n)), QByteArray("earlier"));
    EXPECT_EQ(visiblePdfs(dir.path()).size(), 44);
}

// Four programs print 15 jobs each of one title into one folder at once.
TEST(PdfFiles, JobsOfSeveralProgramsRacingForOneNameEachGetTheirOwnFile)
{
    TempDir dir;
    constexpr int kPrograms = 4;
    constexpr int kJobs = 15;
    std::vector<std::unique_ptr<QProcess>> programs;
    for (int p = 0; p < kPrograms; ++p) {
        programs.push_back(std::make_unique<QProcess>());
        programs.back()->start(kTool, {dir.path(), QString::number(kJobs), QStringLiteral("出库发货单")});
    }
    QStringList names;
    for (auto &program : programs) {
        ASSERT_TRUE(program->waitForFinished(60000));
        EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
        names += QString::fromUtf8(program->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
    ASSERT_EQ(names.size(), kPrograms * kJobs);
    const QSet<QString> distinct(names.cbegin(), names.cend());
    EXPECT_EQ(distinct.size(), names.size()) << "two jobs were given one file";
    QStringList files = visiblePdfs(dir.path());
    EXPECT_EQ(files.size(), kPrograms * kJobs);
    for (const QString &file : std::as_const(files)) {
        EXPECT_TRUE(distinct.contains(dir.file(file))) << file.toStdString();
        EXPECT_TRUE(complete(dir.read(file))) << file.toStdString();
    }
    EXPECT_EQ(everything(dir.path()).size(), files.size()) << "a part was left behind";
}

// Killed while printing, at random moments: every PDF in the folder is
// complete, and the hidden part of the killed job is gone after the next
// program's first job.
TEST(PdfFiles, AKilledJobLeavesNoCutPdf)
{
    TempDir dir;
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    std::cout << "[ seed     ] " << seed << '\n';
    constexpr int kKills = 12;
    for (int round = 0; round < kKills; ++round) {
        QProcess child;
        child.start(kTool, {dir.path(), QStringLiteral("loop"), QStringLiteral("快递单")});
        ASSERT_TRUE(child.waitForStarted(5000));
        QByteArray out;
        while (!out.contains("ready")) {
            ASSERT_TRUE(child.waitForReadyRead(20000)) << child.readAllStandardError().toStdString();
            out += child.readAllStandardOutput();
        }
        QThread::msleep(random.bounded(1, 60));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(5000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    }
    const QStringList files = visiblePdfs(dir.path());
    EXPECT_GE(files.size(), kKills);
    for (const QString &file : files)
        EXPECT_TRUE(complete(dir.read(file))) << file.toStdString() << " is cut";
    QProcess last;
    last.start(kTool, {dir.path(), QStringLiteral("1"), QStringLiteral("快递单")});
    ASSERT_TRUE(last.waitForFinished(30000));
    EXPECT_EQ(everything(dir.path()).size(), files.size() + 1) << everything(dir.path()).join(u' ').toStdString();
    std::cout << "[ figures  ] " << kKills << " kills, " << files.size() + 1 << " PDF files checked\n";
}
