#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace Slipdesk {

SingleInstance::SingleInstance(const QString &name, const QString &lockDir)
{
    QString dir = lockDir;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance() = default; // QLockFile removes its file when destroyed

SingleInstance::Result SingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked())
        return Result::Acquired;

    m_lock = std::make_unique<QLockFile>(m_path);
    // The lock is held for the whole run, so age never makes it stale; only a
    // lock whose owning process is gone (a crash) is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Result::Acquired;

    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        // A lock file without a readable owner (a crash while it was being
        // written) would otherwise keep the program from ever starting again.
        // Removing it is safe: a live owner holds an OS lock on the file and
        // the removal then fails.
        // (If the owner has just exited and its file is gone, the retry
        // simply succeeds.)
        if (!m_lock->getLockInfo(nullptr, nullptr, nullptr)) {
            m_lock->removeStaleLockFile();
            if (m_lock->tryLock(0))
                return Result::Acquired;
        }
        return m_lock->error() == QLockFile::LockFailedError ? Result::AlreadyRunning : Result::Failed;
    case QLockFile::NoError:
        return Result::Acquired;
    case QLockFile::PermissionError:
    case QLockFile::UnknownError:
        break;
    }
    return Result::Failed;
}

void SingleInstance::release()
{
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

} // namespace Slipdesk
