#include "FileIo.h"

#include "IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Slipdesk::FileIo {

namespace {

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw IoError(QStringLiteral("%1“%2”：%3").arg(what, QDir::toNativeSeparators(path), reason));
}

void ensureFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("无法创建文件夹"), folder, QStringLiteral("权限不足或路径无效"));
}

} // namespace

QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("无法打开文件"), path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("无法读取文件"), path, file.errorString());
    return bytes;
}

void writeAtomic(const QString &path, const QByteArray &bytes)
{
    ensureFolder(path);
    // QSaveFile writes a temporary file beside the target, flushes it to disk
    // and renames it over the target only in commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("无法写入文件"), path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("无法写入文件"), path, file.errorString());
}

void appendLine(const QString &path, const QByteArray &line)
{
    ensureFolder(path);
    // Unbuffered, so that the bytes go to the system in a single write on an
    // O_APPEND descriptor: a killed program leaves the row out or whole (save
    // for the kernel cutting a write that crosses a page boundary when the
    // kill arrives during that very write).
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        fail(QStringLiteral("无法写入文件"), path, file.errorString());
    QByteArray bytes = line;
    const qint64 size = file.size();
    if (size > 0) {
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last))
            fail(QStringLiteral("无法读取文件"), path, file.errorString());
        // A lone CR ends a line too, as the text tables read lines: another
        // break after it would read as an empty row.
        if (last != '\n' && last != '\r')
            bytes.prepend("\r\n");
    }
    if (file.write(bytes) != bytes.size())
        fail(QStringLiteral("无法写入文件"), path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("无法写入文件"), path, file.errorString());
}

void remove(const QString &path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw IoError(QStringLiteral("无法删除文件：") + path);
}

} // namespace Slipdesk::FileIo
