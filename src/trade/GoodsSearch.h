#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Slipdesk {

// The goods picker's matching while the user types a code or a name: every
// goods line whose code (field 0) or name (field 1) contains the typed text,
// letter case ignored, in goods-master order.
//
// A keystroke searches goods masters of 100,000 lines, so the searched field
// is kept upper-cased as one text (values separated by line breaks, which no
// field holds) and scanned with one substring search. The copy belongs to one
// version of the lines: any change to the list handed in (a reload, a field
// replaced) starts it afresh, except that lines appended at the end, as a
// posting appends them, only extend it.
class GoodsSearch
{
public:
    // The searched fields: the code and the name of a goods line.
    static constexpr int CodeField = 0;
    static constexpr int NameField = 1;

    // The field a grid column searches (column 1 the code, 2 the name); -1
    // for the other columns.
    static int fieldOfColumn(int column);

    // Positions (0-based) of the lines whose field `field` contains `text`,
    // both upper-cased. Empty text finds nothing.
    QList<int> find(const QStringList &lines, int field, QStringView text);
    // Builds the searched field ahead of the first keystroke.
    void prepare(const QStringList &lines, int field);

private:
    struct Column
    {
        QString text; // the upper-cased values, each followed by '\n'
        QList<qsizetype> starts; // where each line's value begins in `text`
        bool built = false;
    };
    void follow(const QStringList &lines);
    void extend(Column &column, int field, qsizetype from) const;
    Column &column(int field);

    QStringList m_lines; // shares the caller's list while it is unchanged
    Column m_columns[2];
};

} // namespace Slipdesk
