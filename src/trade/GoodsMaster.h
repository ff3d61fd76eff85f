#pragma once

#include <QHash>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The goods master "商品资料.TXT": 商品编码,商品名称,计量单位,库存数量,售价,出库备注,进价,
// 入库备注,待发数量. Held in memory for the whole run, loaded on first use,
// with the code index that finds a line by its code.
class GoodsMaster
{
public:
    enum Field { Code, Name, Unit, Stock, SalePrice, OutRemark, CostPrice, InRemark, Pending };

    static QString fileName();
    static QStringList samples();

    // Reads the file, or the two sample lines when it is missing; throws
    // IoError (and keeps what it held) when the file cannot be read.
    void load(const Paths &paths);
    // Takes `rows` as the goods master (the data window saved it).
    void setRows(const QStringList &rows);
    bool isLoaded() const { return m_loaded; }
    // Forgets the lines; the next use loads them again.
    void clear();

    const QStringList &rows() const { return m_rows; }
    int size() const { return int(m_rows.size()); }

    // The position of the first line whose code is `code`, letter case
    // ignored; -1 when there is none.
    int find(const QString &code) const;

    // Field `field` of line `line`; empty when the line is shorter.
    QString field(int line, int field) const;
    // Field `field` read as a number; text that is no number counts as 0
    // (a missing pending quantity reads 0).
    double number(int line, int field) const;
    // Replaces one field, keeping the others; a shorter line is first
    // extended with empty fields.
    void setField(int line, int field, const QString &value);
    // Appends a line and its code to the index; returns its position.
    int append(const QString &line);
    // Writes every line to "商品资料.TXT" (atomically).
    void save(const Paths &paths) const;

private:
    void rebuildIndex();

    void encodeLine(int line) const;

    QStringList m_rows;
    QHash<QString, int> m_index; // folded code -> first position
    // Each line as the file holds it (GB18030 with CR LF), kept beside the
    // text: posting writes the whole master after every note, and encoding
    // 100,000 unchanged lines each time would cost more than the write.
    mutable QList<QByteArray> m_bytes;
    bool m_loaded = false;
};

} // namespace Slipdesk
