#include "SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

SmallDisk::SmallDisk(qint64 bytes)
{
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        m_reason = QStringLiteral("mounting a tmpfs is not allowed here (%1)")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString SmallDisk::path() const
{
    return m_dir.path() + u'/';
}

void SmallDisk::fill()
{
    const QByteArray filler = QFile::encodeName(file(QStringLiteral(".filler")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    static char zeros[65536];
    for (size_t chunk = sizeof zeros; chunk > 0; chunk /= 2) {
        while (::write(fd, zeros, chunk) == ssize_t(chunk)) { }
    }
    ::close(fd);
}

void SmallDisk::release()
{
    ::unlink(QFile::encodeName(file(QStringLiteral(".filler"))).constData());
}

qint64 SmallDisk::available() const
{
    struct statvfs st;
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &st) != 0)
        return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}
