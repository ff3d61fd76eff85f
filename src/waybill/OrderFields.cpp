#include "OrderFields.h"

#include "trade/TradeFields.h"
#include "waybill/WaybillForm.h"

namespace Slipdesk::OrderFields {

namespace {

// A copied order reads as a recipient: each value at its recipient book
// column (the destination has none; it goes to the waybill's own field).
struct Part
{
    QString OrderResult::*value;
    int recipientColumn;
};

constexpr Part kParts[] = {
    {&OrderResult::postcode, 3},
    {&OrderResult::province, 4},
    {&OrderResult::city, 5},
    {&OrderResult::district, 6},
    {&OrderResult::address, 7},
    {&OrderResult::name, 10},
    {&OrderResult::telephone, 13},
    {&OrderResult::nickname, 17},
    {&OrderResult::mobile, 18},
    {&OrderResult::payment, 19},
    {&OrderResult::chat, 21},
};

template<typename E> FieldValues map(const OrderResult &results)
{
    FieldValues values;
    for (const Part &part : kParts)
        if (const std::optional<E> field = FormFields::atRecipientColumn<E>(part.recipientColumn))
            values.insert(*field, results.*(part.value));
    return values;
}

} // namespace

FieldValues express(const OrderResult &results)
{
    FieldValues values = map<WaybillField>(results);
    values.insert(WaybillField::EdtTo, results.destination);
    return values;
}

FieldValues delivery(const OrderResult &results)
{
    FieldValues values = map<DeliveryField>(results);
    values.insert(DeliveryField::EdtPostPrice, QString());
    return values;
}

} // namespace Slipdesk::OrderFields
