#include "GoodsSearch.h"

#include <algorithm>

namespace Slipdesk {

namespace {

// Field `index` of `line`; empty when the line has fewer fields.
QStringView fieldView(QStringView line, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype comma = line.indexOf(u',', start);
        if (comma < 0)
            return QStringView();
        start = comma + 1;
    }
    const qsizetype end = line.indexOf(u',', start);
    return line.mid(start, end < 0 ? -1 : end - start);
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

int GoodsSearch::fieldOfColumn(int column)
{
    switch (column) {
    case 1:
        return CodeField;
    case 2:
        return NameField;
    default:
        return -1;
    }
}

void GoodsSearch::follow(const QStringList &lines)
{
    if (lines.isSharedWith(m_lines) && lines.size() == m_lines.size())
        return;
    // A posting appends lines: the ones before them are the same strings as
    // before, so the searched fields only need the new lines.
    const qsizetype known = m_lines.size();
    bool appended = lines.size() > known;
    for (qsizetype i = 0; appended && i < known; ++i)
        appended = lines.at(i).constData() == m_lines.at(i).constData() && lines.at(i).size() == m_lines.at(i).size();
    m_lines = lines;
    for (int field = 0; field < 2; ++field) {
        Column &c = m_columns[field];
        if (!appended)
            c = Column();
        else if (c.built)
            extend(c, field, known);
    }
}

void GoodsSearch::extend(Column &c, int field, qsizetype from) const
{
    c.starts.reserve(m_lines.size());
    for (qsizetype i = from; i < m_lines.size(); ++i) {
        c.starts.append(c.text.size());
        // Upper-cased one value at a time: upper-casing can change the length
        // of a text (ß becomes SS), which must not shift the next value.
        c.text.append(fieldView(m_lines.at(i), field).toString().toUpper());
        c.text.append(u'\n');
    }
}

GoodsSearch::Column &GoodsSearch::column(int field)
{
    Column &c = m_columns[field];
    if (!c.built) {
        c.text.reserve(m_lines.size() * 8);
        extend(c, field, 0);
        c.built = true;
    }
    return c;
}

void GoodsSearch::prepare(const QStringList &lines, int field)
{
    follow(lines);
    if (field == CodeField || field == NameField)
        column(field);
}

QList<int> GoodsSearch::find(const QStringList &lines, int field, QStringView text)
{
    QList<int> found;
    if (text.isEmpty() || (field != CodeField && field != NameField))
        return found;
    // The values are separated by line breaks and hold none themselves.
    if (std::any_of(text.begin(), text.end(), isLineBreak))
        return found;
    follow(lines);
    const Column &c = column(field);
    const QString wanted = text.toString().toUpper();
    const QStringView haystack(c.text);
    const qsizetype count = c.starts.size();
    qsizetype line = 0;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = haystack.indexOf(wanted, from);
        if (at < 0)
            break;
        // The line holding the match: the last start at or before it. Matches
        // come in order, so a forward walk costs one step per line in all.
        while (line + 1 < count && c.starts.at(line + 1) <= at)
            ++line;
        found.append(int(line));
        if (++line >= count)
            break;
        from = c.starts.at(line);
    }
    return found;
}

} // namespace Slipdesk
