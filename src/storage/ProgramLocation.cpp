#include "ProgramLocation.h"

#include "FileIo.h"
#include "IoError.h"
#include "storage/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Slipdesk {

namespace {

QString withSlash(const QString &path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

bool writableFolder(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

// The folder lock's file alone does not make a folder the user's: it stays
// behind every program that wrote there, also when the user emptied it.
bool emptyFolder(const QString &dir)
{
    const QStringList entries
        = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return entries.isEmpty() || entries == QStringList {Paths::lockFileName()};
}

// Copies every file below `from` to the same place below `to`, each whole or
// not at all. The copies are new files of the user's (the installed
// originals are read-only); a copy that fails is left out, as the start
// goes on with built-in defaults.
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        if (it.fileName() == Paths::lockFileName())
            continue; // the lock of whoever used that folder, never a data file
        const QString target = to + QDir(from).relativeFilePath(source);
        if (QFileInfo::exists(target))
            continue;
        try {
            FileIo::copy(source, target);
        } catch (const IoError &) {
        }
    }
}

} // namespace

QString optionValue(const QStringList &arguments, const QString &option)
{
    const QString prefix = option + QLatin1Char('=');
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == option && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (arguments.at(i).startsWith(prefix))
            return arguments.at(i).mid(prefix.size());
    }
    return QString();
}

ProgramLocation ProgramLocation::resolve(
    const QStringList &arguments, const QString &exeDir, const QString &environmentData, const QString &userDataDir)
{
    ProgramLocation location;
    location.exeDir = withSlash(exeDir);
    location.shareDir = installedShareDir(location.exeDir);
    const bool installed = !location.shareDir.isEmpty();
    QString named = optionValue(arguments, QStringLiteral("--data"));
    if (named.isEmpty())
        named = environmentData;
    if (!named.isEmpty()) {
        QDir().mkpath(named);
        location.dataRoot = withSlash(named);
        location.namedByUser = true;
    } else if (!installed && writableFolder(location.exeDir)) {
        location.dataRoot = location.exeDir;
    } else {
        QDir().mkpath(userDataDir);
        location.dataRoot = withSlash(userDataDir);
    }
    // A data folder that already holds anything is the user's: never touched.
    if (installed && location.dataRoot != location.shareDir && emptyFolder(location.dataRoot))
        copyTree(location.shareDir, location.dataRoot);
    return location;
}

QString ProgramLocation::installedShareDir(const QString &exeDir)
{
    const QDir bin(QDir::cleanPath(QDir(exeDir).absolutePath()));
    if (bin.dirName() != QLatin1String("bin"))
        return QString();
    const QString share = bin.absoluteFilePath(QStringLiteral("../share/slipdesk"));
    return QFileInfo(share).isDir() ? withSlash(share) : QString();
}

ProgramLocation ProgramLocation::fromApplication()
{
    return resolve(QCoreApplication::arguments(), QCoreApplication::applicationDirPath(),
        qEnvironmentVariable("SLIPDESK_DATA"),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/slipdesk"));
}

bool ProgramLocation::insideTemporaryFolder(const QString &folder, const QString &tempFolder)
{
    if (tempFolder.isEmpty())
        return false;
    const QString temp = withSlash(tempFolder);
    return withSlash(folder).startsWith(temp, Qt::CaseInsensitive);
}

} // namespace Slipdesk
