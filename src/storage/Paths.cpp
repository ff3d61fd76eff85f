#include "Paths.h"

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
    return templateDir() + templateName + QStringLiteral(".INI");
}

QString Paths::templateSet(const QString &templateName) const
{
    return templateDir() + templateName + QStringLiteral(".SET");
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
