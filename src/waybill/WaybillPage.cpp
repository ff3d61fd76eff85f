#include "WaybillPage.h"

#include "render/AmountItems.h"
#include "render/BarcodeItems.h"
#include "render/Drawing.h"
#include "storage/TemplateSettings.h"

#include <QDate>

namespace Slipdesk::WaybillPage {

namespace {

enum class Kind { Text, Spaced, Figures, Capital, Date, Hour, Marker, SplitPart, Address, Code128, QrCode };

struct Source
{
    const char16_t *item;
    WaybillField field; // the field, or for addresses the street
    Kind kind;
};

using enum WaybillField;

// Which field feeds which print item, and how it is drawn. 信函时点 has no
// field: it prints the hour of printing.
constexpr Source kSources[] = {
    {u"寄件人姓名", CmbJjrMc, Kind::Text},
    {u"始发地", EdtFrom, Kind::Text},
    {u"寄件单位省市", EdtJjDwSs, Kind::SplitPart},
    {u"寄件单位地市", EdtJjDwDs, Kind::SplitPart},
    {u"寄件单位区县", EdtJjDwQx, Kind::SplitPart},
    {u"寄件单位地址", EdtJjDwDz, Kind::Address},
    {u"寄件单位名称", CmbJjDwMc, Kind::Text},
    {u"寄件单位电话", EdtJjDwTel, Kind::Text},
    {u"寄件单位邮编", EdtJjDwYb, Kind::Spaced},
    {u"寄件人签名", CmbJjrMc, Kind::Text},
    {u"经办人签名", EdtJjDwJbrQm, Kind::Text},
    {u"收件人姓名", CmbSjrMc, Kind::Text},
    {u"目的地", EdtTo, Kind::Text},
    {u"收件单位省市", EdtSjDwSs, Kind::SplitPart},
    {u"收件单位地市", EdtSjDwDs, Kind::SplitPart},
    {u"收件单位区县", EdtSjDwQx, Kind::SplitPart},
    {u"收件单位地址", EdtSjDwDz, Kind::Address},
    {u"收件单位名称", CmbSjdwMc, Kind::Text},
    {u"收件单位电话", EdtSjDwTel, Kind::Text},
    {u"收件单位邮编", EdtSjdwYb, Kind::Spaced},
    {u"信函日期", DateTimeP, Kind::Date},
    {u"信函时点", Count, Kind::Hour},
    {u"信函物品", CmbLetterWP, Kind::Text},
    {u"信函留言", CmbLetterLy, Kind::Text},
    {u"第1组标记1", ChbSelect1, Kind::Marker},
    {u"第1组标记2", ChbSelect2, Kind::Marker},
    {u"第2组标记1", ChbSelect3, Kind::Marker},
    {u"第2组标记2", ChbSelect4, Kind::Marker},
    {u"第2组标记3", ChbSelect5, Kind::Marker},
    {u"第2组标记4", ChbSelect6, Kind::Marker},
    {u"第3组标记1", ChbSelect7, Kind::Marker},
    {u"第3组标记2", ChbSelect8, Kind::Marker},
    {u"第3组标记3", ChbSelect9, Kind::Marker},
    {u"第3组标记4", ChbSelect10, Kind::Marker},
    {u"第3组标记5", Chbselect11, Kind::Marker},
    {u"寄件人电话", EdtJjrTel1, Kind::Text},
    {u"寄件人昵称", EdtJjrWW, Kind::Text},
    {u"寄件人手机", EdtJjrMobile, Kind::Text},
    {u"寄件人支付宝", EdtJjrPayEmail, Kind::Text},
    {u"寄件人信箱", EdtJjrEmail, Kind::Text},
    {u"寄件人聊天", EdtJjrIM, Kind::Text},
    {u"寄件单位传真", EdtJjDwFax, Kind::Text},
    {u"寄件单位代码", EdtJjDwDm, Kind::Spaced},
    {u"寄件单位税号", EdtJjDwTax, Kind::Spaced},
    {u"寄件单位网址", EdtJjDwWeb, Kind::Text},
    {u"寄件单位银行", EdtJjDwBank, Kind::Text},
    {u"寄件单位账号", EdtJjDwBankId, Kind::Spaced},
    {u"收件人电话", EdtSjrTel1, Kind::Text},
    {u"收件人昵称", EdtSjrWW, Kind::Text},
    {u"收件人手机", EdtSjrMobile, Kind::Text},
    {u"收件人支付宝", EdtSjrPayEmail, Kind::Text},
    {u"收件人信箱", EdtSjrEmail, Kind::Text},
    {u"收件人聊天", EdtSjrIM, Kind::Text},
    {u"收件单位传真", EdtSjDwFax, Kind::Text},
    {u"收件单位代码", EdtSjDwDm, Kind::Spaced},
    {u"收件单位类别", EdtSjDwType, Kind::Text},
    {u"收件单位编号", EdtSjDwNo, Kind::Spaced},
    {u"收件单位网址", EdtSjDwWeb, Kind::Text},
    {u"收件单位部门", CmbSjdwBm, Kind::Text},
    {u"收件人称谓", CmbSjrCw, Kind::Text},
    {u"信函收件语", CmbSjrSy, Kind::Text},
    {u"信函编号", EdtEmsNo, Kind::Text},
    {u"信函金额", EdtWpJe, Kind::Figures},
    {u"信函金额大写", EdtWpJe, Kind::Capital},
    {u"物流订单", EdtWLDD, Kind::Text},
    {u"物品件数", EdtWpCount, Kind::Text},
    {u"物品重量", EdtWpWeight, Kind::Text},
    {u"代收货款", EdtDshk, Kind::Figures},
    {u"代收货款大写", EdtDshk, Kind::Capital},
    {u"保价金额", EdtBjje, Kind::Figures},
    {u"保价金额大写", EdtBjje, Kind::Capital},
    {u"保费", EdtBF, Kind::Figures},
    {u"运费", EdtYF, Kind::Figures},
    {u"加急费", EdtJJF, Kind::Figures},
    // Rows no built-in table holds: a template has them only once the user
    // added one (ItemTable::optionalItems).
    {u"信函编号条码", EdtEmsNo, Kind::Code128},
    {u"信函编号二维码", EdtEmsNo, Kind::QrCode},
    {u"物流订单条码", EdtWLDD, Kind::Code128},
    {u"物流订单二维码", EdtWLDD, Kind::QrCode},
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// The recipient's address parts and the switch that prints them apart, and
// the sender's.
struct AddressSide
{
    WaybillField split;
    WaybillField parts[4];
};
constexpr AddressSide kRecipientAddress {ChbFgSjAddress, {EdtSjDwSs, EdtSjDwDs, EdtSjDwQx, EdtSjDwDz}};
constexpr AddressSide kSenderAddress {ChbFgJjAddress, {EdtJjDwSs, EdtJjDwDs, EdtJjDwQx, EdtJjDwDz}};

const AddressSide &sideOf(WaybillField field)
{
    return fieldSpec(field).senderColumn != NoColumn ? kSenderAddress : kRecipientAddress;
}

QString wholeAddress(const FieldValues &values, const AddressSide &side)
{
    QString address;
    for (WaybillField part : side.parts)
        address += values.value(part);
    return address;
}

int capitalFormat(const Formats &formats, WaybillField field)
{
    if (field == EdtDshk)
        return formats.cod;
    if (field == EdtBjje)
        return formats.insured;
    return formats.amount;
}

// The hour as a short time format without a leading zero writes it ("9").
QString hourText(const QTime &now)
{
    return QString::number(now.hour());
}

} // namespace

Formats formatsOf(const TemplateSettings &settings)
{
    Formats formats;
    formats.date = settings.dateFormat();
    formats.amount = settings.amountCapitalFormat();
    formats.cod = settings.codCapitalFormat();
    formats.insured = settings.insuredCapitalFormat();
    return formats;
}

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
        const QString value = source->field == Count ? QString() : values.value(source->field);
        switch (source->kind) {
        case Kind::Text:
            drawing.drawItem(value, item);
            break;
        case Kind::Spaced:
            drawing.drawSpacedItem(value, item);
            break;
        case Kind::SplitPart:
            if (values.ticked(sideOf(source->field).split))
                drawing.drawItem(value, item);
            break;
        case Kind::Address: {
            const AddressSide &side = sideOf(source->field);
            drawing.drawItem(values.ticked(side.split) ? value : wholeAddress(values, side), item);
            break;
        }
        case Kind::Figures:
            drawAmountFigures(drawing, value, item);
            break;
        case Kind::Capital:
            drawCapitalAmount(drawing, value, capitalFormat(formats, source->field), item);
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
            if (values.ticked(source->field))
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

} // namespace Slipdesk::WaybillPage
