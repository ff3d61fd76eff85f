#pragma once

#include <QString>

namespace Slipdesk {

// The program folder and everything addressed relative to it. The root always
// ends in "/"; relative names may use "\" as stored files do.
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
    QString templateIni(const QString &templateName) const;
    QString templateSet(const QString &templateName) const;
    // The folder lock's file (".slipdesk.lock"): no table, never copied or
    // exported; its text only names the program holding the folder.
    static QString lockFileName();
    QString lockFile() const;

    // Creates the three data folders where missing; failures are ignored.
    void createDataFolders() const;

private:
    QString m_root;
};

} // namespace Slipdesk
