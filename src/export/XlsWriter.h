#pragma once

#include "datawin/TableCode.h"
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
// written in the program's code page (GBK, code page 936) byte for byte.
//
// The program's files are GB18030, which also holds characters that code
// page 936 lacks (emoji, 𠮷, rare characters, and "€", which GB18030 and
// code page 936 place differently). Such bytes would be garbled or refused
// by a reader going by the declared code page, so a sheet that holds one is
// written in the Excel 97 record layout instead, with every text in UTF-16
// (writeUnicode…); a sheet that code page 936 holds keeps the GBK layout.
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
    // The Excel 97 layout for sheets with characters outside code page 936:
    // a BOF of that version, CODEPAGE 1200 (UTF-16), DIMENSIONS of `rows`
    // rows and `columns` columns, cells whose text is UTF-16, cut to 255
    // code units at a character boundary.
    void writeUnicodeStart(quint32 rows, quint16 columns);
    void writeUnicodeCell(quint16 column, quint16 row, QStringView text);
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
    // Whether GB18030 bytes read the same under code page 936: ASCII and
    // the two-byte characters both share, nothing of four bytes.
    static bool fitsCodePage(QByteArrayView gb18030);
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

// The data rows a worksheet of this format holds below its header.
inline constexpr int rowLimit = 65535;

// Writes the data window's grid into `fileName`: the header as row 0, then
// grid rows `first` … `last` (1-based, as the grid numbers its rows), the
// number column included, column by column. At most rowLimit data rows;
// more than 100 columns widen the dimensions to the column count + 1. Texts
// in GBK, or all in UTF-16 when one needs it (see TXLSWriter). Returns the
// number of data rows written.
int writeGrid(const DataTable &table, const QString &fileName, int first, int last);

// The file name "导出" proposes for table `code`, as its spec names it:
// "打印记录数据" or "批量打印数据" with the date and time for logs and queues,
// the table file's name with today's date for books and lists, "销售统计"
// with the statistics' dates.
QString proposedName(
    TableCode code, const QString &tableFile, const QDateTime &now, const QDate &from, const QDate &to);

} // namespace XlsExport
} // namespace Slipdesk
