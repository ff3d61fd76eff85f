#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Slipdesk {

// A template's item table: row 0 is the header "序号,打印项目,是否打印,距左端,
// 距上端,宽度,间距,字号,字体,自动缩小,换行方式", every further row one print item.
// The editor grid shows it; printing reads it (saved or not).
class ItemTable
{
public:
    enum Kind { Express = 0, Delivery = 1, Inbound = 2 };

    ItemTable() = default;
    explicit ItemTable(QList<QStringList> rows)
        : m_rows(std::move(rows))
    {
    }

    static QString header();
    static ItemTable builtIn(int kind); // 74, 24 and 9 items

    // Items no built-in table holds, which a template gains only when the
    // user adds one in the editor: the barcodes of the form's numbers
    // ("信函编号条码", "信函编号二维码", …). Their rows are stored in the
    // ".SET" like every other row; a table without them prints exactly as
    // before, and a program that does not know them shows them in its grid
    // and prints nothing for them.
    static QStringList optionalItems(int kind);
    // The row an added optional item starts with, for the table's columns:
    // printed, at a neutral place, sized for its symbol. Empty for a name
    // that is not an optional item of `kind`.
    QStringList optionalRow(int kind, const QString &name) const;

    // The ".SET" file: comma-text lines; a missing file gives the built-in
    // table of `kind`. Column 0 is renumbered 1 … N on load.
    static ItemTable load(const QString &setPath, int kind);
    void save(const QString &setPath) const;

    int rowCount() const { return int(m_rows.size()); }
    const QList<QStringList> &rows() const { return m_rows; }
    QList<QStringList> &rows() { return m_rows; }
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &value);

    // First row whose "打印项目" is `name`, or -1.
    int findItem(const QString &name) const;
    // Column whose header (row 0) is `header`; the English keys "left", "top",
    // "split", "width" (any case) map to "距左端", "距上端", "间距", "宽度". -1 if none.
    int findColumn(const QString &header) const;

private:
    QList<QStringList> m_rows;
};

// The drawing parameters of one item row, with the defaults for missing or
// non-numeric cells and for rows outside the table.
struct ItemParams
{
    enum Wrap { AutoWrap = 0, ManualWrap = 1, NoWrap = 2 };

    bool print = false; // "是否打印" is "打印"
    int left = 0; // 0.1 mm
    int top = 0;
    int width = 0;
    int spacing = 0;
    int size = 10; // points
    QString font = QStringLiteral("黑体");
    bool shrink = true; // only "否" switches it off
    Wrap wrap = AutoWrap;

    static ItemParams fromRow(const ItemTable &table, int row);
};

} // namespace Slipdesk
