#include "TempDir.h"

#include "storage/Codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir()
    : m_dir(QDir::tempPath() + QStringLiteral("/slipdesk-test-XXXXXX"))
{
}

QString TempDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDir::file(const QString &relative) const
{
    return path() + relative;
}

void TempDir::write(const QString &relative, const QByteArray &bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempDir::read(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempDir::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempDir::writeLines(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(Slipdesk::Codec::encode(QString(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
}
