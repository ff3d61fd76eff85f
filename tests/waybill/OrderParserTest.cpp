#include "waybill/OrderParser.h"
#include "waybill/OrderText.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// Expected values as "key=value" pairs; unnamed keys must stay empty.
OrderResult expect(std::initializer_list<std::pair<const char *, const char16_t *>> values)
{
    OrderResult r;
    for (const auto &[key, value] : values) {
        const QString v = QString::fromUtf16(value);
        const QString k = QString::fromLatin1(key);
        QString *field = k == u"name" ? &r.name
            : k == u"destination"     ? &r.destination
            : k == u"province"        ? &r.province
            : k == u"city"            ? &r.city
            : k == u"district"        ? &r.district
            : k == u"address"         ? &r.address
            : k == u"telephone"       ? &r.telephone
            : k == u"postcode"        ? &r.postcode
            : k == u"mobile"          ? &r.mobile
            : k == u"nickname"        ? &r.nickname
            : k == u"payment"         ? &r.payment
                                      : &r.chat;
        *field = v;
    }
    return r;
}

std::string show(const OrderResult &r)
{
    return r.toJson().toStdString();
}

struct Case
{
    const char *label;
    int format;
    const char16_t *text;
    OrderResult expected;
};

} // namespace

TEST(OrderTextTest, Operations)
{
    using T = OrderText;
    EXPECT_EQ(T::lines(QString()), QStringList());
    EXPECT_EQ(T::lines(QStringLiteral("a\r\nb\rc\nd")), (QStringList {"a", "b", "c", "d"}));
    EXPECT_EQ(T::lines(QStringLiteral("a\n\nb\n")), (QStringList {"a", "", "b"}));
    EXPECT_EQ(T::lines(QStringLiteral("\n")), QStringList {""});
    EXPECT_EQ(T::trim(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(T::trim(QStringLiteral("\u3000a\u3000")), QStringLiteral("\u3000a\u3000")); // not at or below a space
    EXPECT_EQ(T::field(QStringLiteral("a^b^c"), 1, u'^'), QStringLiteral("b"));
    EXPECT_EQ(T::field(QStringLiteral("a^b^c"), 3, u'^'), QString());
    EXPECT_EQ(T::field(QStringLiteral("a^b^c"), -1, u'^'), QString());
    EXPECT_EQ(T::field(QStringLiteral("a^^c"), 1, u'^'), QString());
    EXPECT_EQ(T::count(QString(), u'^'), 0);
    EXPECT_EQ(T::count(QStringLiteral(" "), u'^'), 1);
    EXPECT_EQ(T::count(QStringLiteral("a b c "), u' '), 3); // counted on the trimmed text
    EXPECT_EQ(T::remove(QStringLiteral("aaa"), QStringLiteral("aa")), QStringLiteral("a"));
    EXPECT_EQ(T::remove(QStringLiteral("abc"), QString()), QStringLiteral("abc"));
    EXPECT_EQ(T::upTo(QStringLiteral("江苏省无锡市"), u'市'), QStringLiteral("江苏省无锡市"));
    EXPECT_EQ(T::upTo(QStringLiteral("江苏省无锡市"), u'区'), QString());
}

TEST(OrderParserTest, FormatNamesAndMunicipalities)
{
    EXPECT_EQ(OrderParser::formatNames(),
        (QStringList {u"有啊地址1"_qs, u"淘宝地址2"_qs, u"淘宝地址3"_qs, u"淘宝地址4"_qs, u"淘宝地址5"_qs,
            u"淘宝地址6"_qs, u"拍拍地址1"_qs}));
    EXPECT_TRUE(OrderParser::isMunicipality(u"北京"_qs));
    EXPECT_TRUE(OrderParser::isMunicipality(u"澳门"_qs));
    EXPECT_FALSE(OrderParser::isMunicipality(u"北京市"_qs));
    EXPECT_FALSE(OrderParser::isMunicipality(QString()));
    EXPECT_EQ(OrderParser::parse(7, u"张三"_qs), OrderResult());
    EXPECT_EQ(OrderParser::parse(-1, u"张三"_qs), OrderResult());
}

TEST(OrderParserTest, FixedFormats)
{
    const Case cases[] = {
        // Format 0, "有啊地址1".
        {"youa worked example", 0,
            u"小王的店\r\n王小二  13900001111/0510-88886666\r\n江苏省无锡市滨湖区湖滨路8号，214000",
            expect({{"nickname", u"小王的店"}, {"name", u"王小二"}, {"mobile", u"13900001111"},
                {"telephone", u"0510-88886666"}, {"postcode", u"214000"}, {"province", u"江苏省"}, {"city", u"无锡市"},
                {"destination", u"无锡市"}, {"district", u"滨湖区"}, {"address", u"湖滨路8号"}})},
        {"youa doubled Beijing", 0, u"店\n王五 13900001111\n北京北京市朝阳区建国路1号，100020",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"13900001111"}, {"postcode", u"100020"},
                {"province", u"北京"}, {"destination", u"北京市"}, {"district", u"朝阳区"},
                {"address", u"建国路1号"}})},
        {"youa single Beijing cuts nothing", 0, u"店\n王五 13900001111\n北京市朝阳区建国路1号，100020",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"13900001111"}, {"postcode", u"100020"},
                {"province", u"北京"}, {"destination", u"北京市"}, {"district", u"北京市朝阳区"},
                {"address", u"建国路1号"}})},
        {"youa three spaces leave no phone", 0, u"店\n王五   13900001111\n",
            expect({{"nickname", u"店"}, {"name", u"王五"}})},
        {"youa landline only", 0, u" 店 \n王五 0510-88886666",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"telephone", u"0510-88886666"}})},
        {"youa 区 before 市 before 县", 0, u"店\n王五 1\n某某县开发区幸福路1号，000001",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"1"}, {"postcode", u"000001"},
                {"district", u"某某县开发区"}, {"address", u"幸福路1号"}})},
        {"youa county when no 区 or 市", 0, u"店\n王五 1\n河北省沧州地区献县河城街，062250",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"1"}, {"postcode", u"062250"},
                {"province", u"河北省"}, {"district", u"沧州地区"}, {"address", u"献县河城街"}})},
        {"youa autonomous region", 0, u"店\n王五 1\n内蒙古自治区呼和浩特市新城区新华大街1号，010000",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"1"}, {"postcode", u"010000"},
                {"province", u"内蒙古自治区"}, {"city", u"呼和浩特市"}, {"destination", u"呼和浩特市"},
                {"district", u"新城区"}, {"address", u"新华大街1号"}})},
        {"youa the street keeps a repeated district", 0, u"店\n王五 1\n浙江省杭州市西湖区西湖区人民政府，310012",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"1"}, {"postcode", u"310012"},
                {"province", u"浙江省"}, {"city", u"杭州市"}, {"destination", u"杭州市"}, {"district", u"西湖区"},
                {"address", u"西湖区人民政府"}})},
        {"youa the street keeps a repeated city", 0, u"店\n王五 1\n广东省广州市天河区广州市第一中学，510000",
            expect({{"nickname", u"店"}, {"name", u"王五"}, {"mobile", u"1"}, {"postcode", u"510000"},
                {"province", u"广东省"}, {"city", u"广州市"}, {"destination", u"广州市"}, {"district", u"天河区"},
                {"address", u"广州市第一中学"}})},
        {"youa empty text", 0, u"", OrderResult()},

        // Format 2, "淘宝地址3".
        {"taobao3 worked example", 2, u"张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012",
            expect({{"name", u"张三"}, {"mobile", u"13800002222"}, {"telephone", u"0571-87650000"},
                {"postcode", u"310012"}, {"province", u"浙江省"}, {"city", u"杭州市"}, {"destination", u"杭州市"},
                {"district", u"西湖区"}, {"address", u"文三路9号"}})},
        {"taobao3 four fields, a dash in the address", 2,
            u"张三 ，13800002222 ，浙江省 杭州市 西湖区 文三路9-1号 ，310012",
            expect({{"name", u"张三"}, {"telephone", u"13800002222"}, {"postcode", u"310012"}, {"province", u"浙江省"},
                {"city", u"杭州市"}, {"destination", u"杭州市"}, {"district", u"西湖区"},
                {"address", u"文三路9-1号"}})},
        {"taobao3 four fields, mobile", 2, u"张三 ，13800002222 ，浙江省 杭州市 西湖区 文三路9号 ，310012",
            expect({{"name", u"张三"}, {"mobile", u"13800002222"}, {"postcode", u"310012"}, {"province", u"浙江省"},
                {"city", u"杭州市"}, {"destination", u"杭州市"}, {"district", u"西湖区"}, {"address", u"文三路9号"}})},
        {"taobao3 Beijing", 2, u"李四 ，13800002222 ，010-65550000 ，北京 北京市 朝阳区 建国路1号 ，100020",
            expect({{"name", u"李四"}, {"mobile", u"13800002222"}, {"telephone", u"010-65550000"},
                {"postcode", u"100020"}, {"province", u"北京市"}, {"destination", u"北京市"}, {"district", u"朝阳区"},
                {"address", u"建国路1号"}})},
        {"taobao3 no district", 2, u"李四 ，13800002222 ，广东省 东莞市 长安镇1号 ，523000",
            expect({{"name", u"李四"}, {"mobile", u"13800002222"}, {"postcode", u"523000"}, {"province", u"广东省"},
                {"city", u"东莞市"}, {"destination", u"东莞市"}, {"address", u"长安镇1号"}})},

        // Format 3, "淘宝地址4".
        {"taobao4 worked example", 3, u"广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333",
            expect({{"postcode", u"518057"}, {"name", u"李四"}, {"telephone", u"0755-26660000"},
                {"mobile", u"13600003333"}, {"province", u"广东省"}, {"city", u"深圳市"}, {"destination", u"深圳市"},
                {"district", u"南山区"}, {"address", u"科技园路5号"}})},
        {"taobao4 commas without blanks", 3, u"广东省深圳市南山区科技园路5号，518057，李四，13600003333",
            expect({{"postcode", u"518057"}, {"name", u"李四"}, {"mobile", u"13600003333"}, {"province", u"广东省"},
                {"city", u"深圳市"}, {"destination", u"深圳市"}, {"district", u"南山区"},
                {"address", u"科技园路5号"}})},
        {"taobao4 landline only", 3, u"上海上海市徐汇区漕溪路1号， 200030， 王二， 021-64000000",
            expect({{"postcode", u"200030"}, {"name", u"王二"}, {"telephone", u"021-64000000"}, {"province", u"上海"},
                {"destination", u"上海市"}, {"district", u"徐汇区"}, {"address", u"漕溪路1号"}})},

        // Format 5, "淘宝地址6".
        {"taobao6 worked example", 5, u"小李旺旺在线   上海上海市浦东新区世纪大道100号，200120，赵六，13700004444",
            expect({{"nickname", u"小李"}, {"postcode", u"200120"}, {"name", u"赵六"}, {"mobile", u"13700004444"},
                {"province", u"上海"}, {"destination", u"上海市"}, {"district", u"浦东新区"},
                {"address", u"世纪大道100号"}})},
        {"taobao6 two phones and trims", 5,
            u"阿明手机在线   江苏省无锡市滨湖区湖滨路8号 ， 214000 , 钱七 ,0510-88886666 13900001111 ",
            expect({{"nickname", u"阿明"}, {"postcode", u"214000"}, {"name", u"钱七"}, {"mobile", u"13900001111"},
                {"telephone", u"0510-88886666"}, {"province", u"江苏省"}, {"city", u"无锡市"},
                {"destination", u"无锡市"}, {"district", u"滨湖区"}, {"address", u"湖滨路8号"}})},
        {"taobao6 landline alone", 5, u"阿明旺旺离线   江苏省无锡市滨湖区湖滨路8号，214000，钱七，0510-88886666",
            expect({{"nickname", u"阿明"}, {"postcode", u"214000"}, {"name", u"钱七"}, {"telephone", u"0510-88886666"},
                {"province", u"江苏省"}, {"city", u"无锡市"}, {"destination", u"无锡市"}, {"district", u"滨湖区"},
                {"address", u"湖滨路8号"}})},
        {"taobao6 two lines give nothing", 5,
            u"小李旺旺在线   上海上海市浦东新区世纪大道100号，200120，赵六，13700004444\r\n第二行", OrderResult()},

        // Format 6, "拍拍地址1".
        {"paipai one line", 6, u"100020 北京 朝阳区 建国路1号 王五  13900005555;010-65550000",
            expect({{"postcode", u"100020"}, {"province", u"北京"}, {"destination", u"北京"}, {"district", u"朝阳区"},
                {"name", u"王五"}, {"address", u"建国路1号"}, {"mobile", u"13900005555"},
                {"telephone", u"010-65550000"}})},
        {"paipai card", 6,
            u"买家昵称：小张(xz88)买家姓名：张七\r\n收货信息：518000 广东省 深圳市 福田区 深南大道1号 "
            u"张七\r\n[复制收货信息]13500006666",
            expect({{"nickname", u"小张(xz88)"}, {"chat", u"xz88"}, {"postcode", u"518000"}, {"province", u"广东省"},
                {"city", u"深圳市"}, {"destination", u"深圳市"}, {"district", u"福田区"}, {"name", u"张七"},
                {"address", u"深南大道1号"}, {"mobile", u"13500006666"}})},
        {"paipai postcode 000000 is none", 6, u"000000 广东省 深圳市 福田区 深南大道1号 张七  13500006666",
            expect({{"province", u"000000"}, {"city", u"广东省"}, {"destination", u"广东省"}, {"district", u"深圳市"},
                {"name", u"张七"}, {"address", u"福田区 深南大道1号"}, {"mobile", u"13500006666"}})},
        {"paipai 北京市 is no municipality", 6, u"100020 北京市 朝阳区 建国路1号 王五  010-65550000",
            expect({{"postcode", u"100020"}, {"province", u"北京市"}, {"city", u"朝阳区"}, {"destination", u"朝阳区"},
                {"district", u"建国路1号"}, {"name", u"王五"}, {"address", u"王五"}, {"telephone", u"010-65550000"}})},
        {"paipai without postcode", 6, u"广东省 深圳市 福田区 深南大道1号 张七  13500006666",
            expect({{"province", u"广东省"}, {"city", u"深圳市"}, {"destination", u"深圳市"}, {"district", u"福田区"},
                {"name", u"张七"}, {"address", u"深南大道1号"}, {"mobile", u"13500006666"}})},
        {"paipai card with missing lines", 6, u"买家昵称：小张\r\n其他\r\n[复制收货信息]0755-1234567",
            expect({{"nickname", u"小张"}, {"telephone", u"0755-1234567"}})},
        {"paipai two lines give nothing", 6, u"买家昵称：小张\r\n[复制收货信息]13500006666", OrderResult()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const OrderResult got = OrderParser::parse(c.format, QString::fromUtf16(c.text));
        EXPECT_EQ(got, c.expected) << "got      " << show(got) << "\nexpected " << show(c.expected);
    }
}

