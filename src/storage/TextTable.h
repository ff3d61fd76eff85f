#pragma once

#include "FileIo.h"

#include <QString>
#include <QStringList>

// Text tables: one record per CR LF line, fields joined by "," with no
// quoting. Paths given here are absolute (see Paths for the folder layout).
// File-system failures throw Slipdesk::IoError.
namespace Slipdesk::TextTable {

// Field `index` (0-based) of `row`, empty when the row has fewer fields.
QString field(QStringView row, int index, QChar separator = u',');
// Commas (or `separator`) after trimming blanks and control characters, plus
// one; an empty row has 0 fields.
int fieldCount(QStringView row, QStringView separator = u",");
// Returns `row` with field `index` replaced, padding with empty fields.
QString setField(QStringView row, int index, QStringView value, QChar separator = u',');

QString cleanValue(QString value); // every "," removed
QString cleanRow(QString row); // every blank removed

// The file's lines, or `defaultText` split into lines when the file is missing
// (the file is not created then).
QStringList load(const QString &path, const QString &defaultText = QString());
// Creates or atomically replaces the file with `rows`, each ended by CR LF.
void save(const QString &path, const QStringList &rows);
// Appends `row` + CR LF, whole or not at all (FileIo::appendLine); an empty
// row does nothing at all. A file that does not end in a line break gets the
// row on a new line. Sync::Now returns only once the row is on the disk.
void appendRow(const QString &path, const QString &row, FileIo::Sync sync = FileIo::Sync::Later);
// Appends every row of `rows` (empty ones left out): all of them or none.
void appendRows(const QString &path, const QStringList &rows, FileIo::Sync sync = FileIo::Sync::Later);

// One-column lists: the lines, each followed by CR LF, as one text.
QString loadList(const QString &path);
// Writes `text` exactly (atomically) when it is non-empty; otherwise nothing.
void writeList(const QString &path, const QString &text);

// The comma-text rule used when a row goes into a grid or back.
QStringList splitCommaText(QStringView text);
QString joinCommaText(const QStringList &values);

} // namespace Slipdesk::TextTable
