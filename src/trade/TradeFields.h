#pragma once

#include "forms/FormFields.h"

namespace Slipdesk {

// The fields of the delivery note form ("出库发货"), each named once.
// Columns: the recipient book a new buyer is added to, the delivery batch
// queue's note line (0 the template and 1 the batch key come first), and the
// yearly delivery log line (21 fields; 0-1 the print date and time, 11 the
// address joined by "|", 17-18 the cost and profit the goods give, 20 the
// remark the data window adds). The caption labels a template may rename are
// fields too: their text travels with the note and prints before the value.
//
// To add a field: one row here and its widget on the tab.
// clang-format off
#define SLIPDESK_DELIVERY_FIELDS(X)                                                          \
    /* control         recipient sender queue log  kind    flags */                          \
    X(CmbInvoice,        -1,  -1,  -1,   3, Text,   0)                                       \
    X(EdtInvNo,          -1,  -1,  -1,   4, Text,   0)                                       \
    X(DTPSender,         -1,  -1,  -1,   2, Date,   0)                                       \
    X(CmbEmsCompany,     -1,  -1,  -1,   5, Text,   0)                                       \
    X(EdtInvEmsNo,       -1,  -1,  -1,   6, Text,   0)                                       \
    /* the buyer */                                                                          \
    X(CmbBuyerName,      10,  -1,   2,   7, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(CmbBuyerWW,        17,  -1,   3,   8, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtBuyerMobile,    18,  -1,   4,   9, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtBuyerTel,       13,  -1,   5,  10, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtAddSs,           4,  -1,   6,  11, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtAddDs,           5,  -1,   7,  11, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtAddQx,           6,  -1,   8,  11, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtAddress,         7,  -1,   9,  11, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtBuyerYb,         3,  -1,  10,  12, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtPostPrice,      -1,  -1,  11,  14, Amount, FieldFlag::Reprint)                      \
    /* the totals under the grid */                                                          \
    X(LblSumCount,       -1,  -1,  -1,  13, Label,  0)                                       \
    X(EdtMoneySumXx,     -1,  -1,  -1,  15, Amount, 0)                                       \
    X(EdtInvTotalJE,     -1,  -1,  -1,  16, Amount, 0)                                       \
    /* the seller block, filled from the sender book */                                      \
    X(CmbSalerName,      -1,  -1,  -1,  19, Text,   0)                                       \
    X(CmbSalerSay,       -1,  -1,  -1,  -1, Text,   0)                                       \
    X(LblShopName,       -1,   7,  -1,  -1, Label,  0)                                       \
    X(EdtSalerShopWeb,   -1,  12,  -1,  -1, Text,   0)                                       \
    X(EdtSalerAdd,       -1,  -1,  -1,  -1, Text,   0)                                       \
    X(EdtSalerWW,        -1,  16,  -1,  -1, Text,   0)                                       \
    X(EdtSalerTel,       -1,  17,  -1,  -1, Text,   0)                                       \
    /* the captions */                                                                       \
    X(LblBuyerName,      -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblBuyerNickName,  -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblbuyerMobile,    -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblbuyerTel,       -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblBuyerAdd,       -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblBuyerYb,        -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerSay,       -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerShop,      -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerAdd,       -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerName,      -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerNickName,  -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblSalerMobile,    -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblInvEms,         -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblEmsNo,          -1,  -1,  -1,  -1, Label,  0)

// The fields of the purchase inbound note form ("采购入库"); its log line
// has 9 fields, 0-1 the print date and time.
#define SLIPDESK_INBOUND_FIELDS(X)                                                           \
    /* control         recipient sender queue log  kind    flags */                          \
    X(CmbInputModel,     -1,  -1,  -1,   3, Text,   0)                                       \
    X(EdtInputNo,        -1,  -1,  -1,   4, Text,   0)                                       \
    X(DtpInputDate,      -1,  -1,  -1,   2, Date,   0)                                       \
    X(CmbInputJbr,       -1,  -1,  -1,   5, Text,   FieldFlag::Reprint)                      \
    X(CmbInputType,      -1,  -1,  -1,   6, Text,   FieldFlag::Reprint)                      \
    X(LblInputSumCount,  -1,  -1,  -1,   7, Label,  0)                                       \
    X(EdtInputSumMoney,  -1,  -1,  -1,   8, Amount, 0)                                       \
    X(LblInputShop,      -1,   7,  -1,  -1, Label,  0)                                       \
    X(LblInputJbr,       -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblInputType,      -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblInputDate,      -1,  -1,  -1,  -1, Label,  0)                                       \
    X(LblInputNo,        -1,  -1,  -1,  -1, Label,  0)
// clang-format on

enum class DeliveryField : quint8 { SLIPDESK_DELIVERY_FIELDS(SLIPDESK_FIELD_ENUMERATOR) Count };
enum class InboundField : quint8 { SLIPDESK_INBOUND_FIELDS(SLIPDESK_FIELD_ENUMERATOR) Count };

const FieldSpec &fieldSpec(DeliveryField field);
const QString &controlName(DeliveryField field);
const FieldSpec &fieldSpec(InboundField field);
const QString &controlName(InboundField field);

namespace DeliveryForm {
inline constexpr int LogColumns = 21;
inline constexpr int LogAddressColumn = 11;
inline constexpr int QueueColumns = 12;
} // namespace DeliveryForm

namespace InboundForm {
inline constexpr int LogColumns = 9;
} // namespace InboundForm

} // namespace Slipdesk
