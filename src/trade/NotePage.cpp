#include "NotePage.h"

#include "render/BarcodeItems.h"
#include "render/DateText.h"
#include "render/Drawing.h"
#include "render/Length.h"
#include "render/RuledTable.h"

#include <QDate>

#include <array>
#include <optional>
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
template<typename E> struct Source
{
    const char16_t *item;
    Content content;
    Place place;
    std::optional<E> label;
    const char16_t *lead;
    std::array<std::optional<E>, 4> fields;
};

namespace delivery {
using enum DeliveryField;
constexpr Source<DeliveryField> kSources[] = {
    {u"店铺名称", Content::Text, Place::OnPage, LblShopName, u"", {}},
    {u"单据名称", Content::Text, Place::OnPage, {}, u"", {CmbInvoice}},
    {u"发货单号", Content::Text, Place::OnPage, {}, u"发货单号:", {EdtInvNo}},
    {u"买家姓名", Content::Text, Place::OnPage, LblBuyerName, u"买家姓名", {CmbBuyerName}},
    {u"买家昵称", Content::Text, Place::OnPage, LblBuyerNickName, u"昵称", {CmbBuyerWW}},
    {u"买家手机", Content::Text, Place::OnPage, LblbuyerMobile, u"手机", {EdtBuyerMobile}},
    {u"买家电话", Content::Text, Place::OnPage, LblbuyerTel, u"电话", {EdtBuyerTel}},
    {u"发货日期", Content::Date, Place::OnPage, {}, u"发货日期:", {DTPSender}},
    {u"收货地址", Content::Text, Place::OnPage, LblBuyerAdd, u"收货地址", {EdtAddSs, EdtAddDs, EdtAddQx, EdtAddress}},
    {u"收货邮编", Content::Text, Place::OnPage, LblBuyerYb, u"邮编", {EdtBuyerYb}},
    {u"商品表格", Content::GoodsTable, Place::OnPage, {}, u"", {}},
    {u"商品数量", Content::Text, Place::BelowTable, {}, u"商品数量:", {LblSumCount}},
    {u"邮递费用", Content::Text, Place::BelowTable, {}, u"邮递费用:￥", {EdtPostPrice}},
    {u"货款金额", Content::Text, Place::BelowTable, {}, u"货款金额:￥", {EdtMoneySumXx}},
    {u"金额合计", Content::Text, Place::BelowTable, {}, u"金额合计:￥", {EdtInvTotalJE}},
    {u"分隔直线", Content::Rule, Place::BelowTable, {}, u"", {}},
    {u"卖家留言", Content::Text, Place::BelowTable, LblSalerSay, u"卖家留言", {CmbSalerSay}},
    {u"店铺网址", Content::Text, Place::BelowTable, LblSalerShop, u"店铺网址", {EdtSalerShopWeb}},
    {u"卖家地址", Content::Text, Place::BelowTable, LblSalerAdd, u"卖家地址", {EdtSalerAdd}},
    {u"卖家姓名", Content::Text, Place::BelowTable, LblSalerName, u"卖家姓名", {CmbSalerName}},
    {u"卖家昵称", Content::Text, Place::BelowTable, LblSalerNickName, u"昵称", {EdtSalerWW}},
    {u"卖家手机", Content::Text, Place::BelowTable, LblSalerMobile, u"手机", {EdtSalerTel}},
    {u"发货快递", Content::Text, Place::BelowTable, LblInvEms, u"快递", {CmbEmsCompany}},
    {u"快递单号", Content::Text, Place::BelowTable, LblEmsNo, u"单号", {EdtInvEmsNo}},
    // Rows a template has only once the user added one (ItemTable::optionalItems).
    {u"发货单号条码", Content::Code128, Place::OnPage, {}, u"", {EdtInvNo}},
    {u"发货单号二维码", Content::QrCode, Place::OnPage, {}, u"", {EdtInvNo}},
};
} // namespace delivery

namespace inbound {
using enum InboundField;
constexpr Source<InboundField> kSources[] = {
    {u"店铺名称", Content::Text, Place::OnPage, LblInputShop, u"", {}},
    {u"单据名称", Content::Text, Place::OnPage, {}, u"", {CmbInputModel}},
    {u"经办人", Content::Text, Place::OnPage, LblInputJbr, u"经办人", {CmbInputJbr}},
    {u"入库类别", Content::Text, Place::OnPage, LblInputType, u"入库类别", {CmbInputType}},
    {u"入库日期", Content::Date, Place::OnPage, LblInputDate, u"入库日期", {DtpInputDate}},
    {u"入库单号", Content::Text, Place::OnPage, LblInputNo, u"入库单号", {EdtInputNo}},
    {u"商品表格", Content::GoodsTable, Place::OnPage, {}, u"", {}},
    {u"商品数量", Content::Text, Place::BelowTable, {}, u"商品数量:", {LblInputSumCount}},
    {u"货款金额", Content::Text, Place::BelowTable, {}, u"货款金额:￥", {EdtInputSumMoney}},
    {u"入库单号条码", Content::Code128, Place::OnPage, {}, u"", {EdtInputNo}},
    {u"入库单号二维码", Content::QrCode, Place::OnPage, {}, u"", {EdtInputNo}},
};
} // namespace inbound

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

template<typename E> QString textOf(const Source<E> &source, const TradeNote &note)
{
    QString value;
    bool hasFields = false;
    for (const std::optional<E> &field : source.fields) {
        if (!field)
            continue;
        hasFields = true;
        value += note.value(*field);
    }
    if (source.content == Content::Date)
        value = dateText(value);
    if (!source.label)
        return str(source.lead) + value;
    QString caption = note.value(*source.label);
    if (caption.isEmpty())
        caption = str(source.lead);
    return hasFields ? caption + u':' + value : caption;
}

template<typename E>
void drawNote(Drawing &drawing, const ItemTable &table, const TradeNote &note, std::span<const Source<E>> sources,
    std::span<const char16_t *const> header)
{
    const Table goods = tableOf(table, note);
    const Length belowTable = goods.bottom();

    for (const Source<E> &source : sources) {
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

} // namespace

void draw(Drawing &drawing, const ItemTable &table, const TradeNote &note)
{
    Canvas &canvas = drawing.canvas();
    canvas.setTextColor(canvas.printing() ? QColor(Qt::black) : QColor(0, 0, 255));
    if (note.kind == NoteKind::Delivery)
        drawNote<DeliveryField>(drawing, table, note, delivery::kSources, kDeliveryHeader);
    else
        drawNote<InboundField>(drawing, table, note, inbound::kSources, kInboundHeader);
}

} // namespace Slipdesk::NotePage
