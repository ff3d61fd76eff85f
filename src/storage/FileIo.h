#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Byte-level file access shared by the text tables, the INI files, the
// printer's PDF files and the exports. Every failure throws Slipdesk::IoError
// with a message that names the file and the cause in the user's words
// ("磁盘已满", "没有写入权限", …).
//
// What a caller can rely on:
// - A rewrite (writeAtomic, AtomicFile) leaves the old file whole unless
//   every byte of the new one was written and synced; the new file is then
//   renamed over it and its folder synced, so that neither a kill nor a power
//   loss leaves an empty or cut file. The replaced file keeps its mode.
// - An append adds whole rows or nothing: a failed write is cut back to the
//   file's former length; an append of more than one page is done as a
//   rewrite of the whole file, so that a kill leaves all of it or none.
// - Rewrites and appends of one file take its write lock (flock) in turn, so
//   that two programs on one data folder never lose each other's rows.
// - A file without its owner's write bit is read-only, also for root.
// - Inside a data folder (any folder a Paths was made for) a symbolic link is
//   followed only while it leads to a place inside that folder; a link
//   leading out is never written through.
namespace Slipdesk::FileIo {

// Size limits of files the user names from outside the data folder.
inline constexpr qint64 kOrderTableLimit = qint64(32) << 20; // order tables, spreadsheets, template files
inline constexpr qint64 kFormFileLimit = qint64(1) << 20; // field and goods files of one form

// One version of a file on disk: what tells a change without reading it.
struct Stamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no such file
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0; // status change (ctime), nanoseconds
    bool exists() const { return size >= 0; }
    friend bool operator==(const Stamp &, const Stamp &) = default;
};
// The file's stamp now; a missing file gives an empty stamp.
Stamp stamp(const QString &path);

// The whole file. Throws when it exists but cannot be read or is not a
// regular file (a device, a pipe, a folder). `stamp` gets the stamp of the
// version read.
QByteArray read(const QString &path, Stamp *stamp = nullptr);
// A file the user named (an order table, a goods file): a regular file of at
// most `limit` bytes, else a clear refusal. Never blocks on a pipe or device.
QByteArray readOutside(const QString &path, qint64 limit);

// Whether a write waits until its bytes (and a new name) are on the disk.
// Rewrites do by default: a power loss then never leaves an empty file where
// the old one was. Sync::Later keeps a write atomic against a kill but not
// against a power loss, for writes that a synced record (a journal) covers.
enum class Sync { Later, Now };
// Whether a write creates the file's folder when it is missing (data files)
// or fails (a file the user named in a folder that is not there).
enum class Folder { Create, MustExist };

// Creates the file's folder when missing (unless MustExist), then replaces
// the file with `bytes` atomically (see above). Returns the new file's stamp.
Stamp writeAtomic(const QString &path, QByteArrayView bytes, Folder folder = Folder::Create, Sync sync = Sync::Now);
// Creates the file's folder and the file when missing, then adds `line`
// (which ends in a line break) at its end. When the file does not end in a
// line break (a row cut off by a crash, or a file edited by hand) the line
// starts on a new line instead of being glued to that last one.
void appendLine(const QString &path, const QByteArray &line, Sync sync = Sync::Later);
// Replaces `to` atomically with a copy of the regular file `from` (at most
// `limit` bytes).
void copy(const QString &from, const QString &to, qint64 limit = kOrderTableLimit);

// Deletes the file; a missing file is no error.
void remove(const QString &path);

// A new version of a file written piece by piece beside it, under a hidden
// name (".NAME.XXXXXXXX.part") that the next writer in that folder removes
// when its writer was killed. Nothing is visible under the final name
// before commit(); a writer destroyed without commit() removes its part.
class AtomicFile
{
public:
    enum class Mode {
        Replace, // commit() renames over the target, keeping its mode
        New, // commitNew() places it under a name not yet taken
    };
    // Opens the part beside `target`; for Replace also takes the target's
    // write lock and refuses a read-only target. Throws IoError.
    explicit AtomicFile(const QString &target, Mode mode = Mode::Replace, Folder folder = Folder::Create);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // The file's real place (links inside the data folder followed).
    QString target() const { return m_target; }
    // The part, for writers that open it by name (it exists and is empty).
    QString partPath() const { return m_part; }

    // Every byte, or IoError.
    void write(QByteArrayView bytes);
    // Syncs the part, renames it over the target and syncs the folder.
    Stamp commit(Sync sync = Sync::Now);
    // Syncs the part and gives it the first free name nameFor(n) for n =
    // first, first + 1, …, never replacing a file even when another process
    // takes names in the same folder at the same time. Returns the n taken.
    int commitNew(const std::function<QString(int)> &nameFor, int first, Sync sync = Sync::Now);

private:
    [[noreturn]] void fail(const QString &cause);
    void sync();

    QString m_target;
    QString m_part;
    Mode m_mode;
    int m_fd = -1;
    int m_lock = -1;
    bool m_done = false;
};

// Makes `root` a data folder for the link rule above. Paths does it for
// every folder it is made for.
void registerDataFolder(const QString &root);

// The Chinese cause of a system error number ("磁盘已满" for ENOSPC).
QString causeOf(int error);

// Write failures on demand, for the tests of every failure path where no
// small file system can be mounted.
namespace Testing {
// Every write of this process fails with `error` once `bytes` more bytes were
// written (the write that crosses the mark is cut there, as a full disk cuts
// it). Syncs fail too once the mark is reached.
void failWritesAfter(qint64 bytes, int error);
void clearFailures();
// How many files this process has read through read() so far.
qint64 reads();
} // namespace Testing

} // namespace Slipdesk::FileIo
