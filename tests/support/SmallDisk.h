#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of its own (tmpfs) for the full-disk tests, mounted in
// a fresh folder and unmounted afterwards. Mounting needs root (as CI runs);
// where it is not allowed, mounted() is false and reason() says why, so that
// the test can skip with that message.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes = qint64(2) << 20);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const; // with a trailing '/'
    QString file(const QString &relative) const { return path() + relative; }

    // Takes every free byte with a filler file; release() gives them back.
    void fill();
    void release();
    // Free bytes as the file system counts them.
    qint64 available() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};
