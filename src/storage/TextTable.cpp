#include "TextTable.h"

#include "Codec.h"
#include "FileIo.h"

#include <QFileInfo>

#include <algorithm>

namespace Slipdesk::TextTable {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Blanks and control characters: what trimming and the comma-text rule skip.
constexpr bool isBlankOrControl(char16_t c)
{
    return c <= u' ';
}

// Lines as a text file holds them: a line ends at CR LF, a lone LF or a lone
// CR; a line break at the very end does not start another (empty) line.
QStringList splitLines(QStringView text)
{
    QStringList lines;
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *start = begin;
    const char16_t *p = begin;
    while (p < end) {
        const char16_t c = *p;
        if (c > u'\r' || (c != u'\n' && c != u'\r')) {
            ++p;
            continue;
        }
        lines.append(QString(reinterpret_cast<const QChar *>(start), p - start));
        p += (c == u'\r' && p + 1 < end && p[1] == u'\n') ? 2 : 1;
        start = p;
    }
    if (start < end)
        lines.append(QString(reinterpret_cast<const QChar *>(start), end - start));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return QString();
    return lines.join(kLineEnd) + kLineEnd;
}

} // namespace

QString field(QStringView row, int index, QChar separator)
{
    if (index < 0)
        return QString();
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype next = row.indexOf(separator, start);
        if (next < 0)
            return QString();
        start = next + 1;
    }
    const qsizetype end = row.indexOf(separator, start);
    return row.mid(start, end < 0 ? -1 : end - start).toString();
}

int fieldCount(QStringView row, QStringView separator)
{
    qsizetype first = 0;
    qsizetype last = row.size();
    while (first < last && isBlankOrControl(row[first].unicode()))
        ++first;
    while (last > first && isBlankOrControl(row[last - 1].unicode()))
        --last;
    const QStringView trimmed = row.mid(first, last - first);
    if (trimmed.isEmpty())
        return 0;
    if (separator.isEmpty())
        return 1;
    return static_cast<int>(trimmed.count(separator)) + 1;
}

QString setField(QStringView row, int index, QStringView value, QChar separator)
{
    if (index < 0)
        return row.toString();
    QList<QStringView> fields = row.split(separator);
    while (fields.size() <= index)
        fields.append(QStringView());
    fields[index] = value;
    QString result;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            result += separator;
        result += fields[i];
    }
    return result;
}

QString cleanValue(QString value)
{
    return value.remove(u',');
}

QString cleanRow(QString row)
{
    return row.remove(u' ');
}

QStringList load(const QString &path, const QString &defaultText)
{
    if (!QFileInfo::exists(path))
        return splitLines(defaultText);
    return splitLines(Codec::decode(FileIo::read(path)));
}

void save(const QString &path, const QStringList &rows)
{
    FileIo::writeAtomic(path, Codec::encode(joinLines(rows)));
}

void appendRow(const QString &path, const QString &row, FileIo::Sync sync)
{
    if (row.isEmpty())
        return;
    FileIo::appendLine(path, Codec::encode(QString(row + kLineEnd)), sync);
}

void appendRows(const QString &path, const QStringList &rows, FileIo::Sync sync)
{
    QString text;
    for (const QString &row : rows)
        if (!row.isEmpty())
            text += row + kLineEnd;
    if (!text.isEmpty())
        FileIo::appendLine(path, Codec::encode(text), sync);
}

QString loadList(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QString();
    return joinLines(load(path));
}

void writeList(const QString &path, const QString &text)
{
    if (text.isEmpty())
        return;
    FileIo::writeAtomic(path, Codec::encode(text));
}

QStringList splitCommaText(QStringView text)
{
    // The classic desktop comma-text reader, step for step: blanks and control
    // characters before and after a field are skipped, an unquoted field also
    // ends at one, and a separator at the very end adds one empty field.
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype p = 0;
    const auto at = [&](qsizetype i) { return i < n ? text[i].unicode() : u'\0'; };
    const auto skipBlanks = [&] {
        while (p < n && isBlankOrControl(text[p].unicode()))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        if (at(p) == u'"') {
            // A quoted field runs to the matching quote, "" standing for one
            // quote; an unterminated one takes the rest of the text.
            QString value;
            ++p;
            while (p < n) {
                if (at(p) == u'"') {
                    if (at(p + 1) != u'"') {
                        ++p;
                        break;
                    }
                    ++p;
                }
                value += text[p];
                ++p;
            }
            fields.append(value);
        } else {
            const qsizetype start = p;
            while (p < n && !isBlankOrControl(at(p)) && at(p) != u',')
                ++p;
            fields.append(text.mid(start, p - start).toString());
        }
        skipBlanks();
        if (at(p) == u',') {
            if (p + 1 == n)
                fields.append(QString());
            ++p;
            skipBlanks();
        }
    }
    return fields;
}

QString joinCommaText(const QStringList &values)
{
    // A lone empty value must still read back as one field.
    if (values.size() == 1 && values.first().isEmpty())
        return QStringLiteral("\"\"");
    QString text;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += u',';
        const QString &value = values[i];
        const bool quote = std::any_of(value.begin(), value.end(),
            [](QChar c) { return isBlankOrControl(c.unicode()) || c == u'"' || c == u','; });
        if (quote) {
            text += u'"';
            text += QString(value).replace(u'"', QStringLiteral("\"\""));
            text += u'"';
        } else {
            text += value;
        }
    }
    return text;
}

} // namespace Slipdesk::TextTable
