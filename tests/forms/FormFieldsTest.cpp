#include "datawin/TableSpec.h"
#include "trade/TradeFields.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillForm.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// The header of a table as the data window shows it, without its 序号.
QStringList columnsOf(const QString &header)
{
    return header.split(u',').mid(1);
}

// Each column from 0 to `columns` - 1 kept by exactly one field, `skipped`
// by none; a mirror only reads its book column.
template<typename E>
void expectEachColumnOnce(qint8 FieldSpec::*column, int columns, const QList<int> &skipped, const char *what)
{
    QList<int> keepers(columns);
    for (E field : FormFields::all<E>()) {
        const FieldSpec &spec = fieldSpec(field);
        if (spec.*column == NoColumn || (column == &FieldSpec::recipientColumn && spec.has(FieldFlag::Mirror)))
            continue;
        ASSERT_GE(spec.*column, 0) << what;
        ASSERT_LT(spec.*column, columns) << what << " " << controlName(field).toStdString();
        ++keepers[spec.*column];
    }
    for (int c = 0; c < columns; ++c)
        EXPECT_EQ(keepers.at(c), skipped.contains(c) ? 0 : 1) << what << " column " << c;
}

template<typename E> void expectUniqueControls()
{
    QSet<QString> seen;
    for (E field : FormFields::all<E>())
        seen.insert(controlName(field));
    EXPECT_EQ(seen.size(), FormFields::count<E>());
}

// The column name a field's column has in a file's header.
template<typename E> QString nameIn(const QString &header, E field, qint8 FieldSpec::*column)
{
    return columnsOf(header).value(fieldSpec(field).*column);
}

} // namespace

TEST(FormFields, WaybillTableCoversEveryColumnOfItsFilesOnce)
{
    expectUniqueControls<WaybillField>();
    expectEachColumnOnce<WaybillField>(
        &FieldSpec::recipientColumn, WaybillForm::RecipientColumns, {}, "recipient book");
    expectEachColumnOnce<WaybillField>(&FieldSpec::senderColumn, WaybillForm::SenderColumns, {}, "sender book");
    // 15-17: the marker groups' tick patterns.
    expectEachColumnOnce<WaybillField>(&FieldSpec::queueColumn, WaybillForm::QueueColumns, {15, 16, 17}, "queue");
    // The log's print date and time, its void mark and the marker groups
    // come from elsewhere; the address parts share their column.
    QList<int> logKeepers(WaybillForm::LogColumns);
    for (WaybillField field : FormFields::all<WaybillField>())
        if (fieldSpec(field).logColumn != NoColumn)
            ++logKeepers[fieldSpec(field).logColumn];
    for (int c = 0; c < WaybillForm::LogColumns; ++c) {
        const int expected = (c <= 1 || c == 3 || (c >= 17 && c <= 19)) ? 0
            : c == WaybillForm::LogAddressColumn                        ? 4
                                                                        : 1;
        EXPECT_EQ(logKeepers.at(c), expected) << "log column " << c;
    }
    EXPECT_EQ(columnsOf(Headers::recipients()).size(), WaybillForm::RecipientColumns);
    EXPECT_EQ(columnsOf(Headers::senders()).size(), WaybillForm::SenderColumns);
    EXPECT_EQ(columnsOf(Headers::expressBatch()).size(), WaybillForm::QueueColumns);
    // The data window adds 收件日期, 签收人 and 备注 to the printed fields.
    EXPECT_EQ(columnsOf(Headers::expressLog()).size(), WaybillForm::LogColumns + 3);
}

