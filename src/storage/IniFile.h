#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace Slipdesk {

// An INI file with the usual desktop semantics: sections and keys matched
// without regard to letter case, GB18030 text, booleans written 1/0 and read
// as any non-zero integer, defaults for anything missing. Every call sees the
// file as it is on disk now and every write rewrites it at once (atomically);
// sections, keys and comments it does not know are kept as they are. The
// parsed file is kept in a process-wide cache until the file changes on disk
// (its stamp: inode, size, times in nanoseconds), so that a file read for
// many keys in a row is parsed once; see IniCache in IniFile.cpp for how a
// change by another program within one clock tick is still seen.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def = 0) const;
    bool readBool(const QString &section, const QString &key, bool def = false) const;
    bool valueExists(const QString &section, const QString &key) const;
    // As on the desktop: a section "exists" when it holds at least one key.
    bool sectionExists(const QString &section) const;
    QStringList readSectionKeys(const QString &section) const;
    // Several keys of one section read in one pass, in the order given.
    QStringList readStrings(const QString &section, const QStringList &keys, const QString &def = QString()) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);
    // Several keys of one section set and others deleted in one rewrite.
    void writeValues(
        const QString &section, const QList<std::pair<QString, QString>> &values, const QStringList &keysToDelete = {});
    void deleteKey(const QString &section, const QString &key);
    void eraseSection(const QString &section);

    // How long after its last change a file read from disk is first kept
    // in the cache: 3 s, well above any file system's clock grain. Tests
    // shorten it.
    static void setSettleTime(qint64 milliseconds);

private:
    QString m_path;
};

} // namespace Slipdesk
