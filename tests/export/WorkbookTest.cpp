// Workbooks written and read through the spreadsheet program (LibreOffice,
// run without a window) and the library, and what is done when the program
// is missing, fails or hangs.

#include "support/TempDir.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "export/Workbook.h"
#include "export/XlsxExport.h"
#include "storage/IoError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

using namespace Slipdesk;
using Status = SpreadsheetProgram::Status;

namespace {

// A 22-column grid ("序号" and 21 fields) of six rows; row r holds texts
// that a spreadsheet would otherwise take for numbers or formulas.
DataTable sample()
{
    QStringList header {QStringLiteral("序号"), QStringLiteral("收件人"), QStringLiteral("电话"),
        QStringLiteral("邮编"), QStringLiteral("公式")};
    for (int c = header.size(); c < 22; ++c)
        header.append(QStringLiteral("栏目%1").arg(c));
    QList<QStringList> rows;
    for (int r = 1; r <= 6; ++r) {
        QStringList cells {QStringLiteral("张三丰%1").arg(r), QStringLiteral("0571-8888666%1").arg(r),
            QStringLiteral("00123%1").arg(r), QStringLiteral("=1+1")};
        while (cells.size() < 21)
            cells.append(QStringLiteral("值%1,%2").arg(r).arg(cells.size()));
        rows.append(cells);
    }
    return DataTable::fromCells(header, rows);
}

// A shell script standing in for the spreadsheet program.
QString standIn(const TempDir &dir, const QString &name, const QByteArray &body)
{
    dir.write(name, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(dir.file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir.file(name);
}

class WorkbookTest : public ::testing::Test
{
protected:
    ~WorkbookTest() override
    {
        SpreadsheetProgram::setProgram(std::nullopt);
        SpreadsheetProgram::setTimeLimit(120'000);
        if (!savedTmp.isNull())
            qputenv("TMPDIR", savedTmp);
        else
            qunsetenv("TMPDIR");
    }
    // Scratch files of the runs go under `scratch`, so that a test sees
    // whether any is left.
    void watchScratch() { qputenv("TMPDIR", QFile::encodeName(QDir::cleanPath(dir.file(QStringLiteral("tmp"))))); }
    bool scratchEmpty() const
    {
        return QDir(dir.file(QStringLiteral("tmp")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
            .isEmpty();
    }
    void SetUp() override
    {
        QDir().mkpath(dir.file(QStringLiteral("tmp")));
        savedTmp = qgetenv("TMPDIR");
    }

    TempDir dir;
    QByteArray savedTmp;
};

#define REQUIRE_PROGRAM()                                                                                              \
    if (!SpreadsheetProgram::available())                                                                              \
    GTEST_SKIP() << "LibreOffice is not installed (./test.sh installs it)"

} // namespace

TEST(WorkbookText, CommaTextAsSpreadsheetProgramsWriteIt)
{
    EXPECT_EQ(Workbook::parseCsv(u"a,\"b,c\",\"say \"\"hi\"\"\"\r\n,\n\"two\nlines\",x"),
        (QList<QStringList> {{"a", "b,c", "say \"hi\""}, {"", ""}, {"two\nlines", "x"}}));
    EXPECT_TRUE(Workbook::parseCsv(u"").isEmpty());
    EXPECT_EQ(Workbook::parseCsv(u"\"\"\n"), (QList<QStringList> {{""}}));
    // A quote inside a field is text; one after blanks opens the field.
    EXPECT_EQ(Workbook::parseCsv(u"5\" 屏,x\n2, \"a,b\""), (QList<QStringList> {{"5\" 屏", "x"}, {"2", "a,b"}}));
    EXPECT_EQ(Workbook::parseCsv(u"a\tb,c\t\"d\te\"", u'\t'), (QList<QStringList> {{"a", "b,c", "d\te"}}));
}

TEST(WorkbookText, PrintTimesBecomeHoursMinutesSeconds)
{
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("0.5")), QStringLiteral("12:00:00"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("46364.75")), QStringLiteral("18:00:00"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("0.99999999")), QStringLiteral("00:00:00"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("9:05")), QStringLiteral("09:05:00"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("下午 3:05:07")), QStringLiteral("15:05:07"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("12:30:00 AM")), QStringLiteral("00:30:00"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("2026-12-08 21:30:15")), QStringLiteral("21:30:15"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("未打印")), QStringLiteral("未打印"));
    EXPECT_EQ(Workbook::timeOfDay(QStringLiteral("25:99")), QStringLiteral("25:99"));
    EXPECT_EQ(Workbook::timeOfDay(QString()), QString());
}

TEST(WorkbookText, SheetRowsAreAppendedAfterTheLastRow)
{
    QStringList lines;
    for (int i = 1; i <= 7; ++i)
        lines.append(QStringLiteral("n%1,,,,,1500").arg(i));
    DataTable table({"序号", "昵称", "打印时间", "b", "c", "d", "金额"}, lines);
    QList<QStringList> sheet {{"昵称", "打印时间", "whatever"}};
    for (int i = 1; i <= 5; ++i)
        sheet.append({QStringLiteral("导入%1").arg(i), QStringLiteral("0.5"), "x", "y", "z", "2000", "overflow"});
    EXPECT_EQ(Workbook::appendSheet(table, sheet, TableCode::ExpressBatch), 5);
    ASSERT_EQ(table.rowCount(), 12);
    EXPECT_EQ(table.cell(7, 0), QStringLiteral("8"));
    EXPECT_EQ(table.cell(11, 0), QStringLiteral("12"));
    EXPECT_EQ(table.cell(11, 1), QStringLiteral("导入5"));
    EXPECT_EQ(table.cell(11, 2), QStringLiteral("12:00:00"));
    EXPECT_EQ(table.cell(11, 6), QStringLiteral("2,000.00"));
    EXPECT_EQ(table.cell(0, 6), QStringLiteral("1,500.00"));

    // An empty table takes the rows from its first row on.
    DataTable empty({"序号", "昵称"}, {});
    EXPECT_EQ(Workbook::appendSheet(empty, {{"昵称"}, {"甲"}, {"乙"}}, TableCode::Recipients), 2);
    EXPECT_EQ(empty.rowCount(), 2);
    EXPECT_EQ(empty.cell(0, 1), QStringLiteral("甲"));
}

TEST_F(WorkbookTest, EveryPathGivesBackTheChineseTextsExactly)
{
    REQUIRE_PROGRAM();
    watchScratch();
    const DataTable table = sample();
    struct Case
    {
        const char *file;
        bool ownWriter;
        Workbook::Writer writer;
    };
    for (const Case &c : {Case {"direct.xlsx", false, Workbook::Writer::Library},
             Case {"converted.xls", false, Workbook::Writer::SpreadsheetProgram},
             Case {"own.xls", true, Workbook::Writer::Own}}) {
        SCOPED_TRACE(c.file);
        const QString out = dir.file(QStringLiteral("导出/") + QLatin1String(c.file));
        QDir().mkpath(dir.file(QStringLiteral("导出")));
        Workbook::ExportOptions options;
        options.ownWriter = c.ownWriter;
        const Workbook::Exported done = Workbook::exportGrid(table, TableCode::Recipients, out, 3, 5, options);
        EXPECT_EQ(done.writer, c.writer);
        EXPECT_TRUE(done.fallback.isEmpty()) << done.fallback.toStdString();

        const Workbook::Sheet sheet = Workbook::readFirstSheet(out);
        ASSERT_TRUE(sheet.result.ok()) << sheet.result.message.toStdString();
        ASSERT_EQ(sheet.rows.size(), 4); // the header and rows 3 … 5
        // The own writer keeps "序号" in front; the workbook starts with the fields.
        const int shift = c.ownWriter ? 1 : 0;
        ASSERT_EQ(sheet.rows.first().size(), 21 + shift);
        for (int k = 0; k < 21; ++k)
            EXPECT_EQ(sheet.rows.first().at(k + shift), table.header().at(k + 1));
        for (int r = 1; r <= 3; ++r) {
            if (c.ownWriter)
                EXPECT_EQ(sheet.rows.at(r).first(), QString::number(r + 2));
            for (int k = 1; k < 22; ++k)
                EXPECT_EQ(sheet.rows.at(r).at(k - 1 + shift), table.cell(r + 1, k)) << r << ' ' << k;
        }
        // Texts stay texts: no formula result, no lost leading zero.
        EXPECT_EQ(sheet.rows.at(1).at(3 + shift), QStringLiteral("=1+1"));
        EXPECT_EQ(sheet.rows.at(1).at(2 + shift), QStringLiteral("001233"));
        EXPECT_EQ(QDir(dir.file(QStringLiteral("导出"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QFile::remove(out);
    }
    EXPECT_TRUE(scratchEmpty());
}

TEST_F(WorkbookTest, AFirstSheetOfNumbersIsReadAsShown)
{
    REQUIRE_PROGRAM();
    const QByteArray path = QFile::encodeName(dir.file(QStringLiteral("numbers.xlsx")));
    lxw_workbook *book = workbook_new(path.constData());
    lxw_worksheet *first = workbook_add_worksheet(book, "第一页");
    lxw_worksheet *second = workbook_add_worksheet(book, "第二页");
    worksheet_write_string(first, 0, 0, "打印时间", nullptr);
    worksheet_write_string(first, 0, 1, "手机", nullptr);
    worksheet_write_number(first, 1, 0, 0.5, nullptr);
    worksheet_write_number(first, 1, 1, 13800138000.0, nullptr);
    worksheet_write_string(second, 0, 0, "不读", nullptr);
    worksheet_activate(second); // the first sheet is read, not the active one
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    const Workbook::Sheet sheet = Workbook::readFirstSheet(dir.file(QStringLiteral("numbers.xlsx")));
    ASSERT_TRUE(sheet.result.ok()) << sheet.result.message.toStdString();
    ASSERT_EQ(sheet.rows.size(), 2);
    EXPECT_EQ(sheet.rows.at(0), (QStringList {"打印时间", "手机"}));
    EXPECT_EQ(sheet.rows.at(1), (QStringList {"0.5", "13800138000"}));
}

TEST_F(WorkbookTest, AMissingFailingOrHangingProgramLeavesTheOwnWriterAndNoScratchFiles)
{
    watchScratch();
    const DataTable table = sample();
    const QString out = dir.file(QStringLiteral("out.xls"));

    SpreadsheetProgram::setProgram(QString());
    Workbook::Exported done = Workbook::exportGrid(table, TableCode::Recipients, out, 1, 6);
    EXPECT_EQ(done.writer, Workbook::Writer::Own);
    EXPECT_FALSE(done.fallback.isEmpty());
    EXPECT_EQ(Workbook::readFirstSheet(out).result.status, Status::Missing);

    SpreadsheetProgram::setProgram(standIn(dir, QStringLiteral("fails.sh"), "echo broken >&2; exit 3"));
    QFile::remove(out);
    done = Workbook::exportGrid(table, TableCode::Recipients, out, 1, 6);
    EXPECT_EQ(done.writer, Workbook::Writer::Own);
    EXPECT_TRUE(done.fallback.contains(QStringLiteral("broken"))) << done.fallback.toStdString();
    EXPECT_TRUE(QFile(out).open(QIODevice::ReadOnly));
    const Workbook::Sheet failed = Workbook::readFirstSheet(out);
    EXPECT_EQ(failed.result.status, Status::Failed);
    EXPECT_TRUE(failed.rows.isEmpty());

    // A program that "succeeds" without writing anything is a failure too.
    SpreadsheetProgram::setProgram(standIn(dir, QStringLiteral("silent.sh"), "exit 0"));
    EXPECT_EQ(Workbook::readFirstSheet(out).result.status, Status::Failed);

    // One that hangs, with a child of its own, is ended at the time limit.
    SpreadsheetProgram::setProgram(standIn(dir, QStringLiteral("hangs.sh"),
        "sleep 60 & echo $! > \"" + QFile::encodeName(dir.file(QStringLiteral("child.pid"))) + "\"; wait"));
    SpreadsheetProgram::setTimeLimit(700);
    int polls = 0;
    QElapsedTimer clock;
    clock.start();
    Workbook::ExportOptions options;
    options.poll = [&] { ++polls; };
    done = Workbook::exportGrid(table, TableCode::Recipients, out, 1, 6, options);
    EXPECT_LT(clock.elapsed(), 10'000);
    EXPECT_EQ(done.writer, Workbook::Writer::Own);
    EXPECT_GT(polls, 3);
    const Workbook::Sheet hung = Workbook::readFirstSheet(out);
    EXPECT_EQ(hung.result.status, Status::TimedOut);
    EXPECT_FALSE(hung.result.message.isEmpty());
    const QByteArray child = dir.read(QStringLiteral("child.pid")).trimmed();
    ASSERT_FALSE(child.isEmpty());
    QThread::msleep(100);
    // Gone, or a zombie waiting for a parent that does not reap.
    QFile stat(QStringLiteral("/proc/") + QString::fromLatin1(child) + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray fields = stat.readAll();
        EXPECT_EQ(fields.mid(fields.lastIndexOf(')') + 2, 1), "Z") << fields.constData();
    }

    EXPECT_TRUE(scratchEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral(".out.xls*")}, QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(WorkbookTest, XlsxRefusesAnUnwritableTargetAndKeepsTheOldFile)
{
    const DataTable table = sample();
    EXPECT_THROW(XlsxExport::writeGrid(table, dir.file(QStringLiteral("no/such/folder/x.xlsx")), 1, 6), IoError);
    dir.write(QStringLiteral("old.xlsx"), "old");
    XlsxExport::writeGrid(table, dir.file(QStringLiteral("old.xlsx")), 1, 6);
    EXPECT_TRUE(dir.read(QStringLiteral("old.xlsx")).startsWith("PK"));
    EXPECT_EQ(XlsxExport::fittedWidth(u"ab张三"), 6.0);
}

// Read back by LibreOffice, the texts a GBK sheet cannot hold arrive whole,
// and so does every text beside them.
TEST_F(WorkbookTest, TheOwnWriterIsReadBackExactlyWhateverTheCharacters)
{
    REQUIRE_PROGRAM();
    const QStringList names {QStringLiteral("林小雨😀"), QStringLiteral("𠮷野家"), QStringLiteral("€ 欧元"),
        QStringLiteral("镕\u3447"), QStringLiteral("张三丰")};
    QList<QStringList> rows;
    for (const QString &name : names)
        rows.append({name, QStringLiteral("浙江省杭州市")});
    const DataTable table
        = DataTable::fromCells({QStringLiteral("序号"), QStringLiteral("收件人"), QStringLiteral("地址")}, rows);
    const QString out = dir.file(QStringLiteral("own.xls"));
    Workbook::ExportOptions options;
    options.ownWriter = true;
    Workbook::exportGrid(table, TableCode::Recipients, out, 1, int(names.size()), options);
    const Workbook::Sheet sheet = Workbook::readFirstSheet(out);
    ASSERT_TRUE(sheet.result.ok()) << sheet.result.message.toStdString();
    ASSERT_EQ(sheet.rows.size(), names.size() + 1);
    EXPECT_EQ(sheet.rows.first(), QStringList({"序号", "收件人", "地址"}));
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(sheet.rows.at(i + 1), QStringList({QString::number(i + 1), names.at(i), "浙江省杭州市"}));
}

// An .xls holds 65,535 rows below its header: the rows past that are not
// written by any path, and the result says which they are.
TEST_F(WorkbookTest, RowsPastWhatAnXlsHoldsAreNamedNeverDroppedUnseen)
{
    QStringList lines;
    for (int i = 1; i <= 65536; ++i)
        lines.append(QStringLiteral("收件人%1").arg(i));
    const DataTable table({QStringLiteral("序号"), QStringLiteral("收件人")}, lines);
    const QString out = dir.file(QStringLiteral("big.xls"));
    Workbook::ExportOptions options;
    options.ownWriter = true;
    Workbook::Exported done = Workbook::exportGrid(table, TableCode::Recipients, out, 1, 65536, options);
    EXPECT_EQ(done.requested, 65536);
    EXPECT_EQ(done.written, 65535);
    EXPECT_FALSE(done.complete());
    EXPECT_TRUE(done.leftOut().contains(QStringLiteral("序号 65536 至 65536 的 1 行没有导出")))
        << done.leftOut().toStdString();
    EXPECT_TRUE(done.leftOut().contains(QStringLiteral(".xlsx")));
    // The file holds what was said: 65,536 rows of 2 cells.
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    int labels = 0;
    for (qsizetype at = 0; at + 4 <= bytes.size();) {
        const int type = quint8(bytes.at(at)) | quint8(bytes.at(at + 1)) << 8;
        labels += type == 0x0004;
        at += 4 + (quint8(bytes.at(at + 2)) | quint8(bytes.at(at + 3)) << 8);
    }
    EXPECT_EQ(labels, 2 * 65536);

    // From row 2 on, the last row is the one left out; within the limit all is written.
    done = Workbook::exportGrid(table, TableCode::Recipients, out, 2, 65536, options);
    EXPECT_TRUE(done.complete());
    EXPECT_TRUE(done.leftOut().isEmpty());
    done = Workbook::exportGrid(table, TableCode::Recipients, dir.file(QStringLiteral("big.xlsx")), 1, 65536);
    EXPECT_TRUE(done.complete());
    EXPECT_EQ(done.written, 65536);

    if (!SpreadsheetProgram::available())
        return;
    // Through LibreOffice the same rows are written and read back.
    done = Workbook::exportGrid(table, TableCode::Recipients, out, 1, 65536);
    EXPECT_EQ(done.writer, Workbook::Writer::SpreadsheetProgram);
    EXPECT_EQ(done.written, 65535);
    const Workbook::Sheet sheet = Workbook::readFirstSheet(out);
    ASSERT_TRUE(sheet.result.ok()) << sheet.result.message.toStdString();
    ASSERT_EQ(sheet.rows.size(), 65536);
    EXPECT_EQ(sheet.rows.last(), QStringList({QStringLiteral("收件人65535")}));
}
