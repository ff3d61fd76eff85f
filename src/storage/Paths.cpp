#include "Paths.h"

#include "FileIo.h"
#include "IoError.h"

#include <QDir>

namespace Slipdesk {

namespace {

QString withSlashes(QString path)
{
    return path.replace(u'\\', u'/');
}

} // namespace

Paths::Paths(const QString &root)
    : m_root(withSlashes(root))
{
    if (!m_root.isEmpty() && !m_root.endsWith(u'/'))
        m_root += u'/';
    FileIo::registerDataFolder(m_root);
}

QString Paths::file(const QString &relative) const
{
    return m_root + withSlashes(relative);
}

QString Paths::templateDir() const
{
    return m_root + QStringLiteral("用户信函模版/");
}

QString Paths::logDir() const
{
    return m_root + QStringLiteral("打印记录/");
}

QString Paths::batchDir() const
{
    return m_root + QStringLiteral("批打数据/");
}

QString Paths::programIni() const
{
    return m_root + QStringLiteral("SlipdeskPosts.INI");
}

QString Paths::templateIni(const QString &templateName) const
{
    return templateDir() + checkedStem(templateName) + QStringLiteral(".INI");
}

QString Paths::templateSet(const QString &templateName) const
{
    return templateDir() + checkedStem(templateName) + QStringLiteral(".SET");
}

QString Paths::forbiddenCharacters()
{
    return QStringLiteral("\\/:*?<>|,");
}

bool Paths::isFileStem(const QString &name)
{
    if (name.trimmed().isEmpty() || name.startsWith(u'.'))
        return false;
    static const QString forbidden = forbiddenCharacters();
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            return false;
    return true;
}

QString Paths::checkedStem(const QString &name)
{
    // No template chosen yet: the empty name leads nowhere but the folder's
    // own ".INI", as it always did.
    if (!name.isEmpty() && !isFileStem(name))
        throw IoError(QStringLiteral("模版名称“%1”不能用作文件名（不能为空，不能以 . 开头，不能含有 %2）")
                          .arg(name, QStringLiteral("\\ / : * ? < > | ,")));
    return name;
}

QString Paths::lockFileName()
{
    return QStringLiteral(".slipdesk.lock");
}

QString Paths::lockFile() const
{
    return m_root + lockFileName();
}

void Paths::createDataFolders() const
{
    for (const QString &folder : {templateDir(), logDir(), batchDir()})
        QDir().mkpath(folder);
}

} // namespace Slipdesk
