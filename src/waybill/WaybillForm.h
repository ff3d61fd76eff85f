#pragma once

#include "forms/FormFields.h"

namespace Slipdesk {

class Paths;

// The fields of the express waybill form ("快递打印"), each named once.
// Columns: the recipient book "收件单位.TXT" (22 fields), the sender book
// "寄件单位.TXT" (21), the express batch queue row (37; the marker groups'
// fields 15-17 are made from the check boxes, see MarkerGroups), and the
// yearly log line (32 written at print time; 0-3 are the print date, time,
// the letter date and the void mark, 17-19 the marker groups, 9 the address
// joined by "|").
//
// To add a field: one row here and its widget on the tab.
// clang-format off
#define SLIPDESK_WAYBILL_FIELDS(X)                                                          \
    /* control        recipient sender queue log  kind    flags */                          \
    X(CmbLetterSelect,  -1,  -1,  -1,   5, Text,   0)                                       \
    X(EdtEmsNo,         -1,  -1,  -1,   4, Text,   0)                                       \
    X(DateTimeP,        -1,  -1,  -1,   2, Date,   0)                                       \
    /* the recipient */                                                                     \
    X(EdtSjDwDm,         0,  -1,  24,  -1, Text,   FieldFlag::Cleared)                      \
    X(EdtSjDwType,       1,  -1,  25,  -1, Text,   FieldFlag::Cleared)                      \
    X(EdtSjDwNo,         2,  -1,  26,  -1, Text,   FieldFlag::Cleared)                      \
    X(EdtSjdwYb,         3,  -1,   9,  11, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjDwSs,         4,  -1,   3,   9, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjDwDs,         5,  -1,   4,   9, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjDwQx,         6,  -1,   5,   9, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjDwDz,         7,  -1,   6,   9, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(CmbSjdwMc,         8,  -1,   7,   8, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(CmbSjdwBm,         9,  -1,  28,  -1, Text,   0)                                       \
    X(CmbSjrMc,         10,  -1,   1,   7, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(CmbSjrCw,         11,  -1,  29,  -1, Text,   0)                                       \
    X(CmbSjrSy,         12,  -1,  30,  -1, Text,   0)                                       \
    X(EdtSjDwTel,       13,  -1,   8,  10, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjDwFax,       14,  -1,  23,  -1, Text,   FieldFlag::Cleared)                      \
    X(EdtSjDwWeb,       15,  -1,  27,  -1, Text,   FieldFlag::Cleared)                      \
    X(EdtSjrTel1,       16,  -1,  18,  20, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjrWW,         17,  -1,   0,   6, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjrMobile,     18,  -1,  19,  21, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjrPayEmail,   19,  -1,  20,  22, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjrEmail,      20,  -1,  21,  23, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtSjrIM,         21,  -1,  22,  24, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    /* the destination follows the recipient's city wherever a stored recipient fills the form */ \
    X(EdtTo,             5,  -1,   2,  -1, Text,   FieldFlag::Cleared | FieldFlag::Mirror)  \
    /* the consignment */                                                                   \
    X(EdtWLDD,          -1,  -1,  10,  12, Text,   FieldFlag::Cleared)                      \
    X(CmbLetterWP,      -1,  -1,  11,  13, Text,   FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtWpCount,       -1,  -1,  12,  14, Text,   FieldFlag::Cleared)                      \
    X(EdtWpWeight,      -1,  -1,  13,  15, Text,   FieldFlag::Cleared)                      \
    X(CmbLetterLy,      -1,  -1,  14,  16, Text,   FieldFlag::Reprint)                      \
    X(EdtWpJe,          -1,  -1,  31,  25, Amount, FieldFlag::Cleared | FieldFlag::Reprint) \
    X(EdtDshk,          -1,  -1,  32,  26, Amount, FieldFlag::Cleared)                      \
    X(EdtBjje,          -1,  -1,  33,  27, Amount, FieldFlag::Cleared)                      \
    X(EdtBF,            -1,  -1,  34,  28, Amount, FieldFlag::Cleared)                      \
    X(EdtYF,            -1,  -1,  35,  29, Amount, FieldFlag::Cleared)                      \
    X(EdtJJF,           -1,  -1,  36,  30, Amount, FieldFlag::Cleared)                      \
    /* the sender */                                                                        \
    X(EdtJjDwDm,        -1,   0,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwYb,        -1,   1,  -1,  -1, Text,   0)                                       \
    X(EdtFrom,          -1,   2,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwSs,        -1,   3,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwDs,        -1,   4,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwQx,        -1,   5,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwDz,        -1,   6,  -1,  -1, Text,   0)                                       \
    X(CmbJjDwMc,        -1,   7,  -1,  31, Text,   0)                                       \
    X(CmbJjrMc,         -1,   8,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwTel,       -1,   9,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwFax,       -1,  10,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwTax,       -1,  11,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwWeb,       -1,  12,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwBank,      -1,  13,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwBankId,    -1,  14,  -1,  -1, Text,   0)                                       \
    X(EdtJjrTel1,       -1,  15,  -1,  -1, Text,   0)                                       \
    X(EdtJjrWW,         -1,  16,  -1,  -1, Text,   0)                                       \
    X(EdtJjrMobile,     -1,  17,  -1,  -1, Text,   0)                                       \
    X(EdtJjrPayEmail,   -1,  18,  -1,  -1, Text,   0)                                       \
    X(EdtJjrEmail,      -1,  19,  -1,  -1, Text,   0)                                       \
    X(EdtJjrIM,         -1,  20,  -1,  -1, Text,   0)                                       \
    X(EdtJjDwJbrQm,     -1,  -1,  -1,  -1, Text,   0)                                       \
    /* how the addresses print, and the marker boxes of the three groups */                 \
    X(ChbFgSjAddress,   -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbFgJjAddress,   -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect1,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect2,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect3,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect4,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect5,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect6,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect7,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect8,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect9,       -1,  -1,  -1,  -1, Check,  0)                                       \
    X(ChbSelect10,      -1,  -1,  -1,  -1, Check,  0)                                       \
    /* the last box was named with a small "s" and keeps that name */                       \
    X(Chbselect11,      -1,  -1,  -1,  -1, Check,  0)
// clang-format on

enum class WaybillField : quint8 { SLIPDESK_WAYBILL_FIELDS(SLIPDESK_FIELD_ENUMERATOR) Count };

const FieldSpec &fieldSpec(WaybillField field);
const QString &controlName(WaybillField field);

namespace WaybillForm {

inline constexpr int RecipientColumns = 22;
inline constexpr int SenderColumns = 21;
inline constexpr int QueueColumns = 37;
inline constexpr int LogColumns = 32;
// The log's joined recipient address (省|市|区|地址).
inline constexpr int LogAddressColumn = 9;

// The fields of the recipient (sender) book, in column order.
QList<WaybillField> recipientFields();
QList<WaybillField> senderFields();

// The recipient fields a book row fills: every field with a recipient
// column (the destination too), from the row's fields.
FieldValues recipientFromRow(const QString &row);
FieldValues senderFromRow(const QString &row);

// What the express tab shows once template `name` is loaded: its name, its
// waybill number and today's date; `values` given by the caller win.
FieldValues withDefaults(const Paths &paths, const QString &name, const FieldValues &values);

} // namespace WaybillForm
} // namespace Slipdesk
