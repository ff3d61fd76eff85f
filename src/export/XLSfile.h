#pragma once

#include "storage/FileIo.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

namespace Slipdesk {

class DataTable;

// A minimal worksheet in the old binary spreadsheet record format: BOF,
// CODEPAGE, DIMENSIONS, one text (LABEL) record per cell, EOF. Every record
// is a 16-bit type, a 16-bit length and its data, little-endian; texts are
// written in the program's code page (GBK) byte for byte.
//
// The file is written aside and takes its name only when close() succeeds,
// so that a failed export never leaves half a workbook behind. File errors
// throw IoError.
class TXLSWriter
{
public:
    // Cell attribute flags; the export always passes none.
    enum Flag : quint16 {
        Hidden = 0x01,
        Locked = 0x02,
        Shaded = 0x04,
        BorderLeft = 0x08,
        BorderRight = 0x10,
        BorderTop = 0x20,
        BorderBottom = 0x40,
        AlignLeft = 0x80,
        AlignCentre = 0x100,
        AlignRight = 0x200,
        AlignFill = 0x400,
    };

    explicit TXLSWriter(const QString &fileName);
    ~TXLSWriter();
    TXLSWriter(const TXLSWriter &) = delete;
    TXLSWriter &operator=(const TXLSWriter &) = delete;

    quint16 columnLimit = 100; // DIMENSIONS: the last column + 1
    quint16 rowLimit = 65535; // DIMENSIONS: the last row + 1; also caps the data rows

    void writeBOF();
    // The code page the texts are in (936, GBK): without it spreadsheet
    // programs read the texts in a Western code page.
    void writeCodePage(quint16 codePage = 936);
    void writeDimensions();
    void writeCell(quint16 column, quint16 row, quint16 flags, const QString &text);
    // The same with the text already in GBK bytes (cut as cellBytes cuts).
    void writeCellBytes(quint16 column, quint16 row, quint16 flags, QByteArrayView gbk);
    // Records already built (appendCell), written as they are.
    void writeRecords(QByteArrayView records);
    void writeEOF();
    void writeWord(quint16 word);
    // Gives the file its name. Without it the destructor throws the work away.
    void close();

    // The three attribute bytes of a cell for `flags`.
    static QByteArray attributes(quint16 flags);
    // A text as a cell holds it: GBK bytes cut to at most 255, never in the
    // middle of a character.
    static QByteArray cellBytes(const QString &text);
    // The length of `gbk` cut to at most 255 bytes at a character boundary.
    static qsizetype cutLength(QByteArrayView gbk);
    // The LABEL record of a cell with no attributes, appended to `out`.
    static void appendCell(QByteArray &out, quint16 column, quint16 row, QByteArrayView gbk);

private:
    void write(const QByteArray &bytes);
    void write(const char *bytes, qsizetype size);
    void flush();

    std::unique_ptr<FileIo::AtomicFile> m_file;
    QByteArray m_buffer; // records gathered into large writes
    qsizetype m_used = 0;
};

namespace XlsExport {

// Writes the data window's grid into `fileName`: the header as row 0, then
// grid rows `first` … `last` (1-based, as the grid numbers its rows), the
// number column included, column by column. At most 65535 data rows; more
// than 100 columns widen the dimensions to the column count + 1.
void writeGrid(const DataTable &table, const QString &fileName, int first, int last);

// The file name "导出" proposes for table `code`: "打印记录数据" or
// "批量打印数据" with the date and time for logs and queues, the table
// file's name with today's date for books and lists, "销售统计" with the
// statistics' dates.
QString proposedName(int code, const QString &tableFile, const QDateTime &now, const QDate &from, const QDate &to);

} // namespace XlsExport
} // namespace Slipdesk
