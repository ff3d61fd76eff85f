#pragma once

#include "waybill/OrderResult.h"

#include <QString>

namespace Slipdesk {

// What the one-click fill ("一键填写") and the command line read out of a
// copied text in the chosen copy format. A fixed format reads the text by its
// own rules when the text fits it. When it does not (a field would hold a
// label such as "收货人：" or "地址：", a name with digits in it, a phone
// with words), the smart reading is taken instead and the reading says so:
// a label never lands in a field.
struct OrderReading
{
    OrderResult result;
    bool smartFallback = false; // the fixed format did not fit: read smartly

    static OrderReading read(int format, const QString &text);

    // Whether the results of a fixed format can be what the text meant.
    static bool fits(const OrderResult &fixed);

    // One line for the preview and the command line when the reading fell
    // back ("复制的文字不符合“淘宝地址3”格式，已改用智能识别读取"); empty
    // otherwise.
    QString note(int format) const;
};

} // namespace Slipdesk
