// The own XLS writer over grids made from the input: the first bytes give
// the grid's size, the exported range and a cell's attribute flags; the rest,
// split at "|", gives the cell texts ("*" in front repeats a text so that it
// passes the 255-byte limit). The file is read back by a small reader of the
// record format that walks every record and checks that every cell is there,
// in its place and order, with its text cut at most to 255 bytes and never
// inside a character; a sheet with a character outside code page 936 in the
// UTF-16 layout.

#include "FuzzSupport.h"

#include "datawin/DataTable.h"
#include "export/XlsWriter.h"

#include <QtEndian>

using namespace Slipdesk;

namespace {

struct Record
{
    quint16 type;
    QByteArrayView data;
};

// Every record of the file; stops the run on a record that overruns it.
QList<Record> records(const QByteArray &file)
{
    QList<Record> out;
    qsizetype at = 0;
    while (at < file.size()) {
        FUZZ_CHECK(at + 4 <= file.size());
        const quint16 type = qFromLittleEndian<quint16>(file.constData() + at);
        const quint16 length = qFromLittleEndian<quint16>(file.constData() + at + 2);
        FUZZ_CHECK(at + 4 + length <= file.size());
        out.append({type, QByteArrayView(file).sliced(at + 4, length)});
        at += 4 + length;
    }
    return out;
}

quint16 word(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.data() + at);
}

// The length of the GB18030 character at `at` of a valid encoding.
int characterLength(QByteArrayView bytes, qsizetype at)
{
    if (quint8(bytes[at]) < 0x80)
        return 1;
    FUZZ_CHECK(at + 1 < bytes.size());
    const quint8 second = quint8(bytes[at + 1]);
    return second >= 0x30 && second <= 0x39 ? 4 : 2;
}

// A cell's bytes against the text the grid shows.
void checkText(QByteArrayView cell, const QString &text)
{
    const QByteArray full = Codec::encode(text);
    FUZZ_CHECK(cell.size() <= 255);
    FUZZ_CHECK(full.startsWith(cell));
    if (full.size() <= 255) {
        FUZZ_CHECK(cell.size() == full.size());
        return;
    }
    // Cut at a character boundary, as late as one allows.
    qsizetype at = 0;
    while (at < cell.size())
        at += characterLength(full, at);
    FUZZ_CHECK(at == cell.size());
    FUZZ_CHECK(at + characterLength(full, at) > 255);
    FUZZ_CHECK(text.startsWith(Codec::decode(cell)));
}

struct Label
{
    quint16 row;
    quint16 column;
    QByteArrayView attributes;
    QByteArrayView text;
};

Label label(const Record &record)
{
    FUZZ_CHECK(record.type == 0x0004);
    FUZZ_CHECK(record.data.size() >= 8);
    const Label cell {word(record.data, 0), word(record.data, 2), record.data.sliced(4, 3), record.data.sliced(8)};
    FUZZ_CHECK(quint8(record.data[7]) == cell.text.size());
    return cell;
}

// The attribute bytes of a flag set, as the record format defines them.
QByteArray attributesOf(quint16 flags)
{
    quint8 first = 0;
    quint8 third = 0;
    if (flags & TXLSWriter::Hidden)
        first |= 0x80;
    if (flags & TXLSWriter::Locked)
        first |= 0x40;
    if (flags & TXLSWriter::Shaded)
        third |= 0x80;
    if (flags & TXLSWriter::BorderLeft)
        third |= 0x40;
    if (flags & TXLSWriter::BorderRight)
        third |= 0x20;
    if (flags & TXLSWriter::BorderTop)
        third |= 0x10;
    if (flags & TXLSWriter::BorderBottom)
        third |= 0x08;
    if (flags & TXLSWriter::AlignLeft)
        third |= 1;
    else if (flags & TXLSWriter::AlignCentre)
        third |= 2;
    else if (flags & TXLSWriter::AlignRight)
        third |= 3;
    else if (flags & TXLSWriter::AlignFill)
        third |= 4;
    const char bytes[3] = {char(first), 0, char(third)};
    return QByteArray(bytes, 3);
}

// A cell of the UTF-16 layout: its text, cut to 255 code units at a
// character boundary.
void checkUnicodeCell(const Record &record, int row, int column, const QString &text)
{
    FUZZ_CHECK(record.type == 0x0204 && record.data.size() >= 9);
    FUZZ_CHECK(word(record.data, 0) == row && word(record.data, 2) == column);
    const int count = word(record.data, 6);
    FUZZ_CHECK(quint8(record.data[8]) == 1 && record.data.size() == 9 + 2 * count);
    QString read;
    for (int i = 0; i < count; ++i)
        read.append(QChar(word(record.data, 9 + 2 * i)));
    FUZZ_CHECK(text.startsWith(read));
    FUZZ_CHECK(count <= 255);
    if (text.size() <= 255)
        FUZZ_CHECK(count == text.size());
    else
        FUZZ_CHECK(count == 255 || (count == 254 && text.at(254).isHighSurrogate()));
}

// A sheet with a character that code page 936 lacks: the Excel 97 layout,
// every text in UTF-16.
void checkUnicodeGrid(const DataTable &table, int first, int rows, const QList<Record> &all)
{
    const int columns = table.columnCount();
    FUZZ_CHECK(all.size() == 4 + columns * (rows + 1));
    FUZZ_CHECK(all[0].type == 0x0809 && all[0].data.size() == 16 && word(all[0].data, 0) == 0x0600);
    FUZZ_CHECK(all[1].type == 0x0042 && word(all[1].data, 0) == 1200);
    FUZZ_CHECK(all[2].type == 0x0200 && all[2].data.size() == 14);
    FUZZ_CHECK(word(all[2].data, 4) == rows + 1 && word(all[2].data, 10) == columns);
    FUZZ_CHECK(all.last().type == 0x000A && all.last().data.isEmpty());
    qsizetype at = 3;
    for (int c = 0; c < columns; ++c)
        checkUnicodeCell(all[at++], 0, c, table.header().at(c));
    for (int c = 0; c < columns; ++c)
        for (int k = 0; k < rows; ++k)
            checkUnicodeCell(all[at++], k + 1, c, table.cell(first + k - 1, c));
}

