#pragma once

#include <QStringList>

namespace Slipdesk {

class Paths;
class ProgramSettings;

// The three small one-column lists of the trade tabs: unit names, outbound
// remarks and inbound remarks. Each is held as one text, every line followed by
// a line break, loaded once and written back at close.
class SmallLists
{
public:
    enum Which { Units, OutboundRemarks, InboundRemarks, Count };

    static QString fileName(Which which); // "计量单位.txt", "出库备注.Txt", "入库备注.Txt"
    static QString legacyKey(Which which); // old comma-separated key in "Main"
    static QString defaultText(Which which);

    // Reads the file; without it, migrates the old-style settings key (deleting
    // it) or takes the defaults, and writes the file.
    static QString load(const Paths &paths, ProgramSettings &settings, Which which);

    QString text[Count];
    // The entries of a list, one per line, empty lines left out.
    QStringList entries(Which which) const;
    bool loaded() const;
    void loadMissing(const Paths &paths, ProgramSettings &settings);
    void saveAll(const Paths &paths) const;
};

} // namespace Slipdesk
