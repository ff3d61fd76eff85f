#include "TradeFields.h"

namespace Slipdesk {

namespace {

constexpr FieldSpec kDelivery[] = {SLIPDESK_DELIVERY_FIELDS(SLIPDESK_FIELD_SPEC)};
static_assert(std::size(kDelivery) == std::size_t(DeliveryField::Count));
constexpr FieldSpec kInbound[] = {SLIPDESK_INBOUND_FIELDS(SLIPDESK_FIELD_SPEC)};
static_assert(std::size(kInbound) == std::size_t(InboundField::Count));

} // namespace

const FieldSpec &fieldSpec(DeliveryField field)
{
    return kDelivery[std::size_t(field)];
}

const QString &controlName(DeliveryField field)
{
    static const QStringList names = FormFields::controlNames(kDelivery);
    return names.at(qsizetype(field));
}

const FieldSpec &fieldSpec(InboundField field)
{
    return kInbound[std::size_t(field)];
}

const QString &controlName(InboundField field)
{
    static const QStringList names = FormFields::controlNames(kInbound);
    return names.at(qsizetype(field));
}

} // namespace Slipdesk
