#include "OrderReading.h"

#include "SmartLabels.h"
#include "SmartText.h"
#include "waybill/OrderParser.h"
#include "waybill/OrderSmartParser.h"

namespace Slipdesk {

namespace {

using namespace Smart;

// A label of a field anywhere in a value: "收货人：张伟", "地址江苏省…",
// "电话138…".
bool holdsLabel(const QString &value)
{
    if (value.isEmpty())
        return false;
    const QString text = normalise(value);
    for (const LabelHit &hit : findLabels(text))
        if (hit.kind != Kind::Free && hit.kind != Kind::Ignore)
            return true;
    return false;
}

bool holdsAnyLabel(const OrderResult &r)
{
    for (const QString &value : r.values())
        if (holdsLabel(value))
            return true;
    return false;
}

// Name, numbers or any part of the address.
bool readsPerson(const OrderResult &r)
{
    for (const QString *v : {&r.name, &r.mobile, &r.telephone, &r.province, &r.city, &r.district, &r.address})
        if (!v->isEmpty())
            return true;
    return false;
}

// A name is one short word without digits or separators.
bool nameShaped(const QString &name)
{
    if (name.size() > 16)
        return false;
    for (QChar c : normalise(name))
        if (isDigit(c) || isColon(c) || isStrongSeparator(c))
            return false;
    return true;
}

// Digits with the signs and blanks phone numbers are written with ("转"
// before an extension); no words.
bool phoneShaped(const QString &phone)
{
    if (phone.isEmpty())
        return true;
    static const QString signs = QStringLiteral("+-()（）*#/;转 ");
    int digits = 0;
    for (QChar c : normalise(phone).trimmed()) {
        if (isDigit(c))
            ++digits;
        else if (!signs.contains(c))
            return false;
    }
    return digits > 0;
}

bool postcodeShaped(const QString &postcode)
{
    const QString p = normalise(postcode).trimmed();
    if (p.size() > 6)
        return false;
    for (QChar c : p)
        if (!isDigit(c))
            return false;
    return true;
}

} // namespace

bool OrderReading::fits(const OrderResult &r)
{
    return readsPerson(r) && !holdsAnyLabel(r) && nameShaped(r.name) && phoneShaped(r.mobile)
        && phoneShaped(r.telephone) && postcodeShaped(r.postcode);
}

OrderReading OrderReading::read(int format, const QString &text)
{
    OrderReading reading {OrderParser::parse(format, text), false};
    if (format < 0 || format >= OrderParser::FormatCount || OrderParser::isSmart(format) || fits(reading.result))
        return reading;
    const OrderResult smart = OrderSmartParser::parse(text);
    // No one read either way (a blank copy, a line of chat in "有啊地址1"):
    // nothing to tell.
    if (!readsPerson(reading.result) && smart.isEmpty())
        return reading;
    return {smart, true};
}

QString OrderReading::note(int format) const
{
    if (!smartFallback)
        return QString();
    return QStringLiteral("复制的文字不符合“%1”格式，已改用智能识别读取").arg(OrderParser::formatNames().value(format));
}

} // namespace Slipdesk
