#include "TemplateFiles.h"

#include "storage/FileIo.h"
#include "storage/IniFile.h"
#include "storage/IoError.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Slipdesk::TemplateFiles {

namespace {

// Copies `from` over `to`. A file copied onto itself (an export into the
// template folder, an import from it) stays as it is: replacing it would
// first delete the only copy.
void copyReplacing(const QString &from, const QString &to)
{
    const QString source = QFileInfo(from).canonicalFilePath();
    if (!source.isEmpty() && source == QFileInfo(to).canonicalFilePath())
        return;
    // Atomic, so that a full disk never leaves a cut template file.
    FileIo::copy(from, to);
}

QString stemOf(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + u'/' + info.completeBaseName();
}

// A picture name as settings hold it, reduced to a plain file name.
QString lastComponent(const QString &name)
{
    QString plain = name;
    plain.replace(u'\\', u'/');
    return plain.section(u'/', -1);
}

} // namespace

QString forbiddenCharacters()
{
    return Paths::forbiddenCharacters() + QStringLiteral(". ");
}

bool acceptableName(const QString &name, const QStringList &everyTemplate, const QString &current)
{
    if (!Paths::isFileStem(name))
        return false;
    for (const QChar c : forbiddenCharacters())
        if (name.contains(c))
            return false;
    if (!current.isNull() && name == current)
        return false;
    return !everyTemplate.contains(name);
}

QStringList everyTemplate(const Paths &paths)
{
    const ProgramSettings settings(paths);
    QStringList names;
    for (int kind = 0; kind < TemplateList::KindCount; ++kind)
        names += TemplateList::peek(settings, kind);
    return names;
}

int kindOf(const Paths &paths, const QString &name)
{
    const ProgramSettings settings(paths);
    for (int kind = 0; kind < TemplateList::KindCount; ++kind)
        if (TemplateList::peek(settings, kind).contains(name))
            return kind;
    return -1;
}

void rename(const Paths &paths, const QString &from, const QString &to)
{
    for (const auto &[oldPath, newPath] : {std::pair {paths.templateSet(from), paths.templateSet(to)},
             std::pair {paths.templateIni(from), paths.templateIni(to)}}) {
        if (!QFileInfo::exists(oldPath))
            continue;
        FileIo::remove(newPath);
        if (!QFile::rename(oldPath, newPath))
            throw IoError(QStringLiteral("无法更改文件名：") + oldPath);
    }
}

void remove(const Paths &paths, const QString &name, int kind)
{
    // What picture the settings name is read before they go.
    QString picture;
    if (kind == ItemTable::Express)
        picture = lastComponent(TemplateSettings(paths, name).backgroundPicture());
    FileIo::remove(paths.templateSet(name));
    FileIo::remove(paths.templateIni(name));
    if (kind != ItemTable::Express || picture.isEmpty())
        return;
    for (const QString &other : TemplateList::peek(ProgramSettings(paths), ItemTable::Express)) {
        if (other == name)
            continue;
        if (lastComponent(TemplateSettings(paths, other).backgroundPicture()).compare(picture, Qt::CaseInsensitive)
            == 0)
            return;
    }
    FileIo::remove(paths.templateDir() + picture);
}

bool exportTo(const Paths &paths, const QString &name, const QString &picture, const QString &target)
{
    const QString set = paths.templateSet(name);
    const QString ini = paths.templateIni(name);
    if (!QFileInfo::exists(set) || !QFileInfo::exists(ini))
        return false;
    const QString stem = stemOf(target);
    copyReplacing(set, stem + QStringLiteral(".SET"));
    copyReplacing(ini, stem + QStringLiteral(".INI"));
    if (!picture.isEmpty() && QFileInfo(picture).isFile())
        copyReplacing(picture, stem + QStringLiteral(".JPG"));
    return true;
}

QString importedName(const QString &chosen)
{
    return QFileInfo(chosen).completeBaseName();
}

QString importRefusal(const Paths &paths, const QString &chosen, int kind)
{
    if (!Paths::isFileStem(importedName(chosen)))
        return QStringLiteral("“") + importedName(chosen)
            + QStringLiteral(
                "”不能用作模版名称（不能以 . 开头，不能含有 \\ / : * ? < > | ,）。\r\n请先更改要导入的文件名称。");
    const int owner = kindOf(paths, importedName(chosen));
    if (owner < 0 || owner == kind)
        return QString();
    return QStringLiteral("“") + importedName(chosen)
        + QStringLiteral("”已经是另一种模版的名称，同名的模版会互相覆盖文件。\r\n请先更改要导入的文件名称。");
}

Import importFrom(const Paths &paths, const QString &chosen, int kind)
{
    const QString companion = stemOf(chosen) + QStringLiteral(".INI");
    if (!QFileInfo(chosen).isFile() || !QFileInfo(companion).isFile())
        return Import::Incomplete;
    const QString name = importedName(chosen);
    copyReplacing(chosen, paths.templateSet(name));
    copyReplacing(companion, paths.templateIni(name));
    if (kind != ItemTable::Express)
        return Import::Done;
    IniFile settings(paths.templateIni(name));
    const QString named = settings.readString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径"));
    const QString picture = lastComponent(named);
    if (picture != named)
        settings.writeString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径"), picture);
    const QString beside = QFileInfo(chosen).path() + u'/' + picture;
    if (!picture.isEmpty() && QFileInfo(beside).isFile()) {
        copyReplacing(beside, paths.templateDir() + picture);
    } else if (const QString jpg = stemOf(chosen) + QStringLiteral(".JPG"); QFileInfo(jpg).isFile()) {
        copyReplacing(jpg, paths.templateDir() + name + QStringLiteral(".JPG"));
    }
    return Import::Done;
}

} // namespace Slipdesk::TemplateFiles
