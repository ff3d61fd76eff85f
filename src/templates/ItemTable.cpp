#include "ItemTable.h"

#include "storage/TextTable.h"

#include <QFileInfo>

#include <iterator>

namespace Slipdesk {

namespace {

// One built-in item. The font is always "黑体" and the wrap mode "自动换行".
struct BuiltInItem
{
    const char16_t *name;
    bool print;
    int left;
    int top;
    int width;
    int spacing;
    int size;
    bool shrink;
};

// The items that come switched off at a neutral place, for the user to
// position when the form needs them.
constexpr BuiltInItem off(const char16_t *name)
{
    return {name, false, 150, 120, 100, 0, 10, true};
}

constexpr BuiltInItem kExpressItems[] = {
    {u"寄件人姓名", true, 1150, 1000, 200, 0, 10, true},
    {u"始发地", false, 1150, 1000, 200, 0, 10, true},
    {u"寄件单位省市", true, 550, 1100, 150, 0, 10, true},
    {u"寄件单位地市", true, 700, 1100, 150, 0, 10, true},
    {u"寄件单位区县", true, 850, 1100, 150, 0, 10, true},
    {u"寄件单位地址", true, 550, 1100, 600, 0, 10, false},
    {u"寄件单位名称", true, 550, 1000, 600, 0, 10, false},
    off(u"寄件单位电话"),
    {u"寄件单位邮编", true, 1500, 1150, 0, 30, 10, true},
    off(u"寄件人签名"),
    off(u"经办人签名"),
    {u"收件人姓名", true, 600, 750, 300, 0, 10, true},
    {u"目的地", false, 600, 750, 300, 0, 10, true},
    {u"收件单位省市", true, 300, 350, 150, 0, 10, true},
    {u"收件单位地市", true, 450, 350, 150, 0, 10, true},
    {u"收件单位区县", true, 600, 350, 150, 0, 10, true},
    {u"收件单位地址", true, 300, 350, 500, 0, 10, false},
    {u"收件单位名称", true, 400, 550, 800, 0, 10, false},
    off(u"收件单位电话"),
    {u"收件单位邮编", true, 150, 120, 0, 100, 10, true},
    off(u"信函日期"),
    off(u"信函时点"),
    off(u"信函物品"),
    off(u"信函留言"),
    off(u"第1组标记1"),
    off(u"第1组标记2"),
    off(u"第2组标记1"),
    off(u"第2组标记2"),
    off(u"第2组标记3"),
    off(u"第2组标记4"),
    off(u"第3组标记1"),
    off(u"第3组标记2"),
    off(u"第3组标记3"),
    off(u"第3组标记4"),
    off(u"第3组标记5"),
    off(u"寄件人电话"),
    off(u"寄件人昵称"),
    off(u"寄件人手机"),
    off(u"寄件人支付宝"),
    off(u"寄件人信箱"),
    off(u"寄件人聊天"),
    off(u"寄件单位传真"),
    off(u"寄件单位代码"),
    off(u"寄件单位税号"),
    off(u"寄件单位网址"),
    off(u"寄件单位银行"),
    off(u"寄件单位账号"),
    off(u"收件人电话"),
    off(u"收件人昵称"),
    off(u"收件人手机"),
    off(u"收件人支付宝"),
    off(u"收件人信箱"),
    off(u"收件人聊天"),
    off(u"收件单位传真"),
    {u"收件单位代码", false, 1100, 120, 100, 0, 10, true},
    off(u"收件单位类别"),
    off(u"收件单位编号"),
    off(u"收件单位网址"),
    {u"收件单位部门", true, 1300, 550, 300, 0, 10, true},
    {u"收件人称谓", true, 900, 750, 100, 0, 10, true},
    {u"信函收件语", true, 1100, 750, 100, 0, 10, true},
    off(u"信函编号"),
    off(u"信函金额"),
    off(u"信函金额大写"),
    off(u"物流订单"),
    off(u"物品件数"),
    off(u"物品重量"),
    off(u"代收货款"),
    off(u"代收货款大写"),
    off(u"保价金额"),
    off(u"保价金额大写"),
    off(u"保费"),
    off(u"运费"),
    off(u"加急费"),
};
static_assert(std::size(kExpressItems) == 74);

constexpr BuiltInItem kDeliveryItems[] = {
    {u"店铺名称", true, 800, 100, 800, 0, 15, true},
    {u"单据名称", true, 800, 170, 800, 0, 13, true},
    {u"发货单号", true, 1650, 180, 450, 0, 10, true},
    {u"买家姓名", true, 100, 250, 350, 0, 10, true},
    {u"买家昵称", true, 450, 250, 400, 0, 10, true},
    {u"买家手机", true, 850, 250, 400, 0, 10, true},
    {u"买家电话", true, 1250, 250, 400, 0, 10, true},
    {u"发货日期", true, 1650, 250, 400, 0, 10, true},
    {u"收货地址", true, 100, 300, 1600, 0, 10, true},
    {u"收货邮编", true, 1650, 300, 200, 0, 10, true},
    {u"商品表格", true, 100, 360, 1900, 60, 10, true},
    {u"商品数量", true, 100, 20, 400, 0, 10, true},
    {u"邮递费用", true, 500, 20, 500, 0, 10, true},
    {u"货款金额", true, 1000, 20, 500, 0, 10, true},
    {u"金额合计", true, 1500, 20, 500, 0, 10, true},
    {u"分隔直线", true, 100, 70, 1900, 10, 10, true},
    {u"卖家留言", true, 100, 100, 1900, 0, 10, true},
    {u"店铺网址", true, 100, 150, 950, 0, 10, true},
    {u"卖家地址", true, 1050, 150, 950, 0, 10, true},
    {u"卖家姓名", true, 100, 200, 350, 0, 10, true},
    {u"卖家昵称", true, 450, 200, 400, 0, 10, true},
    {u"卖家手机", true, 850, 200, 400, 0, 10, true},
    {u"发货快递", true, 1250, 200, 450, 0, 10, true},
    {u"快递单号", true, 1700, 200, 300, 0, 10, true},
};
static_assert(std::size(kDeliveryItems) == 24);

constexpr BuiltInItem kInboundItems[] = {
    {u"店铺名称", true, 800, 100, 800, 0, 15, true},
    {u"单据名称", true, 800, 170, 800, 0, 13, true},
    {u"经办人", true, 100, 250, 350, 0, 10, true},
    {u"入库类别", true, 450, 250, 400, 0, 10, true},
    {u"入库日期", true, 850, 250, 400, 0, 10, true},
    {u"入库单号", true, 1650, 250, 450, 0, 10, true},
    {u"商品表格", true, 100, 310, 1900, 60, 10, true},
    {u"商品数量", true, 100, 20, 400, 0, 10, true},
    {u"货款金额", true, 1650, 20, 500, 0, 10, true},
};
static_assert(std::size(kInboundItems) == 9);

// The items a template gains only when the user adds one, with the box each
// starts with: a Code 128 60 mm wide with bars 10 mm high, a QR code 25 mm
// square (quiet zones included).
struct OptionalItem
{
    ItemTable::Kind kind;
    const char16_t *name;
    int width;
    int spacing;
};

constexpr OptionalItem kOptionalItems[] = {
    {ItemTable::Express, u"信函编号条码", 600, 100},
    {ItemTable::Express, u"信函编号二维码", 250, 0},
    {ItemTable::Express, u"物流订单条码", 600, 100},
    {ItemTable::Express, u"物流订单二维码", 250, 0},
    {ItemTable::Delivery, u"发货单号条码", 600, 100},
    {ItemTable::Delivery, u"发货单号二维码", 250, 0},
    {ItemTable::Inbound, u"入库单号条码", 600, 100},
    {ItemTable::Inbound, u"入库单号二维码", 250, 0},
};

template<std::size_t N> QList<QStringList> rowsOf(const BuiltInItem (&items)[N])
{
    QList<QStringList> rows;
    rows.reserve(qsizetype(N) + 1);
    rows.append(TextTable::splitCommaText(ItemTable::header()));
    for (const BuiltInItem &item : items) {
        rows.append(QStringList {
            QString(),
            QString::fromUtf16(item.name),
            item.print ? QStringLiteral("打印") : QStringLiteral("不打印"),
            QString::number(item.left),
            QString::number(item.top),
            QString::number(item.width),
            QString::number(item.spacing),
            QString::number(item.size),
            QStringLiteral("黑体"),
            item.shrink ? QStringLiteral("是") : QStringLiteral("否"),
            QStringLiteral("自动换行"),
        });
    }
    return rows;
}

// Column 0 is a display number only: whatever a file holds there is replaced.
void renumber(QList<QStringList> &rows)
{
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows[i].isEmpty())
            rows[i].append(QString());
        rows[i][0] = QString::number(i);
    }
}

int intOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

QString ItemTable::header()
{
    return QStringLiteral("序号,打印项目,是否打印,距左端,距上端,宽度,间距,字号,字体,自动缩小,换行方式");
}

ItemTable ItemTable::builtIn(int kind)
{
    QList<QStringList> rows;
    switch (kind) {
    case Delivery:
        rows = rowsOf(kDeliveryItems);
        break;
    case Inbound:
        rows = rowsOf(kInboundItems);
        break;
    default:
        rows = rowsOf(kExpressItems);
        break;
    }
    renumber(rows);
    return ItemTable(std::move(rows));
}

QStringList ItemTable::optionalItems(int kind)
{
    QStringList names;
    for (const OptionalItem &item : kOptionalItems) {
        if (item.kind == kind)
            names.append(QString::fromUtf16(item.name));
    }
    return names;
}

QStringList ItemTable::optionalRow(int kind, const QString &name) const
{
    const OptionalItem *found = nullptr;
    for (const OptionalItem &item : kOptionalItems) {
        if (item.kind == kind && name == QString::fromUtf16(item.name))
            found = &item;
    }
    if (!found)
        return {};
    // By the table's own header, so that a table whose columns stand in
    // another order (or lack one) still gets each value in its column.
    const QList<std::pair<QString, QString>> values {
        {QStringLiteral("打印项目"), name},
        {QStringLiteral("是否打印"), QStringLiteral("打印")},
        {QStringLiteral("距左端"), QStringLiteral("150")},
        {QStringLiteral("距上端"), QStringLiteral("120")},
        {QStringLiteral("宽度"), QString::number(found->width)},
        {QStringLiteral("间距"), QString::number(found->spacing)},
        {QStringLiteral("字号"), QStringLiteral("10")},
        {QStringLiteral("字体"), QStringLiteral("黑体")},
        {QStringLiteral("自动缩小"), QStringLiteral("是")},
        {QStringLiteral("换行方式"), QStringLiteral("不换行")},
    };
    const QStringList columns = m_rows.isEmpty() ? TextTable::splitCommaText(header()) : m_rows.first();
    QStringList row(columns.size());
    for (const auto &[column, value] : values) {
        const qsizetype at = columns.indexOf(column);
        if (at >= 0)
            row[at] = value;
    }
    return row;
}

