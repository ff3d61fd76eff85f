#include "BatchRun.h"

#include "datawin/TableSpec.h"
#include "storage/FileIo.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"

#include <QFileInfo>
#include <QSet>

namespace Slipdesk {

namespace {

QStringList loadIfThere(const QString &path)
{
    return QFileInfo::exists(path) ? TextTable::load(path) : QStringList();
}

// A row as the end of a run writes it back: its cells without "," and blanks.
QString rowLine(const QStringList &cells)
{
    QStringList fields;
    fields.reserve(cells.size());
    for (const QString &cell : cells)
        fields.append(TradeNumbers::cleaned(cell));
    return fields.join(u',');
}

// Removes the goods lines of the printed notes, each note's lines scanned
// from the end as many as it had.
void removeGoods(QStringList &goods, const QList<PrintedRow> &rows)
{
    for (const PrintedRow &printed : rows) {
        const QString name = TextTable::field(printed.line, 0);
        const QString key = TextTable::field(printed.line, 1);
        int left = printed.goodsRows;
        for (qsizetype i = goods.size() - 1; i >= 0 && left > 0; --i) {
            if (TextTable::field(goods.at(i), 0) == name && TextTable::field(goods.at(i), 1) == key) {
                goods.removeAt(i);
                --left;
            }
        }
    }
}

// The queue (and goods file) written back, or deleted when nothing is left
// in the queue.
void writeBack(const QString &queueFile, const QStringList &queue, const QString &goodsFile, const QStringList &goods)
{
    if (queue.isEmpty()) {
        FileIo::remove(queueFile);
        if (!goodsFile.isEmpty())
            FileIo::remove(goodsFile);
        return;
    }
    if (!goodsFile.isEmpty())
        TextTable::save(goodsFile, goods);
    TextTable::save(queueFile, queue);
}

} // namespace

// --- The record of a run -----------------------------------------------------------------

namespace BatchRecord {

QString pathFor(const QString &queueFile)
{
    return queueFile + QStringLiteral(".RUN");
}

namespace {

QString recordLine(const PrintedRow &row)
{
    return QString::number(row.row) + u',' + QString::number(row.goodsRows) + u',' + row.line;
}

} // namespace

void write(const QString &queueFile, const QList<PrintedRow> &rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const PrintedRow &row : rows)
        lines.append(recordLine(row));
    TextTable::save(pathFor(queueFile), lines);
}

void append(const QString &queueFile, const PrintedRow &row)
{
    TextTable::appendRow(pathFor(queueFile), recordLine(row));
}

QList<PrintedRow> read(const QString &queueFile)
{
    QList<PrintedRow> rows;
    for (const QString &line : loadIfThere(pathFor(queueFile))) {
        const qsizetype first = line.indexOf(u',');
        const qsizetype second = first < 0 ? -1 : line.indexOf(u',', first + 1);
        if (second < 0)
            continue;
        bool rowOk = false;
        bool goodsOk = false;
        PrintedRow row;
        row.row = line.left(first).toInt(&rowOk);
        row.goodsRows = line.mid(first + 1, second - first - 1).toInt(&goodsOk);
        row.line = line.mid(second + 1);
        if (rowOk && goodsOk && row.row > 0)
            rows.append(row);
    }
    return rows;
}

void discard(const QString &queueFile)
{
    FileIo::remove(pathFor(queueFile));
}

PostingResult removePrinted(const QString &queueFile, const QString &goodsFile, const QList<PrintedRow> &rows)
{
    PostingResult result;
    result.step(QFileInfo(queueFile).fileName(), [&] {
        QStringList queue = loadIfThere(queueFile);
        QSet<qsizetype> gone;
        QList<PrintedRow> found;
        for (const PrintedRow &printed : rows) {
            qsizetype at = printed.row - 1;
            if (at >= queue.size() || gone.contains(at) || queue.at(at) != printed.line) {
                at = -1;
                for (qsizetype i = 0; i < queue.size(); ++i) {
                    if (!gone.contains(i) && queue.at(i) == printed.line) {
                        at = i;
                        break;
                    }
                }
            }
            if (at < 0)
                continue;
            gone.insert(at);
            found.append(printed);
        }
        QStringList kept;
        for (qsizetype i = 0; i < queue.size(); ++i)
            if (!gone.contains(i))
                kept.append(queue.at(i));
        QStringList goods;
        if (!goodsFile.isEmpty()) {
            goods = loadIfThere(goodsFile);
            removeGoods(goods, found);
        }
        writeBack(queueFile, kept, goodsFile, goods);
        discard(queueFile);
    });
    return result;
}

QString Unfinished::question() const
{
    return QStringLiteral("上次的批量打印没有正常结束，当时已经打印了 %1 条批打数据。\r\n\r\n"
                          "是否将已经打印过的批打数据删除？")
        .arg(rows.size());
}

Unfinished unfinished(const QString &queueFile)
{
    Unfinished earlier;
    if (!BatchRun::runningOn(queueFile))
        earlier.read.step(QString(), [&] { earlier.rows = read(queueFile); });
    return earlier;
}

PostingResult settle(
    const QString &queueFile, const QString &goodsFile, const QList<PrintedRow> &rows, bool deletePrinted)
{
    if (deletePrinted)
        return removePrinted(queueFile, goodsFile, rows);
    PostingResult result;
    result.step(QFileInfo(pathFor(queueFile)).fileName(), [&] { discard(queueFile); });
    return result;
}

} // namespace BatchRecord

