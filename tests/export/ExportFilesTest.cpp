// Exported workbooks replace the old file only when complete, keep its mode,
// and the hidden part a killed export left is removed by the next export.

#include "support/TempDir.h"

#include "datawin/DataTable.h"
#include "export/XlsWriter.h"
#include "export/XlsxExport.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

using namespace Slipdesk;

namespace {

DataTable sample()
{
    QList<QStringList> rows;
    for (int r = 1; r <= 50; ++r)
        rows.append({QStringLiteral("张三丰%1").arg(r), QStringLiteral("0571-8888%1").arg(r, 4, 10, QLatin1Char('0'))});
    return DataTable::fromCells({QStringLiteral("序号"), QStringLiteral("收件人"), QStringLiteral("电话")}, rows);
}

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

TEST(ExportFiles, AnXlsxExportRenamesOverTheOldWorkbookAndSweepsAKilledOnesPart)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("out.xlsx"));
    dir.write(QStringLiteral("out.xlsx"), "the old workbook");
    ::chmod(QFile::encodeName(out).constData(), 0640);
    // What a killed export leaves: a hidden part beside the target.
    dir.write(QStringLiteral(".out.xlsx.q7r2m9x0.part"), "PK half a workbook");
    XlsxExport::writeGrid(sample(), out, 1, 50);
    EXPECT_TRUE(dir.read(QStringLiteral("out.xlsx")).startsWith("PK"));
    EXPECT_EQ(modeOf(out), mode_t(0640));
    EXPECT_EQ(everything(dir.path()), QStringList {QStringLiteral("out.xlsx")});
}

TEST(ExportFiles, AnOwnWriterExportOnAFullDiskKeepsTheOldFile)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("out.xls"));
    dir.write(QStringLiteral("out.xls"), "the old workbook");
    FileIo::Testing::failWritesAfter(300, ENOSPC);
    QString message;
    try {
        XlsExport::writeGrid(sample(), out, 1, 50);
    } catch (const IoError &e) {
        message = e.message();
    }
    FileIo::Testing::clearFailures();
    EXPECT_TRUE(message.contains(QStringLiteral("磁盘已满"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("out.xls"))) << message.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("out.xls")), QByteArray("the old workbook"));
    EXPECT_EQ(everything(dir.path()), QStringList {QStringLiteral("out.xls")});
    XlsExport::writeGrid(sample(), out, 1, 50);
    EXPECT_NE(dir.read(QStringLiteral("out.xls")), QByteArray("the old workbook"));
}
