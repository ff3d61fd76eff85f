#include "IniFile.h"

#include "Codec.h"
#include "FileIo.h"
#include "IoError.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <limits>
#include <optional>

#include <time.h>

namespace Slipdesk {

namespace {

constexpr bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

QStringView trimmed(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// Section and key names match like the desktop API matches them: ASCII
// letters without regard to case, every other character exactly.
bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x -= u'a' - u'A';
        if (y >= u'a' && y <= u'z')
            y -= u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

// A value as it is written on one line: line breaks would end the line.
QString oneLine(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

// A decimal integer, or hexadecimal after "0x" or "$", with an optional sign;
// anything else (including a number beyond 32 bits) is not an integer.
std::optional<int> parseInteger(QStringView text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    } else if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Hexadecimal spells the 32 bits (0xFFFFFFFF is -1); decimal must fit.
    const quint64 limit = base == 16 ? quint64(std::numeric_limits<quint32>::max())
        : negative                   ? quint64(std::numeric_limits<int>::max()) + 1
                                     : quint64(std::numeric_limits<int>::max());
    quint64 magnitude = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const qint64 value = base == 16 ? qint64(qint32(quint32(magnitude))) : qint64(magnitude);
    return static_cast<int>(negative ? -value : value);
}

// The parsed lines of every INI file the program read, kept until the file
// changes on disk: a batch run reads a template's settings dozens of times a
// form, and a file is parsed once instead. Every use compares the file's
// stamp (device, inode, size, modification and change times in
// nanoseconds) with the one the lines were read from; the program's own
// rewrites give the file a new inode and store their lines at once.
//
// A change behind the program's back within one tick of the file system's
// clock, keeping the size and putting the modification time back, would
// keep the stamp: only the change time (ctime, which no program can set)
// still differs, and only once the clock has moved on. So a file read while
// its change time is younger than the settle time (3 s) is not trusted: it
// is read again at every use until that change has settled. After that any
// change gives a later change time, whatever the clock's grain (two seconds
// on FAT). The program's own rewrites are trusted at once (a batch run
// saves the number and reads the file again within milliseconds): each is a
// new file, and only another program writing into that new file in place,
// within the same tick and keeping its size, would go unseen; the program
// itself never writes in place.
class IniCache
{
public:
    static IniCache &instance()
    {
        static IniCache cache;
        return cache;
    }

    // The file's lines, or nothing for a missing file (or, when only
    // reading, one that cannot be read: the defaults apply then).
    std::optional<QStringList> lines(const QString &path, bool forWriting)
    {
        const FileIo::Stamp now = FileIo::stamp(path);
        if (!now.exists()) {
            QMutexLocker lock(&m_mutex);
            m_entries.remove(path);
            return std::nullopt;
        }
        {
            QMutexLocker lock(&m_mutex);
            const auto found = m_entries.constFind(path);
            if (found != m_entries.constEnd() && found->trusted && found->stamp == now)
                return found->lines;
        }
        QByteArray bytes;
        FileIo::Stamp read;
        const qint64 readAt = nowNs();
        try {
            bytes = FileIo::read(path, &read);
        } catch (const IoError &) {
            // Reading falls back to the defaults as the desktop API does;
            // rewriting a file that could not be read would lose it.
            if (forWriting)
                throw;
            return std::nullopt;
        }
        QStringList lines = split(Codec::decode(bytes));
        store(path, read, lines, read.changed < readAt - m_settleNs.load());
        return lines;
    }

    void store(const QString &path, const FileIo::Stamp &stamp, const QStringList &lines, bool trusted)
    {
        QMutexLocker lock(&m_mutex);
        if (m_entries.size() >= kMaxEntries && !m_entries.contains(path))
            m_entries.clear();
        m_entries.insert(path, Entry {stamp, lines, trusted});
    }

    void setSettleTime(qint64 milliseconds) { m_settleNs = milliseconds * 1'000'000; }

private:
    static constexpr qsizetype kMaxEntries = 512;

    struct Entry
    {
        FileIo::Stamp stamp;
        QStringList lines;
        bool trusted = false;
    };

    static qint64 nowNs()
    {
        struct timespec t;
        clock_gettime(CLOCK_REALTIME, &t);
        return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    }

    static QStringList split(const QString &text)
    {
        QStringList lines = text.split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (QString &line : lines) {
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
        return lines;
    }

    QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    std::atomic<qint64> m_settleNs {qint64(3) * 1'000'000'000};
};

// The file as lines, kept verbatim so that everything this class does not
// touch is written back as it was.
class Document
{
public:
    static Document load(const QString &path, bool forWriting)
    {
        Document doc;
        const std::optional<QStringList> lines = IniCache::instance().lines(path, forWriting);
        if (lines)
            doc.m_lines = *lines;
        doc.m_original = doc.m_lines;
        return doc;
    }

    void save(const QString &path) const
    {
        if (m_lines == m_original)
            return;
        QString text;
        for (const QString &line : m_lines)
            text += line + QStringLiteral("\r\n");
        const FileIo::Stamp written = FileIo::writeAtomic(path, Codec::encode(text));
        IniCache::instance().store(path, written, m_lines, true);
    }

    // Index of the section's header line, or -1.
    qsizetype findSection(QStringView section) const
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const auto name = sectionName(m_lines[i]);
            if (name && sameName(*name, section))
                return i;
        }
        return -1;
    }

    // One past the section's last line: the next header or the file's end.
    qsizetype sectionEnd(qsizetype header) const
    {
        qsizetype i = header + 1;
        while (i < m_lines.size() && !sectionName(m_lines[i]))
            ++i;
        return i;
    }

    // Index of the key's line in the section, or -1.
    qsizetype findKey(QStringView section, QStringView key) const
    {
        const qsizetype header = findSection(section);
        if (header < 0)
            return -1;
        const qsizetype end = sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            const auto name = keyName(m_lines[i]);
            if (name && sameName(*name, key))
                return i;
        }
        return -1;
    }

    std::optional<QString> value(QStringView section, QStringView key) const
    {
        const qsizetype line = findKey(section, key);
        if (line < 0)
            return std::nullopt;
        return valueOf(m_lines[line]);
    }

    // The values of several keys of one section, found in one pass over it
    // (a lookup per key would cost keys × lines: a list of thousands of
    // names read in seconds). The first of two equal keys counts, as it does
    // for one key.
    QStringList values(QStringView section, const QStringList &keys, const QString &def) const
    {
        QHash<QString, qsizetype> lines;
        const qsizetype header = findSection(section);
        if (header >= 0) {
            // Backwards, so that the first of equal keys is the one kept.
            for (qsizetype i = sectionEnd(header) - 1; i > header; --i) {
                if (const auto name = keyName(m_lines[i]))
                    lines.insert(folded(*name), i);
            }
        }
        QStringList result;
        result.reserve(keys.size());
        for (const QString &key : keys) {
            const auto line = lines.constFind(folded(key));
            result.append(line == lines.constEnd() ? def : valueOf(m_lines[*line]));
        }
        return result;
    }

    QStringList keys(QStringView section) const
    {
        QStringList result;
        const qsizetype header = findSection(section);
        if (header < 0)
            return result;
        const qsizetype end = sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (const auto name = keyName(m_lines[i]))
                result.append(name->toString());
        }
        return result;
    }

