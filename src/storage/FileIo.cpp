#include "FileIo.h"

#include "IoError.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Slipdesk::FileIo {

namespace {

// An append longer than one page of the file is done as a rewrite: the
// kernel may cut a longer write at a page boundary when the program is
// killed during it, which would leave half a row.
constexpr qint64 kPieceBytes = 4096;
// How long a writer waits for another program's write of the same file.
constexpr int kLockWaitMs = 10000;
constexpr int kMaxLinks = 40;

std::atomic<qint64> g_failAfter {-1};
std::atomic<int> g_failError {0};
std::atomic<qint64> g_reads {0};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString shown(const QByteArray &path)
{
    return shown(QFile::decodeName(path));
}

[[noreturn]] void fail(const QString &what, const QString &path, const QString &cause)
{
    throw IoError(QStringLiteral("%1“%2”：%3").arg(what, shown(path), cause));
}

[[noreturn]] void failWrite(const QString &path, const QString &cause)
{
    fail(QStringLiteral("无法写入文件"), path, cause);
}

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / double(1 << 20), 'f', bytes % (1 << 20) == 0 ? 0 : 1)
        + QStringLiteral(" MB");
}

qint64 nanoseconds(const struct timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

Stamp stampOf(const struct stat &st)
{
    return {
        quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

// --- Checked system calls ---------------------------------------------------------------------

// write() with the test failures applied: the write that reaches the mark
// is cut there, as a full disk cuts it.
ssize_t writeSome(int fd, const char *data, size_t size)
{
    qint64 left = g_failAfter.load();
    if (left >= 0) {
        if (left == 0) {
            errno = g_failError.load();
            return -1;
        }
        size = size_t(std::min<qint64>(qint64(size), left));
        g_failAfter -= qint64(size);
    }
    return ::write(fd, data, size);
}

// Every byte, or false with `error` set.
bool writeAll(int fd, const char *data, qint64 size, int *error)
{
    while (size > 0) {
        const ssize_t n = writeSome(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (n == 0) {
            *error = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool syncFile(int fd, int *error)
{
    if (g_failAfter.load() == 0) {
        *error = g_failError.load();
        return false;
    }
    if (::fsync(fd) == 0)
        return true;
    *error = errno;
    return false;
}

// The folder's entry of a file just renamed or created: made durable, so
// that a power loss cannot take the new name back. File systems that cannot
// sync a folder (EINVAL) have nothing to make durable.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// mkdir -p with the cause of a failure.
void makeFolders(const QByteArray &folder, const QString &forFile)
{
    struct stat st;
    if (::stat(folder.constData(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
            failWrite(forFile, QStringLiteral("“%1”不是文件夹").arg(shown(folder)));
        return;
    }
    if (folder.size() > 1)
        makeFolders(folderOf(folder), forFile);
    if (::mkdir(folder.constData(), 0777) != 0 && errno != EEXIST) {
        const int error = errno;
        failWrite(forFile, QStringLiteral("无法创建文件夹“%1”：%2").arg(shown(folder), causeOf(error)));
    }
}

// --- Locks -----------------------------------------------------------------------------------

// Opens `path` and takes its write lock: an flock on the file itself, which
// the kernel drops when the holder dies. A rewrite replaces the file under
// the lock, so a writer that waited checks that it locked the file the
// name now stands for and tries again otherwise. -1 with `error` set.
int openLocked(const QByteArray &path, int flags, int *error)
{
    int waited = 0;
    for (;;) {
        const int fd = ::open(path.constData(), flags | O_CLOEXEC, 0666);
        if (fd < 0) {
            *error = errno;
            return -1;
        }
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                // No locks on this file system: the write goes on without.
                return fd;
            }
            if (waited >= kLockWaitMs) {
                ::close(fd);
                *error = EWOULDBLOCK;
                return -1;
            }
            QThread::msleep(5);
            waited += 5;
        }
        struct stat mine;
        struct stat named;
        if (::fstat(fd, &mine) == 0 && ::stat(path.constData(), &named) == 0 && mine.st_dev == named.st_dev
            && mine.st_ino == named.st_ino)
            return fd;
        ::close(fd);
        if (!(flags & O_CREAT) && ::access(path.constData(), F_OK) != 0) {
            *error = ENOENT;
            return -1;
        }
    }
}

QString lockCause(int error)
{
    return error == EWOULDBLOCK ? QStringLiteral("文件正被另一个程序写入，请稍后再试") : causeOf(error);
}

// --- The data folders and their links -----------------------------------------------------------

QMutex g_rootsMutex;
QSet<QByteArray> g_roots; // absolute, without a trailing "/"

QByteArray absolute(const QString &path)
{
    QByteArray bytes = QFile::encodeName(path);
    if (!bytes.startsWith('/'))
        bytes = QFile::encodeName(QDir::currentPath()) + '/' + bytes;
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    return bytes;
}

// The path with every symbolic link in it followed, as the system follows
// them (a ".." after a link goes up from the link's target); components
// that do not exist are kept as they are.
QByteArray resolveLinks(const QByteArray &path, const QString &forFile)
{
    QList<QByteArray> todo = path.split('/');
    std::reverse(todo.begin(), todo.end());
    QByteArray done;
    int links = 0;
    while (!todo.isEmpty()) {
        const QByteArray part = todo.takeLast();
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            done.truncate(std::max<qsizetype>(0, done.lastIndexOf('/')));
            continue;
        }
        const QByteArray next = done + '/' + part;
        struct stat st;
        if (::lstat(next.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
            if (++links > kMaxLinks)
                failWrite(forFile, causeOf(ELOOP));
            QByteArray target(4096, '\0');
            const ssize_t n = ::readlink(next.constData(), target.data(), size_t(target.size()));
            if (n < 0)
                failWrite(forFile, causeOf(errno));
            target.truncate(n);
            if (target.startsWith('/'))
                done.clear();
            QList<QByteArray> more = target.split('/');
            for (auto it = more.crbegin(); it != more.crend(); ++it)
                todo.append(*it);
            continue;
        }
        done = next;
    }
    return done.isEmpty() ? QByteArray("/") : done;
}

// The data folder `path` lies in, found by the path's own text (before any
// link is followed); empty for a path outside every data folder.
QByteArray dataFolderOf(const QByteArray &path)
{
    QMutexLocker lock(&g_rootsMutex);
    if (g_roots.isEmpty())
        return QByteArray();
    QByteArray folder = path;
    for (;;) {
        const qsizetype slash = folder.lastIndexOf('/');
        if (slash <= 0)
            return g_roots.contains("/") ? QByteArray("/") : QByteArray();
        folder.truncate(slash);
        if (g_roots.contains(folder))
            return folder;
    }
}

// Where a write of `path` really goes. Inside a data folder a link may
// lead anywhere inside it; one that leads out is refused, naming the file
// and where it leads.
QByteArray writeTarget(const QString &path)
{
    const QByteArray given = absolute(path);
    const QByteArray real = resolveLinks(given, path);
    const QByteArray root = dataFolderOf(given);
    if (root.isEmpty())
        return real;
    const QByteArray realRoot = resolveLinks(root, path);
    if (real == realRoot || real.startsWith(realRoot == "/" ? realRoot : realRoot + '/'))
        return real;
    failWrite(path,
        QStringLiteral("它经由链接指向数据文件夹以外的“%1”，程序不会通过链接改写数据文件夹以外的文件")
            .arg(shown(real)));
}

QString readOnlyCause()
{
    return QStringLiteral("文件是只读的（没有写入权限），没有改动");
}

// --- Parts -------------------------------------------------------------------------------------

const QByteArray kPartEnd = ".part";
constexpr int kPartRandom = 8;

bool isPartName(const QByteArray &name)
{
    if (!name.startsWith('.') || !name.endsWith(kPartEnd) || name.size() < 2 + kPartRandom + 1 + kPartEnd.size())
        return false;
    const qsizetype dot = name.size() - kPartEnd.size() - kPartRandom - 1;
    if (name.at(dot) != '.')
        return false;
    for (qsizetype i = dot + 1; i < dot + 1 + kPartRandom; ++i) {
        const char c = name.at(i);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// Removes the parts that killed writers left in `folder`: a part whose
// lock can be taken has no writer any more. Once per folder and process,
// so that a run of many saves does not read the folder each time.
void sweepParts(const QByteArray &folder)
{
    static QMutex mutex;
    static QSet<QByteArray> swept;
    {
        QMutexLocker lock(&mutex);
        if (swept.contains(folder))
            return;
        swept.insert(folder);
    }
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!isPartName(name))
            continue;
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat mine;
        struct stat named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 && ::lstat(path.constData(), &named) == 0
            && mine.st_ino == named.st_ino && mine.st_dev == named.st_dev)
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

// A new hidden part beside `target`, locked by this writer. Its mode is
// the usual one of a new file (the umask applies).
int createPart(const QByteArray &target, const QString &forFile, QByteArray *part)
{
    const QByteArray folder = folderOf(target);
    sweepParts(folder);
    QByteArray name = nameOf(target);
    // Room for the dot, the random letters and the ending in a 255-byte name.
    const QString decoded = QFile::decodeName(name);
    qsizetype keep = decoded.size();
    while (keep > 0 && QFile::encodeName(decoded.left(keep)).size() > 255 - 2 - kPartRandom - kPartEnd.size())
        --keep;
    name = QFile::encodeName(decoded.left(keep));
    static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray random(kPartRandom, '0');
        for (char &c : random)
            c = letters[QRandomGenerator::global()->bounded(36)];
        *part = folder + "/." + name + '.' + random + kPartEnd;
        const int fd = ::open(part->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        const int error = errno;
        if (error == EEXIST)
            continue;
        if (error == EACCES || error == EPERM)
            failWrite(forFile, QStringLiteral("文件夹“%1”没有写入权限").arg(shown(folder)));
        if (error == ENOENT)
            failWrite(forFile, QStringLiteral("文件夹“%1”不存在").arg(shown(folder)));
        failWrite(forFile, causeOf(error));
    }
    failWrite(forFile, causeOf(EEXIST));
}

// Gives the part the old file's mode (and owner, where the program may).
void takeOver(int fd, const struct stat &old)
{
    ::fchmod(fd, old.st_mode & 07777);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Not the program's to give away: the new file then stays the writer's.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            return;
    }
}

// Gives `part` the name `name` unless a file of that name exists, in one
// step; 0, or the error (EEXIST when the name is taken).
int placeWithoutReplacing(const QByteArray &part, const QByteArray &name)
{
    if (::renameat2(AT_FDCWD, part.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without it: a hard link is just as exclusive.
    if (::link(part.constData(), name.constData()) != 0)
        return errno;
    ::unlink(part.constData());
    return 0;
}

QByteArray readAllFrom(int fd, qint64 limit, const QString &path)
{
    QByteArray bytes;
    qint64 want = limit >= 0 ? limit + 1 : std::numeric_limits<qint64>::max();
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(qsizetype(std::min<qint64>(st.st_size + 1, want)));
    char chunk[65536];
    while (want > 0) {
        const ssize_t n = ::read(fd, chunk, size_t(std::min<qint64>(want, qint64(sizeof chunk))));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QStringLiteral("无法读取文件"), path, causeOf(errno));
        }
        if (n == 0)
            break;
        bytes.append(chunk, n);
        want -= n;
    }
    return bytes;
}

QByteArray readRegular(const QString &path, qint64 limit, Stamp *stamp)
{
    const QByteArray native = QFile::encodeName(path);
    // Without blocking: opening a pipe would wait for a writer forever.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(QStringLiteral("无法打开文件"), path, causeOf(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        fail(QStringLiteral("无法读取文件"), path, causeOf(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(QStringLiteral("无法读取文件"), path,
            S_ISDIR(st.st_mode) ? QStringLiteral("这是一个文件夹") : QStringLiteral("这不是普通文件（设备、管道等）"));
    }
    const auto tooBig = [&] {
        ::close(fd);
        fail(QStringLiteral("无法读取文件"), path,
            QStringLiteral("文件太大（%1），只能读入 %2 以内的文件").arg(megabytes(st.st_size), megabytes(limit)));
    };
    if (limit >= 0 && st.st_size > limit)
        tooBig();
    QByteArray bytes;
    try {
        bytes = readAllFrom(fd, limit, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (limit >= 0 && bytes.size() > limit) {
        st.st_size = bytes.size();
        tooBig();
    }
    if (stamp)
        *stamp = stampOf(st);
    ::close(fd);
    return bytes;
}

} // namespace

// --- Reading ---------------------------------------------------------------------------------

Stamp stamp(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return stampOf(st);
}

QByteArray read(const QString &path, Stamp *stamp)
{
    ++g_reads;
    return readRegular(path, -1, stamp);
}

QByteArray readOutside(const QString &path, qint64 limit)
{
    return readRegular(path, limit, nullptr);
}

// --- AtomicFile --------------------------------------------------------------------------------

AtomicFile::AtomicFile(const QString &target, Mode mode, Folder folder)
    : m_mode(mode)
{
    const QByteArray real = writeTarget(target);
    m_target = QFile::decodeName(real);
    if (folder == Folder::Create)
        makeFolders(folderOf(real), target);
    struct stat old;
    const bool replacing = mode == Mode::Replace && ::stat(real.constData(), &old) == 0;
    if (replacing) {
        if (!S_ISREG(old.st_mode))
            failWrite(target,
                S_ISDIR(old.st_mode) ? QStringLiteral("同名的文件夹已经存在") : QStringLiteral("这不是普通文件"));
        if (!(old.st_mode & S_IWUSR))
            failWrite(target, readOnlyCause());
        int error = 0;
        m_lock = openLocked(real, O_RDONLY, &error);
        if (m_lock < 0 && error != ENOENT && error != EACCES)
            failWrite(target, lockCause(error));
    }
    QByteArray part;
    m_fd = createPart(real, target, &part);
    m_part = QFile::decodeName(part);
    if (replacing)
        takeOver(m_fd, old);
}

AtomicFile::~AtomicFile()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        if (!m_done)
            ::unlink(QFile::encodeName(m_part).constData());
    }
    if (m_lock >= 0)
        ::close(m_lock);
}

void AtomicFile::fail(const QString &cause)
{
    failWrite(m_target, cause);
}

void AtomicFile::write(QByteArrayView bytes)
{
    int error = 0;
    if (!writeAll(m_fd, bytes.data(), bytes.size(), &error))
        fail(causeOf(error));
}

void AtomicFile::sync()
{
    int error = 0;
    if (!syncFile(m_fd, &error))
        fail(causeOf(error));
}

Stamp AtomicFile::commit(Sync durability)
{
    Q_ASSERT(m_mode == Mode::Replace && !m_done);
    if (durability == Sync::Now)
        sync();
    const QByteArray part = QFile::encodeName(m_part);
    const QByteArray target = QFile::encodeName(m_target);
    if (::rename(part.constData(), target.constData()) != 0)
        fail(causeOf(errno));
    m_done = true;
    struct stat st;
    const Stamp result = ::fstat(m_fd, &st) == 0 ? stampOf(st) : stamp(m_target);
    if (durability == Sync::Now)
        syncFolder(folderOf(target));
    return result;
}

int AtomicFile::commitNew(const std::function<QString(int)> &nameFor, int first, Sync durability)
{
    Q_ASSERT(m_mode == Mode::New && !m_done);
    if (durability == Sync::Now)
        sync();
    const QByteArray part = QFile::encodeName(m_part);
    const QByteArray folder = folderOf(part);
    for (int n = first; n < first + 100000; ++n) {
        const QByteArray name = folder + '/' + QFile::encodeName(nameFor(n));
        // One step that fails when the name is taken: two jobs never end up
        // in one file, and no existing file is ever replaced.
        const int error = placeWithoutReplacing(part, name);
        if (error == 0)
            m_done = true;
        else if (error != EEXIST)
            fail(causeOf(error));
        if (m_done) {
            m_target = QFile::decodeName(name);
            if (durability == Sync::Now)
                syncFolder(folder);
            return n;
        }
    }
    fail(causeOf(EEXIST));
}

// --- Writing -----------------------------------------------------------------------------------

Stamp writeAtomic(const QString &path, QByteArrayView bytes, Folder folder, Sync sync)
{
    AtomicFile file(path, AtomicFile::Mode::Replace, folder);
    file.write(bytes);
    return file.commit(sync);
}

void appendLine(const QString &path, const QByteArray &line, Sync sync)
{
    const QByteArray real = writeTarget(path);
    makeFolders(folderOf(real), path);
    int error = 0;
    int fd = openLocked(real, O_RDWR | O_APPEND, &error);
    const bool existed = fd >= 0 || error != ENOENT;
    if (!existed && line.size() > kPieceBytes) {
        // A big first append: the new file with every row, named only when
        // complete and only if no other writer made the file meanwhile (then
        // the rows are appended to that one).
        QByteArray part;
        const int partFd = createPart(real, path, &part);
        const bool ok = writeAll(partFd, line.constData(), line.size(), &error) && syncFile(partFd, &error);
        ::close(partFd);
        if (ok)
            error = placeWithoutReplacing(part, real);
        if (ok && error == 0) {
            syncFolder(folderOf(real));
            return;
        }
        ::unlink(part.constData());
        if (!ok || error != EEXIST)
            failWrite(path, causeOf(error));
        fd = openLocked(real, O_RDWR | O_APPEND, &error);
    } else if (!existed) {
        fd = openLocked(real, O_RDWR | O_APPEND | O_CREAT, &error);
    }
    if (fd < 0) {
        if (error == EACCES || error == EPERM)
            failWrite(path, existed ? QStringLiteral("没有写入权限") : QStringLiteral("文件夹没有写入权限"));
        failWrite(path, lockCause(error));
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer {fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        failWrite(path, causeOf(errno));
    if (!S_ISREG(st.st_mode))
        failWrite(path, QStringLiteral("这不是普通文件"));
    if (!(st.st_mode & S_IWUSR))
        failWrite(path, readOnlyCause());
    const qint64 size = st.st_size;
    QByteArray bytes = line;
    if (size > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, size - 1) != 1)
            fail(QStringLiteral("无法读取文件"), path, causeOf(errno));
        // A lone CR ends a line too, as the text tables read lines: another
        // break after it would read as an empty row.
        if (last != '\n' && last != '\r')
            bytes.prepend("\r\n");
    }

    if (bytes.size() > kPieceBytes) {
        // The old rows and the new ones as a new file, renamed over the old
        // one under the lock this append holds: a kill leaves the file as it
        // was or with every new row.
        QByteArray old(qsizetype(size), Qt::Uninitialized);
        for (qint64 at = 0; at < size;) {
            const ssize_t n = ::pread(fd, old.data() + at, size_t(size - at), at);
            if (n <= 0) {
                if (n < 0 && errno == EINTR)
                    continue;
                fail(QStringLiteral("无法读取文件"), path, causeOf(n < 0 ? errno : EIO));
            }
            at += n;
        }
        QByteArray part;
        const int partFd = createPart(real, path, &part);
        takeOver(partFd, st);
        const bool ok = writeAll(partFd, old.constData(), old.size(), &error)
            && writeAll(partFd, bytes.constData(), bytes.size(), &error) && syncFile(partFd, &error)
            && ::rename(part.constData(), real.constData()) == 0;
        if (!ok && error == 0)
            error = errno;
        ::close(partFd);
        if (!ok) {
            ::unlink(part.constData());
            failWrite(path, causeOf(error));
        }
        syncFolder(folderOf(real));
        return;
    }

    if (!writeAll(fd, bytes.constData(), bytes.size(), &error) || (sync == Sync::Now && !syncFile(fd, &error))) {
        // Whole rows or nothing: what went in of this row is taken out, and
        // a file this append made goes again.
        QString cause = causeOf(error);
        if (!existed && size == 0)
            ::unlink(real.constData());
        else if (::ftruncate(fd, size) != 0)
            cause += QStringLiteral("；文件末尾可能留下半行");
        failWrite(path, cause);
    }
    if (sync == Sync::Now && !existed)
        syncFolder(folderOf(real));
}

void copy(const QString &from, const QString &to, qint64 limit)
{
    writeAtomic(to, readOutside(from, limit));
}

void remove(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0 && errno != ENOENT)
        fail(QStringLiteral("无法删除文件"), path, causeOf(errno));
}

void registerDataFolder(const QString &root)
{
    if (root.isEmpty())
        return;
    const QByteArray folder = absolute(root);
    QMutexLocker lock(&g_rootsMutex);
    g_roots.insert(folder);
}

QString causeOf(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("磁盘已满");
    case EDQUOT:
        return QStringLiteral("磁盘空间配额已用完");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是文件夹");
    case EISDIR:
        return QStringLiteral("这是一个文件夹");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case EFBIG:
        return QStringLiteral("文件太大");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多");
    case ELOOP:
        return QStringLiteral("链接层次太多");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正在使用中");
    case EEXIST:
        return QStringLiteral("文件已经存在");
    case EWOULDBLOCK:
        return QStringLiteral("文件正被另一个程序使用");
    default:
        return QStringLiteral("系统错误 %1（%2）").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

namespace Testing {

void failWritesAfter(qint64 bytes, int error)
{
    g_failError = error;
    g_failAfter = std::max<qint64>(bytes, 0);
}

void clearFailures()
{
    g_failAfter = -1;
}

qint64 reads()
{
    return g_reads.load();
}

} // namespace Testing

} // namespace Slipdesk::FileIo
