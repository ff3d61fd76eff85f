#pragma once

#include "storage/TemplateSettings.h"

#include <QList>
#include <QSizeF>
#include <QString>

namespace Slipdesk {

// What a print job needs from a template's printer settings: which printer,
// which orientation and which paper. Paper numbers are the Windows paper
// numbers (DMPAPER_*) the template files and the other-paper list use.
struct PrinterSetup
{
    enum class Orientation { Portrait, Landscape };

    static constexpr int PaperA4 = 9;
    static constexpr int PaperA3 = 8;
    static constexpr int PaperUnchanged = 0;

    QString printer; // empty or not installed: the default printer
    Orientation orientation = Orientation::Portrait;
    int paperNumber = PaperA4; // PaperUnchanged leaves the printer's paper alone
    // For "其他": the name part of the list entry, so that a printer offering
    // several custom papers under one number still gets the chosen one.
    QString paperName;
    // A label paper ("纸张尺寸" 默认 with a "标签纸张"): its size in
    // millimetres, upright; it takes the place of the paper number on every
    // printer. Empty when the template prints on a numbered paper.
    QSizeF labelSizeMm;

    // From the template's "打印设备" keys: "进纸方向" 0 "横向进纸" = portrait,
    // 1 "纵向进纸" = landscape; "纸张尺寸" 0 A4, 1 A3, 2 默认, 3 其他.
    static PrinterSetup fromDevice(const TemplateSettings::PrintDevice &device);
    static PrinterSetup fromSettings(const TemplateSettings &settings);

    // The paper number of a "纸张尺寸" choice with its other-paper entry.
    static int paperNumberFor(int paperSize, const QString &otherPaper);
    // "256-Custom" -> 256: the number before the first "-"; 9 (A4) when there
    // is none or it is not a positive number.
    static int otherPaperNumber(const QString &entry);
    // "256-Custom" -> "Custom".
    static QString otherPaperName(const QString &entry);
    // One entry of the other-paper list: number, "-", name (name cut to 64
    // characters).
    static QString paperEntry(int number, const QString &name);
    static constexpr int MaxPaperEntries = 256;

    // The common electronic-waybill label sizes the template tab offers:
    // 100 × 150, 100 × 180 and 76 × 130 mm.
    struct LabelPreset
    {
        QString key; // as stored: "100x150"
        QString caption; // as shown: "100×150毫米"
        QSizeF sizeMm;
    };
    static const QList<LabelPreset> &labelPresets();
    // A stored label paper, "WxH" in millimetres ("100x150", also with "×"
    // or "*"), each side 10 to 1000 mm; empty for anything else.
    static QSizeF labelSize(const QString &key);
    static QString labelKey(const QSizeF &sizeMm); // "100x150"
    static QString labelCaption(const QSizeF &sizeMm); // "100×150毫米"
};

} // namespace Slipdesk
