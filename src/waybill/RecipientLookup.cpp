#include "RecipientLookup.h"

#include <algorithm>

namespace Slipdesk {

namespace {

// Position of field `index` of `row` (start, length); length -1 when the row
// has fewer fields. A plain walk: rows are short, and this runs for every row
// when a column is built.
std::pair<qsizetype, qsizetype> fieldSpan(QStringView row, int index)
{
    const char16_t *const begin = row.utf16();
    const char16_t *const end = begin + row.size();
    const char16_t *p = begin;
    for (int commas = 0; commas < index; ++p) {
        if (p == end)
            return {0, -1};
        if (*p == u',')
            ++commas;
    }
    const char16_t *q = p;
    while (q != end && *q != u',')
        ++q;
    return {p - begin, q - p};
}

QStringView fieldView(QStringView row, int index)
{
    const auto [start, length] = fieldSpan(row, index);
    return length < 0 ? QStringView() : row.mid(start, length);
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

void RecipientLookup::follow(const QStringList &rows)
{
    if (rows.isSharedWith(m_book) && rows.size() == m_book.size())
        return;
    // A print appends one row to the book: the rows before it are the same
    // strings as before, so the caches only need the new rows.
    const qsizetype known = m_book.size();
    bool appended = rows.size() > known;
    for (qsizetype i = 0; appended && i < known; ++i)
        appended = rows.at(i).constData() == m_book.at(i).constData() && rows.at(i).size() == m_book.at(i).size();
    if (!appended) {
        m_book = rows;
        m_columns.clear();
        m_items = QStringList();
        m_items.resize(rows.size());
        return;
    }
    m_book = rows;
    m_items.resize(rows.size());
    for (auto it = m_columns.begin(); it != m_columns.end(); ++it)
        extend(*it, it.key(), known);
}

void RecipientLookup::extend(Column &c, int field, qsizetype from) const
{
    c.starts.reserve(m_book.size());
    for (qsizetype i = from; i < m_book.size(); ++i) {
        c.starts.append(c.text.size());
        c.text.append(fieldView(m_book.at(i), field));
        c.text.append(u'\n');
    }
}

void RecipientLookup::prepare(const QStringList &rows, int field)
{
    follow(rows);
    if (field >= 0)
        column(field);
}

const RecipientLookup::Column &RecipientLookup::column(int field)
{
    auto it = m_columns.find(field);
    if (it != m_columns.end())
        return *it;
    Column c;
    c.text.reserve(m_book.size() * 12);
    extend(c, field, 0);
    return *m_columns.insert(field, std::move(c));
}

QList<int> RecipientLookup::find(const QStringList &rows, int field, QStringView text)
{
    QList<int> found;
    if (text.isEmpty() || field < 0)
        return found;
    // No stored field holds a line break, and the column uses them as
    // separators: such a text can match nothing.
    if (std::any_of(text.begin(), text.end(), isLineBreak))
        return found;
    follow(rows);
    const Column &c = column(field);
    const QStringView haystack(c.text);
    const auto begin = c.starts.cbegin();
    const auto end = c.starts.cend();
    auto next = begin;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = haystack.indexOf(text, from);
        if (at < 0)
            break;
        // The row whose value holds the match: the last start at or before it.
        next = std::upper_bound(next, end, at);
        found.append(int(next - begin - 1));
        if (next == end)
            break;
        from = *next;
    }
    return found;
}

QStringList RecipientLookup::items(const QStringList &rows, const QList<int> &found)
{
    follow(rows);
    QStringList out;
    out.reserve(found.size());
    for (int index : found) {
        if (index < 0 || index >= m_book.size())
            continue;
        QString &item = m_items[index];
        if (item.isNull())
            item = itemText(m_book.at(index), index);
        out.append(item);
    }
    return out;
}

QStringList RecipientLookup::search(const QStringList &rows, int field, QStringView text)
{
    return items(rows, find(rows, field, text));
}

QString RecipientLookup::itemText(QStringView row, int index)
{
    const QStringView name = fieldView(row, NameField);
    const QStringView nick = fieldView(row, NickField);
    const QStringView unit = fieldView(row, UnitField);
    const QStringView phone = fieldView(row, PhoneField);
    QString item;
    item.reserve(12 + name.size() + nick.size() + unit.size() + phone.size());
    item.append(QString::number(index + 1));
    for (QStringView part : {name, nick, unit, phone}) {
        item.append(u',');
        item.append(part);
    }
    return item;
}

int RecipientLookup::rowOfItem(QStringView item)
{
    const qsizetype comma = item.indexOf(u',');
    bool ok = false;
    const int n = item.left(comma < 0 ? item.size() : comma).toInt(&ok);
    return ok && n >= 1 ? n - 1 : -1;
}

int RecipientLookup::typedRowNumber(QStringView text, int count)
{
    if (text.isEmpty() || text.size() > 9)
        return -1;
    int n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n >= 1 && n <= count ? n - 1 : -1;
}

bool RecipientLookup::blank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

QList<int> RecipientLookup::widestCandidates(const QStringList &items, int limit)
{
    QList<std::pair<int, int>> units; // (estimated width, index)
    units.reserve(items.size());
    for (int i = 0; i < items.size(); ++i) {
        int w = 0;
        for (QChar c : items.at(i))
            w += c.unicode() >= 0x2E80 ? 2 : 1;
        units.append({w, i});
    }
    const qsizetype keep = std::min<qsizetype>(limit, units.size());
    std::partial_sort(units.begin(), units.begin() + keep, units.end(),
        [](const auto &a, const auto &b) { return a.first > b.first; });
    QList<int> out;
    out.reserve(keep);
    for (qsizetype i = 0; i < keep; ++i)
        out.append(units.at(i).second);
    return out;
}

} // namespace Slipdesk
