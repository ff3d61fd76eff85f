#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

// Where the program keeps its files. Normally the folder of the executable; a
// folder named with --data (or SLIPDESK_DATA) takes its place, and a read-only
// executable folder falls back to the user's data folder.
struct ProgramLocation
{
    QString dataRoot; // absolute, trailing "/"
    QString exeDir; // absolute, trailing "/"
    bool namedByUser = false;

    // `arguments` as QCoreApplication::arguments(); `environmentData` the value
    // of SLIPDESK_DATA; `userDataDir` the XDG fallback.
    static ProgramLocation resolve(const QStringList &arguments, const QString &exeDir, const QString &environmentData,
        const QString &userDataDir);
    static ProgramLocation fromApplication(); // uses the running application

    // True when `folder` lies inside the system temporary folder: the program
    // was started from an archive viewer's unpack folder.
    static bool insideTemporaryFolder(const QString &folder, const QString &tempFolder);
};

// The value that follows `option` ("--data DIR" or "--data=DIR"), empty if absent.
QString optionValue(const QStringList &arguments, const QString &option);

} // namespace Slipdesk
