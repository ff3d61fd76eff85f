#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace Slipdesk {

class MessageService;

// One writer per data folder. Every program that changes the files of a data
// folder holds its lock while it may write: the window for its whole run,
// each writing command of slipdesk-cli for the command. Readers never take it.
//
// The lock is a kernel lock (flock) on the file ".slipdesk.lock" inside the
// folder, so it belongs to the folder, whichever program or path reaches it,
// and the kernel drops it when its holder ends in any way: a crash or a kill
// never leaves the folder locked. The file stays; its text (program, process,
// host, start) only names the holder in the message a second writer sees,
// and a text left by a crashed holder means nothing.
class FolderLock
{
public:
    enum class Result {
        Acquired, // held until release() or the end of the process
        Busy, // another program held the folder for the whole wait
        Unlockable, // the folder cannot hold a lock (read-only, say): nothing held
    };

    // The holder as its lock file names it.
    struct Holder
    {
        QString program;
        qint64 pid = 0;
        QString host;
        QDateTime started;
    };

    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Takes the folder for `program` ("slipdesk", "slipdesk-cli post"); while
    // another program holds it, tries again every few dozen milliseconds for
    // up to `waitMs`.
    Result acquire(const QString &program, int waitMs = defaultWaitMs());
    void release();
    bool held() const { return m_fd >= 0; }

    // The window's start: the folder taken for the run. When another program
    // holds it past the wait, the user is told and the answer is false. A
    // folder that cannot be locked at all is used as it is: nobody can write
    // into a read-only folder anyway.
    bool acquireOrTell(const QString &program, MessageService &messages, int waitMs = defaultWaitMs());

    // After Busy: the holder, when its file names one.
    std::optional<Holder> holder() const { return m_holder; }
    // After Busy: "数据文件夹正被另一个程序使用：slipdesk（进程 1234，始于
    // 2026-05-01 10:00:00），请稍后再试。"
    QString busyMessage() const;
    // After Unlockable: why, as the system says it.
    QString error() const { return m_error; }
    QString path() const { return m_path; }

    // How long a second writer waits for the first: 5 seconds, or the
    // seconds SLIPDESK_LOCK_WAIT names.
    static int defaultWaitMs();
    // The text a holder writes into the lock file, and its reading.
    static QByteArray holderText(const Holder &holder);
    static std::optional<Holder> parseHolder(const QByteArray &text);

private:
    void readHolder();

    QString m_path;
    int m_fd = -1;
    std::optional<Holder> m_holder;
    QString m_error;
};

} // namespace Slipdesk
