#include "ColumnFit.h"

#include "datawin/DataTable.h"

#include <QFontMetrics>

#include <array>

namespace Slipdesk {

namespace {

constexpr int kMargin = 4;
// Estimates can differ from the shaped text by kerning: the few widest
// estimates of a column are measured exactly.
constexpr int kCandidates = 8;

struct Candidate
{
    int estimate = -1;
    int row = -2; // -1: the header
};

// The widest estimates of one column, the widest first.
struct Best
{
    std::array<Candidate, kCandidates> best;

    void offer(int estimate, int row)
    {
        if (estimate <= best.back().estimate)
            return;
        int at = kCandidates - 1;
        while (at > 0 && best[at - 1].estimate < estimate) {
            best[at] = best[at - 1];
            --at;
        }
        best[at] = {estimate, row};
    }
};

// Calls `visit(column, text)` for every cell of `row` but its number.
template<typename Visit> void forEachCell(QStringView row, int columns, Visit &&visit)
{
    const QChar separator = DataTable::separator();
    int column = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= row.size() && column < columns; ++i) {
        if (i == row.size() || row.at(i) == separator) {
            visit(column, row.sliced(start, i - start));
            ++column;
            start = i + 1;
        }
    }
}

} // namespace

class ColumnAdvances
{
public:
    explicit ColumnAdvances(const QFont &font)
        : m_metrics(font)
        , m_table(0x10000, -1)
    {
    }

    int of(QStringView text)
    {
        int sum = 0;
        for (const QChar c : text) {
            qint16 &advance = m_table[c.unicode()];
            if (advance < 0)
                advance = qint16(std::clamp(m_metrics.horizontalAdvance(c), 0, 0x7FFF));
            sum += advance;
        }
        return sum;
    }

    int exact(const QString &text) const { return m_metrics.horizontalAdvance(text); }

private:
    QFontMetrics m_metrics;
    std::vector<qint16> m_table;
};

namespace {

QString textAt(const DataTable &table, int row, int column)
{
    return row < 0 ? table.header().value(column) : table.cell(row, column);
}

} // namespace

// Turns the widest estimates of a column into its entry: each measured as
// a whole text.
static QList<std::pair<int, int>> measure(const DataTable &table, ColumnAdvances &advances, const Best &best, int c)
{
    QList<std::pair<int, int>> widest;
    for (const Candidate &candidate : best.best) {
        if (candidate.estimate < 0)
            break;
        widest.append({std::max(advances.exact(textAt(table, candidate.row, c)), candidate.estimate), candidate.row});
    }
    std::stable_sort(widest.begin(), widest.end(), [](auto a, auto b) { return a.first > b.first; });
    return widest;
}

static int floorOf(const Best &best)
{
    return best.best.back().estimate; // -1 unless the list is full
}

QList<int> ColumnFit::fit(const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current)
{
    const int columns = table.columnCount();
    m_font = font;
    m_columns.assign(columns, Column());
    ColumnAdvances advances(font);
    std::vector<Best> best(columns);
    const auto offer = [&](int column, QStringView text, int row) {
        if (!text.isEmpty() && current.value(column, 1) != 0)
            best[column].offer(advances.of(text), row);
    };
    for (int c = 0; c < columns; ++c)
        offer(c, table.header().at(c), -1);
    if (table.hasData()) {
        for (int r = 0; r < table.rowCount(); ++r) {
            offer(0, QString::number(r + 1), r);
            forEachCell(table.rawRow(r), columns, [&](int c, QStringView text) { offer(c, text, r); });
        }
    }
    for (int c = 0; c < columns; ++c)
        m_columns[c] = {measure(table, advances, best[c], c), floorOf(best[c])};
    return widths(defaultWidth, current);
}

void ColumnFit::fitColumn(const DataTable &table, ColumnAdvances &advances, int c)
{
    Best best;
    const auto offer = [&](QStringView text, int row) {
        if (!text.isEmpty())
            best.offer(advances.of(text), row);
    };
    offer(table.header().value(c), -1);
    if (table.hasData()) {
        for (int r = 0; r < table.rowCount(); ++r)
            offer(c == 0 ? QString::number(r + 1) : table.cell(r, c), r);
    }
    m_columns[c] = {measure(table, advances, best, c), floorOf(best)};
}

QList<int> ColumnFit::refit(
    const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current, const QSet<int> &rows)
{
    const int columns = table.columnCount();
    if (m_columns.size() != size_t(columns) || font != m_font)
        return fit(table, font, defaultWidth, current);
    ColumnAdvances advances(font);
    QList<int> changed(rows.cbegin(), rows.cend());
    std::sort(changed.begin(), changed.end());
    for (int c = 0; c < columns; ++c) {
        if (current.value(c, 1) == 0)
            continue;
        Column &column = m_columns[c];
        for (const int row : changed) {
            const auto listed = std::find_if(
                column.widest.begin(), column.widest.end(), [row](const auto &entry) { return entry.second == row; });
            if (listed != column.widest.end())
                column.widest.erase(listed);
            const QString text = row >= 0 && row < table.rowCount() ? textAt(table, row, c) : QString();
            const int width = text.isEmpty() ? -1 : std::max(advances.exact(text), advances.of(text));
            if (width <= column.floor || width < 0)
                continue; // not wider than what is not listed
            const auto at = std::find_if(
                column.widest.begin(), column.widest.end(), [width](const auto &entry) { return entry.first < width; });
            column.widest.insert(at, {width, row});
            while (column.widest.size() > kCandidates) {
                column.floor = std::max(column.floor, column.widest.last().first);
                column.widest.removeLast();
            }
        }
        // Every listed cell got narrower than the unlisted ones may be: only
        // the whole column tells its widest now.
        if (column.widest.isEmpty() && column.floor >= 0)
            fitColumn(table, advances, c);
    }
    return widths(defaultWidth, current);
}

QList<int> ColumnFit::widths(int defaultWidth, const QList<int> &current) const
{
    QList<int> out;
    out.reserve(qsizetype(m_columns.size()));
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const Column &column = m_columns[c];
        if (current.value(int(c), 1) == 0)
            out.append(0);
        else
            out.append(column.widest.isEmpty() ? defaultWidth : column.widest.first().first + kMargin);
    }
    return out;
}

} // namespace Slipdesk
