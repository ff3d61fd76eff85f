// Order text parsing: the smart format ("淘宝地址2") on realistic copies of
// every common layout, beside the fixed formats 0 and 2 as the baseline.
// Goal for the smart format: 100,000 parses a second on one core. The
// one-click fill's reading in a fixed format (the fit check, and the smart
// reading when the text does not fit) is measured beside them too.

#include "waybill/DivisionTable.h"
#include "waybill/OrderParser.h"
#include "waybill/OrderReading.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

using namespace Slipdesk;

namespace {

QStringList smartTexts()
{
    return {
        u"张伟，86-13812345678，江苏省 无锡市 滨湖区 湖滨路8号，214000"_qs,
        u"收货人：周杰\n手机号码：13677778888\n所在地区：四川省 成都市 武侯区\n详细地址：人民南路四段11号\n邮编：610041"_qs,
        u"买家昵称：tb_coolcat\n收货人：孙悦\n联系电话：18511112222\n收货地址：广东省广州市天河区天河路385号太古汇\n邮编：510620"_qs,
        u"宋佳 13611112222 辽宁省 沈阳市 和平区 南京北街206号 110001"_qs,
        u"江苏无锡滨湖区湖滨路8号 许晴 13400001111"_qs,
        u"肖雨 / 13912340000 / 0871-63001234 / 云南省大理州大理市人民路1号"_qs,
        u"陈静，+86 137 3333 4444，上海 上海市 浦东新区 张江路88弄5号601室，000000"_qs,
        u"订单编号：3456789012345678901\n买家留言：请发顺丰 谢谢\n收货人：何平\n手机：18912341234\n地址：江西省南昌市东湖区八一大道357号"_qs,
        // Messier copies: a rare surname after the address, a bracketed area
        // code, labels without colons, a receiving mark, a tracking number.
        u"江苏省南京市鼓楼区中山路18号 厍兰 210008 13812340011"_qs,
        u"孙立，(0755) 2666 0000，13600003333，广东省深圳市南山区科技园路5号"_qs,
        u"收货人王五电话138 1234 0034地址江苏省南京市鼓楼区中山路18号"_qs,
        u"江苏省无锡市滨湖区湖滨路8号 李四（收） 13812340042"_qs,
        u"快递单号 773012345678901 李四 13812340051 江苏省无锡市滨湖区湖滨路8号"_qs,
        // Two people, labels on their own lines, a name glued to the phone,
        // English labels, chat words before a label.
        u"寄件人：王建国\n电话：13800001111\n地址：浙江省杭州市西湖区文三路9号\n收件人：李秀英\n电话：13900002222\n地址：江苏省无锡市滨湖区湖滨路8号"_qs,
        u"收货人：孙浩 15822223333 重庆市渝中区解放碑民权路28号\n发件人：刘店长 13833334444 广东省深圳市南山区科技园路5号"_qs,
        u"收货人\n钟子健\n手机号码\n13957212345\n收货地址\n广东省广州市越秀区中山五路1号"_qs,
        u"江西省南昌市东湖区南昌街1号陆小凤13957212345"_qs,
        u"Name: 诸葛青云\nPhone: 13812345678\nAddress: 浙江省杭州市西湖区文三路9号"_qs,
        u"地址改一下：广西桂林市秀峰区中山中路1号 刘备 13812345678"_qs,
    };
}

void report(benchmark::State &state, size_t perIteration)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(perIteration));
    state.counters["parses/s"]
        = benchmark::Counter(double(state.iterations()) * double(perIteration), benchmark::Counter::kIsRate);
}

void run(benchmark::State &state, int format, const QStringList &texts)
{
    DivisionTable::instance(); // built once, outside the timing
    for (auto _ : state) {
        for (const QString &text : texts) {
            OrderResult r = OrderParser::parse(format, text);
            benchmark::DoNotOptimize(r);
        }
    }
    report(state, size_t(texts.size()));
}

void BM_ParseSmart(benchmark::State &state)
{
    run(state, OrderParser::Taobao2, smartTexts());
}

void BM_ParseFormat0(benchmark::State &state)
{
    run(state, OrderParser::Youa1,
        {u"小王的店\r\n王小二  13900001111/0510-88886666\r\n江苏省无锡市滨湖区湖滨路8号，214000"_qs,
            u"阿明\r\n李四 13900002222\r\n北京北京市朝阳区建国路1号，100020"_qs});
}

void BM_ParseFormat2(benchmark::State &state)
{
    run(state, OrderParser::Taobao3,
        {u"张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012"_qs,
            u"李四 ，13800002222 ，北京 北京市 朝阳区 建国路1号 ，100020"_qs});
}

void read(benchmark::State &state, int format, const QStringList &texts)
{
    DivisionTable::instance();
    for (auto _ : state) {
        for (const QString &text : texts) {
            OrderReading r = OrderReading::read(format, text);
            benchmark::DoNotOptimize(r);
        }
    }
    report(state, size_t(texts.size()));
}

// Texts format 2 fits: its own reading and the check.
void BM_ReadFormat2Fits(benchmark::State &state)
{
    read(state, OrderParser::Taobao3,
        {u"张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012"_qs,
            u"李四 ，13800002222 ，北京 北京市 朝阳区 建国路1号 ，100020"_qs});
}

// Texts format 2 does not fit: its reading, the check, the smart reading.
void BM_ReadFormat2Fallback(benchmark::State &state)
{
    read(state, OrderParser::Taobao3,
        {u"收货人：张伟 手机：13812345678 地址：江苏省无锡市滨湖区湖滨路8号"_qs,
            u"张伟 13812345678 江苏省无锡市滨湖区湖滨路8号"_qs});
}

} // namespace

BENCHMARK(BM_ParseSmart);
BENCHMARK(BM_ReadFormat2Fits);
BENCHMARK(BM_ReadFormat2Fallback);
BENCHMARK(BM_ParseFormat0);
BENCHMARK(BM_ParseFormat2);