TEST(FormFields, WaybillFieldsSitUnderTheirHeaders)
{
    using enum WaybillField;
    const auto recipient = [](WaybillField f) { return nameIn(Headers::recipients(), f, &FieldSpec::recipientColumn); };
    const auto sender = [](WaybillField f) { return nameIn(Headers::senders(), f, &FieldSpec::senderColumn); };
    const auto queue = [](WaybillField f) { return nameIn(Headers::expressBatch(), f, &FieldSpec::queueColumn); };
    const auto log = [](WaybillField f) { return nameIn(Headers::expressLog(), f, &FieldSpec::logColumn); };

    EXPECT_EQ(recipient(CmbSjrMc), QStringLiteral("收件人"));
    EXPECT_EQ(recipient(CmbSjdwMc), QStringLiteral("收件单位名称"));
    EXPECT_EQ(recipient(EdtSjdwYb), QStringLiteral("邮编"));
    EXPECT_EQ(recipient(EdtSjDwQx), QStringLiteral("区/县"));
    EXPECT_EQ(recipient(EdtSjrWW), QStringLiteral("昵称"));
    EXPECT_EQ(recipient(EdtSjrMobile), QStringLiteral("手机"));
    EXPECT_EQ(recipient(EdtSjrIM), QStringLiteral("聊天"));
    EXPECT_EQ(sender(CmbJjDwMc), QStringLiteral("寄件单位名称"));
    EXPECT_EQ(sender(CmbJjrMc), QStringLiteral("寄件人"));
    EXPECT_EQ(sender(EdtFrom), QStringLiteral("始发地"));
    EXPECT_EQ(sender(EdtJjDwBankId), QStringLiteral("账号"));
    EXPECT_EQ(queue(EdtSjrWW), QStringLiteral("昵称"));
    EXPECT_EQ(queue(EdtTo), QStringLiteral("目的地"));
    EXPECT_EQ(queue(EdtSjDwDz), QStringLiteral("通讯地址"));
    EXPECT_EQ(queue(CmbLetterLy), QStringLiteral("留言"));
    EXPECT_EQ(queue(EdtSjDwNo), QStringLiteral("编码"));
    EXPECT_EQ(queue(EdtWpJe), QStringLiteral("金额"));
    EXPECT_EQ(queue(EdtJJF), QStringLiteral("加急费"));
    EXPECT_EQ(log(DateTimeP), QStringLiteral("信函日期"));
    EXPECT_EQ(log(EdtEmsNo), QStringLiteral("信函编号"));
    EXPECT_EQ(log(CmbLetterSelect), QStringLiteral("信函名称"));
    EXPECT_EQ(log(EdtSjDwDz), QStringLiteral("收件地址"));
    EXPECT_EQ(log(EdtSjrTel1), QStringLiteral("收件人电话"));
    EXPECT_EQ(log(EdtDshk), QStringLiteral("代收货款"));
    EXPECT_EQ(log(CmbJjDwMc), QStringLiteral("寄件单位"));
    // The destination is the recipient's city wherever a stored recipient
    // fills the form, and is never written to the book.
    EXPECT_TRUE(fieldSpec(EdtTo).has(FieldFlag::Mirror));
    EXPECT_EQ(fieldSpec(EdtTo).recipientColumn, fieldSpec(EdtSjDwDs).recipientColumn);
}

