#include "NotePage.h"

#include "render/BarcodeItems.h"
#include "render/DateText.h"
#include "render/Drawing.h"
#include "render/Length.h"
#include "render/RuledTable.h"

#include <QDate>

#include <array>
#include <span>

namespace Slipdesk::NotePage {

namespace {

using RuledTable::Align;
using RuledTable::Box;

enum class Content {
    Text, // lead + the controls' values joined
    Date, // lead + the one control's date in the short form
    GoodsTable,
    Rule, // two horizontal lines
    Code128, // the controls' values as a barcode
    QrCode,
};

enum class Place { OnPage, BelowTable };

// Which fields feed which print item. A source with a label leads with the
// label's caption (the built-in `lead` when the note has none) and, when it
// has values, a ":" between caption and value; without a label `lead` is
// printed as it stands.
struct Source
{
    const char16_t *item;
    Content content;
    Place place;
    const char16_t *label;
    const char16_t *lead;
    std::array<const char16_t *, 4> controls;
};

constexpr Source kDeliverySources[] = {
    {u"店铺名称", Content::Text, Place::OnPage, u"LblShopName", u"", {}},
    {u"单据名称", Content::Text, Place::OnPage, nullptr, u"", {u"CmbInvoice"}},
    {u"发货单号", Content::Text, Place::OnPage, nullptr, u"发货单号:", {u"EdtInvNo"}},
    {u"买家姓名", Content::Text, Place::OnPage, u"LblBuyerName", u"买家姓名", {u"CmbBuyerName"}},
    {u"买家昵称", Content::Text, Place::OnPage, u"LblBuyerNickName", u"昵称", {u"CmbBuyerWW"}},
    {u"买家手机", Content::Text, Place::OnPage, u"LblbuyerMobile", u"手机", {u"EdtBuyerMobile"}},
    {u"买家电话", Content::Text, Place::OnPage, u"LblbuyerTel", u"电话", {u"EdtBuyerTel"}},
    {u"发货日期", Content::Date, Place::OnPage, nullptr, u"发货日期:", {u"DTPSender"}},
    {u"收货地址", Content::Text, Place::OnPage, u"LblBuyerAdd", u"收货地址",
        {u"EdtAddSs", u"EdtAddDs", u"EdtAddQx", u"EdtAddress"}},
    {u"收货邮编", Content::Text, Place::OnPage, u"LblBuyerYb", u"邮编", {u"EdtBuyerYb"}},
    {u"商品表格", Content::GoodsTable, Place::OnPage, nullptr, u"", {}},
    {u"商品数量", Content::Text, Place::BelowTable, nullptr, u"商品数量:", {u"LblSumCount"}},
    {u"邮递费用", Content::Text, Place::BelowTable, nullptr, u"邮递费用:￥", {u"EdtPostPrice"}},
    {u"货款金额", Content::Text, Place::BelowTable, nullptr, u"货款金额:￥", {u"EdtMoneySumXx"}},
    {u"金额合计", Content::Text, Place::BelowTable, nullptr, u"金额合计:￥", {u"EdtInvTotalJE"}},
    {u"分隔直线", Content::Rule, Place::BelowTable, nullptr, u"", {}},
    {u"卖家留言", Content::Text, Place::BelowTable, u"LblSalerSay", u"卖家留言", {u"CmbSalerSay"}},
    {u"店铺网址", Content::Text, Place::BelowTable, u"LblSalerShop", u"店铺网址", {u"EdtSalerShopWeb"}},
    {u"卖家地址", Content::Text, Place::BelowTable, u"LblSalerAdd", u"卖家地址", {u"EdtSalerAdd"}},
    {u"卖家姓名", Content::Text, Place::BelowTable, u"LblSalerName", u"卖家姓名", {u"CmbSalerName"}},
    {u"卖家昵称", Content::Text, Place::BelowTable, u"LblSalerNickName", u"昵称", {u"EdtSalerWW"}},
    {u"卖家手机", Content::Text, Place::BelowTable, u"LblSalerMobile", u"手机", {u"EdtSalerTel"}},
    {u"发货快递", Content::Text, Place::BelowTable, u"LblInvEms", u"快递", {u"CmbEmsCompany"}},
    {u"快递单号", Content::Text, Place::BelowTable, u"LblEmsNo", u"单号", {u"EdtInvEmsNo"}},
    // Rows a template has only once the user added one (ItemTable::optionalItems).
    {u"发货单号条码", Content::Code128, Place::OnPage, nullptr, u"", {u"EdtInvNo"}},
    {u"发货单号二维码", Content::QrCode, Place::OnPage, nullptr, u"", {u"EdtInvNo"}},
};

constexpr Source kInboundSources[] = {
    {u"店铺名称", Content::Text, Place::OnPage, u"LblInputShop", u"", {}},
    {u"单据名称", Content::Text, Place::OnPage, nullptr, u"", {u"CmbInputModel"}},
    {u"经办人", Content::Text, Place::OnPage, u"LblInputJbr", u"经办人", {u"CmbInputJbr"}},
    {u"入库类别", Content::Text, Place::OnPage, u"LblInputType", u"入库类别", {u"CmbInputType"}},
    {u"入库日期", Content::Date, Place::OnPage, u"LblInputDate", u"入库日期", {u"DtpInputDate"}},
    {u"入库单号", Content::Text, Place::OnPage, u"LblInputNo", u"入库单号", {u"EdtInputNo"}},
    {u"商品表格", Content::GoodsTable, Place::OnPage, nullptr, u"", {}},
    {u"商品数量", Content::Text, Place::BelowTable, nullptr, u"商品数量:", {u"LblInputSumCount"}},
    {u"货款金额", Content::Text, Place::BelowTable, nullptr, u"货款金额:￥", {u"EdtInputSumMoney"}},
    {u"入库单号条码", Content::Code128, Place::OnPage, nullptr, u"", {u"EdtInputNo"}},
    {u"入库单号二维码", Content::QrCode, Place::OnPage, nullptr, u"", {u"EdtInputNo"}},
};

// The printed header of the eight table columns, grid columns 0–7.
constexpr const char16_t *kDeliveryHeader[]
    = {u"序号", u"商品编码", u"商品名称", u"单位", u"数量", u"售价", u"金额", u"出库备注"};
constexpr const char16_t *kInboundHeader[]
    = {u"序号", u"商品编码", u"商品名称", u"单位", u"数量", u"进价", u"金额", u"入库备注"};

QString str(const char16_t *s)
{
    return s ? QString::fromUtf16(s) : QString();
}

Length tenths(int value)
{
    return Length::tenthMm(value);
}

// A column of the goods table: where it starts from the table's left edge
// and how wide it is, both for a table `width` wide.
struct Column
{
    Length offset;
    Length width;
    Align align;
};

std::array<Column, 8> columns(Length width)
{
    return {{
        {tenths(0), tenths(100), Align::Centre}, // 序号
        {tenths(100), tenths(200), Align::Centre}, // 商品编码
        {tenths(300), width - tenths(1200), Align::Left}, // 商品名称
        {width - tenths(900), tenths(100), Align::Centre}, // 单位
        {width - tenths(800), tenths(100), Align::Centre}, // 数量
        {width - tenths(700), tenths(150), Align::Right}, // price
        {width - tenths(550), tenths(200), Align::Right}, // 金额
        {width - tenths(350), tenths(350), Align::Left}, // remark
    }};
}

struct Table
{
    bool present = false;
    Length left;
    Length top;
    Length width;
    Length rowHeight;
    RuledTable::TextStyle style;
    GoodsRows rows; // the goods rows with a code, in grid order

