#include "IniFile.h"

#include "Codec.h"
#include "FileIo.h"
#include "IoError.h"

#include <QFileInfo>
#include <QHash>

#include <limits>
#include <optional>

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

// The file as lines, kept verbatim so that everything this class does not
// touch is written back as it was.
class Document
{
public:
    static Document load(const QString &path, bool forWriting)
    {
        Document doc;
        if (!QFileInfo::exists(path))
            return doc;
        QByteArray bytes;
        try {
            bytes = FileIo::read(path);
        } catch (const IoError &) {
            // Reading falls back to the defaults as the desktop API does;
            // rewriting a file that could not be read would lose it.
            if (forWriting)
                throw;
            return doc;
        }
        const QString text = Codec::decode(bytes);
        doc.m_lines = text.split(u'\n');
        if (!doc.m_lines.isEmpty() && doc.m_lines.last().isEmpty())
            doc.m_lines.removeLast();
        for (QString &line : doc.m_lines) {
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
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
        FileIo::writeAtomic(path, Codec::encode(text));
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

void IniFile::eraseSection(const QString &section)
{
    Document doc = Document::load(m_path, true);
    doc.removeSection(section);
    doc.save(m_path);
}

} // namespace Slipdesk
