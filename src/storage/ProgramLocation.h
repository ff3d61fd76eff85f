#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

// Where the program keeps its files. Normally the folder of the executable; a
// folder named with --data (or SLIPDESK_DATA) takes its place, and a read-only
// executable folder falls back to the user's data folder. An installed program
// (an executable in a "bin" folder with "../share/slipdesk/" beside it) always
// uses the user's data folder: /usr/bin is shared by every user, and root
// could write into it anyway.
struct ProgramLocation
{
    QString dataRoot; // absolute, trailing "/"
    QString exeDir; // absolute, trailing "/"
    QString shareDir; // the installed "share/slipdesk/", empty when not installed
    bool namedByUser = false;

    // `arguments` as QCoreApplication::arguments(); `environmentData` the value
    // of SLIPDESK_DATA; `userDataDir` the XDG fallback. An installed program
    // fills an empty (or new) data folder with a copy of `shareDir`, so that a
    // first start finds the sample form picture; files already there are kept.
    static ProgramLocation resolve(const QStringList &arguments, const QString &exeDir, const QString &environmentData,
        const QString &userDataDir);
    static ProgramLocation fromApplication(); // uses the running application

    // "share/slipdesk/" beside `exeDir` when `exeDir` is a "bin" folder of an
    // install prefix, else empty.
    static QString installedShareDir(const QString &exeDir);

    // True when `folder` lies inside the system temporary folder: the program
    // was started from an archive viewer's unpack folder.
    static bool insideTemporaryFolder(const QString &folder, const QString &tempFolder);
};

// The value that follows `option` ("--data DIR" or "--data=DIR"), empty if absent.
QString optionValue(const QStringList &arguments, const QString &option);

} // namespace Slipdesk
