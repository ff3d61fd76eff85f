#pragma once

#include "waybill/OrderResult.h"

namespace Slipdesk {

// Reads buyer details out of any common copy layout: one line or several,
// fields in any order, separated by blanks, commas, semicolons, slashes or
// line breaks, with or without labels such as "收货人：" or "手机：".
//
// Numbers are recognised by their shape (mainland mobiles, landlines with
// area code, six-digit postcodes standing alone), the address by the
// administrative divisions it begins with, the name as a short Chinese
// personal name next to them. A label may stand alone on its line with its
// value on the next, or follow chat words ("地址改一下：…").
//
// A text that names a sender ("寄件人", "发件人" …) is read only in the
// recipient's blocks. Two people with nothing to tell which one receives
// (two addresses in different places, no sender or recipient words) give no
// person at all rather than a mix of both; of two labelled orders the first
// is read. What cannot be told for sure stays empty.
class OrderSmartParser
{
public:
    static OrderResult parse(const QString &text);

    // Splits an address into province, city, district, destination and the
    // street part. Returns false when it begins with no known division (the
    // result is then left unchanged).
    static bool splitAddress(const QString &address, OrderResult &r);

    // Whether `word` reads as a personal name: a common surname followed by
    // one to three characters (`maxLength` in all), nothing that belongs to
    // an address or a shop.
    static bool looksLikeName(QStringView word, int maxLength = 4);
};

} // namespace Slipdesk
