#pragma once

#include "forms/FieldValues.h"
#include "waybill/OrderResult.h"

namespace Slipdesk::OrderFields {

// Where the results of a copied order go, by control name: the express
// tab's recipient fields, and the delivery tab's buyer fields. No copy
// format yields a payment account, a postage, a goods name or a price: the
// fill writes those empty (the postage field `EdtPostPrice` among them).
FieldValues express(const OrderResult &results);
FieldValues delivery(const OrderResult &results);

} // namespace Slipdesk::OrderFields
