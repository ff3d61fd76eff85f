#include "XLSfile.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "storage/Codec.h"
#include "storage/IoError.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <thread>

namespace Slipdesk {

namespace {

constexpr int kMaxTextBytes = 255;
constexpr qsizetype kFlushBytes = 1 << 20;

// The byte length of the GB18030 character starting at `bytes[i]`.
int characterLength(QByteArrayView bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes.at(i));
    if (lead < 0x80 || i + 1 >= bytes.size())
        return 1;
    const auto second = static_cast<unsigned char>(bytes.at(i + 1));
    return second >= 0x30 && second <= 0x39 ? 4 : 2;
}

} // namespace

TXLSWriter::TXLSWriter(const QString &fileName)
    : m_file(std::make_unique<FileIo::AtomicFile>(fileName))
{
    m_buffer.resize(kFlushBytes);
}

TXLSWriter::~TXLSWriter() = default;

void TXLSWriter::flush()
{
    if (m_used == 0)
        return;
    m_file->write(QByteArrayView(m_buffer.constData(), m_used));
    m_used = 0;
}

void TXLSWriter::write(const char *bytes, qsizetype size)
{
    if (m_used + size > m_buffer.size())
        flush();
    if (size > m_buffer.size()) {
        m_buffer.resize(size);
    }
    std::memcpy(m_buffer.data() + m_used, bytes, size_t(size));
    m_used += size;
}

void TXLSWriter::write(const QByteArray &bytes)
{
    write(bytes.constData(), bytes.size());
}

void TXLSWriter::writeWord(quint16 word)
{
    const char bytes[2] = {char(word & 0xFF), char(word >> 8)};
    write(bytes, 2);
}

void TXLSWriter::writeBOF()
{
    for (const quint16 word : {0x0809, 6, 0x0000, 0x0010, 0x0000})
        writeWord(word);
}

void TXLSWriter::writeCodePage(quint16 codePage)
{
    for (const quint16 word : {quint16(0x0042), quint16(2), codePage})
        writeWord(word);
}

void TXLSWriter::writeDimensions()
{
    for (const quint16 word : {quint16(0x0000), quint16(8), quint16(0), rowLimit, quint16(0), columnLimit})
        writeWord(word);
}

QByteArray TXLSWriter::attributes(quint16 flags)
{
    char bytes[3] = {0, 0, 0};
    if (flags & Hidden)
        bytes[0] = char(bytes[0] + 0x80);
    if (flags & Locked)
        bytes[0] = char(bytes[0] + 0x40);
    if (flags & Shaded)
        bytes[2] = char(bytes[2] + 0x80);
    if (flags & BorderLeft)
        bytes[2] = char(bytes[2] + 0x40);
    if (flags & BorderRight)
        bytes[2] = char(bytes[2] + 0x20);
    if (flags & BorderTop)
        bytes[2] = char(bytes[2] + 0x10);
    if (flags & BorderBottom)
        bytes[2] = char(bytes[2] + 0x08);
    if (flags & AlignLeft)
        bytes[2] = char(bytes[2] + 1);
    else if (flags & AlignCentre)
        bytes[2] = char(bytes[2] + 2);
    else if (flags & AlignRight)
        bytes[2] = char(bytes[2] + 3);
    else if (flags & AlignFill)
        bytes[2] = char(bytes[2] + 4);
    return QByteArray(bytes, 3);
}

qsizetype TXLSWriter::cutLength(QByteArrayView gbk)
{
    if (gbk.size() <= kMaxTextBytes)
        return gbk.size();
    qsizetype end = 0;
    while (end < gbk.size()) {
        const int length = characterLength(gbk, end);
        if (end + length > kMaxTextBytes)
            break;
        end += length;
    }
    return end;
}

QByteArray TXLSWriter::cellBytes(const QString &text)
{
    QByteArray bytes = Codec::encode(text);
    bytes.truncate(cutLength(bytes));
    return bytes;
}

void TXLSWriter::writeCell(quint16 column, quint16 row, quint16 flags, const QString &text)
{
    writeCellBytes(column, row, flags, Codec::encode(text));
}