    // Where the items below the table measure their top from.
    Length bottom() const { return present ? top + rowHeight * (int(rows.size()) + 1) : Length {}; }
};

Table tableOf(const ItemTable &items, const TradeNote &note)
{
    Table table;
    const int row = items.findItem(QStringLiteral("商品表格"));
    if (row < 1)
        return table;
    const ItemParams params = ItemParams::fromRow(items, row);
    table.present = true;
    table.left = tenths(params.left);
    table.top = tenths(params.top);
    table.width = tenths(params.width);
    table.rowHeight = tenths(params.spacing);
    table.style = {params.font, params.size};
    table.rows = GoodsTable::withCode(note.goods);
    return table;
}

void drawTable(Drawing &drawing, const Table &table, std::span<const char16_t *const> header)
{
    const std::array<Column, 8> cols = columns(table.width);
    const Length bottom = table.bottom();
    RuledTable::frame(drawing, {table.left, table.top, table.width, bottom - table.top});
    for (std::size_t c = 1; c < cols.size(); ++c) {
        const Length x = table.left + cols[c].offset;
        RuledTable::line(drawing, {x, table.top}, {x, bottom});
    }
    for (std::size_t c = 0; c < cols.size(); ++c) {
        const Box cell {table.left + cols[c].offset, table.top, cols[c].width, table.rowHeight};
        RuledTable::cellText(drawing, cell, str(header[c]), table.style, Align::Centre);
    }
    for (int k = 1; k <= int(table.rows.size()); ++k) {
        const Length y = table.top + table.rowHeight * k;
        RuledTable::line(drawing, {table.left, y}, {table.left + table.width, y});
        const GoodsRow &goods = table.rows.at(k - 1);
        for (std::size_t c = 0; c < cols.size(); ++c) {
            const Box cell {table.left + cols[c].offset, y, cols[c].width, table.rowHeight};
            RuledTable::cellText(drawing, cell, GoodsTable::cell(goods, int(c)), table.style, cols[c].align);
        }
    }
}

// The date as the short date form writes it; a text that is no date is
// printed as it was entered rather than lost.
QString dateText(const QString &value)
{
    const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    return date.isValid() ? shortDate(date) : value;
}

QString textOf(const Source &source, const TradeNote &note)
{
    QString value;
    bool hasControls = false;
    for (const char16_t *control : source.controls) {
        if (!control)
            continue;
        hasControls = true;
        value += note.values.value(str(control));
    }
    if (source.content == Content::Date)
        value = dateText(value);
    if (!source.label)
        return str(source.lead) + value;
    QString caption = note.values.value(str(source.label));
    if (caption.isEmpty())
        caption = str(source.lead);
    return hasControls ? caption + u':' + value : caption;
}

} // namespace

void draw(Drawing &drawing, const ItemTable &table, const TradeNote &note)
{
    Canvas &canvas = drawing.canvas();
    canvas.setTextColor(canvas.printing() ? QColor(Qt::black) : QColor(0, 0, 255));

    const bool delivery = note.kind == NoteKind::Delivery;
    const std::span<const Source> sources
        = delivery ? std::span<const Source>(kDeliverySources) : std::span<const Source>(kInboundSources);
    const std::span<const char16_t *const> header = delivery ? std::span<const char16_t *const>(kDeliveryHeader)
                                                             : std::span<const char16_t *const>(kInboundHeader);

    const Table goods = tableOf(table, note);
    const Length belowTable = goods.bottom();

    for (const Source &source : sources) {
        if (source.content == Content::GoodsTable) {
            // The table is the note itself: it is drawn whatever its
            // "是否打印" says.
            if (goods.present)
                drawTable(drawing, goods, header);
            continue;
        }
        const int row = table.findItem(str(source.item));
        if (row < 1)
            continue;
        ItemParams item = ItemParams::fromRow(table, row);
        if (!item.print)
            continue;
        if (source.place == Place::BelowTable)
            item.top = (belowTable + tenths(item.top)).tenths;
        if (source.content == Content::Rule) {
            const Length left = tenths(item.left);
            const Length right = left + tenths(item.width);
            const Length y = tenths(item.top);
            const Length second = y + tenths(item.spacing);
            RuledTable::line(drawing, {left, y}, {right, y});
            RuledTable::line(drawing, {left, second}, {right, second});
            continue;
        }
        if (source.content == Content::Code128 || source.content == Content::QrCode) {
            drawBarcode(drawing, textOf(source, note),
                source.content == Content::Code128 ? Barcode::Symbology::Code128 : Barcode::Symbology::QrCode, item);
            continue;
        }
        if (source.place == Place::BelowTable) {
            // The totals and the seller block follow a table of any length,
            // so they always fit themselves into their width: one line,
            // shrunk down to 4 points, and wrapped at 4 only when even that
            // is too wide.
            item.shrink = true;
            item.wrap = ItemParams::AutoWrap;
        }
        drawing.drawItem(textOf(source, note), item);
    }
}

} // namespace Slipdesk::NotePage
