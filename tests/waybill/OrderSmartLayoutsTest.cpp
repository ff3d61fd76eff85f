// The smart formats ("淘宝地址2", "淘宝地址5") on the layouts that put a
// parcel on the wrong road when read wrong: two people in one text, labels
// on their own lines, a name glued between the street and the phone, English
// labels, chat words around a label; and what the reader does when a text
// cannot tell who receives. Every field of every case must come out exactly,
// in both smart formats. People, numbers and streets are invented; the
// divisions are real.

#include "waybill/OrderParser.h"
#include "waybill/OrderReading.h"

#include <gtest/gtest.h>

#include <map>

using namespace Slipdesk;

namespace {

enum class Layout {
    SenderFirst,
    SenderAfter,
    LabelOnOwnLine,
    NameGluedToPhone,
    EnglishLabel,
    ChatBeforeLabel,
    TwoPeopleUnclear
};

const char *layoutName(Layout l)
{
    switch (l) {
    case Layout::SenderFirst:
        return "sender first";
    case Layout::SenderAfter:
        return "sender after";
    case Layout::LabelOnOwnLine:
        return "label on its own line";
    case Layout::NameGluedToPhone:
        return "name glued to the phone";
    case Layout::EnglishLabel:
        return "English label";
    case Layout::ChatBeforeLabel:
        return "chat before a label";
    case Layout::TwoPeopleUnclear:
        return "two people, unclear";
    }
    return "?";
}

struct Case
{
    Layout layout;
    const char16_t *text;
    // name|destination|province|city|district|address|telephone|postcode|mobile|nickname|payment|chat
    const char16_t *expected;
};

const Case kCases[] = {
    // A sender's block before the recipient's: every field from the recipient's block.
    {Layout::SenderFirst,
        u"寄件人：王建国\n电话：13800001111\n地址：浙江省杭州市西湖区文三路9号\n收件人：李秀英\n电话：13900002222\n地址"
        u"：江苏省无锡市滨湖区湖滨路8号",
        u"李秀英|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|||13900002222|||"},
    {Layout::SenderFirst,
        u"发件人：周小川 13511112222 上海市浦东新区张江路88号\n收件人：郑爱华 13622223333 "
        u"四川省成都市武侯区人民南路四段11号",
        u"郑爱华|成都市|四川省|成都市|武侯区|人民南路四段11号|||13622223333|||"},
    {Layout::SenderFirst,
        u"【寄件人】吴刚 0571-87650000 浙江省杭州市上城区解放路1号【收件人】孙丽 18633334444 "
        u"广东省广州市天河区天河路385号",
        u"孙丽|广州市|广东省|广州市|天河区|天河路385号|||18633334444|||"},
    {Layout::SenderFirst,
        u"寄件人信息\n黄海\n13744445555\n福建省厦门市思明区思明南路422号\n收件人信息\n林芳\n13855556666\n湖北省武汉市洪"
        u"山区珞喻路1037号\n邮编：430074",
        u"林芳|武汉市|湖北省|武汉市|洪山区|珞喻路1037号||430074|13855556666|||"},
    {Layout::SenderFirst,
        u"寄件人姓名：马丽\n寄件人电话：13966667777\n寄件人地址：河南省郑州市金水区花园路8号\n收件人姓名：欧阳明\n收件"
        u"人电话：13077778888\n收件人地址：陕西省西安市雁塔区小寨东路126号",
        u"欧阳明|西安市|陕西省|西安市|雁塔区|小寨东路126号|||13077778888|||"},
    {Layout::SenderFirst,
        u"寄：何光 13188889999 湖南省长沙市岳麓区麓山南路2号 收：许晴 13299990000 云南省昆明市五华区青年路100号",
        u"许晴|昆明市|云南省|昆明市|五华区|青年路100号|||13299990000|||"},
    {Layout::SenderFirst,
        u"发货人：小林的店 0592-5551234 "
        u"福建省厦门市湖里区湖里大道1号\n收货人：陈晓东\n手机：15011112222\n收货地址：黑龙江省哈尔滨市南岗区西大直街92"
        u"号",
        u"陈晓东|哈尔滨市|黑龙江省|哈尔滨市|南岗区|西大直街92号|||15011112222|||"},
    {Layout::SenderFirst,
        u"寄件人：ＡＢＣ旗舰店 ０５７１－８７６５００００\n收件人：龚丽 １３９ ０１２３ ４５６７ "
        u"湖北省宜昌市长阳土家族自治县龙舟坪镇1号",
        u"龚丽|宜昌市|湖北省|宜昌市|长阳土家族自治县|龙舟坪镇1号|||13901234567|||"},
    {Layout::SenderFirst,
        u"发件人：李店主，13511112222，浙江省金华市义乌市稠城街道1号\n收件人：白雪，86-"
        u"13622223333，内蒙古锡林郭勒盟锡林浩特市锡林大街1号，000000",
        u"白雪|锡林郭勒盟|内蒙古自治区|锡林郭勒盟|锡林浩特市|锡林大街1号|||13622223333|||"},
    {Layout::SenderFirst,
        u"寄件人：李四 13900002222 江苏省无锡市滨湖区湖滨路8号\n收件人：杨过 "
        u"13800001111\n收件地址：湖北省荆州市沙市区北京中路1号",
        u"杨过|荆州市|湖北省|荆州市|沙市区|北京中路1号|||13800001111|||"},
    {Layout::SenderFirst,
        u"发件人\n黄药师\n13912340003\n浙江省舟山市定海区解放路1号\n收件人\n郭靖\n13912340004\n内蒙古锡林郭勒盟锡林浩特"
        u"市锡林大街1号",
        u"郭靖|锡林郭勒盟|内蒙古自治区|锡林郭勒盟|锡林浩特市|锡林大街1号|||13912340004|||"},
    // The recipient's block first, the sender's after it; or the recipient without a word of its own before a sender's
    // block.
    {Layout::SenderAfter,
        u"收件人：赵敏\n手机：13612345678\n地址：山东省济南市历下区泉城路180号\n寄件人：钱峰\n手机：13712345678\n地址："
        u"江苏省南京市鼓楼区中山路18号",
        u"赵敏|济南市|山东省|济南市|历下区|泉城路180号|||13612345678|||"},
    {Layout::SenderAfter,
        u"收货人：孙浩 15822223333 重庆市渝中区解放碑民权路28号\n发件人：刘店长 13833334444 "
        u"广东省深圳市南山区科技园路5号",
        u"孙浩|重庆市|重庆市||渝中区|解放碑民权路28号|||15822223333|||"},
    {Layout::SenderAfter,
        u"收件人 周敏 电话 0755-26660000 地址 广东省深圳市福田区深南大道1号 寄件人 吴昊 电话 021-64001234 地址 "
        u"上海市徐汇区漕溪北路398号",
        u"周敏|深圳市|广东省|深圳市|福田区|深南大道1号|0755-26660000|||||"},
    {Layout::SenderAfter,
        u"收货信息：吕方，13900005555，吉林省吉林市船营区北京路2号，132000\n发货信息：冯远，13900006666，浙江省宁波市鄞"
        u"州区天童南路1号，315000",
        u"吕方|吉林市|吉林省|吉林市|船营区|北京路2号||132000|13900005555|||"},
    {Layout::SenderAfter,
        u"Receiver: 诸葛明\nTel: 13812345670\nAddress: 北京市海淀区中关村大街27号\nSender: 林海\nTel: "
        u"13812345671\nAddress: 天津市南开区卫津路94号",
        u"诸葛明|北京市|北京市||海淀区|中关村大街27号|||13812345670|||"},
    {Layout::SenderAfter,
        u"张伟 13812345678 江苏省无锡市滨湖区湖滨路8号\n寄件人：李明 13900001111 浙江省杭州市西湖区文三路9号",
        u"张伟|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|||13812345678|||"},
    {Layout::SenderAfter,
        u"收货人：韦小宝\n手机：13700001111 13700002222\n地址：黑龙江省大兴安岭地区漠河市北极村1号\n寄件人：双儿 "
        u"13700003333",
        u"韦小宝|大兴安岭地区|黑龙江省|大兴安岭地区|漠河市|北极村1号|||13700001111|||"},
    {Layout::SenderAfter,
        u"收件人：张三\n收件地址：浙江省杭州市西湖区文三路9号\n收件电话：13800001111\n寄件人：李四\n寄件地址：江苏省无"
        u"锡市滨湖区湖滨路8号\n寄件电话：13900002222",
        u"张三|杭州市|浙江省|杭州市|西湖区|文三路9号|||13800001111|||"},
    {Layout::SenderAfter,
        u"广东省广州市天河区天河路1号 周伯通13912340002，寄件人：黄药师 13912340003 浙江省舟山市定海区解放路1号",
        u"周伯通|广州市|广东省|广州市|天河区|天河路1号|||13912340002|||"},
    // Labels alone on their line, the value on the next one.
    {Layout::LabelOnOwnLine, u"收货人\n钟子健\n手机号码\n13957212345\n收货地址\n广东省广州市越秀区中山五路1号",
        u"钟子健|广州市|广东省|广州市|越秀区|中山五路1号|||13957212345|||"},
    {Layout::LabelOnOwnLine,
        u"收件人：\n韩梅\n联系电话：\n0510-88886666\n详细地址：\n江苏省无锡市梁溪区中山路1号\n邮编：\n214000",
        u"韩梅|无锡市|江苏省|无锡市|梁溪区|中山路1号|0510-88886666|214000||||"},
    {Layout::LabelOnOwnLine, u"【收货人】\n欧阳娜娜\n【手机】\n138 1234 5678\n【地址】\n福建省泉州市丰泽区田安南路1号",
        u"欧阳娜娜|泉州市|福建省|泉州市|丰泽区|田安南路1号|||13812345678|||"},
    {Layout::LabelOnOwnLine,
        u"收货人\n杜甫\n所在地区\n四川省 成都市 青羊区\n详细地址\n草堂路28号\n手机号码\n13812340061",
        u"杜甫|成都市|四川省|成都市|青羊区|草堂路28号|||13812340061|||"},
    {Layout::LabelOnOwnLine, u"手机号码\n+86 139 1234 5678\n收货人\n仝欣\n收货地址\n浙江省温州市乐清市柳市镇柳青路1号",
        u"仝欣|温州市|浙江省|温州市|乐清市|柳市镇柳青路1号|||13912345678|||"},
    {Layout::LabelOnOwnLine, u"Name\n诸葛青云\nPhone\n13812345678\nAddress\n广西桂林市秀峰区中山中路1号",
        u"诸葛青云|桂林市|广西壮族自治区|桂林市|秀峰区|中山中路1号|||13812345678|||"},
    {Layout::LabelOnOwnLine, u"姓名\n阿卜杜拉\n电话\n13999887766\n地址\n新疆维吾尔自治区喀什地区喀什市人民东路1号",
        u"阿卜杜拉|喀什地区|新疆维吾尔自治区|喀什地区|喀什市|人民东路1号|||13999887766|||"},
    {Layout::LabelOnOwnLine,
        u"收货人：\n钱学森\n手机号码：\n138-1234-5678\n所在地区：\n湖北省 宜昌市 "
        u"长阳土家族自治县\n详细地址：\n龙舟坪镇清江大道1号",
        u"钱学森|宜昌市|湖北省|宜昌市|长阳土家族自治县|龙舟坪镇清江大道1号|||13812345678|||"},
    {Layout::LabelOnOwnLine,
        u"收货人\n龙飞\n联系电话\n(0931)8801234\n收货地址\n甘肃省兰州市城关区东岗西路1号\n邮政编码\n000000",
        u"龙飞|兰州市|甘肃省|兰州市|城关区|东岗西路1号|0931-8801234|||||"},
    // A name glued between the street part and the phone: the street never carries it.
    {Layout::NameGluedToPhone, u"江西省南昌市东湖区南昌街1号陆小凤13957212345",
        u"陆小凤|南昌市|江西省|南昌市|东湖区|南昌街1号|||13957212345|||"},
    {Layout::NameGluedToPhone, u"浙江省杭州市西湖区文三路90号东部软件园2号楼王小明13812345678 310012",
        u"王小明|杭州市|浙江省|杭州市|西湖区|文三路90号东部软件园2号楼||310012|13812345678|||"},
    {Layout::NameGluedToPhone, u"山东省青岛市市南区香港中路10号502室李娜15011112222",
        u"李娜|青岛市|山东省|青岛市|市南区|香港中路10号502室|||15011112222|||"},
    {Layout::NameGluedToPhone, u"湖北省荆州市沙市区北京中路1号欧阳娜娜13900000002",
        u"欧阳娜娜|荆州市|湖北省|荆州市|沙市区|北京中路1号|||13900000002|||"},
    {Layout::NameGluedToPhone, u"上海市浦东新区张江路88弄5号601室陈静021-64001234",
        u"陈静|上海市|上海市||浦东新区|张江路88弄5号601室|021-64001234|||||"},
    {Layout::NameGluedToPhone, u"广东省深圳市南山区科技园路5号张伟+86 138 1234 5678",
        u"张伟|深圳市|广东省|深圳市|南山区|科技园路5号|||13812345678|||"},
    {Layout::NameGluedToPhone, u"地址：江苏省苏州市昆山市前进西路1号3单元502孙悦18511112222",
        u"孙悦|苏州市|江苏省|苏州市|昆山市|前进西路1号3单元502|||18511112222|||"},
    {Layout::NameGluedToPhone, u"收货地址：云南省大理白族自治州大理市人民路1号段誉13812340069",
        u"段誉|大理白族自治州|云南省|大理白族自治州|大理市|人民路1号|||13812340069|||"},
    {Layout::NameGluedToPhone, u"内蒙古呼和浩特市新城区新华大街1号田甜13322221111，010010",
        u"田甜|呼和浩特市|内蒙古自治区|呼和浩特市|新城区|新华大街1号||010010|13322221111|||"},
    {Layout::NameGluedToPhone, u"湖北省宜昌市长阳土家族自治县龙舟坪镇清江大道1号覃小燕13712340001",
        u"覃小燕|宜昌市|湖北省|宜昌市|长阳土家族自治县|龙舟坪镇清江大道1号|||13712340001|||"},
    {Layout::NameGluedToPhone, u"浙江省温州市乐清市柳市镇柳青路1号仝欣13812340012",
        u"仝欣|温州市|浙江省|温州市|乐清市|柳市镇柳青路1号|||13812340012|||"},
    {Layout::NameGluedToPhone, u"收货人：陆小凤\n地址：江西省南昌市东湖区南昌街1号陆小凤13957212345",
        u"陆小凤|南昌市|江西省|南昌市|东湖区|南昌街1号|||13957212345|||"},
    // English labels in any letter case, names of four characters after them.
    {Layout::EnglishLabel, u"Name: 诸葛青云\nPhone: 13812345678\nAddress: 浙江省杭州市西湖区文三路9号",
        u"诸葛青云|杭州市|浙江省|杭州市|西湖区|文三路9号|||13812345678|||"},
    {Layout::EnglishLabel, u"Name: 阿卜杜拉 Tel: 13999887766 Address: 新疆维吾尔自治区乌鲁木齐市天山区解放南路8号",
        u"阿卜杜拉|乌鲁木齐市|新疆维吾尔自治区|乌鲁木齐市|天山区|解放南路8号|||13999887766|||"},
    {Layout::EnglishLabel,
        u"NAME：欧阳娜娜\nMOBILE：13900000002\nADDRESS：福建省泉州市丰泽区田安南路1号\nZIP CODE：362000",
        u"欧阳娜娜|泉州市|福建省|泉州市|丰泽区|田安南路1号||362000|13900000002|||"},
    {Layout::EnglishLabel,
        u"Receiver: 司马相如, Mobile: 13812340001, Address: 四川省成都市武侯区人民南路1号, Postcode: 610041",
        u"司马相如|成都市|四川省|成都市|武侯区|人民南路1号||610041|13812340001|||"},
    {Layout::EnglishLabel,
        u"Full Name: 扎西顿珠\nCell Phone: 13812340004\nProvince: 西藏自治区\nCity: 拉萨市\nDistrict: 城关区\nStreet: "
        u"北京中路1号",
        u"扎西顿珠|拉萨市|西藏自治区|拉萨市|城关区|北京中路1号|||13812340004|||"},
    {Layout::EnglishLabel, u"name: 乌兰图雅 phone: 0471-6601234 address: 内蒙古自治区呼和浩特市新城区新华大街1号",
        u"乌兰图雅|呼和浩特市|内蒙古自治区|呼和浩特市|新城区|新华大街1号|0471-6601234|||||"},
    {Layout::EnglishLabel, u"Name: 欧阳娜娜 Mobile: +86 139 0000 2222 Address: 重庆市渝北区金开大道1号",
        u"欧阳娜娜|重庆市|重庆市||渝北区|金开大道1号|||13900002222|||"},
    {Layout::EnglishLabel,
        u"Consignee：端木蓉\nTel：０５１０－８８８８６６６６\nAdd：江苏省无锡市滨湖区湖滨路8号\nZip：214000",
        u"端木蓉|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|0510-88886666|214000||||"},
    {Layout::EnglishLabel, u"Name:诸葛青云,Phone:13812345678,Address:浙江省杭州市西湖区文三路9号",
        u"诸葛青云|杭州市|浙江省|杭州市|西湖区|文三路9号|||13812345678|||"},
    {Layout::EnglishLabel, u"Tel: 13812340006\nName: 皇甫嵩\nAddress: 甘肃省兰州市城关区东岗西路1号\nZip: 730000",
        u"皇甫嵩|兰州市|甘肃省|兰州市|城关区|东岗西路1号||730000|13812340006|||"},
    // Chat words around a label: the label counts, the words go.
    {Layout::ChatBeforeLabel, u"地址改一下：广西桂林市秀峰区中山中路1号 刘备 13812345678",
        u"刘备|桂林市|广西壮族自治区|桂林市|秀峰区|中山中路1号|||13812345678|||"},
    {Layout::ChatBeforeLabel, u"亲，地址改成：云南省昆明市五华区青年路100号，收货人改成：罗建国，电话换成：13100001111",
        u"罗建国|昆明市|云南省|昆明市|五华区|青年路100号|||13100001111|||"},
    {Layout::ChatBeforeLabel, u"麻烦帮我把收货地址改一下：湖南省长沙市岳麓区麓山南路2号，朱丹，15699990000",
        u"朱丹|长沙市|湖南省|长沙市|岳麓区|麓山南路2号|||15699990000|||"},
    {Layout::ChatBeforeLabel, u"地址改一下 广西桂林市七星区七星路1号 黄丽 17766667777",
        u"黄丽|桂林市|广西壮族自治区|桂林市|七星区|七星路1号|||17766667777|||"},
    {Layout::ChatBeforeLabel, u"不好意思地址写错了，新地址：河北省石家庄市长安区中山东路39号 曹颖 13501234567",
        u"曹颖|石家庄市|河北省|石家庄市|长安区|中山东路39号|||13501234567|||"},
    {Layout::ChatBeforeLabel, u"电话改一下：13811112222 收货人：宋佳 地址：辽宁省沈阳市和平区南京北街206号",
        u"宋佳|沈阳市|辽宁省|沈阳市|和平区|南京北街206号|||13811112222|||"},
    {Layout::ChatBeforeLabel, u"快递改一下地址：山东省青岛市市南区香港中路10号，收货人：李娜，手机：15011112222",
        u"李娜|青岛市|山东省|青岛市|市南区|香港中路10号|||15011112222|||"},
    {Layout::ChatBeforeLabel, u"我的手机号换了：13987654321 其他不变 收货人：冯宝宝 地址：四川省成都市锦江区春熙路1号",
        u"冯宝宝|成都市|四川省|成都市|锦江区|春熙路1号|||13987654321|||"},
    {Layout::ChatBeforeLabel, u"地址换成：浙江省金华市义乌市稠城街道工人西路1号 电话：13812340007 收件人：何晓",
        u"何晓|金华市|浙江省|金华市|义乌市|稠城街道工人西路1号|||13812340007|||"},
    {Layout::ChatBeforeLabel, u"收件人改为：乔峰，电话改为：13812340008，地址不变：河南省洛阳市西工区中州中路1号",
        u"乔峰|洛阳市|河南省|洛阳市|西工区|中州中路1号|||13812340008|||"},
    {Layout::ChatBeforeLabel, u"亲 地址改成湖北省武汉市洪山区珞喻路1037号 收货人：胡斐 13812340009",
        u"胡斐|武汉市|湖北省|武汉市|洪山区|珞喻路1037号|||13812340009|||"},
    {Layout::ChatBeforeLabel, u"电话号码改一下：0371-65001234，收货人还是：苗人凤，地址：河南省郑州市金水区花园路8号",
        u"苗人凤|郑州市|河南省|郑州市|金水区|花园路8号|0371-65001234|||||"},
    // Two people and no word to tell which one receives: no person rather than a mix of both; two labelled orders give
    // the first; two names beside one address give the first common one.
    {Layout::TwoPeopleUnclear,
        u"张三 13800001111 浙江省杭州市西湖区文三路9号\n李四 13900002222 江苏省无锡市滨湖区湖滨路8号", u"|||||||||||"},
    {Layout::TwoPeopleUnclear, u"寄件人：李明 13900001111\n张伟 13812345678 江苏省无锡市滨湖区湖滨路8号",
        u"|||||||||||"},
    {Layout::TwoPeopleUnclear,
        u"收件人：李四 13900002222 江苏省无锡市滨湖区湖滨路8号\n张三 13800001111 浙江省杭州市西湖区文三路9号",
        u"|||||||||||"},
    {Layout::TwoPeopleUnclear,
        u"买家昵称：tb_wuxi\n王芳 13912345678 浙江省杭州市西湖区文三路90号\n刘洋 18622223333 天津市南开区卫津路94号",
        u"|||||||||tb_wuxi||"},
    {Layout::TwoPeopleUnclear,
        u"收货人：张三 手机：13800001111 地址：江苏省无锡市滨湖区湖滨路8号\n收货人：李四 手机：13900002222 "
        u"地址：浙江省杭州市西湖区文三路9号",
        u"张三|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|||13800001111|||"},
    {Layout::TwoPeopleUnclear, u"张三 李四 13800000000 江苏省无锡市滨湖区湖滨路8号",
        u"张三|无锡市|江苏省|无锡市|滨湖区|湖滨路8号|||13800000000|||"},
};

// `layout` with %1, %2 … replaced by `values` (a layout may leave some out).
QString fill(QString layout, const QStringList &values)
{
    for (qsizetype i = values.size(); i >= 1; --i)
        layout.replace(u'%' + QString::number(i), values.at(i - 1));
    return layout;
}

} // namespace

