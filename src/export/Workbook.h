#pragma once

#include "datawin/TableCode.h"
#include "export/XlsxExport.h"
#include "platform/SpreadsheetProgram.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace Slipdesk {

class DataTable;

// "导出" and "导入" of the data window with real workbooks, shared by the
// window and the command line.
namespace Workbook {

enum class Writer {
    Library, // .xlsx, written directly
    SpreadsheetProgram, // .xls, the same workbook converted to Excel 97
    Own, // .xls in the program's own layout ("序号" first)
};

struct ExportOptions
{
    bool ownWriter = false; // the own writer even when the program is there
    XlsxExport::Progress progress;
    std::function<void()> poll; // runs while the spreadsheet program works
};

struct Exported
{
    Writer writer = Writer::Own;
    QString fallback; // why the spreadsheet program was not used, if it was wanted
    int requested = 0; // the rows asked for
    int written = 0; // the data rows the file holds: the first ones asked for
    int firstLeftOut() const; // the grid row of the first row left out (when written < requested)
    // Empty when every row was written; else which rows are missing and
    // why, pointing to .xlsx for an .xls.
    QString leftOut() const;
    bool complete() const { return written == requested; }

    int first = 0;
    bool xlsx = false;
};

// The data rows a workbook of this name holds below its header: 65,535 in
// an .xls, 1,048,575 in an .xlsx.
int rowLimit(const QString &fileName);

// Whether `fileName` asks for the .xlsx format (else Excel 97).
bool isXlsx(const QString &fileName);
// The worksheet columns of table `code` formatted as text before any value
// (the sender table's 11th and 14th).
QList<int> textColumns(TableCode code);

// Grid rows `first` … `last` into `fileName`: a .xlsx directly; a .xls
// converted by the spreadsheet program, or written by the own writer when
// that is asked for, missing, failing or too slow. Rows past what the format
// holds are not given to any writer, and the result says which they are.
// Throws IoError when no writer could write the file.
Exported exportGrid(const DataTable &table, TableCode code, const QString &fileName, int first, int last,
    const ExportOptions &options = {});

struct Sheet
{
    SpreadsheetProgram::Result result;
    QList<QStringList> rows; // header row included, every value as shown
};
// The first sheet of a workbook (.xls, .xlsx, .ods, …) read through the
// spreadsheet program.
Sheet readFirstSheet(const QString &fileName, const std::function<void()> &poll = {});

// Comma-separated text as spreadsheet programs write it: quoted fields may
// hold commas, doubled quotes and line breaks. A quote opens a quoted field
// only at the field's start (blanks before it dropped); elsewhere it is
// text. `separator` may be a tab for tab-separated text.
QList<QStringList> parseCsv(QStringView text, QChar separator = u',');

// A cell of "打印时间" as hh:mm:ss: a day fraction (0.5 → 12:00:00) or a
// shown time (12:00, 下午 and AM/PM forms, a date with a time) is
// rewritten; anything else stays as it is.
QString timeOfDay(const QString &shown);

// The sheet's rows after its header appended to the table (an empty table
// gets them from its first row on): worksheet column k into grid column k,
// "打印时间" as hh:mm:ss; the columns the table's spec names regrouped
// ("金额" of the express log and queue). Returns the number of rows added.
int appendSheet(DataTable &table, const QList<QStringList> &sheet, TableCode code);

} // namespace Workbook
} // namespace Slipdesk
