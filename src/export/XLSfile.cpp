#include "XLSfile.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "storage/Codec.h"
#include "storage/IoError.h"

#include <QDir>
#include <QFileInfo>

namespace Slipdesk {

namespace {

constexpr int kMaxTextBytes = 255;

// The byte length of the GB18030 character starting at `bytes[i]`.
int characterLength(const QByteArray &bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes.at(i));
    if (lead < 0x80 || i + 1 >= bytes.size())
        return 1;
    const auto second = static_cast<unsigned char>(bytes.at(i + 1));
    return second >= 0x30 && second <= 0x39 ? 4 : 2;
}

} // namespace

TXLSWriter::TXLSWriter(const QString &fileName)
    : m_file(std::make_unique<QSaveFile>(fileName))
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    if (!m_file->open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("无法创建文件：") + fileName + QStringLiteral("（") + m_file->errorString()
            + QStringLiteral("）"));
}

TXLSWriter::~TXLSWriter()
{
    if (m_file && m_file->isOpen())
        m_file->cancelWriting();
}

void TXLSWriter::write(const QByteArray &bytes)
{
    if (m_file->write(bytes) != bytes.size())
        throw IoError(QStringLiteral("无法写入文件：") + m_file->fileName() + QStringLiteral("（")
            + m_file->errorString() + QStringLiteral("）"));
}

void TXLSWriter::writeWord(quint16 word)
{
    const char bytes[2] = {char(word & 0xFF), char(word >> 8)};
    write(QByteArray(bytes, 2));
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

QByteArray TXLSWriter::cellBytes(const QString &text)
{
    QByteArray bytes = Codec::encode(text);
    if (bytes.size() <= kMaxTextBytes)
        return bytes;
    qsizetype end = 0;
    while (end < bytes.size()) {
        const int length = characterLength(bytes, end);
        if (end + length > kMaxTextBytes)
            break;
        end += length;
    }
    bytes.truncate(end);
    return bytes;
}

void TXLSWriter::writeCell(quint16 column, quint16 row, quint16 flags, const QString &text)
{
    const QByteArray bytes = cellBytes(text);
    writeWord(0x0004);
    writeWord(quint16(8 + bytes.size()));
    writeWord(row);
    writeWord(column);
    write(attributes(flags) + char(bytes.size()) + bytes);
}

void TXLSWriter::writeEOF()
{
    writeWord(0x000A);
    writeWord(0);
}

void TXLSWriter::close()
{
    if (!m_file->commit())
        throw IoError(QStringLiteral("无法写入文件：") + m_file->fileName() + QStringLiteral("（")
            + m_file->errorString() + QStringLiteral("）"));
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
    writer.writeBOF();
    writer.writeCodePage();
    writer.writeDimensions();
    for (int c = 0; c < columns; ++c)
        writer.writeCell(quint16(c), 0, 0, table.header().at(c));
    for (int c = 0; c < columns; ++c)
        for (int k = 0; k < rows; ++k)
            writer.writeCell(quint16(c), quint16(k + 1), 0, table.cell(first + k - 1, c));
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