ItemTable ItemTable::load(const QString &setPath, int kind)
{
    if (!QFileInfo::exists(setPath))
        return builtIn(kind);
    QList<QStringList> rows;
    const QStringList lines = TextTable::load(setPath);
    rows.reserve(lines.size());
    for (const QString &line : lines)
        rows.append(TextTable::splitCommaText(line));
    // A file without even a header line (truncated by an outside tool or a
    // full disk) leaves nothing to edit or print, and item names cannot be
    // typed in: start again from the built-in table instead.
    if (rows.isEmpty())
        return builtIn(kind);
    renumber(rows);
    return ItemTable(std::move(rows));
}

void ItemTable::save(const QString &setPath) const
{
    QStringList lines;
    lines.reserve(m_rows.size());
    for (const QStringList &row : m_rows)
        lines.append(TextTable::joinCommaText(row));
    TextTable::save(setPath, lines);
}

QString ItemTable::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return QString();
    return m_rows[row].value(column);
}

void ItemTable::setCell(int row, int column, const QString &value)
{
    if (row < 0 || column < 0)
        return;
    while (m_rows.size() <= row)
        m_rows.append(QStringList());
    QStringList &cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = value;
}

int ItemTable::findItem(const QString &name) const
{
    const int column = findColumn(QStringLiteral("打印项目"));
    if (column < 0)
        return -1;
    for (int row = 1; row < rowCount(); ++row) {
        if (m_rows[row].value(column) == name)
            return row;
    }
    return -1;
}

int ItemTable::findColumn(const QString &header) const
{
    if (m_rows.isEmpty())
        return -1;
    QString wanted = header;
    const QString key = header.toLower();
    if (key == u"left")
        wanted = QStringLiteral("距左端");
    else if (key == u"top")
        wanted = QStringLiteral("距上端");
    else if (key == u"split")
        wanted = QStringLiteral("间距");
    else if (key == u"width")
        wanted = QStringLiteral("宽度");
    return int(m_rows.first().indexOf(wanted));
}

ItemParams ItemParams::fromRow(const ItemTable &table, int row)
{
    ItemParams params;
    if (row < 1 || row >= table.rowCount())
        return params;
    const auto text = [&](const QString &header) { return table.cell(row, table.findColumn(header)); };
    params.print = text(QStringLiteral("是否打印")) == u"打印";
    params.left = intOr(text(QStringLiteral("距左端")), 0);
    params.top = intOr(text(QStringLiteral("距上端")), 0);
    params.width = intOr(text(QStringLiteral("宽度")), 0);
    params.spacing = intOr(text(QStringLiteral("间距")), 0);
    params.size = intOr(text(QStringLiteral("字号")), 10);
    const QString font = text(QStringLiteral("字体"));
    if (!font.isEmpty())
        params.font = font;
    params.shrink = text(QStringLiteral("自动缩小")) != u"否";
    const QString wrap = text(QStringLiteral("换行方式"));
    if (wrap == u"手工换行")
        params.wrap = ManualWrap;
    else if (wrap == u"不换行")
        params.wrap = NoWrap;
    else
        params.wrap = AutoWrap;
    return params;
}

} // namespace Slipdesk
