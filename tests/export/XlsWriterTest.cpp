// The worksheet file byte by byte: records, their order, attributes,
// limits and the cut of long texts.

#include "export/XlsWriter.h"
#include "datawin/DataTable.h"
#include "storage/Codec.h"
#include "storage/IoError.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

struct Record
{
    quint16 type;
    QByteArray data;
};

quint16 word(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes.at(at)) | (quint8(bytes.at(at + 1)) << 8));
}

QList<Record> records(const QByteArray &file)
{
    QList<Record> out;
    qsizetype at = 0;
    while (at + 4 <= file.size()) {
        const quint16 length = word(file, at + 2);
        out.append({word(file, at), file.mid(at + 4, length)});
        at += 4 + length;
    }
    EXPECT_EQ(at, file.size()) << "a record runs past the end";
    return out;
}

DataTable grid(int columns, int rows)
{
    QStringList header {QStringLiteral("序号")};
    for (int c = 1; c < columns; ++c)
        header.append(QStringLiteral("列%1").arg(c));
    QStringList lines;
    for (int r = 1; r <= rows; ++r) {
        QStringList fields;
        for (int c = 1; c < columns; ++c)
            fields.append(QStringLiteral("r%1c%2").arg(r).arg(c));
        lines.append(fields.join(u','));
    }
    return DataTable(header, lines);
}

QByteArray exported(const TempDir &dir, const DataTable &table, int first, int last)
{
    const QString file = dir.file(QStringLiteral("导出.xls"));
    XlsExport::writeGrid(table, file, first, last);
    return dir.read(QStringLiteral("导出.xls"));
}

} // namespace

TEST(XlsWriter, AGridIsWrittenHeaderFirstThenColumnByColumn)
{
    TempDir dir;
    const QByteArray file = exported(dir, grid(3, 4), 2, 3);
    EXPECT_EQ(file.left(10), QByteArray::fromHex("09080600000010000000"));
    // The code page record follows BOF; every other byte is the plain format.
    EXPECT_EQ(file.mid(10, 6), QByteArray::fromHex("42000200a803"));
    EXPECT_EQ(file.mid(16, 12), QByteArray::fromHex("000008000000ffff00006400"));
    EXPECT_EQ(file.right(4), QByteArray::fromHex("0a000000"));

    const QList<Record> all = records(file);
    ASSERT_EQ(all.size(), 1 + 1 + 1 + 9 + 1);
    QList<std::pair<int, int>> cells;
    QStringList texts;
    for (const Record &r : all.mid(3, 9)) {
        EXPECT_EQ(r.type, 0x0004);
        cells.append({word(r.data, 0), word(r.data, 2)});
        EXPECT_EQ(r.data.mid(4, 3), QByteArray(3, '\0'));
        texts.append(Codec::decode(r.data.mid(8, quint8(r.data.at(7)))));
    }
    const QList<std::pair<int, int>> order {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 2}, {2, 2}};
    EXPECT_EQ(cells, order);
    EXPECT_EQ(texts, QStringList({"序号", "列1", "列2", "2", "3", "r2c1", "r3c1", "r2c2", "r3c2"}));
}

TEST(XlsWriter, CellsCarryTheirBytesAndTheirAttributes)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("cells.xls"));
    {
        TXLSWriter writer(path);
        writer.writeCell(2, 1, 0, QStringLiteral("abc"));
        writer.writeCell(0, 0, 0, QString());
        writer.writeCell(0, 0, 0, QStringLiteral("发货清单"));
        writer.close();
    }
    const QByteArray file = dir.read(QStringLiteral("cells.xls"));
    EXPECT_EQ(file.left(15), QByteArray::fromHex("04000b00010002000000000361") + "bc");
    EXPECT_EQ(file.mid(15, 12), QByteArray::fromHex("040008000000000000000000"));
    EXPECT_EQ(quint8(file.at(27 + 11)), 8);
    EXPECT_EQ(file.mid(27 + 12), Codec::encode(QStringLiteral("发货清单")));

    EXPECT_EQ(TXLSWriter::attributes(0), QByteArray(3, '\0'));
    EXPECT_EQ(TXLSWriter::attributes(TXLSWriter::Hidden | TXLSWriter::Locked), QByteArray::fromHex("c00000"));
    EXPECT_EQ(TXLSWriter::attributes(
                  TXLSWriter::Shaded | TXLSWriter::BorderLeft | TXLSWriter::BorderBottom | TXLSWriter::AlignRight),
        QByteArray::fromHex("0000cb"));
    // Left wins over the other alignments.
    EXPECT_EQ(TXLSWriter::attributes(TXLSWriter::AlignLeft | TXLSWriter::AlignFill), QByteArray::fromHex("000001"));
    EXPECT_EQ(TXLSWriter::attributes(TXLSWriter::AlignCentre | TXLSWriter::AlignFill), QByteArray::fromHex("000002"));
}

