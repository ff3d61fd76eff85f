#include "FolderLock.h"

#include "platform/MessageService.h"
#include "storage/Codec.h"
#include "storage/Paths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

namespace Slipdesk {

namespace {

constexpr int kDefaultWaitMs = 5000;
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether the process named by a holder on this machine still runs: a text
// left by a crashed holder must not name it while the lock's new holder has
// not written its own text yet.
bool mayBeAlive(const FolderLock::Holder &holder)
{
    if (holder.host != QSysInfo::machineHostName() || holder.pid <= 0)
        return true;
    return ::kill(pid_t(holder.pid), 0) == 0 || errno == EPERM;
}

} // namespace

FolderLock::FolderLock(const QString &folder)
    : m_path(Paths(folder).lockFile())
{
}

FolderLock::~FolderLock()
{
    release();
}

int FolderLock::defaultWaitMs()
{
    bool ok = false;
    const double seconds = qEnvironmentVariable("SLIPDESK_LOCK_WAIT").toDouble(&ok);
    if (!ok || seconds < 0 || seconds > 24 * 3600)
        return kDefaultWaitMs;
    return int(seconds * 1000);
}

FolderLock::Result FolderLock::acquire(const QString &program, int waitMs)
{
    if (held())
        return Result::Acquired;
    m_holder.reset();
    m_error.clear();
    const QByteArray path = QFile::encodeName(m_path);
    // Close-on-exec: a program the holder starts (LibreOffice for an export)
    // must not keep the folder locked after the holder ended.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); // another user's lock file: it still locks
    if (fd < 0) {
        m_error = systemError(errno);
        return Result::Unlockable;
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK) {
            ::close(fd);
            m_error = systemError(error);
            return Result::Unlockable;
        }
        const qint64 left = waitMs - waited.elapsed();
        if (left <= 0) {
            ::close(fd);
            readHolder();
            return Result::Busy;
        }
        // Polled, with a little jitter, so that writers started together do
        // not keep trying in step.
        QThread::msleep(ulong(std::min<qint64>(left, QRandomGenerator::global()->bounded(15, 45))));
    }
    m_fd = fd;

    Holder me;
    me.program = program;
    me.pid = QCoreApplication::applicationPid();
    me.host = QSysInfo::machineHostName();
    me.started = QDateTime::currentDateTime();
    // Rewritten in place, never replaced: the lock is this very file, and a
    // file renamed over it would be a second, free lock. The text is only
    // informative, so a failed write (a read-only lock file) is of no harm.
    const QByteArray text = holderText(me);
    [[maybe_unused]] const bool written
        = ::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, text.constData(), size_t(text.size()), 0) == text.size();
    return Result::Acquired;
}

void FolderLock::release()
{
    if (m_fd < 0)
        return;
    // An empty file tells a reader that nobody holds the folder.
    [[maybe_unused]] const int cleared = ::ftruncate(m_fd, 0);
    ::close(m_fd); // drops the lock
    m_fd = -1;
}

bool FolderLock::acquireOrTell(const QString &program, MessageService &messages, int waitMs)
{
    if (acquire(program, waitMs) != Result::Busy)
        return true;
    messages.warn(busyMessage());
    return false;
}

QString FolderLock::busyMessage() const
{
    if (!m_holder)
        return QStringLiteral("数据文件夹正被另一个程序使用，请稍后再试。");
    QStringList about {QStringLiteral("进程 %1").arg(m_holder->pid)};
    if (!m_holder->host.isEmpty() && m_holder->host != QSysInfo::machineHostName())
        about.append(QStringLiteral("主机 ") + m_holder->host);
    if (m_holder->started.isValid())
        about.append(QStringLiteral("始于 ") + m_holder->started.toString(kTimeFormat));
    return QStringLiteral("数据文件夹正被另一个程序使用：") + m_holder->program + QStringLiteral("（")
        + about.join(QStringLiteral("，")) + QStringLiteral("），请稍后再试。");
}

QByteArray FolderLock::holderText(const Holder &holder)
{
    const QString text = QStringLiteral("program=%1\npid=%2\nhost=%3\nstarted=%4\n")
                             .arg(holder.program)
                             .arg(holder.pid)
                             .arg(holder.host, holder.started.toString(kTimeFormat));
    return Codec::encode(text);
}

std::optional<FolderLock::Holder> FolderLock::parseHolder(const QByteArray &text)
{
    Holder holder;
    for (const QString &line : Codec::decode(text).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"program")
            holder.program = value;
        else if (key == u"pid")
            holder.pid = value.toLongLong();
        else if (key == u"host")
            holder.host = value;
        else if (key == u"started")
            holder.started = QDateTime::fromString(value, kTimeFormat);
    }
    if (holder.program.isEmpty() || holder.pid <= 0)
        return std::nullopt;
    return holder;
}

void FolderLock::readHolder()
{
    // The holder writes its text right after taking the lock: an empty text,
    // or that of a holder gone, is read again for a moment.
    for (int attempt = 0; attempt < 5; ++attempt) {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly))
            m_holder = parseHolder(file.read(4096));
        if (m_holder && mayBeAlive(*m_holder))
            return;
        QThread::msleep(20);
    }
    m_holder.reset();
}

} // namespace Slipdesk
