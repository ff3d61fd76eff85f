#include "ColumnFit.h"

#include "datawin/DataTable.h"

#include <QFontMetrics>

#include <array>
#include <vector>

namespace Slipdesk::ColumnFit {

namespace {

constexpr int kMargin = 4;
// Estimates can differ from the shaped text by kerning: the few widest
// estimates of a column are measured exactly.
constexpr int kCandidates = 4;

class Advances
{
public:
    explicit Advances(const QFont &font)
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

struct Candidate
{
    int estimate = -1;
    int row = -1; // -1: the header
};

struct Column
{
    std::array<Candidate, kCandidates> best;
    bool anyText = false;

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

} // namespace

QList<int> widths(const DataTable &table, const QFont &font, int defaultWidth, const QList<int> &current)
{
    const int columns = table.columnCount();
    Advances advances(font);
    std::vector<Column> fit(columns);
    const auto offer = [&](int column, QStringView text, int row) {
        if (text.isEmpty() || (current.value(column, 1) == 0))
            return;
        fit[column].anyText = true;
        fit[column].offer(advances.of(text), row);
    };

    for (int c = 0; c < columns; ++c)
        offer(c, table.header().at(c), -1);
    if (table.hasData()) {
        const QChar separator = DataTable::separator();
        for (int r = 0; r < table.rowCount(); ++r) {
            offer(0, QString::number(r + 1), r);
            const QStringView row = table.rawRow(r);
            int column = 1;
            qsizetype start = 0;
            for (qsizetype i = 0; i <= row.size() && column < columns; ++i) {
                if (i == row.size() || row.at(i) == separator) {
                    offer(column, row.sliced(start, i - start), r);
                    ++column;
                    start = i + 1;
                }
            }
        }
    }

    QList<int> out;
    out.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        if (current.value(c, 1) == 0) {
            out.append(0);
            continue;
        }
        if (!fit[c].anyText) {
            out.append(defaultWidth);
            continue;
        }
        int widest = 0;
        for (const Candidate &candidate : fit[c].best) {
            if (candidate.estimate < 0)
                break;
            const QString text = candidate.row < 0 ? table.header().at(c) : table.cell(candidate.row, c);
            widest = std::max({widest, advances.exact(text), candidate.estimate});
        }
        out.append(widest + kMargin);
    }
    return out;
}

} // namespace Slipdesk::ColumnFit
