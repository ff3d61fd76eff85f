#include "DataTable.h"

#include "render/Amounts.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"

#include <QHash>

#include <thread>

namespace Slipdesk {

namespace {

// Fields are kept apart by a character no cell can hold, so that a comma
// typed into a cell stays a comma until the table is saved.
constexpr char16_t kSeparator = 0x1F;

// The amounts logs hold ("1500.00", "12", "-3.5") read without the general
// parser; anything else (grouped, blanks, three decimals) is left to it.
std::optional<qint64> plainFen(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    const bool negative = n > 0 && text[0] == u'-';
    if (negative)
        ++i;
    const auto digit = [&](qsizetype k) { return text[k] >= u'0' && text[k] <= u'9'; };
    qint64 yuan = 0;
    int digits = 0;
    for (; i < n && digit(i); ++i) {
        if (++digits > 12)
            return std::nullopt;
        yuan = yuan * 10 + (text[i].unicode() - u'0');
    }
    if (digits == 0)
        return std::nullopt;
    int cents = 0;
    if (i < n && text[i] == u'.') {
        ++i;
        int fraction = 0;
        for (; i < n && digit(i); ++i) {
            if (++fraction > 2)
                return std::nullopt;
            cents = cents * 10 + (text[i].unicode() - u'0');
        }
        if (fraction == 0)
            return std::nullopt;
        if (fraction == 1)
            cents *= 10;
    }
    if (i != n)
        return std::nullopt;
    const qint64 fen = yuan * 100 + cents;
    if (fen > MaxAmountFen)
        return std::nullopt;
    return negative ? -fen : fen;
}

// Field `index` of a stored row, without copying it.
QStringView fieldView(QStringView row, int index)
{
    qsizetype start = 0;
    for (int at = 0; at < index; ++at) {
        const qsizetype next = row.indexOf(QChar(kSeparator), start);
        if (next < 0)
            return {};
        start = next + 1;
    }
    const qsizetype end = row.indexOf(QChar(kSeparator), start);
    return row.sliced(start, (end < 0 ? row.size() : end) - start);
}

QString cellText(QString text)
{
    text.remove(QChar(kSeparator));
    return text;
}

} // namespace

DataTable::DataTable(const QStringList &header, QStringList lines)
    : m_header(header)
    , m_rows(std::move(lines))
{
    // In place: a big log is not held twice while it is opened.
    for (QString &row : m_rows) {
        if (row.contains(QChar(kSeparator)))
            row.remove(QChar(kSeparator));
        row.replace(u',', QChar(kSeparator));
    }
    m_hasData = !m_rows.isEmpty();
    if (!m_hasData)
        m_rows.append(QString());
}

DataTable DataTable::fromCells(const QStringList &header, const QList<QStringList> &rows)
{
    DataTable table(header, {});
    if (rows.isEmpty())
        return table;
    table.m_rows.clear();
    for (const QStringList &cells : rows) {
        QStringList clean;
        for (const QString &cell : cells)
            clean.append(cellText(cell));
        table.m_rows.append(toRow(clean));
    }
    table.m_hasData = true;
    return table;
}

QString DataTable::toRow(const QStringList &fields)
{
    return fields.join(QChar(kSeparator));
}

QString DataTable::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return QString();
    if (column == 0)
        return m_hasData ? QString::number(row + 1) : QString();
    return TextTable::field(m_rows.at(row), column - 1, QChar(kSeparator));
}

void DataTable::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 1)
        return;
    m_rows[row] = TextTable::setField(m_rows.at(row), column - 1, cellText(text), QChar(kSeparator));
    // Typing into the empty row of an empty table makes it the first row:
    // otherwise "保存" would call the typed text "no data".
    if (!m_hasData && !text.isEmpty())
        m_hasData = true;
}

QStringList DataTable::cells(int row) const
{
    QStringList out;
    for (int c = 1; c < columnCount(); ++c)
        out.append(cell(row, c));
    return out;
}

int DataTable::findColumn(const QString &headerName) const
{
    return int(m_header.indexOf(headerName));
}

int DataTable::append()
{
    if (!m_hasData) {
        m_hasData = true;
        return 0;
    }
    m_rows.append(QString());
    return int(m_rows.size()) - 1;
}

int DataTable::insert(int row)
{
    if (!m_hasData)
        return append();
    row = std::clamp(row, 0, int(m_rows.size()));
    m_rows.insert(row, QString());
    return row;
}

int DataTable::remove(int row)
{
    if (row < 0 || row >= m_rows.size())
        return 0;
    if (m_rows.size() == 1) {
        m_rows[0].clear();
        m_hasData = false;
        return 0;
    }
    m_rows.removeAt(row);
    return std::min(row, int(m_rows.size()) - 1);
}

void DataTable::move(int from, int to)
{
    if (from < 0 || to < 0 || from >= m_rows.size() || to >= m_rows.size() || from == to)
        return;
    m_rows.move(from, to);
}

// Writes the saved form of `row` (its first `fields` cells, commas and
// blanks removed, joined by ",") at `out`; returns the end. `out` must have
// room for the row and fields − 1 commas.
static char16_t *cleanRow(QStringView row, int fields, char16_t *out)
{
    int field = 0;
    const char16_t *from = row.utf16();
    const char16_t *const last = from + row.size();
    for (; from != last; ++from) {
        const char16_t c = *from;
        // The separator, "," and " " all lie below "-": one test for the
        // characters a log is made of.
        if (c > u',') {
            *out++ = c;
        } else if (c == kSeparator) {
            if (++field == fields)
                return out;
            *out++ = u',';
        } else if (c != u',' && c != u' ') {
            *out++ = c;
        }
    }
    for (++field; field < fields; ++field)
        *out++ = u',';
    return out;
}

