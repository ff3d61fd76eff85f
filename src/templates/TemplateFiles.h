#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The files of the template list's management commands, without the
// window: a template N of any kind is N.SET and N.INI in the template
// folder, and for an express template the background picture its settings
// name (N.JPG by default). File errors throw IoError.
namespace TemplateFiles {

// The characters a template name typed in the manager may not hold: it is the
// stem of its files (Paths::forbiddenCharacters) and, typed, has no blanks or
// dots.
QString forbiddenCharacters();

// The name rules of add, copy and rename: a file-name stem
// (Paths::isFileStem, the rule every name gets, also one read from a file)
// without blanks or dots, and no template of any kind already so named
// (the three kinds share one folder and one log name, so that a delivery
// and an inbound template of one name would overwrite each other's files).
// Rename passes the template's `current` name, which the new one must differ from.
bool acceptableName(const QString &name, const QStringList &everyTemplate, const QString &current = QString());

// The names of every kind's list.
QStringList everyTemplate(const Paths &paths);
// The kind whose list holds `name`; -1 for none.
int kindOf(const Paths &paths, const QString &name);

// Rename: N.SET then N.INI take the new stem, a stray file of the new
// name giving way; the picture keeps its name.
void rename(const Paths &paths, const QString &from, const QString &to);

// Delete: N.SET and N.INI; for an express template its picture too, but
// only when no other express template's settings name that picture (a
// copy still shows it as its background).
void remove(const Paths &paths, const QString &name, int kind);

// Export to `target` (its stem gets ".SET", ".INI" and, with an existing
// `picture`, ".JPG"). False when the template has no files yet.
bool exportTo(const Paths &paths, const QString &name, const QString &picture, const QString &target);

// Import of `chosen` (a .SET file) and its companion .INI as a template of
// `kind` named after the file. An express template's picture is the one its
// settings name, looked for beside the chosen file, else the chosen stem's
// ".JPG" copied to NAME.JPG. Only the last component of a picture name is
// used, for the source and for the target (and the imported settings name
// it so), so that a name such as "../../x.jpg" reads and writes nowhere but
// beside the files.
enum class Import { Done, Incomplete };
Import importFrom(const Paths &paths, const QString &chosen, int kind);
// The template name an imported file gives.
QString importedName(const QString &chosen);
// Why an import of `chosen` as a template of `kind` is refused: its name is
// no file-name stem (Paths::isFileStem) or belongs to a template of another
// kind. Empty when it may go on.
QString importRefusal(const Paths &paths, const QString &chosen, int kind);

} // namespace TemplateFiles
} // namespace Slipdesk
