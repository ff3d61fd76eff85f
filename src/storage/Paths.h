#pragma once

#include <QString>

namespace Slipdesk {

// The program folder and everything addressed relative to it. The root always
// ends in "/"; relative names may use "\" as stored files do. Making a Paths
// makes its root a data folder for the storage layer's link rule (FileIo).
class Paths
{
public:
    Paths() = default;
    explicit Paths(const QString &root);

    QString root() const { return m_root; }
    QString file(const QString &relative) const;

    QString templateDir() const; // "用户信函模版/"
    QString logDir() const; // "打印记录/"
    QString batchDir() const; // "批打数据/"
    QString programIni() const; // "SlipdeskPosts.INI"
    // The files of a template. A name that is no plain file-name stem
    // (isFileStem) throws IoError: a name read from a damaged or planted
    // list ("../../x") never becomes a path.
    QString templateIni(const QString &templateName) const;
    QString templateSet(const QString &templateName) const;
    // The folder lock's file (".slipdesk.lock"): no table, never copied or
    // exported; its text only names the program holding the folder.
    static QString lockFileName();
    QString lockFile() const;

    // The rule for a name that becomes the stem of data files (a template
    // name, which also names its logs and queues), however it came (typed,
    // imported, read from the settings, given on the command line): not
    // empty once trimmed, not starting with ".", none of
    // forbiddenCharacters() and no control characters. Such a name is one
    // file name in its folder and one field of a log row. (Names typed in the
    // template manager must also do without blanks and dots; imported ones
    // have always kept theirs.)
    static bool isFileStem(const QString &name);
    static QString forbiddenCharacters(); // "\\/:*?<>|,"
    // `name` when isFileStem(name) or empty (no template chosen), else
    // throws IoError naming it.
    static QString checkedStem(const QString &name);

    // Creates the three data folders where missing; failures are ignored.
    void createDataFolders() const;

private:
    QString m_root;
};

} // namespace Slipdesk