TEST(OrderParserTest, Previews)
{
    OrderResult r = expect({{"name", u"王五"}, {"destination", u"北京"}, {"province", u"北京"}, {"district", u"朝阳区"},
        {"address", u"建国路1号"}, {"telephone", u"010-65550000"}, {"postcode", u"100020"}, {"mobile", u"13900005555"},
        {"nickname", u"小张"}, {"payment", u"p@x"}, {"chat", u"xz88"}});
    const QString head
        = u"[收件姓名]:王五          [目的地]:北京\r\n[收件地址]:北京  朝阳区\r\n"
          u"\u3000\u3000\u3000\u3000   建国路1号\r\n[收件单位]:\r\n[联系电话]:010-65550000 [邮   编]:100020\r\n"
          u"[收件手机]:13900005555\r\n\r\n[买家昵称]:小张    "_qs;
    EXPECT_EQ(OrderParser::expressPreview(0, r), head + u"[支付宝]:p@x"_qs);
    EXPECT_EQ(OrderParser::expressPreview(4, r), head + u"[支付宝]:p@x"_qs);
    EXPECT_EQ(OrderParser::expressPreview(6, r), head + u"[财付通]:xz88"_qs);
    EXPECT_EQ(OrderParser::deliveryPreview(r, u"笔"_qs, u"2.00"_qs, u"10"_qs),
        u"[买家姓名]:王五 [买家昵称]:小张 [收件手机]:13900005555 [联系电话]:010-65550000\r\n"
        u"[收货地址]:北京  朝阳区 建国路1号 [邮   编]:100020\r\n\r\n[商品名称]:笔\r\n[商品单价]:2.00\r\n[邮    费]:10"_qs);
}
