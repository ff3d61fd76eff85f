#include "XlsWriter.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "storage/Codec.h"
#include "storage/IoError.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <atomic>
#include <bitset>
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

// The two-byte GB18030 codes that code page 936 reads as the same
// character, indexed by lead << 8 | trail. Built once, from the converter of
// each code page.
class CodePage936
{
public:
    CodePage936()
    {
        QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
        QStringEncoder cp936("windows-936", QStringConverter::Flag::Stateless);
        if (!gb18030.isValid() || !cp936.isValid())
            return; // nothing shared: every sheet outside ASCII is written in UTF-16
        // A converter's error flag outlives resetState(): the results are
        // compared instead (a character code page 936 lacks comes back as a
        // substitute).
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue; // no character in either code page
                const char code[2] = {char(lead), char(trail)};
                gb18030.resetState();
                const QString text = gb18030.decode(QByteArrayView(code, 2));
                if (text.size() != 1 || text.at(0) == QChar::ReplacementCharacter)
                    continue;
                cp936.resetState();
                const QByteArray back = cp936.encode(text);
                if (back == QByteArrayView(code, 2))
                    m_shared.set(size_t(lead << 8 | trail));
            }
        }
    }
    bool shared(unsigned char lead, unsigned char trail) const { return m_shared.test(size_t(lead << 8 | trail)); }

private:
    std::bitset<0x10000> m_shared;
};

const CodePage936 &codePage936()
{
    static const CodePage936 table;
    return table;
}

} // namespace

bool TXLSWriter::fitsCodePage(QByteArrayView gb18030)
{
    const qsizetype n = gb18030.size();
    qsizetype i = 0;
    // ASCII runs are checked without the table.
    while (i < n && static_cast<unsigned char>(gb18030[i]) < 0x80)
        ++i;
    if (i == n)
        return true;
    const CodePage936 &table = codePage936();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(gb18030[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 >= n)
            return false;
        const auto trail = static_cast<unsigned char>(gb18030[i + 1]);
        if (!table.shared(lead, trail)) // four-byte sequences too: their second byte is a digit
            return false;
        i += 2;
    }
    return true;
}

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

void TXLSWriter::writeUnicodeStart(quint32 rows, quint16 columns)
{
    // BOF of a worksheet, version 0x0600 (Excel 97), build and year, the
    // history flags and the lowest version that reads every record.
    for (const quint16 word : {0x0809, 16, 0x0600, 0x0010, 0x0DBB, 0x07CC, 0, 0, 6, 0})
        writeWord(quint16(word));
    writeCodePage(1200);
    // DIMENSIONS with 32-bit rows: first row, last row + 1, first column,
    // last column + 1, reserved.
    for (const quint16 word : {quint16(0x0200), quint16(14), quint16(0), quint16(0), quint16(rows & 0xFFFF),
             quint16(rows >> 16), quint16(0), columns, quint16(0)})
        writeWord(word);
}

void TXLSWriter::writeUnicodeCell(quint16 column, quint16 row, QStringView text)
{
    qsizetype size = std::min<qsizetype>(text.size(), kMaxTextBytes);
    if (size < text.size() && size > 0 && text.at(size - 1).isHighSurrogate())
        --size; // never half a character
    // LABEL: row, column, format index, character count, flags (1: the
    // characters are 16-bit), the characters.
    for (const quint16 word : {quint16(0x0204), quint16(9 + 2 * size), row, column, quint16(0), quint16(size)})
        writeWord(word);
    const char flags = 1;
    write(&flags, 1);
    for (qsizetype i = 0; i < size; ++i)
        writeWord(text.at(i).unicode());
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

namespace {

// A sheet with a character outside code page 936: every text in UTF-16.
void writeUnicodeGrid(TXLSWriter &writer, const DataTable &table, int first, int rows)
{
    const int columns = std::min(table.columnCount(), 0xFFFF);
    writer.writeUnicodeStart(quint32(rows + 1), quint16(columns));
    for (int c = 0; c < columns; ++c)
        writer.writeUnicodeCell(quint16(c), 0, table.header().at(c));
    for (int c = 0; c < columns; ++c)
        for (int k = 0; k < rows; ++k)
            writer.writeUnicodeCell(quint16(c), quint16(k + 1), table.cell(first + k - 1, c));
    writer.writeEOF();
    writer.close();
}

} // namespace

int writeGrid(const DataTable &table, const QString &fileName, int first, int last)
{
    TXLSWriter writer(fileName);
    const int columns = table.columnCount();
    int rows = std::max(0, last - first + 1);
    if (columns > writer.columnLimit)
        writer.columnLimit = quint16(std::min(columns + 1, 0xFFFF));
    if (rows > rowLimit)
        rows = rowLimit;
    std::atomic<bool> fits = true;
    for (const QString &name : table.header())
        fits = fits && TXLSWriter::fitsCodePage(Codec::encode(name));

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
        for (int k = from; k < to && fits; ++k) {
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
            // Only the cells written count: a row may hold more than the header.
            if (!TXLSWriter::fitsCodePage(QByteArrayView(bytes).first(std::min(at, bytes.size())))) {
                fits = false;
                return;
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
    if (!fits) {
        top.clear();
        bottom.clear();
        writeUnicodeGrid(writer, table, first, rows);
        return rows;
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
    return rows;
}

QString proposedName(TableCode code, const QString &tableFile, const QDateTime &now, const QDate &from, const QDate &to)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    switch (tableSpec(code).exportName) {
    case ExportName::PrintLog:
        return QStringLiteral("打印记录数据") + stamp;
    case ExportName::BatchQueue:
        return QStringLiteral("批量打印数据") + stamp;
    case ExportName::SalesStats:
        return QStringLiteral("销售统计") + from.toString(day) + (to != from ? u' ' + to.toString(day) : QString());
    case ExportName::TableFile:
        break;
    }
    return QFileInfo(tableFile).completeBaseName() + now.date().toString(day);
}

} // namespace XlsExport
} // namespace Slipdesk
