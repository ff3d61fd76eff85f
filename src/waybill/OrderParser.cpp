#include "OrderParser.h"

#include "waybill/OrderSmartParser.h"
#include "waybill/OrderText.h"

namespace Slipdesk {

namespace {

using T = OrderText;

const QString kSpace = QStringLiteral(" ");
const QString kCaret = QStringLiteral("^");

// The region table: the first six have full names, in the same order.
struct Region
{
    const char16_t *entry;
    const char16_t *full;
};
constexpr Region kRegions[] = {
    {u"北京", u"北京市"},
    {u"上海", u"上海市"},
    {u"天津", u"天津市"},
    {u"重庆", u"重庆市"},
    {u"香港", u"香港特别行政区"},
    {u"澳门", u"澳门特别行政区"},
    {u"内蒙古自治区", nullptr},
    {u"广西壮族自治区", nullptr},
    {u"西藏自治区", nullptr},
    {u"宁夏回族自治区", nullptr},
    {u"新疆维吾尔自治区", nullptr},
    {u"海外", nullptr},
};

// The last space-separated part of s.
QString lastPart(const QString &s)
{
    const qsizetype at = s.lastIndexOf(u' ');
    return at < 0 ? s : s.mid(at + 1);
}

// A part read as an integer the way the card formats do: text that is not a
// whole number reads as 0.
int readInteger(const QString &s)
{
    bool ok = false;
    const int value = s.toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QStringList OrderParser::formatNames()
{
    return {QStringLiteral("有啊地址1"), QStringLiteral("淘宝地址2"), QStringLiteral("淘宝地址3"),
        QStringLiteral("淘宝地址4"), QStringLiteral("淘宝地址5"), QStringLiteral("淘宝地址6"),
        QStringLiteral("拍拍地址1")};
}

bool OrderParser::isMunicipality(const QString &s)
{
    return !s.isEmpty() && QStringLiteral("北京上海天津重庆香港澳门").contains(s);
}

OrderResult OrderParser::parse(int format, const QString &text)
{
    switch (format) {
    case Youa1:
        return parseYoua1(text);
    case Taobao2:
    case Taobao5:
        return OrderSmartParser::parse(text);
    case Taobao3:
        return parseTaobao3(text);
    case Taobao4:
        return parseTaobao4(text);
    case Taobao6:
        return parseTaobao6(text);
    case Paipai1:
        return parsePaipai1(text);
    default:
        return OrderResult();
    }
}

// The cuts below take the region pieces off the front of the address only.
// Removing every occurrence would also delete them from the street part, so
// that "西湖区西湖区人民政府" would lose its second "西湖区".
void OrderParser::regionSplit(const QString &address, OrderResult &r)
{
    QString a = address;
    const Region *found = nullptr;
    for (const Region &region : kRegions) {
        if (a.startsWith(QStringView(region.entry))) {
            found = &region;
            break;
        }
    }
    if (found && found->full) {
        r.province = QString::fromUtf16(found->entry);
        r.destination = QString::fromUtf16(found->full);
        a = T::removeLeading(a, r.province + r.destination);
    } else {
        if (found) {
            r.province = QString::fromUtf16(found->entry);
        } else {
            r.province = T::upTo(a, u'省');
        }
        a = T::removeLeading(a, r.province);
        r.city = T::upTo(a, u'市');
        r.destination = r.city;
        a = T::removeLeading(a, r.city);
    }
    if (a.contains(u'区'))
        r.district = T::upTo(a, u'区');
    else if (a.contains(u'市'))
        r.district = T::upTo(a, u'市');
    else if (a.contains(u'县'))
        r.district = T::upTo(a, u'县');
    r.address = T::removeLeading(a, r.district);
}

void OrderParser::spaceSplit(const QString &m, OrderResult &r)
{
    const bool has = readInteger(T::field(m, 0, u' ')) != 0;
    int next = 0;
    if (has) {
        r.postcode = T::field(m, 0, u' ');
        next = 1;
    }
    r.province = T::field(m, next, u' ');
    if (isMunicipality(r.province)) {
        r.district = T::field(m, next + 1, u' ');
        r.destination = r.province;
    } else {
        r.city = T::field(m, next + 1, u' ');
        r.district = T::field(m, next + 2, u' ');
        r.destination = r.city;
    }
    r.name = lastPart(m);
    QString a = has ? T::remove(m, r.postcode + kSpace + r.province + kSpace) : T::remove(m, r.province + kSpace);
    if (!r.city.isEmpty())
        a = T::remove(a, r.city + kSpace);
    if (!r.district.isEmpty())
        a = T::remove(a, r.district + kSpace);
    r.address = T::remove(a, kSpace + r.name);
}

void OrderParser::phoneRule(const QString &p, OrderResult &r)
{
    if (!p.contains(u';')) {
        if (p.contains(u'-'))
            r.telephone = p;
        else
            r.mobile = p;
    } else {
        r.mobile = T::field(p, 0, u';');
        r.telephone = T::field(p, 1, u';');
    }
}

OrderResult OrderParser::parseYoua1(const QString &text)
{
    OrderResult r;
    const QStringList lines = T::lines(text);
    if (lines.size() >= 1)
        r.nickname = T::trim(lines.at(0));
    if (lines.size() >= 2) {
        QString l = lines.at(1);
        l.replace(QStringLiteral("  "), kSpace);
        r.name = T::field(l, 0, u' ');
        const QString phones = T::field(l, 1, u' ');
        if (phones.contains(u'/')) {
            r.mobile = T::field(phones, 0, u'/');
            r.telephone = T::field(phones, 1, u'/');
        } else if (phones.contains(u'-')) {
            r.telephone = phones;
        } else {
            r.mobile = phones;
        }
    }
    if (lines.size() >= 3) {
        QString l3 = lines.at(2);
        l3.replace(u'，', u'^');
        r.postcode = T::trim(T::field(l3, 1, u'^'));
        regionSplit(T::field(l3, 0, u'^'), r);
    }
    return r;
}

OrderResult OrderParser::parseTaobao3(const QString &text)
{
    OrderResult r;
    QString t = text;
    t.replace(QStringLiteral(" ，"), kCaret);
    const int n = T::count(t, u'^');
    r.name = T::trim(T::field(t, 0, u'^'));
    if (n == 5) {
        r.mobile = T::trim(T::field(t, 1, u'^'));
        r.telephone = T::trim(T::field(t, 2, u'^'));
    } else if (t.contains(u'-')) {
        r.telephone = T::field(t, 1, u'^');
    } else {
        r.mobile = T::field(t, 1, u'^');
    }
    r.postcode = T::field(t, T::count(t, u'^') - 1, u'^');
    t = n == 5 ? T::remove(t, r.name + kCaret + r.mobile + kCaret + r.telephone + kCaret)
               : T::remove(t, r.name + kCaret + r.mobile + r.telephone + kCaret);
    t = T::trim(T::remove(t, kCaret + r.postcode));
    r.province = T::field(t, 0, u' ');
    r.city = T::field(t, 1, u' ');
    r.destination = r.city;
    if (T::count(t, u' ') < 4) {
        r.address = T::remove(t, r.province + kSpace + r.city + kSpace);
    } else {
        r.district = T::field(t, 2, u' ');
        r.address = T::remove(t, r.province + kSpace + r.city + kSpace + r.district + kSpace);
    }
    if (isMunicipality(r.province)) {
        r.province = r.city;
        r.city.clear();
    }
    return r;
}

OrderResult OrderParser::parseTaobao4(const QString &text)
{
    OrderResult r;
    QString t = text;
    t.replace(QStringLiteral("， "), kCaret);
    if (T::count(t, u'^') < 3) {
        t = text;
        t.replace(u'，', u'^');
    }
    regionSplit(T::field(t, 0, u'^'), r);
    r.postcode = T::field(t, 1, u'^');
    r.name = T::field(t, 2, u'^');
    const QString p = T::trim(T::field(t, 3, u'^'));
    if (p.contains(u'-') && p.contains(u' ')) {
        r.telephone = T::field(p, 0, u' ');
        r.mobile = T::trim(T::remove(p, r.telephone));
    } else if (!p.contains(u'-')) {
        r.mobile = T::trim(p);
    } else {
        r.telephone = T::trim(p);
    }
    return r;
}

OrderResult OrderParser::parseTaobao6(const QString &text)
{
    OrderResult r;
    if (T::lines(text).size() != 1)
        return r;
    const QString three = QStringLiteral("   ");
    const qsizetype gap = text.indexOf(three);
    QString nickname = gap < 0 ? QString() : text.left(gap);
    QString t = T::remove(text, nickname + three);
    for (const char16_t *status : {u"旺旺在线", u"旺旺离线", u"手机在线"})
        nickname.remove(QString::fromUtf16(status));
    r.nickname = nickname;

    t.replace(u'，', u',');
    const int c = T::count(t, u',');
    QString phones = T::field(t, c - 1, u',');
    const QString name = T::field(t, c - 2, u',');
    const QString postcode = T::field(t, c - 3, u',');
    const QString comma = QStringLiteral(",");
    const QString a = T::remove(t, comma + postcode + comma + name + comma + phones);
    regionSplit(a, r);
    r.address = T::trim(r.address);
    r.name = T::trim(name);
    r.postcode = T::trim(postcode);

    phones = T::trim(phones);
    if (!phones.contains(u' ')) {
        if (phones.startsWith(u'1'))
            r.mobile = phones;
        else
            r.telephone = phones;
    } else {
        r.telephone = T::field(phones, 0, u' ');
        r.mobile = lastPart(phones);
    }
    return r;
}

OrderResult OrderParser::parsePaipai1(const QString &text)
{
    OrderResult r;
    const QStringList lines = T::lines(text);
    if (lines.size() == 1) {
        QString s = text;
        s.replace(QStringLiteral("  "), kCaret);
        s = T::trim(s);
        spaceSplit(T::field(s, 0, u'^'), r);
        phoneRule(T::field(s, 1, u'^'), r);
        return r;
    }
    if (lines.size() <= 2)
        return r;
    const QString nickLabel = QStringLiteral("买家昵称：");
    const QString infoLabel = QStringLiteral("收货信息：");
    const QString phoneLabel = QStringLiteral("[复制收货信息]");
    bool nickDone = false, infoDone = false, phoneDone = false;
    for (const QString &line : lines) {
        if (!nickDone && line.contains(nickLabel)) {
            nickDone = true;
            QString after = line.mid(line.indexOf(nickLabel) + nickLabel.size());
            const qsizetype nameAt = after.indexOf(QStringLiteral("买家姓名"));
            if (nameAt >= 0)
                after.truncate(nameAt);
            r.nickname = T::trim(after);
            const qsizetype open = r.nickname.indexOf(u'(');
            if (open >= 0) {
                QString chat = r.nickname.mid(open + 1);
                const qsizetype close = chat.indexOf(u')');
                if (close >= 0)
                    chat.truncate(close);
                r.chat = T::trim(chat);
            }
        }
        if (!infoDone && line.contains(infoLabel)) {
            infoDone = true;
            spaceSplit(T::trim(T::remove(line, infoLabel)), r);
        }
        if (!phoneDone && line.contains(phoneLabel)) {
            phoneDone = true;
            phoneRule(T::trim(T::remove(line, phoneLabel)), r);
        }
    }
    return r;
}

QString OrderParser::expressPreview(int format, const OrderResult &r)
{
    const QString crlf = QStringLiteral("\r\n");
    QString out = QStringLiteral("[收件姓名]:") + r.name + QString(10, u' ') + QStringLiteral("[目的地]:")
        + r.destination + crlf + QStringLiteral("[收件地址]:") + r.province + kSpace + r.city + kSpace + r.district
        + crlf + QStringLiteral("\u3000\u3000\u3000\u3000   ") + r.address + crlf + QStringLiteral("[收件单位]:") + crlf
        + QStringLiteral("[联系电话]:") + r.telephone + kSpace + QStringLiteral("[邮   编]:") + r.postcode + crlf
        + QStringLiteral("[收件手机]:") + r.mobile + crlf + crlf + QStringLiteral("[买家昵称]:") + r.nickname
        + QStringLiteral("    ");
    if (format == Paipai1)
        out += QStringLiteral("[财付通]:") + r.chat;
    else
        out += QStringLiteral("[支付宝]:") + r.payment;
    return out;
}

QString OrderParser::deliveryPreview(
    const OrderResult &r, const QString &goodsName, const QString &goodsPrice, const QString &postage)
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("[买家姓名]:") + r.name + kSpace + QStringLiteral("[买家昵称]:") + r.nickname + kSpace
        + QStringLiteral("[收件手机]:") + r.mobile + kSpace + QStringLiteral("[联系电话]:") + r.telephone + crlf
        + QStringLiteral("[收货地址]:") + r.province + kSpace + r.city + kSpace + r.district + kSpace + r.address
        + kSpace + QStringLiteral("[邮   编]:") + r.postcode + crlf + crlf + QStringLiteral("[商品名称]:") + goodsName
        + crlf + QStringLiteral("[商品单价]:") + goodsPrice + crlf + QStringLiteral("[邮    费]:") + postage;
}

} // namespace Slipdesk
