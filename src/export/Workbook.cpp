#include "Workbook.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "export/XlsWriter.h"
#include "storage/IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTime>

#include <cmath>

namespace Slipdesk::Workbook {

namespace {

// LibreOffice's text export: comma, double quote, UTF-8, cell contents as
// shown (a time stays a time, a long number is not turned into a fraction),
// formulas as their results, the first sheet.
const QString kSheetAsText
    = QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,1");
const QString kExcel97 = QStringLiteral("xls:MS Excel 97");

} // namespace

bool isXlsx(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(u"xlsx", Qt::CaseInsensitive) == 0;
}

QList<int> textColumns(TableCode code)
{
    return tableSpec(code).textColumns;
}

int rowLimit(const QString &fileName)
{
    return isXlsx(fileName) ? XlsxExport::rowLimit : XlsExport::rowLimit;
}

int Exported::firstLeftOut() const
{
    return first + written;
}

QString Exported::leftOut() const
{
    if (complete())
        return QString();
    const int missing = requested - written;
    const QString rows
        = QStringLiteral("序号 %1 至 %2 的 %3 行没有导出").arg(firstLeftOut()).arg(first + requested - 1).arg(missing);
    if (xlsx)
        return QStringLiteral("Excel 工作簿（.xlsx）最多只能保存 %1 行数据：").arg(XlsxExport::rowLimit) + rows
            + QStringLiteral("。请分几次导出。");
    return QStringLiteral("Excel 97 工作簿（.xls）最多只能保存 %1 行数据：").arg(XlsExport::rowLimit) + rows
        + QStringLiteral("。请导出为 Excel 工作簿（.xlsx），它能保存全部数据。");
}

Exported exportGrid(const DataTable &table, TableCode code, const QString &fileName, int first, int requestedLast,
    const ExportOptions &options)
{
    Exported done;
    done.first = first;
    done.xlsx = isXlsx(fileName);
    done.requested = std::max(0, requestedLast - first + 1);
    done.written = std::min(done.requested, rowLimit(fileName));
    // Only what the format holds is handed on, so that no writer or
    // converter drops rows unseen.
    const int last = first + done.written - 1;
    if (done.xlsx) {
        XlsxExport::writeGrid(table, fileName, first, last, textColumns(code), options.progress);
        done.writer = Writer::Library;
        return done;
    }
    const auto own = [&](const QString &why) {
        const int written = XlsExport::writeGrid(table, fileName, first, last);
        done.written = std::min(done.written, written);
        done.writer = Writer::Own;
        done.fallback = why;
        return done;
    };
    if (options.ownWriter)
        return own(QString());
    if (!SpreadsheetProgram::available())
        return own(QStringLiteral("没有找到电子表格软件（LibreOffice）"));

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return own(QStringLiteral("无法创建临时文件夹"));
    const QString workbook = scratch.filePath(QStringLiteral("sheet.xlsx"));
    XlsxExport::writeGrid(table, workbook, first, last, textColumns(code), options.progress);
    const SpreadsheetProgram::Result converted
        = SpreadsheetProgram::convert(workbook, kExcel97, fileName, options.poll);
    if (!converted.ok())
        return own(converted.message);
    done.writer = Writer::SpreadsheetProgram;
    return done;
}

Sheet readFirstSheet(const QString &fileName, const std::function<void()> &poll)
{
    Sheet sheet;
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        sheet.result = {SpreadsheetProgram::Status::Failed, QStringLiteral("无法创建临时文件夹")};
        return sheet;
    }
    const QString text = scratch.filePath(QStringLiteral("sheet.csv"));
    sheet.result = SpreadsheetProgram::convert(fileName, kSheetAsText, text, poll);
    if (!sheet.result.ok())
        return sheet;
    QFile file(text);
    if (!file.open(QIODevice::ReadOnly)) {
        sheet.result = {SpreadsheetProgram::Status::Failed, file.errorString()};
        return sheet;
    }
    sheet.rows = parseCsv(QString::fromUtf8(file.readAll()));
    return sheet;
}

QList<QStringList> parseCsv(QStringView text, QChar separator)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false; // the line holds something, if only an empty field
    const auto endField = [&] {
        row.append(field);
        field.clear();
    };
    const auto endRow = [&] {
        endField();
        rows.append(row);
        row.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.append(ch);
            }
            continue;
        }
        if (ch == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
            any = true;
        } else if (ch == separator) {
            endField();
            any = true;
        } else if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endRow();
        } else {
            field.append(ch);
            any = true;
        }
    }
    if (any || !field.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

QString timeOfDay(const QString &shown)
{
    const QString text = shown.trimmed();
    if (text.isEmpty())
        return shown;
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (isNumber && std::isfinite(value)) {
        long long seconds = std::llround((value - std::floor(value)) * 86400.0) % 86400;
        return QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("hh:mm:ss"));
    }
    // The time of a shown date and time, or a shown time alone.
    static const QRegularExpression time(
        QStringLiteral(R"((上午|下午)?\s*(\d{1,2}):(\d{2})(?::(\d{2}))?(?:[.,]\d+)?\s*(AM|PM|am|pm)?\s*$)"));
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch())
        return shown;
    int hour = m.captured(2).toInt();
    const bool afternoon = m.captured(1) == u"下午" || m.captured(5).compare(u"pm", Qt::CaseInsensitive) == 0;
    const bool morning = m.captured(1) == u"上午" || m.captured(5).compare(u"am", Qt::CaseInsensitive) == 0;
    if (afternoon && hour < 12)
        hour += 12;
    if (morning && hour == 12)
        hour = 0;
    const QTime at(hour, m.captured(3).toInt(), m.captured(4).toInt());
    return at.isValid() ? at.toString(QStringLiteral("hh:mm:ss")) : shown;
}

int appendSheet(DataTable &table, const QList<QStringList> &sheet, TableCode code)
{
    const int timeColumn = table.findColumn(QStringLiteral("打印时间"));
    int added = 0;
    for (qsizetype r = 1; r < sheet.size(); ++r) {
        const QStringList &cells = sheet.at(r);
        const int row = table.append();
        for (int k = 1; k < table.columnCount() && k - 1 < cells.size(); ++k)
            table.setCell(row, k, k == timeColumn ? timeOfDay(cells.at(k - 1)) : cells.at(k - 1));
        ++added;
    }
    if (added > 0)
        for (const QString &column : tableSpec(code).groupedAfterImport)
            table.formatGrouped(column);
    return added;
}

} // namespace Slipdesk::Workbook
