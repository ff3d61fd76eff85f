#pragma once

#include <QByteArray>
#include <QString>

// Byte-level file access shared by the text tables and the INI files. Every
// failure throws Slipdesk::IoError with a message that names the file.
namespace Slipdesk::FileIo {

// The whole file. Throws when it exists but cannot be read.
QByteArray read(const QString &path);
// Creates the file's folder when missing, then replaces the file with `bytes`
// atomically: a reader (or a crash) sees the old file or the new, never a mix.
void writeAtomic(const QString &path, const QByteArray &bytes);
// Creates the file's folder and the file when missing, then adds `line` (which
// ends in a line break) at its end with one write call. When the file does not
// end in a line break (a row cut off by a crash, or a file edited by hand) the
// line starts on a new line instead of being glued to that last one.
void appendLine(const QString &path, const QByteArray &line);

// Deletes the file; a missing file is no error.
void remove(const QString &path);

} // namespace Slipdesk::FileIo