void TXLSWriter::writeCellBytes(quint16 column, quint16 row, quint16 flags, QByteArrayView gbk)
{
    const qsizetype size = cutLength(gbk);
    char attribute[3] = {0, 0, 0};
    if (flags) {
        const QByteArray bytes = attributes(flags);
        std::copy(bytes.cbegin(), bytes.cend(), attribute);
    }
    const quint16 length = quint16(8 + size);
    const char head[12] = {0x04, 0x00, char(length & 0xFF), char(length >> 8), char(row & 0xFF), char(row >> 8),
        char(column & 0xFF), char(column >> 8), attribute[0], attribute[1], attribute[2], char(size)};
    write(head, sizeof head);
    write(gbk.data(), size);
}

void TXLSWriter::appendCell(QByteArray &out, quint16 column, quint16 row, QByteArrayView gbk)
{
    const qsizetype size = cutLength(gbk);
    const quint16 length = quint16(8 + size);
    const char head[12] = {0x04, 0x00, char(length & 0xFF), char(length >> 8), char(row & 0xFF), char(row >> 8),
        char(column & 0xFF), char(column >> 8), 0, 0, 0, char(size)};
    out.append(head, sizeof head);
    out.append(gbk.data(), size);
}

void TXLSWriter::writeRecords(QByteArrayView records)
{
    flush();
    m_file->write(records);
}

void TXLSWriter::writeEOF()
{
    writeWord(0x000A);
    writeWord(0);
}

void TXLSWriter::close()
{
    flush();
    m_file->commit();
}

namespace XlsExport {

void writeGrid(const DataTable &table, const QString &fileName, int first, int last)
{
    TXLSWriter writer(fileName);
    const int columns = table.columnCount();
    int rows = std::max(0, last - first + 1);
    if (columns > writer.columnLimit)
        writer.columnLimit = quint16(std::min(columns + 1, 0xFFFF));
    if (rows > writer.rowLimit)
        rows = writer.rowLimit;

    // The records run down each column while the rows are stored row by
    // row: each row is encoded once, whole, and its cells' records go to one
    // buffer per column, so that both the reading and the writing run
    // straight through memory. The unit separator between cells is one
    // ASCII byte in GB18030. A big sheet is built in two halves at once.
    const char separator = char(DataTable::separator().unicode());
    using Columns = QList<QByteArray>;
    const auto build = [&](int from, int to, Columns &out) {
        out.resize(columns);
        const qsizetype perCell = 24;
        for (QByteArray &column : out)
            column.reserve(qsizetype(to - from) * perCell);
        for (int k = from; k < to; ++k) {
            const quint16 row = quint16(k + 1);
            const int tableRow = first + k - 1;
            TXLSWriter::appendCell(out[0], 0, row, Codec::encode(table.cell(tableRow, 0)));
            const QByteArray bytes = Codec::encode(table.rawRow(tableRow));
            qsizetype at = 0;
            for (int c = 1; c < columns; ++c) {
                QByteArrayView cell;
                if (at <= bytes.size()) {
                    const qsizetype next = bytes.indexOf(separator, at);
                    const qsizetype end = next < 0 ? bytes.size() : next;
                    cell = QByteArrayView(bytes).sliced(at, end - at);
                    at = end + 1;
                }
                TXLSWriter::appendCell(out[c], quint16(c), row, cell);
            }
        }
    };
    Columns top;
    Columns bottom;
    if (rows >= 4096 && std::thread::hardware_concurrency() >= 2) {
        std::thread worker(build, rows / 2, rows, std::ref(bottom));
        build(0, rows / 2, top);
        worker.join();
    } else {
        build(0, rows, top);
    }

    writer.writeBOF();
    writer.writeCodePage();
    writer.writeDimensions();
    for (int c = 0; c < columns; ++c)
        writer.writeCell(quint16(c), 0, 0, table.header().at(c));
    for (int c = 0; c < columns; ++c) {
        writer.writeRecords(top.value(c));
        writer.writeRecords(bottom.value(c));
    }
    writer.writeEOF();
    writer.close();
}

QString proposedName(int code, const QString &tableFile, const QDateTime &now, const QDate &from, const QDate &to)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    switch (code) {
    case TableCode::ExpressLog:
    case TableCode::DeliveryLog:
    case TableCode::InboundLog:
        return QStringLiteral("打印记录数据") + stamp;
    case TableCode::ExpressBatch:
    case TableCode::DeliveryBatch:
        return QStringLiteral("批量打印数据") + stamp;
    case TableCode::SalesStats:
        return QStringLiteral("销售统计") + from.toString(day) + (to != from ? u' ' + to.toString(day) : QString());
    default:
        return QFileInfo(tableFile).completeBaseName() + now.date().toString(day);
    }
}

} // namespace XlsExport
} // namespace Slipdesk
