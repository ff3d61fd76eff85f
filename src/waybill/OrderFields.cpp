#include "OrderFields.h"

namespace Slipdesk::OrderFields {

namespace {

struct Target
{
    const char *control;
    QString OrderResult::*value;
};

constexpr Target kExpress[] = {
    {"CmbSjrMc", &OrderResult::name},
    {"EdtTo", &OrderResult::destination},
    {"EdtSjDwSs", &OrderResult::province},
    {"EdtSjDwDs", &OrderResult::city},
    {"EdtSjDwQx", &OrderResult::district},
    {"EdtSjDwDz", &OrderResult::address},
    {"EdtSjDwTel", &OrderResult::telephone},
    {"EdtSjdwYb", &OrderResult::postcode},
    {"EdtSjrMobile", &OrderResult::mobile},
    {"EdtSjrWW", &OrderResult::nickname},
    {"EdtSjrPayEmail", &OrderResult::payment},
    {"EdtSjrIM", &OrderResult::chat},
};

constexpr Target kDelivery[] = {
    {"CmbBuyerName", &OrderResult::name},
    {"CmbBuyerWW", &OrderResult::nickname},
    {"EdtBuyerMobile", &OrderResult::mobile},
    {"EdtBuyerTel", &OrderResult::telephone},
    {"EdtAddSs", &OrderResult::province},
    {"EdtAddDs", &OrderResult::city},
    {"EdtAddQx", &OrderResult::district},
    {"EdtAddress", &OrderResult::address},
    {"EdtBuyerYb", &OrderResult::postcode},
};

template<std::size_t N> FieldValues map(const OrderResult &results, const Target (&targets)[N])
{
    FieldValues values;
    for (const Target &t : targets)
        values.insert(QLatin1String(t.control), results.*(t.value));
    return values;
}

} // namespace

FieldValues express(const OrderResult &results)
{
    return map(results, kExpress);
}

FieldValues delivery(const OrderResult &results)
{
    FieldValues values = map(results, kDelivery);
    values.insert(QStringLiteral("EdtPostPrice"), QString());
    return values;
}

} // namespace Slipdesk::OrderFields
