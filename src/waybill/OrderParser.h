#pragma once

#include "waybill/OrderResult.h"

#include <QStringList>

namespace Slipdesk {

// Turns buyer delivery details copied from a marketplace page into the twelve
// recipient values. A pure function of (format, text): no state, no widgets.
class OrderParser
{
public:
    // Indexes of the copy formats, in the order of the format list.
    enum Format {
        Youa1 = 0, // "有啊地址1": nickname / name and phones / address，postcode
        Taobao2 = 1, // "淘宝地址2": smart reading of any common layout
        Taobao3 = 2, // "淘宝地址3": name ，phones ，address ，postcode
        Taobao4 = 3, // "淘宝地址4": address， postcode， name， phones
        Taobao5 = 4, // "淘宝地址5": smart reading, as "淘宝地址2"
        Taobao6 = 5, // "淘宝地址6": chat copy, nickname then address，postcode，name，phones
        Paipai1 = 6, // "拍拍地址1": one line or an order card
    };
    static constexpr int FormatCount = 7;

    // The format names as the format lists show them.
    static QStringList formatNames();
    // Whether a format reads any layout (the smart formats 1 and 4).
    static bool isSmart(int format) { return format == Taobao2 || format == Taobao5; }

    // Parses `text` in `format`; an unknown format gives empty results.
    static OrderResult parse(int format, const QString &text);

    // The preview the express "一键填写" label shows for the results.
    static QString expressPreview(int format, const OrderResult &r);
    // The preview of the delivery tab's label; goods name, unit price and
    // postage come from no format and are passed in (usually empty).
    static QString deliveryPreview(const OrderResult &r, const QString &goodsName = QString(),
        const QString &goodsPrice = QString(), const QString &postage = QString());

    // A text counts as a municipality when it occurs inside
    // "北京上海天津重庆香港澳门"; an empty text never does.
    static bool isMunicipality(const QString &s);

    // The building blocks of the fixed formats, on one result.
    static void regionSplit(const QString &address, OrderResult &r);
    static void spaceSplit(const QString &m, OrderResult &r);
    static void phoneRule(const QString &p, OrderResult &r);

private:
    static OrderResult parseYoua1(const QString &text);
    static OrderResult parseTaobao3(const QString &text);
    static OrderResult parseTaobao4(const QString &text);
    static OrderResult parseTaobao6(const QString &text);
    static OrderResult parsePaipai1(const QString &text);
};

} // namespace Slipdesk