QStringList DataTable::savedLines() const
{
    QStringList lines;
    if (!m_hasData)
        return lines;
    lines.reserve(m_rows.size());
    const int fields = std::max(1, columnCount() - 1);
    for (const QString &row : m_rows) {
        QString line(row.size() + fields, Qt::Uninitialized);
        char16_t *begin = reinterpret_cast<char16_t *>(line.data());
        line.truncate(cleanRow(row, fields, begin) - begin);
        lines.append(line);
    }
    return lines;
}

QByteArray DataTable::savedBytes(qsizetype from, qsizetype to) const
{
    const int fields = std::max(1, columnCount() - 1);
    qsizetype chars = 0;
    for (qsizetype r = from; r < to; ++r)
        chars += m_rows.at(r).size() + fields + 2;
    QByteArray bytes;
    bytes.reserve(chars * 2);
    // Row by row through one small buffer, each row cleaned and encoded
    // while it is in the cache.
    std::u16string line;
    for (qsizetype r = from; r < to; ++r) {
        const QString &row = m_rows.at(r);
        line.resize(size_t(row.size() + fields + 2));
        char16_t *end = cleanRow(row, fields, line.data());
        *end++ = u'\r';
        *end++ = u'\n';
        Codec::appendEncoded(bytes, QStringView(line.data(), end - line.data()));
    }
    return bytes;
}

QByteArray DataTable::savedBytes() const
{
    if (!m_hasData)
        return QByteArray();
    // A big log is encoded in two halves at once: saving it costs little
    // more than writing its bytes.
    constexpr qsizetype kSplitFrom = 20000;
    const qsizetype rows = m_rows.size();
    if (rows < kSplitFrom || std::thread::hardware_concurrency() < 2)
        return savedBytes(0, rows);
    const qsizetype half = rows / 2;
    QByteArray second;
    std::thread worker([&] { second = savedBytes(half, rows); });
    QByteArray bytes = savedBytes(0, half);
    worker.join();
    bytes.append(second);
    return bytes;
}

void DataTable::formatGrouped(const QString &headerName)
{
    const int column = findColumn(headerName);
    if (column < 1 || !m_hasData)
        return;
    const int field = column - 1;
    // In place, one row after the other: a log of 200,000 lines is opened
    // with its amounts grouped in a few dozen milliseconds.
    for (QString &row : m_rows) {
        qsizetype start = 0;
        int at = 0;
        for (; at < field; ++at) {
            const qsizetype next = row.indexOf(QChar(kSeparator), start);
            if (next < 0)
                break;
            start = next + 1;
        }
        if (at < field)
            continue; // a short row: the cell is empty
        qsizetype end = row.indexOf(QChar(kSeparator), start);
        if (end < 0)
            end = row.size();
        if (end == start)
            continue;
        const QStringView text = QStringView(row).sliced(start, end - start);
        const std::optional<qint64> fen = plainFen(text);
        const QString grouped = Slipdesk::formatGrouped(fen ? *fen : amountOrZero(text.toString()));
        if (text != grouped)
            row.replace(start, end - start, grouped);
    }
}

bool DataTable::matches(int row, int column, const QString &input) const
{
    const QString text = cell(row, column);
    if (column >= 0 && column == findColumn(QStringLiteral("金额"))) {
        QString a = text;
        QString b = input;
        a.remove(u',');
        b.remove(u',');
        const std::optional<qint64> left = parseAmount(a);
        const std::optional<qint64> right = parseAmount(b);
        return left && right && *left == *right;
    }
    return text.contains(input.trimmed());
}

DataTable::DuplicateScan::DuplicateScan(const DataTable &table, int column)
{
    const int rows = table.rowCount();
    m_nextSame.fill(-1, rows);
    if (!table.hasData() || column < 1)
        return;
    // Values are looked up as views into the rows; only a value that loses a
    // comma or blank when cleaned is copied (and kept alive here).
    QHash<QStringView, int> lastRowOf;
    lastRowOf.reserve(rows);
    QList<QString> cleanedCopies;
    const int field = column - 1;
    for (int r = 0; r < rows; ++r) {
        QStringView value = fieldView(table.m_rows.at(r), field);
        if (value.contains(u',') || value.contains(u' ')) {
            cleanedCopies.append(TradeNumbers::cleaned(value.toString()));
            value = cleanedCopies.last();
        }
        if (value.isEmpty())
            continue;
        const auto it = lastRowOf.find(value);
        if (it == lastRowOf.end()) {
            lastRowOf.insert(value, r);
        } else {
            m_nextSame[*it] = r;
            *it = r;
        }
    }
}

std::optional<std::pair<int, int>> DataTable::DuplicateScan::next()
{
    while (m_row < m_nextSame.size()) {
        m_partner = m_partner < 0 ? m_nextSame.at(m_row) : m_nextSame.at(m_partner);
        if (m_partner >= 0) {
            m_foundAny = true;
            return std::pair {m_row, m_partner};
        }
        ++m_row;
    }
    return std::nullopt;
}

} // namespace Slipdesk
