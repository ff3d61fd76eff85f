#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace Slipdesk {

// One barcode symbol as its grid of modules (zint encodes it): the bars of a
// Code 128, one row of modules, or the square of a QR code. Drawing it is
// the canvas's business (BarcodeItems), in whole device pixels per module.
class Barcode
{
public:
    enum class Symbology { Code128, QrCode };

    // The symbol for `text`, or nothing (with `error` set, zint's words)
    // when the symbology cannot hold it: Code 128 takes Latin-1 text only,
    // up to 60 symbol characters (60 letters, or 120 digits in pairs); a QR
    // code takes any text (beyond ASCII as UTF-8) up to a few thousand bytes.
    static std::optional<Barcode> encode(Symbology symbology, const QString &text, QString *error = nullptr);

    Symbology symbology() const { return m_symbology; }
    bool linear() const { return m_symbology == Symbology::Code128; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool dark(int column, int row) const;
    // The empty margin a reader needs on each side, in modules: 10 for
    // Code 128 (left and right), 4 for a QR code (all four sides).
    int quietZone() const { return linear() ? 10 : 4; }

    // The dark modules of each row joined into runs, left to right and row
    // by row: what is drawn as one filled rectangle.
    struct Run
    {
        int row;
        int column;
        int length;
    };
    QList<Run> runs() const;

private:
    Barcode(Symbology symbology, int columns, int rows, std::vector<bool> modules);

    Symbology m_symbology;
    int m_columns;
    int m_rows;
    std::vector<bool> m_modules; // row by row
};

} // namespace Slipdesk
