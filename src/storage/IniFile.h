#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace Slipdesk {

// An INI file with the usual desktop semantics: sections and keys matched
// without regard to letter case, GB18030 text, booleans written 1/0 and read
// as any non-zero integer, defaults for anything missing. Every call opens the
// file, reads or rewrites it (atomically) and closes it: nothing is cached, and
// sections, keys and comments it does not know are kept as they are.
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

private:
    QString m_path;
};

} // namespace Slipdesk
