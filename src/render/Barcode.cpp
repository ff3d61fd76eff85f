#include "Barcode.h"

#include <zint.h>

#include <memory>

namespace Slipdesk {

namespace {

struct SymbolDeleter
{
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

// QR error correction level M: about 15 % of the symbol may be lost to a
// smudge or a fold of the label.
constexpr int kQrLevelM = 2;

} // namespace

Barcode::Barcode(Symbology symbology, int columns, int rows, std::vector<bool> modules)
    : m_symbology(symbology)
    , m_columns(columns)
    , m_rows(rows)
    , m_modules(std::move(modules))
{
}

std::optional<Barcode> Barcode::encode(Symbology symbology, const QString &text, QString *error)
{
    const auto fail = [error](const QString &why) -> std::optional<Barcode> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (text.isEmpty())
        return fail(QStringLiteral("没有要编码的内容"));

    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        return fail(QStringLiteral("无法生成条码"));
    symbol->symbology = symbology == Symbology::QrCode ? BARCODE_QRCODE : BARCODE_CODE128;
    // UTF-8 in: Code 128 takes what Latin-1 holds, a QR code marks text
    // beyond it as UTF-8 (ECI 26), which readers give back as it was.
    symbol->input_mode = UNICODE_MODE;
    if (symbology == Symbology::QrCode)
        symbol->option_1 = kQrLevelM;
    // The modules alone, one pixel each: the quiet zones and the drawing
    // are the caller's, at the target's resolution.
    symbol->output_options = BARCODE_NO_QUIET_ZONES;
    symbol->show_hrt = 0;
    symbol->scale = 0.5f;
    const QByteArray utf8 = text.toUtf8();
    const int status = ZBarcode_Encode_and_Buffer(
        symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()), int(utf8.size()), 0);
    if (status >= ZINT_ERROR)
        return fail(QString::fromUtf8(symbol->errtxt));

    const int columns = symbol->width;
    const int rows = symbology == Symbology::QrCode ? symbol->rows : 1;
    if (columns <= 0 || rows <= 0 || !symbol->bitmap || symbol->bitmap_width < columns || symbol->bitmap_height < rows)
        return fail(QStringLiteral("无法生成条码"));
    std::vector<bool> modules(std::size_t(columns) * std::size_t(rows));
    for (int row = 0; row < rows; ++row) {
        const unsigned char *line = symbol->bitmap + std::size_t(row) * std::size_t(symbol->bitmap_width) * 3;
        for (int column = 0; column < columns; ++column)
            modules[std::size_t(row) * std::size_t(columns) + std::size_t(column)] = line[column * 3] < 128;
    }
    return Barcode(symbology, columns, rows, std::move(modules));
}

bool Barcode::dark(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return false;
    return m_modules[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
}

QList<Barcode::Run> Barcode::runs() const
{
    QList<Run> result;
    for (int row = 0; row < m_rows; ++row) {
        int column = 0;
        while (column < m_columns) {
            if (!dark(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_columns && dark(column, row))
                ++column;
            result.append(Run {row, first, column - first});
        }
    }
    return result;
}

} // namespace Slipdesk
