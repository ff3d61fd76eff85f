#include "XlsxExport.h"

#include "datawin/DataTable.h"
#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace Slipdesk::XlsxExport {

namespace {

struct WorkbookCloser
{
    void operator()(lxw_workbook *book) const
    {
        if (book)
            workbook_close(book);
    }
};

IoError writeError(const QString &fileName, const QString &why)
{
    return IoError(QStringLiteral("无法写入文件：") + fileName + QStringLiteral("（") + why + QStringLiteral("）"));
}

// The cells of one stored row, cut at the separator without copying.
template<typename Each> void forEachCell(QStringView raw, int columns, Each each)
{
    qsizetype at = 0;
    for (int c = 1; c < columns; ++c) {
        QStringView cell;
        if (at <= raw.size()) {
            const qsizetype next = raw.indexOf(DataTable::separator(), at);
            const qsizetype end = next < 0 ? raw.size() : next;
            cell = raw.sliced(at, end - at);
            at = end + 1;
        }
        each(c, cell);
    }
}

} // namespace

double fittedWidth(QStringView text)
{
    double width = 0;
    for (const QChar ch : text)
        width += ch.unicode() < 0x80 ? 1.0 : (ch.isLowSurrogate() ? 0.0 : 2.0);
    return width;
}

void writeGrid(const DataTable &table, const QString &fileName, int first, int last, const QList<int> &textColumns,
    const Progress &progress)
{
    const int columns = table.columnCount();
    first = std::max(first, 1);
    const int rows = std::clamp(last - first + 1, 0, rowLimit);

    // The fit needs the widest text of each column before the sheet streams
    // out; one pass over the stored rows finds it.
    QList<double> widths(columns, 0.0);
    for (int c = 1; c < columns; ++c)
        widths[c] = fittedWidth(table.header().at(c));
    for (int k = 0; k < rows; ++k) {
        forEachCell(table.rawRow(first - 1 + k), columns,
            [&](int c, QStringView cell) { widths[c] = std::max(widths[c], fittedWidth(cell)); });
    }

    // The workbook is written into a hidden part beside the file (named so
    // that the next export removes it when this one is killed) and renamed
    // over the old workbook only when complete: a kill or a full disk leaves
    // the old workbook as it was.
    FileIo::AtomicFile part(fileName, FileIo::AtomicFile::Mode::Replace, FileIo::Folder::MustExist);
    const QByteArray partPath = QFile::encodeName(part.partPath());
    // Constant memory: each row goes to the sheet's temporary file (an
    // unnamed one, gone whatever happens) as soon as the next one starts.
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new_opt(partPath.constData(), &options));
    const auto fail = [&](const QString &why) {
        book.reset();
        return writeError(fileName, why);
    };
    if (!book)
        throw fail(QStringLiteral("无法创建工作簿"));
    lxw_worksheet *sheet = workbook_add_worksheet(book.get(), nullptr);
    if (!sheet)
        throw fail(QStringLiteral("无法创建工作表"));
    lxw_format *text = workbook_add_format(book.get());
    format_set_num_format(text, "@");

    for (int c = 1; c < columns; ++c) {
        const double width = std::min(255.0, widths[c] + 1.0);
        const bool asText = textColumns.contains(c);
        worksheet_set_column(sheet, lxw_col_t(c - 1), lxw_col_t(c - 1), width, asText ? text : nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    lxw_error error = LXW_NO_ERROR;
    for (int c = 1; c < columns && error == LXW_NO_ERROR; ++c) {
        const QByteArray name = table.header().at(c).toUtf8();
        if (!name.isEmpty())
            error = worksheet_write_string(sheet, 0, lxw_col_t(c - 1), name.constData(), nullptr);
    }
    // Each row is converted once, whole; its separators (one byte in UTF-8
    // too) become the ends of the cells' texts, which the library reads in
    // place.
    const char separator = char(DataTable::separator().unicode());
    QByteArray utf8;
    for (int k = 0; k < rows && error == LXW_NO_ERROR; ++k) {
        utf8 = table.rawRow(first - 1 + k).toUtf8();
        char *cell = utf8.data();
        char *const end = cell + utf8.size();
        for (int c = 1; c < columns && cell <= end; ++c) {
            char *stop = static_cast<char *>(memchr(cell, separator, size_t(end - cell)));
            if (!stop)
                stop = end;
            *stop = '\0';
            if (stop != cell) {
                error = worksheet_write_string(sheet, lxw_row_t(k + 1), lxw_col_t(c - 1), cell, nullptr);
                if (error != LXW_NO_ERROR)
                    break;
            }
            cell = stop + 1;
        }
        if (progress && (k % 1024 == 1023 || k + 1 == rows))
            progress(k + 1, rows);
    }
    if (error != LXW_NO_ERROR)
        throw fail(QString::fromUtf8(lxw_strerror(error)));
    error = workbook_close(book.release());
    if (error != LXW_NO_ERROR)
        throw writeError(fileName, QString::fromUtf8(lxw_strerror(error)));
    part.commit();
}

} // namespace Slipdesk::XlsxExport