TEST(XlsWriter, LongTextsAreCutAtACharacterAndWideGridsWidenTheDimensions)
{
    EXPECT_EQ(TXLSWriter::cellBytes(QString(300, u'a')).size(), 255);
    // 127 two-byte characters are 254 bytes; the 128th would be cut in half.
    EXPECT_EQ(TXLSWriter::cellBytes(QString(200, u'中')).size(), 254);
    EXPECT_EQ(TXLSWriter::cellBytes(u'a' + QString(200, u'中')).size(), 255);
    // A character outside GBK takes four bytes in GB18030 and is never split.
    const QString wide = QString(126, u'中') + QString::fromUcs4(U"\U00020BB7\U00020BB7");
    EXPECT_EQ(TXLSWriter::cellBytes(wide).size(), 252);
    EXPECT_EQ(TXLSWriter::cellBytes(QStringLiteral("a") + wide).size(), 253);

    TempDir dir;
    const QByteArray file = exported(dir, grid(120, 1), 1, 1);
    EXPECT_EQ(word(file, 16 + 4 + 6), 121);
}

TEST(XlsWriter, AFileThatCannotBeWrittenIsAnErrorAndLeavesNothingBehind)
{
    TempDir dir;
    dir.write(QStringLiteral("blocker"), "x");
    EXPECT_THROW(XlsExport::writeGrid(grid(2, 2), dir.file(QStringLiteral("blocker/out.xls")), 1, 2), IoError);

    const QString path = dir.file(QStringLiteral("half.xls"));
    {
        TXLSWriter writer(path);
        writer.writeBOF();
        // Never closed: an export that failed half-way.
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(XlsWriter, ExportsProposeANameByTable)
{
    const QDateTime at(QDate(2026, 12, 8), QTime(9, 5, 7));
    const QDate from(2026, 12, 1);
    EXPECT_EQ(XlsExport::proposedName(TableCode::ExpressLog, QString(), at, from, from),
        QStringLiteral("打印记录数据2026-12-08 09-05-07"));
    EXPECT_EQ(XlsExport::proposedName(TableCode::ExpressBatch, QString(), at, from, from),
        QStringLiteral("批量打印数据2026-12-08 09-05-07"));
    EXPECT_EQ(XlsExport::proposedName(TableCode::Recipients, QStringLiteral("/d/收件单位.TXT"), at, from, from),
        QStringLiteral("收件单位2026-12-08"));
    EXPECT_EQ(XlsExport::proposedName(TableCode::SalesStats, QString(), at, from, from),
        QStringLiteral("销售统计2026-12-01"));
    EXPECT_EQ(XlsExport::proposedName(TableCode::SalesStats, QString(), at, from, QDate(2026, 12, 8)),
        QStringLiteral("销售统计2026-12-01 2026-12-08"));
}

// The grid export cuts cells out of each row's encoded bytes; it must give
// the very bytes a cell-by-cell write gives, short and long rows included.
TEST(XlsWriter, TheGridExportWritesWhatCellByCellWritingWrites)
{
    const QStringList header {QStringLiteral("序号"), QStringLiteral("名称"), QStringLiteral("金额"),
        QStringLiteral("地址"), QStringLiteral("备注")};
    QStringList lines {QStringLiteral("陈小姐,1500,") + QString(140, u'路') + QStringLiteral(",x"),
        QStringLiteral("只有一列"), QString(), QStringLiteral(",,,"), QStringLiteral("a,b,c,d,多出来的")};
    // Enough rows for the export to build its two halves at once.
    for (int r = 0; r < 5000; ++r)
        lines.append(QStringLiteral("收件人%1,%2,地址%3,").arg(r).arg(r * 7).arg(QString(r % 150, u'号')));
    DataTable table(header, lines);
    table.formatGrouped(QStringLiteral("金额"));
    TempDir dir;
    const QByteArray fast = exported(dir, table, 1, table.rowCount());
    const QString slowPath = dir.file(QStringLiteral("slow.xls"));
    {
        TXLSWriter writer(slowPath);
        writer.writeBOF();
        writer.writeCodePage();
        writer.writeDimensions();
        for (int c = 0; c < table.columnCount(); ++c)
            writer.writeCell(quint16(c), 0, 0, header.at(c));
        for (int c = 0; c < table.columnCount(); ++c)
            for (int r = 0; r < table.rowCount(); ++r)
                writer.writeCell(quint16(c), quint16(r + 1), 0, table.cell(r, c));
        writer.writeEOF();
        writer.close();
    }
    EXPECT_EQ(fast, dir.read(QStringLiteral("slow.xls")));
}

// Code page 936 lacks what GB18030 adds (emoji, 𠮷, and "€", which the two
// place differently): a sheet with such a character is written with every
// text in UTF-16, every other sheet keeps its GBK bytes.
TEST(XlsWriter, ASheetWithCharactersOutsideCodePage936IsWrittenInUtf16)
{
    EXPECT_TRUE(TXLSWriter::fitsCodePage(Codec::encode(QStringLiteral("张三 abc 发货清单"))));
    for (const QString &text :
        {QStringLiteral("€"), QString::fromUcs4(U"\U00020BB7"), QString::fromUcs4(U"😀"), QStringLiteral("\u3447")})
        EXPECT_FALSE(TXLSWriter::fitsCodePage(Codec::encode(QString(QStringLiteral("张") + text))))
            << text.toStdString();

    const QString wide = QStringLiteral("𠮷田 😀 €5");
    DataTable table({QStringLiteral("序号"), QStringLiteral("名称"), QStringLiteral("备注")},
        {QStringLiteral("陈小姐,") + wide, QStringLiteral(",") + QString(300, u'长')});
    TempDir dir;
    const QByteArray file = exported(dir, table, 1, 2);
    const QList<Record> all = records(file);
    ASSERT_EQ(all.size(), 3 + 9 + 1);
    EXPECT_EQ(all.at(0).type, 0x0809);
    EXPECT_EQ(word(all.at(0).data, 0), 0x0600); // the Excel 97 layout
    EXPECT_EQ(all.at(1).type, 0x0042);
    EXPECT_EQ(word(all.at(1).data, 0), 1200); // UTF-16
    EXPECT_EQ(all.at(2).type, 0x0200);
    QStringList texts;
    for (const Record &r : all.mid(3, 9)) {
        EXPECT_EQ(r.type, 0x0204);
        const int count = word(r.data, 6);
        EXPECT_EQ(quint8(r.data.at(8)), 1);
        ASSERT_EQ(r.data.size(), 9 + 2 * count);
        QString text;
        for (int i = 0; i < count; ++i)
            text.append(QChar(word(r.data, 9 + 2 * i)));
        texts.append(text);
    }
    EXPECT_EQ(texts.mid(0, 5), QStringList({"序号", "名称", "备注", "1", "2"}));
    EXPECT_EQ(texts.at(5), QStringLiteral("陈小姐"));
    EXPECT_EQ(texts.at(7), wide);
    EXPECT_EQ(texts.at(8), QString(255, u'长'));

    // Only what is written counts: a field past the header's columns does
    // not change the layout.
    const DataTable longer({QStringLiteral("序号"), QStringLiteral("名称")}, {QStringLiteral("陈小姐,") + wide});
    EXPECT_EQ(records(exported(dir, longer, 1, 1)).at(0).data.left(2), QByteArray(2, '\0'));
}