// --- The run ---------------------------------------------------------------------------

namespace {

QStringList &liveRuns()
{
    static QStringList files;
    return files;
}

} // namespace

bool BatchRun::runningOn(const QString &queueFile)
{
    return liveRuns().contains(queueFile);
}

BatchRun::~BatchRun()
{
    liveRuns().removeOne(m_start.file);
}

BatchRun::BatchRun(const BatchStart &start)
    : m_start(start)
{
    liveRuns().append(m_start.file);
    // The lines as stored identify the printed rows in the record; the grid
    // shows money grouped, which is not how the file holds it.
    try {
        m_diskLines = loadIfThere(m_start.file);
    } catch (const IoError &) {
        m_diskLines.clear();
    }
}

bool BatchRun::delivery() const
{
    return tableSpec(m_start.code).hasDetail();
}

bool BatchRun::setPosition(int p)
{
    if (p < 1 || p > count())
        return false;
    m_position = p;
    return true;
}

QStringList BatchRun::cells() const
{
    return m_start.table.cells(row() - 1);
}

QStringList BatchRun::goodsLines() const
{
    const QStringList c = cells();
    return m_start.detail.linesOf(TradeNumbers::cleaned(c.value(0)), TradeNumbers::cleaned(c.value(1)));
}

QString BatchRun::diskLine(int row) const
{
    const QString grid = rowLine(m_start.table.cells(row - 1));
    // The file's line when it is the row the grid shows; the grid's own
    // text when the row was edited before the run.
    if (row - 1 < m_diskLines.size()) {
        const QString disk = m_diskLines.at(row - 1);
        if (TextTable::fieldCount(disk) == TextTable::fieldCount(grid))
            return disk;
    }
    return grid;
}

PostingResult BatchRun::markPrinted()
{
    PostingResult result;
    const int r = row();
    if (std::any_of(m_printed.cbegin(), m_printed.cend(), [r](const PrintedRow &p) { return p.row == r; }))
        return result;
    m_printed.append({r, delivery() ? int(goodsLines().size()) : 0, diskLine(r)});
    // A record that could not be written is written whole at the next form.
    m_recordStarted = result.step(QFileInfo(BatchRecord::pathFor(file())).fileName(), [&] {
        if (m_recordStarted) {
            BatchRecord::append(file(), m_printed.last());
        } else {
            BatchRecord::write(file(), m_printed);
        }
    });
    return result;
}

bool BatchRun::allPrinted() const
{
    return m_printed.size() == m_start.table.rowCount();
}

PostingResult BatchRun::finish(bool deletePrinted)
{
    PostingResult result;
    if (deletePrinted && !m_printed.isEmpty()) {
        result.step(QFileInfo(file()).fileName(), [&] {
            // Lines queued while the run went on (the file grew) stay queued.
            const QStringList now = loadIfThere(file());
            QStringList queue;
            if (!allPrinted()) {
                QSet<int> printedRows;
                for (const PrintedRow &p : std::as_const(m_printed))
                    printedRows.insert(p.row);
                for (int r = 1; r <= m_start.table.rowCount(); ++r)
                    if (!printedRows.contains(r))
                        queue.append(rowLine(m_start.table.cells(r - 1)));
            }
            if (now.size() > m_diskLines.size())
                queue.append(now.mid(m_diskLines.size()));
            QStringList goods;
            if (delivery()) {
                goods = loadIfThere(goodsFile());
                removeGoods(goods, m_printed);
            }
            writeBack(file(), queue, delivery() ? goodsFile() : QString(), goods);
        });
    }
    result.step(QFileInfo(BatchRecord::pathFor(file())).fileName(), [&] { BatchRecord::discard(file()); });
    return result;
}

} // namespace Slipdesk
