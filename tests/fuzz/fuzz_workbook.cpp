// The text a spreadsheet program writes for the first sheet of an imported
// workbook: read as comma-separated text, written back and read again, and
// appended to the express log's table as "导入" appends it ("打印时间" through
// the time-of-day rule, "金额" regrouped).

#include "FuzzSupport.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "export/Workbook.h"

#include <QRegularExpression>

using namespace Slipdesk;

namespace {

// The sheet written as a spreadsheet program writes it.
QString toCsv(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += u',';
            const QString &cell = row.at(i);
            if (cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r'))
                text += u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
            else
                text += cell;
        }
        text += u'\n';
    }
    return text;
}

void checkTime(const QString &shown)
{
    static const QRegularExpression clock(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
    const QString time = Workbook::timeOfDay(shown);
    FUZZ_CHECK(time == shown || clock.match(time).hasMatch());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes input(data, size);
    const uint8_t mode = input.take();
    const QString text = FuzzSupport::text(input.rest(), mode & 1);

    const QList<QStringList> sheet = Workbook::parseCsv(text);
    for (const QStringList &row : sheet)
        FUZZ_CHECK(!row.isEmpty());
    FUZZ_CHECK(Workbook::parseCsv(toCsv(sheet)) == sheet);

    checkTime(text);
    int cells = 0;
    for (const QStringList &row : sheet)
        for (const QString &cell : row)
            if (++cells <= 256)
                checkTime(cell);

    // Appended to a log that holds a row already, then to an empty queue.
    const bool queue = mode & 2;
    const TableCode code = queue ? TableCode::ExpressBatch : TableCode::ExpressLog;
    const QStringList header = (queue ? Headers::expressBatch() : Headers::expressLog()).split(u',');
    DataTable table(header, queue ? QStringList() : QStringList {QStringLiteral("甲,乙")});
    const int before = table.hasData() ? table.rowCount() : 0;
    const int added = Workbook::appendSheet(table, sheet.mid(0, 2000), code);
    FUZZ_CHECK(added == std::max<qsizetype>(0, std::min<qsizetype>(sheet.size(), 2000) - 1));
    if (added > 0)
        FUZZ_CHECK(table.rowCount() == before + added);
    return 0;
}
