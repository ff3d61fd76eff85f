#include "ProgramLocation.h"

#include <QCoreApplication>
#include <QDir>
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
    QString named = optionValue(arguments, QStringLiteral("--data"));
    if (named.isEmpty())
        named = environmentData;
    if (!named.isEmpty()) {
        QDir().mkpath(named);
        location.dataRoot = withSlash(named);
        location.namedByUser = true;
    } else if (writableFolder(location.exeDir)) {
        location.dataRoot = location.exeDir;
    } else {
        QDir().mkpath(userDataDir);
        location.dataRoot = withSlash(userDataDir);
    }
    return location;
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
