#include "RecipientLookup.h"

#include <QVarLengthArray>

#include <algorithm>

namespace Slipdesk {

namespace {

// The fields every look-up list item shows; their columns are built together
// because the look-up controls search exactly these.
constexpr int kShownFields[]
    = {RecipientLookup::UnitField, RecipientLookup::NameField, RecipientLookup::PhoneField, RecipientLookup::NickField};

// Position of field `index` of `row` (start, length); length -1 when the row
// has fewer fields.
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

// On-screen width estimate: wide (CJK) characters count double.
int widthUnits(QStringView text)
{
    int w = 0;
    for (QChar c : text)
        w += c.unicode() >= 0x2E80 ? 2 : 1;
    return w;
}

int digitCount(int n)
{
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

// The widest `limit` of (estimate, position) pairs, widest first; of equal
// estimates the earlier position first.
QList<int> widest(std::vector<std::pair<int, int>> &units, int limit)
{
    const auto keep = std::min<std::size_t>(std::size_t(std::max(limit, 0)), units.size());
    std::partial_sort(units.begin(), units.begin() + qsizetype(keep), units.end(),
        [](const auto &a, const auto &b) { return a.first > b.first || (a.first == b.first && a.second < b.second); });
    QList<int> out;
    out.reserve(qsizetype(keep));
    for (std::size_t i = 0; i < keep; ++i)
        out.append(units[i].second);
    return out;
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
    m_book = rows;
    if (appended) {
        extend(known);
        return;
    }
    // Another book: whatever was built belongs to the old one.
    m_columns.clear();
    m_widths.clear();
    m_prepared = false;
}

void RecipientLookup::extend(qsizetype from)
{
    if (m_columns.empty() && !m_prepared)
        return;
    int lastField = 0;
    for (const Column &c : m_columns)
        lastField = std::max(lastField, c.field);
    const qsizetype rows = m_book.size();
    for (Column &c : m_columns) {
        c.starts.reserve(rows);
        c.text.reserve(c.text.size() + (rows - from) * 8);
    }
    if (m_prepared)
        m_widths.reserve(rows);

    // One walk over each row finds every wanted field: bounds[k] is where
    // field k begins, and it ends one before bounds[k + 1] or at the row's end.
    QVarLengthArray<qsizetype, 32> bounds;
    for (qsizetype i = from; i < rows; ++i) {
        const QStringView row(m_book.at(i));
        bounds.clear();
        bounds.append(0);
        const char16_t *const begin = row.utf16();
        for (const char16_t *p = begin, *end = begin + row.size(); p != end && bounds.size() <= lastField + 1; ++p)
            if (*p == u',')
                bounds.append(p - begin + 1);
        auto field = [&](int k) {
            if (k >= bounds.size())
                return QStringView();
            const qsizetype start = bounds[k];
            const qsizetype stop = k + 1 < bounds.size() ? bounds[k + 1] - 1 : row.size();
            return row.mid(start, stop - start);
        };
        for (Column &c : m_columns) {
            c.starts.append(c.text.size());
            c.text.append(field(c.field));
            c.text.append(u'\n');
        }
        if (m_prepared) {
            int w = 4; // the commas after the row number
            for (int k : kShownFields)
                w += widthUnits(field(k));
            m_widths.append(w);
        }
    }
}

void RecipientLookup::prepare(const QStringList &rows)
{
    follow(rows);
    if (m_prepared)
        return;
    // The widths and the shown columns are built in one walk; any other
    // column built before is built again with them.
    m_columns.clear();
    m_widths.clear();
    for (int field : kShownFields)
        m_columns.push_back(Column {field, {}, {}});
    m_prepared = true;
    extend(0);
}

void RecipientLookup::prepare(const QStringList &rows, int field)
{
    prepare(rows);
    if (field >= 0)
        column(field);
}

const RecipientLookup::Column *RecipientLookup::column(int field)
{
    if (!m_prepared)
        prepare(m_book);
    for (const Column &c : m_columns)
        if (c.field == field)
            return &c;
    // A field no look-up control searches: its column alone.
    const bool wasPrepared = m_prepared;
    std::vector<Column> others;
    others.swap(m_columns);
    m_columns.push_back(Column {field, {}, {}});
    m_prepared = false;
    extend(0);
    m_prepared = wasPrepared;
    Column built = std::move(m_columns.front());
    m_columns = std::move(others);
    m_columns.push_back(std::move(built));
    return &m_columns.back();
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
    const Column &c = *column(field);
    const QStringView haystack(c.text);
    const auto end = c.starts.cend();
    auto next = c.starts.cbegin(); // the start of the row after the last match
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.size() == 1 ? haystack.indexOf(text.front(), from) : haystack.indexOf(text, from);
        if (at < 0)
            break;
        // The row holding the match: the last start at or before it. Matches
        // only move forward, so the walk over the starts is linear in all.
        while (next != end && *next <= at)
            ++next;
        found.append(int(next - c.starts.cbegin() - 1));
        if (next == end)
            break;
        from = *next;
    }
    return found;
}

QStringList RecipientLookup::items(const QStringList &rows, const QList<int> &found)
{
    QStringList out;
    out.reserve(found.size());
    for (int index : found)
        if (index >= 0 && index < rows.size())
            out.append(itemText(rows.at(index), index));
    return out;
}

QStringList RecipientLookup::search(const QStringList &rows, int field, QStringView text)
{
    return items(rows, find(rows, field, text));
}

QList<int> RecipientLookup::widestRows(const QStringList &rows, const QList<int> &found, int limit)
{
    prepare(rows);
    std::vector<std::pair<int, int>> units;
    units.reserve(std::size_t(found.size()));
    for (int index : found)
        if (index >= 0 && index < m_widths.size())
            units.emplace_back(m_widths.at(index) + digitCount(index + 1), index);
    return widest(units, limit);
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
    std::vector<std::pair<int, int>> units; // (estimated width, index)
    units.reserve(std::size_t(items.size()));
    for (int i = 0; i < items.size(); ++i)
        units.emplace_back(widthUnits(items.at(i)), i);
    return widest(units, limit);
}

} // namespace Slipdesk
