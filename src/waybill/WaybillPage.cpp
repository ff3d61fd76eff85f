#include "WaybillPage.h"

#include "render/AmountItems.h"
#include "render/BarcodeItems.h"
#include "render/Drawing.h"

#include <QDate>

namespace Slipdesk::WaybillPage {

namespace {

enum class Kind { Text, Spaced, Figures, Capital, Date, Hour, Marker, SplitPart, Address, Code128, QrCode };

struct Source
{
    const char16_t *item;
    const char16_t *control; // the field, or for addresses the split switch
    Kind kind;
};

// Which field feeds which print item, and how it is drawn.
constexpr Source kSources[] = {
    {u"寄件人姓名", u"CmbJjrMc", Kind::Text},
    {u"始发地", u"EdtFrom", Kind::Text},
    {u"寄件单位省市", u"EdtJjDwSs", Kind::SplitPart},
    {u"寄件单位地市", u"EdtJjDwDs", Kind::SplitPart},
    {u"寄件单位区县", u"EdtJjDwQx", Kind::SplitPart},
    {u"寄件单位地址", u"EdtJjDwDz", Kind::Address},
    {u"寄件单位名称", u"CmbJjDwMc", Kind::Text},
    {u"寄件单位电话", u"EdtJjDwTel", Kind::Text},
    {u"寄件单位邮编", u"EdtJjDwYb", Kind::Spaced},
    {u"寄件人签名", u"CmbJjrMc", Kind::Text},
    {u"经办人签名", u"EdtJjDwJbrQm", Kind::Text},
    {u"收件人姓名", u"CmbSjrMc", Kind::Text},
    {u"目的地", u"EdtTo", Kind::Text},
    {u"收件单位省市", u"EdtSjDwSs", Kind::SplitPart},
    {u"收件单位地市", u"EdtSjDwDs", Kind::SplitPart},
    {u"收件单位区县", u"EdtSjDwQx", Kind::SplitPart},
    {u"收件单位地址", u"EdtSjDwDz", Kind::Address},
    {u"收件单位名称", u"CmbSjdwMc", Kind::Text},
    {u"收件单位电话", u"EdtSjDwTel", Kind::Text},
    {u"收件单位邮编", u"EdtSjdwYb", Kind::Spaced},
    {u"信函日期", u"DateTimeP", Kind::Date},
    {u"信函时点", u"", Kind::Hour},
    {u"信函物品", u"CmbLetterWP", Kind::Text},
    {u"信函留言", u"CmbLetterLy", Kind::Text},
    {u"第1组标记1", u"ChbSelect1", Kind::Marker},
    {u"第1组标记2", u"ChbSelect2", Kind::Marker},
    {u"第2组标记1", u"ChbSelect3", Kind::Marker},
    {u"第2组标记2", u"ChbSelect4", Kind::Marker},
    {u"第2组标记3", u"ChbSelect5", Kind::Marker},
    {u"第2组标记4", u"ChbSelect6", Kind::Marker},
    {u"第3组标记1", u"ChbSelect7", Kind::Marker},
    {u"第3组标记2", u"ChbSelect8", Kind::Marker},
    {u"第3组标记3", u"ChbSelect9", Kind::Marker},
    {u"第3组标记4", u"ChbSelect10", Kind::Marker},
    {u"第3组标记5", u"Chbselect11", Kind::Marker},
    {u"寄件人电话", u"EdtJjrTel1", Kind::Text},
    {u"寄件人昵称", u"EdtJjrWW", Kind::Text},
    {u"寄件人手机", u"EdtJjrMobile", Kind::Text},
    {u"寄件人支付宝", u"EdtJjrPayEmail", Kind::Text},
    {u"寄件人信箱", u"EdtJjrEmail", Kind::Text},
    {u"寄件人聊天", u"EdtJjrIM", Kind::Text},
    {u"寄件单位传真", u"EdtJjDwFax", Kind::Text},
    {u"寄件单位代码", u"EdtJjDwDm", Kind::Spaced},
    {u"寄件单位税号", u"EdtJjDwTax", Kind::Spaced},
    {u"寄件单位网址", u"EdtJjDwWeb", Kind::Text},
    {u"寄件单位银行", u"EdtJjDwBank", Kind::Text},
    {u"寄件单位账号", u"EdtJjDwBankId", Kind::Spaced},
    {u"收件人电话", u"EdtSjrTel1", Kind::Text},
    {u"收件人昵称", u"EdtSjrWW", Kind::Text},
    {u"收件人手机", u"EdtSjrMobile", Kind::Text},
    {u"收件人支付宝", u"EdtSjrPayEmail", Kind::Text},
    {u"收件人信箱", u"EdtSjrEmail", Kind::Text},
    {u"收件人聊天", u"EdtSjrIM", Kind::Text},
    {u"收件单位传真", u"EdtSjDwFax", Kind::Text},
    {u"收件单位代码", u"EdtSjDwDm", Kind::Spaced},
    {u"收件单位类别", u"EdtSjDwType", Kind::Text},
    {u"收件单位编号", u"EdtSjDwNo", Kind::Spaced},
    {u"收件单位网址", u"EdtSjDwWeb", Kind::Text},
    {u"收件单位部门", u"CmbSjdwBm", Kind::Text},
    {u"收件人称谓", u"CmbSjrCw", Kind::Text},
    {u"信函收件语", u"CmbSjrSy", Kind::Text},
    {u"信函编号", u"EdtEmsNo", Kind::Text},
    {u"信函金额", u"EdtWpJe", Kind::Figures},
    {u"信函金额大写", u"EdtWpJe", Kind::Capital},
    {u"物流订单", u"EdtWLDD", Kind::Text},
    {u"物品件数", u"EdtWpCount", Kind::Text},
    {u"物品重量", u"EdtWpWeight", Kind::Text},
    {u"代收货款", u"EdtDshk", Kind::Figures},
    {u"代收货款大写", u"EdtDshk", Kind::Capital},
    {u"保价金额", u"EdtBjje", Kind::Figures},
    {u"保价金额大写", u"EdtBjje", Kind::Capital},
    {u"保费", u"EdtBF", Kind::Figures},
    {u"运费", u"EdtYF", Kind::Figures},
    {u"加急费", u"EdtJJF", Kind::Figures},
    // Rows no built-in table holds: a template has them only once the user
    // added one (ItemTable::optionalItems).
    {u"信函编号条码", u"EdtEmsNo", Kind::Code128},
    {u"信函编号二维码", u"EdtEmsNo", Kind::QrCode},
    {u"物流订单条码", u"EdtWLDD", Kind::Code128},
    {u"物流订单二维码", u"EdtWLDD", Kind::QrCode},
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

bool ticked(const FieldValues &values, const QString &control)
{
    return values.value(control) == u"1";
}

// Sender fields start with "EdtJjDw", recipient ones with "EdtSjDw".
bool senderSide(const QString &control)
{
    return control.startsWith(u"EdtJjDw");
}

QString splitSwitch(const QString &control)
{
    return senderSide(control) ? QStringLiteral("ChbFgJjAddress") : QStringLiteral("ChbFgSjAddress");
}

QString wholeAddress(const FieldValues &values, const QString &street)
{
    const QString prefix = senderSide(street) ? QStringLiteral("EdtJjDw") : QStringLiteral("EdtSjDw");
    return values.value(prefix + u"Ss") + values.value(prefix + u"Ds") + values.value(prefix + u"Qx")
        + values.value(street);
}

int capitalFormat(const Formats &formats, const QString &control)
{
    if (control == u"EdtDshk")
        return formats.cod;
    if (control == u"EdtBjje")
        return formats.insured;
    return formats.amount;
}

// The hour as a short time format without a leading zero writes it ("9").
QString hourText(const QTime &now)
{
    return QString::number(now.hour());
}

} // namespace

void draw(Drawing &drawing, const ItemTable &table, const FieldValues &values, const Formats &formats, const QTime &now)
{
    Canvas &canvas = drawing.canvas();
    canvas.setTextColor(canvas.printing() ? QColor(Qt::black) : QColor(0, 0, 255));

    // Items are drawn in the fixed order of the sources, each from its first
    // row in the template: overlapping items, and the order of the drawing
    // operations, do not change when the user drags rows in the editor.
    for (const Source &s : kSources) {
        const Source *source = &s;
        const int row = table.findItem(str(s.item));
        if (row < 1)
            continue;
        const ItemParams item = ItemParams::fromRow(table, row);
        if (!item.print)
            continue;
        const QString control = str(source->control);
        const QString value = values.value(control);
        switch (source->kind) {
        case Kind::Text:
            drawing.drawItem(value, item);
            break;
        case Kind::Spaced:
            drawing.drawSpacedItem(value, item);
            break;
        case Kind::SplitPart:
            if (ticked(values, splitSwitch(control)))
                drawing.drawItem(value, item);
            break;
        case Kind::Address:
            drawing.drawItem(ticked(values, splitSwitch(control)) ? value : wholeAddress(values, control), item);
            break;
        case Kind::Figures:
            drawAmountFigures(drawing, value, item);
            break;
        case Kind::Capital:
            drawCapitalAmount(drawing, value, capitalFormat(formats, control), item);
            break;
        case Kind::Date: {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (date.isValid())
                drawDate(drawing, date, formats.date, item);
            break;
        }
        case Kind::Hour:
            drawing.drawItem(hourText(now), item);
            break;
        case Kind::Marker:
            if (ticked(values, control))
                drawing.drawItem(QStringLiteral("√"), item);
            break;
        case Kind::Code128:
            drawBarcode(drawing, value, Barcode::Symbology::Code128, item);
            break;
        case Kind::QrCode:
            drawBarcode(drawing, value, Barcode::Symbology::QrCode, item);
            break;
        }
    }
}

QStringList sourceControls()
{
    QStringList names;
    for (const Source &s : kSources) {
        const QString control = str(s.control);
        if (!control.isEmpty() && !names.contains(control))
            names.append(control);
    }
    for (const char *extra : {"ChbFgJjAddress", "ChbFgSjAddress", "EdtJjDwSs", "EdtJjDwDs", "EdtJjDwQx", "EdtSjDwSs",
             "EdtSjDwDs", "EdtSjDwQx"})
        if (!names.contains(QLatin1String(extra)))
            names.append(QLatin1String(extra));
    return names;
}

} // namespace Slipdesk::WaybillPage