TEST(FormFields, TradeTablesSitUnderTheirHeaders)
{
    expectUniqueControls<DeliveryField>();
    expectUniqueControls<InboundField>();
    using D = DeliveryField;
    const auto queue = [](D f) { return nameIn(Headers::deliveryBatch(), f, &FieldSpec::queueColumn); };
    const auto log = [](D f) { return nameIn(Headers::deliveryLog(), f, &FieldSpec::logColumn); };
    EXPECT_EQ(columnsOf(Headers::deliveryBatch()).size(), DeliveryForm::QueueColumns);
    EXPECT_EQ(columnsOf(Headers::deliveryLog()).size(), DeliveryForm::LogColumns);
    EXPECT_EQ(columnsOf(Headers::inboundLog()).size(), InboundForm::LogColumns);
    expectEachColumnOnce<D>(&FieldSpec::queueColumn, DeliveryForm::QueueColumns, {0, 1}, "delivery queue");

    EXPECT_EQ(queue(D::CmbBuyerName), QStringLiteral("买家姓名"));
    EXPECT_EQ(queue(D::EdtAddSs), QStringLiteral("买家地址-省"));
    EXPECT_EQ(queue(D::EdtAddress), QStringLiteral("买家地址"));
    EXPECT_EQ(queue(D::EdtPostPrice), QStringLiteral("邮递费用"));
    EXPECT_EQ(log(D::DTPSender), QStringLiteral("发货日期"));
    EXPECT_EQ(log(D::CmbInvoice), QStringLiteral("发货单名称"));
    EXPECT_EQ(log(D::EdtInvEmsNo), QStringLiteral("快递单号"));
    EXPECT_EQ(log(D::CmbBuyerWW), QStringLiteral("买家昵称"));
    EXPECT_EQ(log(D::EdtAddQx), QStringLiteral("收货地址"));
    EXPECT_EQ(log(D::EdtBuyerYb), QStringLiteral("邮编"));
    EXPECT_EQ(log(D::LblSumCount), QStringLiteral("数量合计"));
    EXPECT_EQ(log(D::EdtMoneySumXx), QStringLiteral("货款小计"));
    EXPECT_EQ(log(D::CmbSalerName), QStringLiteral("卖家姓名"));
    using I = InboundField;
    const auto inbound = [](I f) { return nameIn(Headers::inboundLog(), f, &FieldSpec::logColumn); };
    EXPECT_EQ(inbound(I::DtpInputDate), QStringLiteral("采购日期"));
    EXPECT_EQ(inbound(I::EdtInputNo), QStringLiteral("入库单号"));
    EXPECT_EQ(inbound(I::CmbInputType), QStringLiteral("入库类别"));
    EXPECT_EQ(inbound(I::EdtInputSumMoney), QStringLiteral("金额合计"));
}

// A buyer and a waybill recipient are one person: each buyer field keeps the
// recipient book column of the waybill field with the same meaning.
TEST(FormFields, BuyerFieldsAreTheRecipientsColumns)
{
    const QList<std::pair<DeliveryField, WaybillField>> same {
        {DeliveryField::CmbBuyerName, WaybillField::CmbSjrMc},
        {DeliveryField::CmbBuyerWW, WaybillField::EdtSjrWW},
        {DeliveryField::EdtBuyerMobile, WaybillField::EdtSjrMobile},
        {DeliveryField::EdtBuyerTel, WaybillField::EdtSjDwTel},
        {DeliveryField::EdtAddSs, WaybillField::EdtSjDwSs},
        {DeliveryField::EdtAddDs, WaybillField::EdtSjDwDs},
        {DeliveryField::EdtAddQx, WaybillField::EdtSjDwQx},
        {DeliveryField::EdtAddress, WaybillField::EdtSjDwDz},
        {DeliveryField::EdtBuyerYb, WaybillField::EdtSjdwYb},
    };
    FieldValues buyer;
    for (const auto &[delivery, waybill] : same) {
        EXPECT_EQ(fieldSpec(delivery).recipientColumn, fieldSpec(waybill).recipientColumn)
            << controlName(delivery).toStdString();
        buyer.insert(delivery, controlName(delivery));
    }
    const FieldValues recipient = FormFields::asRecipientOf<WaybillField, DeliveryField>(buyer);
    EXPECT_EQ(recipient.size(), same.size() + 1);
    for (const auto &[delivery, waybill] : same)
        EXPECT_EQ(recipient.value(waybill), controlName(delivery));
    EXPECT_EQ(recipient.value(WaybillField::EdtTo), controlName(DeliveryField::EdtAddDs));
    EXPECT_EQ((FormFields::asRecipientOf<DeliveryField, WaybillField>(recipient)), buyer);
}

// A book row read into the form and written back is the same row.
TEST(FormFields, RecipientRowSurvivesTheForm)
{
    const QString row = AddressBook::recipientSamples().first();
    const FieldValues values = WaybillForm::recipientFromRow(row);
    QStringList fields;
    for (WaybillField field : WaybillForm::recipientFields())
        fields.append(values.value(field));
    EXPECT_EQ(AddressBook::buildRow(fields), row);
    EXPECT_EQ(values.value(WaybillField::EdtTo), values.value(WaybillField::EdtSjDwDs));
}