void checkGrid(const DataTable &table, int first, int last, const QString &path)
{
    const int written = XlsExport::writeGrid(table, path, first, last);
    const QByteArray file = FuzzSupport::readFile(path);
    const QList<Record> all = records(file);
    const int columns = table.columnCount();
    const int rows = std::max(0, last - first + 1);
    const quint16 columnLimit = columns > 100 ? quint16(columns + 1) : 100;
    FUZZ_CHECK(written == rows);

    // Every byte readable under the code page the file declares.
    bool fits = true;
    for (const QString &name : table.header())
        fits = fits && TXLSWriter::fitsCodePage(Codec::encode(name));
    for (int k = 0; k < rows; ++k)
        for (int c = 0; c < columns; ++c)
            fits = fits && TXLSWriter::fitsCodePage(Codec::encode(table.cell(first + k - 1, c)));
    if (!fits) {
        checkUnicodeGrid(table, first, rows, all);
        return;
    }

    FUZZ_CHECK(all.size() == 4 + columns * (rows + 1));
    FUZZ_CHECK(all[0].type == 0x0809 && all[0].data == QByteArrayView("\x00\x00\x10\x00\x00\x00", 6));
    FUZZ_CHECK(all[1].type == 0x0042 && all[1].data.size() == 2 && word(all[1].data, 0) == 936);
    FUZZ_CHECK(all[2].type == 0x0000 && all[2].data.size() == 8);
    FUZZ_CHECK(word(all[2].data, 0) == 0 && word(all[2].data, 2) == 65535);
    FUZZ_CHECK(word(all[2].data, 4) == 0 && word(all[2].data, 6) == columnLimit);
    FUZZ_CHECK(all.last().type == 0x000A && all.last().data.isEmpty());

    qsizetype at = 3;
    for (int c = 0; c < columns; ++c) {
        const Label cell = label(all[at++]);
        FUZZ_CHECK(cell.row == 0 && cell.column == c);
        FUZZ_CHECK(cell.attributes == QByteArrayView("\0\0\0", 3));
        checkText(cell.text, table.header().at(c));
    }
    // Down the first column, then down the second, and so on.
    for (int c = 0; c < columns; ++c) {
        for (int k = 0; k < rows; ++k) {
            const Label cell = label(all[at++]);
            FUZZ_CHECK(cell.row == k + 1 && cell.column == c);
            FUZZ_CHECK(cell.column < columnLimit && cell.row <= 65535);
            FUZZ_CHECK(cell.attributes == QByteArrayView("\0\0\0", 3));
            checkText(cell.text, table.cell(first + k - 1, c));
        }
    }
}

void checkCells(const QStringList &texts, quint16 flags, const QString &path)
{
    {
        TXLSWriter writer(path);
        writer.writeBOF();
        writer.writeDimensions();
        for (qsizetype i = 0; i < texts.size(); ++i)
            writer.writeCell(quint16(i), quint16(i * 3), quint16(flags + i), texts.at(i));
        writer.writeEOF();
        writer.close();
    }
    const QByteArray file = FuzzSupport::readFile(path);
    const QList<Record> all = records(file);
    FUZZ_CHECK(all.size() == 3 + texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const Label cell = label(all[2 + i]);
        FUZZ_CHECK(cell.column == i && cell.row == quint16(i * 3));
        FUZZ_CHECK(cell.attributes == attributesOf(quint16(flags + i)));
        FUZZ_CHECK(TXLSWriter::attributes(quint16(flags + i)) == attributesOf(quint16(flags + i)));
        checkText(cell.text, texts.at(i));
        FUZZ_CHECK(TXLSWriter::cellBytes(texts.at(i)) == cell.text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes input(data, size);
    const uint8_t mode = input.take();
    const int columns = 1 + input.take() % 130;
    const int rowCount = input.take() % 40;
    const uint8_t from = input.take();
    const uint8_t span = input.take();
    const quint16 flags = quint16(input.take() | (input.take() << 8));

    QStringList texts = FuzzSupport::text(input.rest(), mode & 1).split(u'|');
    for (QString &text : texts)
        if (text.startsWith(u'*'))
            text = text.mid(1).repeated(60).left(400);

    qsizetype next = 0;
    const auto take = [&] { return texts.at(next++ % texts.size()); };
    QStringList header {QStringLiteral("序号")};
    for (int c = 1; c < columns; ++c)
        header.append(take());
    QList<QStringList> rows;
    for (int r = 0; r < rowCount; ++r) {
        QStringList cells;
        // Rows shorter and longer than the header, as files hold them.
        const int count = (mode & 2) ? (r * 7 + next) % (columns + 2) : columns - 1;
        for (int c = 0; c < count; ++c)
            cells.append(take());
        rows.append(cells);
    }
    const DataTable table = DataTable::fromCells(header, rows);
    const int total = table.rowCount();
    const int first = 1 + from % total;
    const int last = first - 1 + span % (total - first + 2);
    checkGrid(table, first, last, FuzzSupport::scratchFile(QStringLiteral("导出.xls")));

    checkCells(texts.mid(0, 8), flags, FuzzSupport::scratchFile(QStringLiteral("cells.xls")));
    return 0;
}
