#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Slipdesk {

// The fuzzy look-up over the recipient book while the user types: every row
// whose searched field contains the typed text, shown as
// "n,收件人,昵称,收件单位名称,单位电话" with n the 1-based row number.
//
// It runs on every keystroke over books of 100,000 rows, so it keeps the
// searched column as one text (values separated by line breaks, which no
// field holds) and scans that with a single substring search, and it keeps
// each row's list item once built. Both caches belong to one version of the
// book: any change to the list handed in (an appended row, a reload, an edit
// in place) detaches it from the copy kept here and starts them afresh, except
// that rows appended at the end only extend them.
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
    // Both in one: the items for one keystroke.
    QStringList search(const QStringList &rows, int field, QStringView text);
    // Builds the searched column ahead of the first keystroke (when the user
    // enters a look-up control).
    void prepare(const QStringList &rows, int field);

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
    // be measured with a font.
    static QList<int> widestCandidates(const QStringList &items, int limit = 32);

private:
    struct Column
    {
        QString text; // the field values joined by '\n'
        QList<qsizetype> starts; // where each row's value begins in `text`
    };
    void follow(const QStringList &rows);
    void extend(Column &c, int field, qsizetype from) const;
    const Column &column(int field);

    QStringList m_book; // shares the caller's list while unchanged
    QHash<int, Column> m_columns;
    QStringList m_items; // built on demand, null until then
};

} // namespace Slipdesk