TEST(OrderSmartLayoutsTest, EveryFieldOfEveryLayoutInBothSmartFormats)
{
    std::map<Layout, int> perLayout;
    int wrong = 0;
    for (const Case &c : kCases) {
        ++perLayout[c.layout];
        const QString text = QString::fromUtf16(c.text);
        const QStringList expected = QString::fromUtf16(c.expected).split(u'|');
        ASSERT_EQ(expected.size(), 12) << text.toStdString();
        for (int format : {int(OrderParser::Taobao2), int(OrderParser::Taobao5)}) {
            const OrderReading reading = OrderReading::read(format, text);
            EXPECT_FALSE(reading.smartFallback);
            if (reading.result.values() != expected) {
                ++wrong;
                ADD_FAILURE() << layoutName(c.layout) << ", format " << format << "\ntext     " << text.toStdString()
                              << "\ngot      " << reading.result.values().join(u'|').toStdString() << "\nexpected "
                              << expected.join(u'|').toStdString();
            }
        }
    }
    for (const auto &[layout, count] : perLayout)
        EXPECT_GE(count, 6) << layoutName(layout);
    EXPECT_EQ(perLayout.size(), 7u);
    EXPECT_EQ(wrong, 0);
}

// Invented recipients written in each new layout beside a sender in another
// province, with every phone style: the recipient's fields come out alone,
// never the sender's, and the street never carries the name. Two people
// without a word that tells who receives give no person at all.
TEST(OrderSmartLayoutsTest, GeneratedRecipientsInEveryLayout)
{
    // Four-character names known by shape only (乌兰图雅) are not looked for
    // glued to a street: too many place words have that shape.
    struct Name
    {
        QString text;
        bool gluable;
    };
    const Name names[] = {{u"张伟"_qs, true}, {u"陆小凤"_qs, true}, {u"欧阳娜娜"_qs, true}, {u"诸葛青云"_qs, true},
        {u"仝欣"_qs, true}, {u"訾文博"_qs, true}, {u"买买提·艾力"_qs, true}, {u"乌兰图雅"_qs, false},
        {u"扎西顿珠"_qs, false}, {u"司马光"_qs, true}, {u"覃小燕"_qs, true}, {u"阿卜杜拉"_qs, false}};
    struct Address
    {
        const char16_t *text;
        const char16_t *province;
        const char16_t *city;
        const char16_t *district;
        const char16_t *street;
    };
    const Address addresses[] = {
        {u"江苏省无锡市滨湖区湖滨路8号", u"江苏省", u"无锡市", u"滨湖区", u"湖滨路8号"},
        {u"浙江省温州市乐清市柳市镇柳青路1号", u"浙江省", u"温州市", u"乐清市", u"柳市镇柳青路1号"},
        {u"山东省青岛市市南区香港中路10号502室", u"山东省", u"青岛市", u"市南区", u"香港中路10号502室"},
        {u"湖北省荆州市沙市区北京中路1号", u"湖北省", u"荆州市", u"沙市区", u"北京中路1号"},
        {u"内蒙古锡林郭勒盟锡林浩特市锡林大街1号", u"内蒙古自治区", u"锡林郭勒盟", u"锡林浩特市", u"锡林大街1号"},
        {u"北京市朝阳区建国路93号", u"北京市", u"", u"朝阳区", u"建国路93号"},
        {u"新疆维吾尔自治区喀什地区喀什市人民东路1号", u"新疆维吾尔自治区", u"喀什地区", u"喀什市", u"人民东路1号"},
        {u"湖北省宜昌市长阳土家族自治县龙舟坪镇1号", u"湖北省", u"宜昌市", u"长阳土家族自治县", u"龙舟坪镇1号"},
    };
    struct Phone
    {
        const char16_t *text;
        bool mobile;
    };
    const Phone phones[] = {
        {u"13812345678", true},
        {u"138 1234 5678", true},
        {u"+86 13812345678", true},
        {u"１３８１２３４５６７８", true},
        {u"0510-88886666", false},
        {u"(0510)88886666", false},
    };
    // %1 name, %2 phone, %3 address of the recipient; %4, %5, %6 the sender's.
    struct Template
    {
        const char16_t *text;
        bool glued; // the name is glued to the street
    };
    const Template layouts[] = {
        {u"寄件人：%4\n电话：%5\n地址：%6\n收件人：%1\n电话：%2\n地址：%3", false},
        {u"发件人：%4 %5 %6\n收件人：%1 %2 %3", false},
        {u"【寄件人】%4 %5 %6【收件人】%1 %2 %3", false},
        {u"寄件人信息\n%4\n%5\n%6\n收件人信息\n%1\n%2\n%3", false},
        {u"收件人：%1 %2 %3\n发件人：%4 %5 %6", false},
        {u"收货人：%1\n手机：%2\n收货地址：%3\n寄件人：%4 %5 %6", false},
        {u"收货人\n%1\n手机号码\n%2\n收货地址\n%3", false},
        {u"收件人：\n%1\n联系电话：\n%2\n详细地址：\n%3", false},
        {u"Name: %1\nPhone: %2\nAddress: %3", false},
        {u"RECEIVER：%1，TEL：%2，ADDRESS：%3", false},
        {u"地址改一下：%3 %1 %2", false},
        {u"亲，地址改成：%3，收货人改成：%1，电话换成：%2", false},
        {u"%3%1%2", true},
        {u"收货地址：%3%1%2\n寄件人：%4 %5 %6", true},
    };
    const QString senderName = u"黄药师"_qs;
    const QString senderPhones[] = {u"13900009999"_qs, u"021-64001234"_qs};
    const QString senderAddress = u"广东省深圳市南山区科技园路5号"_qs;

    int parses = 0;
    int wrong = 0;
    for (const Name &name : names) {
        for (const Address &a : addresses) {
            for (const Phone &p : phones) {
                const QString &senderPhone = senderPhones[p.mobile ? 1 : 0];
                for (const Template &layout : layouts) {
                    if (layout.glued && !name.gluable)
                        continue;
                    const QString text = fill(QString::fromUtf16(layout.text),
                        {name.text, QString::fromUtf16(p.text), QString::fromUtf16(a.text), senderName, senderPhone,
                            senderAddress});
                    for (int format : {int(OrderParser::Taobao2), int(OrderParser::Taobao5)}) {
                        const OrderResult r = OrderParser::parse(format, text);
                        ++parses;
                        const bool ok = r.name == name.text && r.province == QString::fromUtf16(a.province)
                            && r.city == QString::fromUtf16(a.city) && r.district == QString::fromUtf16(a.district)
                            && r.address == QString::fromUtf16(a.street)
                            && (p.mobile ? r.mobile == u"13812345678"_qs && r.telephone.isEmpty()
                                         : r.telephone == u"0510-88886666"_qs && r.mobile.isEmpty());
                        if (!ok && ++wrong <= 20)
                            ADD_FAILURE()
                                << "text " << text.toStdString() << "\ngot  " << r.values().join(u'|').toStdString();
                    }
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << parses;

    // The same two people without a word for either: nobody is read.
    for (const Name &name : names) {
        for (const Address &a : addresses) {
            const QString text = u"%1 13812345678 %2\n%3 13900009999 %4"_qs.arg(
                name.text, QString::fromUtf16(a.text), senderName, senderAddress);
            EXPECT_TRUE(OrderParser::parse(OrderParser::Taobao2, text).isEmpty()) << text.toStdString();
        }
    }
}
