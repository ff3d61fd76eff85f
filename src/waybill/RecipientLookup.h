#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace Slipdesk {

// The fuzzy look-up over the recipient book while the user types: every row
// whose searched field contains the typed text, shown as
// "n,收件人,昵称,收件单位名称,单位电话" with n the 1-based row number.
//
// It runs on every keystroke over books of 100,000 rows, the first keystroke
// in a field included, so the work that does not depend on the typed text is
// done once per version of the book (`prepare`, when the book is loaded or
// changes): each searched column is kept as one flat text (values separated
// by line breaks, which no stored field holds) that a keystroke scans with a
// single substring search, and each row's estimated display width is kept
// for sizing the list. A keystroke then yields row indexes only; list items
// are built for the rows actually put on screen. Any change to the list
// handed in (an appended row, a reload, an edit in place) detaches it from
// the copy kept here and starts the caches afresh, except that rows appended
// at the end only extend them.
class RecipientLookup
{
public:
    // The searched fields of the look-up controls.
    static constexpr int UnitField = 8;
    static constexpr int NameField = 10;
    static constexpr int NickField = 17;
    static constexpr int PhoneField = 13;

    // Row indexes (0-based, in book order) whose field `field` contains `text`
    // (case-sensitive, spaces kept). Empty text finds nothing.
    QList<int> find(const QStringList &rows, int field, QStringView text);
    // The list items of those rows.
    QStringList items(const QStringList &rows, const QList<int> &found);
    // Both in one: every item of one keystroke.
    QStringList search(const QStringList &rows, int field, QStringView text);
    // Builds the searched columns of the look-up controls (and the widths)
    // for this version of the book; later calls with the same book cost
    // nothing, and rows appended since only extend them.
    void prepare(const QStringList &rows);
    // The same, plus the column of `field` when it is not one of those.
    void prepare(const QStringList &rows, int field);

    // Up to `limit` of `found` (row indexes of `rows`) whose items are likely
    // the widest on screen, by the same estimate as `widestCandidates`,
    // without building the items.
    QList<int> widestRows(const QStringList &rows, const QList<int> &found, int limit = 32);

    // The list item of row `index` of a book.
    static QString itemText(QStringView row, int index);
    // The row index an item names (its first field less one); -1 when the
    // first field is not a positive whole number.
    static int rowOfItem(QStringView item);
    // A typed row number: the index n-1 when `text` is a whole number n with
    // 1 <= n <= count, else -1.
    static int typedRowNumber(QStringView text, int count);
    // The text the emptiness test looks at: every space removed.
    static bool blank(QStringView text);

    // Up to `limit` indexes of the items that are likely the widest on
    // screen (wide CJK characters count double), so that only those need to
    // be measured with a font. Of equal estimates the earlier item wins.
    static QList<int> widestCandidates(const QStringList &items, int limit = 32);

private:
    struct Column
    {
        int field = -1;
        QString text; // the field values joined by '\n'
        QList<qsizetype> starts; // where each row's value begins in `text`
    };
    void follow(const QStringList &rows);
    void extend(qsizetype from);
    const Column *column(int field);

    QStringList m_book; // shares the caller's list while unchanged
    bool m_prepared = false; // the shown columns and widths are built
    std::vector<Column> m_columns;
    // Estimated width of each row's item without its row number.
    QList<int> m_widths;
};

} // namespace Slipdesk