    void setValue(const QString &section, const QString &key, const QString &value)
    {
        qsizetype header = findSection(section);
        if (header < 0) {
            m_lines.append(u'[' + section + u']');
            m_lines.append(key + u'=' + oneLine(value));
            return;
        }
        const qsizetype line = findKey(section, key);
        if (line >= 0) {
            m_lines[line] = keyName(m_lines[line])->toString() + u'=' + oneLine(value);
            return;
        }
        // A new key goes after the section's last non-blank line, so that a
        // blank line before the next section stays where it is.
        qsizetype at = sectionEnd(header);
        while (at > header + 1 && trimmed(m_lines[at - 1]).isEmpty())
            --at;
        m_lines.insert(at, key + u'=' + oneLine(value));
    }

    void removeKey(QStringView section, QStringView key)
    {
        const qsizetype line = findKey(section, key);
        if (line >= 0)
            m_lines.removeAt(line);
    }

    void removeSection(QStringView section)
    {
        const qsizetype header = findSection(section);
        if (header >= 0)
            m_lines.remove(header, sectionEnd(header) - header);
    }

private:
    static QString valueOf(const QString &text)
    {
        QStringView value = trimmed(QStringView(text).mid(text.indexOf(u'=') + 1));
        // Like the desktop API: matching quotes around the value are dropped.
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }

    // A name as sameName() compares it: ASCII letters in upper case.
    static QString folded(QStringView name)
    {
        QString result = name.toString();
        for (QChar &c : result)
            if (c.unicode() >= u'a' && c.unicode() <= u'z')
                c = QChar(char16_t(c.unicode() - (u'a' - u'A')));
        return result;
    }

    static std::optional<QStringView> sectionName(QStringView line)
    {
        line = trimmed(line);
        if (!line.startsWith(u'['))
            return std::nullopt;
        const qsizetype close = line.indexOf(u']');
        return trimmed(line.mid(1, close < 0 ? -1 : close - 1));
    }

    static std::optional<QStringView> keyName(QStringView line)
    {
        line = trimmed(line);
        if (line.startsWith(u';') || line.startsWith(u'['))
            return std::nullopt;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            return std::nullopt;
        return trimmed(line.left(equals));
    }

    QStringList m_lines;
    QStringList m_original;
};

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return Document::load(m_path, false).value(section, key).value_or(def);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const auto text = Document::load(m_path, false).value(section, key);
    if (!text)
        return def;
    return parseInteger(*text).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return Document::load(m_path, false).findKey(section, key) >= 0;
}

bool IniFile::sectionExists(const QString &section) const
{
    return !readSectionKeys(section).isEmpty();
}

QStringList IniFile::readSectionKeys(const QString &section) const
{
    return Document::load(m_path, false).keys(section);
}

QStringList IniFile::readStrings(const QString &section, const QStringList &keys, const QString &def) const
{
    return Document::load(m_path, false).values(section, keys, def);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    writeValues(section, {{key, value}});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeValues(
    const QString &section, const QList<std::pair<QString, QString>> &values, const QStringList &keysToDelete)
{
    Document doc = Document::load(m_path, true);
    for (const auto &[key, value] : values)
        doc.setValue(section, key, value);
    for (const QString &key : keysToDelete)
        doc.removeKey(section, key);
    doc.save(m_path);
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    writeValues(section, {}, {key});
}

void IniFile::setSettleTime(qint64 milliseconds)
{
    IniCache::instance().setSettleTime(milliseconds);
}

void IniFile::eraseSection(const QString &section)
{
    Document doc = Document::load(m_path, true);
    doc.removeSection(section);
    doc.save(m_path);
}

} // namespace Slipdesk
