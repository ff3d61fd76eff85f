#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace Slipdesk {

// One running program per user: a lock named after the mutex name. A lock left
// behind by a crashed instance is recognised as stale and taken over.
class SingleInstance
{
public:
    enum class Result { Acquired, AlreadyRunning, Failed };

    explicit SingleInstance(const QString &name = QStringLiteral("SlipdeskPosts"),
        const QString &lockDir = QString()); // empty: the runtime folder
    ~SingleInstance();

    Result acquire();
    void release();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace Slipdesk
