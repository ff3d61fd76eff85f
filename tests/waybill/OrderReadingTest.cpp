// The one-click fill's reading: a fixed copy format keeps its own rules for
// the texts it fits, and a text it does not fit is read smartly instead, so
// that no label ever lands in a field.

#include "waybill/OrderReading.h"
#include "waybill/OrderParser.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

// The copy: a labelled text, read in the default fixed format
// "淘宝地址3", put "收货人：张伟…" into the name and the province.
const char16_t kLabelled[] = u"收货人：张伟 手机：13812345678 地址：江苏省无锡市滨湖区湖滨路8号";
// name|destination|province|city|district|address|telephone|postcode|mobile|nickname|payment|chat
const char16_t kLabelledRead[] = u"张伟|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|||13812345678|||";

struct Case
{
    const char *label;
    int format;
    const char16_t *text;
    bool fallback;
    const char16_t *expected; // as above
};

const Case kCases[] = {
    // Texts the fixed formats fit: their own rules, unchanged.
    {"format 0 example", 0, u"小王的店\r\n王小二  13900001111/0510-88886666\r\n江苏省无锡市滨湖区湖滨路8号，214000",
        false, u"王小二|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|0510-88886666|214000|13900001111|小王的店||"},
    {"format 0 single Beijing", 0, u"店\n王五 13900001111\n北京市朝阳区建国路1号，100020", false,
        u"王五|北京市|北京||北京市朝阳区|建国路1号||100020|13900001111|店||"},
    {"format 2 example", 2, u"张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012", false,
        u"张三|杭州市|浙江省|杭州市|西湖区|文三路9号|0571-87650000|310012|13800002222|||"},
    {"format 2 mobile in telephone", 2, u"张三 ，13800002222 ，浙江省 杭州市 西湖区 文三路9-1号 ，310012", false,
        u"张三|杭州市|浙江省|杭州市|西湖区|文三路9-1号|13800002222|310012||||"},
    {"format 3 example", 3, u"广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333", false,
        u"李四|深圳市|广东省|深圳市|南山区|科技园路5号|0755-26660000|518057|13600003333|||"},
    {"format 5 example", 5, u"小李旺旺在线   上海上海市浦东新区世纪大道100号，200120，赵六，13700004444", false,
        u"赵六|上海市|上海||浦东新区|世纪大道100号||200120|13700004444|小李||"},
    {"format 6 one line", 6, u"100020 北京 朝阳区 建国路1号 王五  13900005555;010-65550000", false,
        u"王五|北京|北京||朝阳区|建国路1号|010-65550000|100020|13900005555|||"},
    {"format 6 card", 6,
        u"买家昵称：小张(xz88)买家姓名：张七\r\n收货信息：518000 广东省 深圳市 福田区 深南大道1号 "
        u"张七\r\n[复制收货信息]13500006666",
        false, u"张七|深圳市|广东省|深圳市|福田区|深南大道1号||518000|13500006666|小张(xz88)||xz88"},
    {"format 6 postcode 000000", 6, u"000000 广东省 深圳市 福田区 深南大道1号 张七  13500006666", false,
        u"张七|广东省|000000|广东省|深圳市|福田区 深南大道1号|||13500006666|||"},

    // Labels of the smart formats in the results: the smart reading.
    {"labels, format 0", 0, kLabelled, true, kLabelledRead},
    {"labels, format 2", 2, kLabelled, true, kLabelledRead},
    {"labels, format 3", 3, kLabelled, true, kLabelledRead},
    {"labels, format 5", 5, kLabelled, true, kLabelledRead},
    {"labels, format 6", 6, kLabelled, true, kLabelledRead},
    {"label in front of the address, format 3", 3,
        u"地址：广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333", true,
        u"李四|深圳市|广东省|深圳市|南山区|科技园路5号|0755-26660000|518057|13600003333|||"},
    {"labels on their lines, format 2", 2, u"收件人：王芳\n电话：0571-87650000\n地址：浙江省杭州市西湖区文三路9号",
        true, u"王芳|杭州市|浙江省|杭州市|西湖区|文三路9号|0571-87650000|||||"},

    // Fields in the wrong shape.
    {"name with digits, format 2", 2, u"张伟 13812345678 江苏省无锡市滨湖区湖滨路8号", true, kLabelledRead},
    {"postcode too long, format 3", 3, u"张伟，13812345678，江苏省无锡市滨湖区湖滨路8号", true, kLabelledRead},
    {"nickname only, format 0", 0, u"张伟，13812345678，江苏省无锡市滨湖区湖滨路8号", true, kLabelledRead},
    {"words for a phone, format 2", 2, u"张三 ，无 ，浙江省 杭州市 西湖区 文三路9号 ，310012", true,
        u"张三|杭州市|浙江省|杭州市|西湖区|文三路9号||310012||||"},
    {"a card of two lines, format 6", 6, u"买家昵称：小张\r\n[复制收货信息]13500006666", true,
        u"||||||||13500006666|小张||"},
    // Chat: nothing is read, nothing of it goes into the fields.
    {"chat, format 2", 2, u"谢谢老板，请尽快发货", true, u"|||||||||||"},

    // The smart formats are the smart reading already. When neither reading
    // finds anyone (a line of chat, a blank copy), the format's own stays.
    {"smart format 1", 1, kLabelled, false, kLabelledRead},
    {"smart format 4", 4, kLabelled, false, kLabelledRead},
    {"chat, format 0", 0, u"谢谢老板，请尽快发货", false, u"|||||||||谢谢老板，请尽快发货||"},
    {"blank copy", 0, u"  \r\n ", false, u"|||||||||||"},
};

} // namespace

TEST(OrderReadingTest, FixedFormatsKeepTheirRulesForTextsTheyFit)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.label);
        const QString text = QString::fromUtf16(c.text);
        const OrderReading reading = OrderReading::read(c.format, text);
        EXPECT_EQ(reading.smartFallback, c.fallback);
        EXPECT_EQ(reading.result.values().join(u'|'), QString::fromUtf16(c.expected));
        if (c.fallback)
            EXPECT_FALSE(OrderReading::fits(OrderParser::parse(c.format, text)));
        else
            EXPECT_EQ(reading.result, OrderParser::parse(c.format, text));
    }
}

TEST(OrderReadingTest, TheNoteNamesTheFormat)
{
    const OrderReading fell = OrderReading::read(OrderParser::Taobao3, QString::fromUtf16(kLabelled));
    EXPECT_EQ(fell.note(OrderParser::Taobao3), u"复制的文字不符合“淘宝地址3”格式，已改用智能识别读取"_qs);
    const OrderReading fitted = OrderReading::read(
        OrderParser::Taobao4, u"广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333"_qs);
    EXPECT_TRUE(fitted.note(OrderParser::Taobao4).isEmpty());
    EXPECT_EQ(OrderReading::read(7, QString::fromUtf16(kLabelled)).result, OrderResult());
}
