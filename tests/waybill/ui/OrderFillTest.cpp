#include "support/MainWindowFixture.h"

#include "platform/ClipboardWatch.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/WidgetFields.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "waybill/OrderParser.h"
#include "waybill/ui/OrderFill.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>

using namespace Slipdesk;

namespace {

const QString kTaobao3 = u"张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012"_qs;

// The express fields the fill writes, in the order of the result keys.
const char *const kExpressFields[] = {"CmbSjrMc", "EdtTo", "EdtSjDwSs", "EdtSjDwDs", "EdtSjDwQx", "EdtSjDwDz",
    "EdtSjDwTel", "EdtSjdwYb", "EdtSjrMobile", "EdtSjrWW", "EdtSjrPayEmail", "EdtSjrIM"};

class OrderFillTest : public MainWindowTest
{
protected:
    QStringList expressValues() const
    {
        QStringList out;
        for (const char *name : kExpressFields)
            out.append(Fields::text(control<QWidget>(name)));
        return out;
    }
    void setExpressValues(const QString &value)
    {
        for (const char *name : kExpressFields)
            Fields::setText(control<QWidget>(name), value);
    }
    static void copy(const QString &text) { QGuiApplication::clipboard()->setText(text); }
};

} // namespace

TEST_F(OrderFillTest, FormatListMatchesTheParser)
{
    open();
    EXPECT_EQ(comboItems(control<QComboBox>("CmbAddType")), OrderParser::formatNames());
}

TEST_F(OrderFillTest, LabelPreviewsThenFillsTheRecipientFields)
{
    TForm1 &w = open();
    OrderFill *fill = w.orderFill();
    control<QComboBox>("CmbAddType")->setCurrentIndex(OrderParser::Taobao3);
    auto *label = control<QLabel>("LblAutoAdd");
    copy(kTaobao3);

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(label, &enter);
    OrderResult expected;
    expected.name = u"张三"_qs;
    expected.destination = u"杭州市"_qs;
    expected.province = u"浙江省"_qs;
    expected.city = u"杭州市"_qs;
    expected.district = u"西湖区"_qs;
    expected.address = u"文三路9号"_qs;
    expected.telephone = u"0571-87650000"_qs;
    expected.postcode = u"310012"_qs;
    expected.mobile = u"13800002222"_qs;
    EXPECT_EQ(label->toolTip(), OrderParser::expressPreview(OrderParser::Taobao3, expected));
    EXPECT_EQ(fill->hint().delayMs, 100);
    EXPECT_EQ(fill->hint().displayMs, 6000);
    EXPECT_EQ(fill->hint().fontPoints, 11);

    control<PageControl>("PageControlFjxx")->setCurrentIndex(0);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), label->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
    EXPECT_EQ(expressValues(), expected.values());
    EXPECT_EQ(Fields::text(control<QWidget>("CmbSjrMc")), u"张三"_qs);
    EXPECT_EQ(Fields::text(control<QWidget>("EdtSjDwDz")), u"文三路9号"_qs);
    EXPECT_EQ(control<PageControl>("PageControlFjxx")->currentIndex(), 1);
    // Both tabs get the results.
    EXPECT_EQ(Fields::text(control<QWidget>("CmbBuyerName")), u"张三"_qs);
    EXPECT_EQ(Fields::text(control<QWidget>("EdtAddQx")), u"西湖区"_qs);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(label, &leave);
    EXPECT_TRUE(label->toolTip().isEmpty());
    EXPECT_EQ(fill->results(), OrderResult());
    EXPECT_EQ(fill->hint().delayMs, 500);
    EXPECT_EQ(fill->hint().displayMs, 2500);
    EXPECT_EQ(fill->hint().fontPoints, 9);
}

TEST_F(OrderFillTest, EveryFormatFillsWhatItReads)
{
    struct Row
    {
        int format;
        QString text;
        // The twelve express fields in the order of kExpressFields: name,
        // destination, province, city, district, address, telephone,
        // postcode, mobile, nickname, payment, chat.
        QStringList expected;
    };
    const Row rows[] = {
        {0, u"小王的店\r\n王小二  13900001111/0510-88886666\r\n江苏省无锡市滨湖区湖滨路8号，214000"_qs,
            {u"王小二"_qs, u"无锡市"_qs, u"江苏省"_qs, u"无锡市"_qs, u"滨湖区"_qs, u"湖滨路8号"_qs, u"0510-88886666"_qs,
                u"214000"_qs, u"13900001111"_qs, u"小王的店"_qs, {}, {}}},
        {1, u"收货人：周杰\n手机：13677778888\n地址：四川省成都市武侯区人民南路四段11号"_qs,
            {u"周杰"_qs, u"成都市"_qs, u"四川省"_qs, u"成都市"_qs, u"武侯区"_qs, u"人民南路四段11号"_qs, {}, {},
                u"13677778888"_qs, {}, {}, {}}},
        {3, u"广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333"_qs,
            {u"李四"_qs, u"深圳市"_qs, u"广东省"_qs, u"深圳市"_qs, u"南山区"_qs, u"科技园路5号"_qs, u"0755-26660000"_qs,
                u"518057"_qs, u"13600003333"_qs, {}, {}, {}}},
        {4, u"江苏 无锡 滨湖 湖滨路8号 韩雪 13400002222"_qs,
            {u"韩雪"_qs, u"无锡市"_qs, u"江苏省"_qs, u"无锡市"_qs, u"滨湖区"_qs, u"湖滨路8号"_qs, {}, {},
                u"13400002222"_qs, {}, {}, {}}},
        // A municipality keeps its short name as the province and no city.
        {5, u"小李旺旺在线   上海上海市浦东新区世纪大道100号，200120，赵六，13700004444"_qs,
            {u"赵六"_qs, u"上海市"_qs, u"上海"_qs, {}, u"浦东新区"_qs, u"世纪大道100号"_qs, {}, u"200120"_qs,
                u"13700004444"_qs, u"小李"_qs, {}, {}}},
        {6, u"买家昵称：小张(xz88)买家姓名：张七\r\n收货信息：518000 广东省 深圳市 福田区 深南大道1号 张七\r\n[复制收货信息]13500006666"_qs,
            {u"张七"_qs, u"深圳市"_qs, u"广东省"_qs, u"深圳市"_qs, u"福田区"_qs, u"深南大道1号"_qs, {}, u"518000"_qs,
                u"13500006666"_qs, u"小张(xz88)"_qs, {}, u"xz88"_qs}},
    };
    TForm1 &w = open();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.format);
        control<QComboBox>("CmbAddType")->setCurrentIndex(row.format);
        setExpressValues(u"旧值"_qs);
        copy(row.text);
        w.orderFill()->leave();
        w.orderFill()->enter(control<ClickLabel>("LblAutoAdd"));
        w.orderFill()->click();
        EXPECT_EQ(expressValues(), row.expected);
    }
}

// The default copy format "淘宝地址3" and a labelled copy: the fixed format
// would put "收货人：张伟…" into the name and the province. The hint says that
// the smart reading is used; the fill writes no label anywhere.
TEST_F(OrderFillTest, AFixedFormatThatDoesNotFitReadsSmartlyAndTheHintSaysSo)
{
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(1)); // the delivery tab fills its format list
    ASSERT_TRUE(w.switchToPage(0));
    control<QComboBox>("CmbAddType")->setCurrentIndex(OrderParser::Taobao3);
    control<QComboBox>("CmbInvAddtype")->setCurrentIndex(OrderParser::Youa1);
    copy(u"收货人：张伟 手机：13812345678 地址：江苏省无锡市滨湖区湖滨路8号"_qs);
    const QStringList expected = {u"张伟"_qs, u"无锡市"_qs, u"江苏省"_qs, u"无锡市"_qs, u"滨湖区"_qs, u"湖滨路8号"_qs,
        {}, {}, u"13812345678"_qs, {}, {}, {}};
    OrderResult read;
    read.name = u"张伟"_qs;
    read.destination = read.city = u"无锡市"_qs;
    read.province = u"江苏省"_qs;
    read.district = u"滨湖区"_qs;
    read.address = u"湖滨路8号"_qs;
    read.mobile = u"13812345678"_qs;

    auto *label = control<ClickLabel>("LblAutoAdd");
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(label, &enter);
    EXPECT_TRUE(w.orderFill()->fellBack());
    EXPECT_EQ(label->toolTip(),
        u"[提示]:复制的文字不符合“淘宝地址3”格式，已改用智能识别读取\r\n"_qs
            + OrderParser::expressPreview(OrderParser::Taobao2, read));
    setExpressValues(u"旧值"_qs);
    w.orderFill()->click();
    EXPECT_EQ(expressValues(), expected);
    for (const QString &value : expressValues())
        EXPECT_FALSE(value.contains(u'：')) << value.toStdString();

    // The delivery label with its own format says its own.
    w.orderFill()->leave();
    auto *delivery = control<ClickLabel>("LblInvAutoAdd");
    w.orderFill()->enter(delivery);
    EXPECT_EQ(delivery->toolTip(),
        u"[提示]:复制的文字不符合“有啊地址1”格式，已改用智能识别读取\r\n"_qs + OrderParser::deliveryPreview(read));
    w.orderFill()->click();
    EXPECT_EQ(Fields::text(control<QWidget>("CmbBuyerName")), u"张伟"_qs);
    EXPECT_EQ(Fields::text(control<QWidget>("EdtAddSs")), u"江苏省"_qs);
    EXPECT_EQ(Fields::text(control<QWidget>("EdtAddress")), u"湖滨路8号"_qs);

    // A text the format fits keeps the format's reading and a plain hint.
    w.orderFill()->leave();
    copy(kTaobao3);
    w.orderFill()->enter(label);
    EXPECT_FALSE(w.orderFill()->fellBack());
    EXPECT_FALSE(label->toolTip().contains(u"[提示]"_qs));
    EXPECT_EQ(label->toolTip(),
        OrderParser::expressPreview(OrderParser::Taobao3, OrderParser::parse(OrderParser::Taobao3, kTaobao3)));
    w.orderFill()->leave();
    EXPECT_FALSE(w.orderFill()->fellBack());
}

TEST_F(OrderFillTest, NoTextOnTheClipboardSwitchesTheHintOffAndFillsEmpties)
{
    TForm1 &w = open();
    QGuiApplication::clipboard()->clear();
    setExpressValues(u"旧值"_qs);
    w.orderFill()->leave();
    w.orderFill()->enter(control<ClickLabel>("LblAutoAdd"));
    EXPECT_FALSE(w.orderFill()->hint().enabled);
    EXPECT_TRUE(control<QLabel>("LblAutoAdd")->toolTip().isEmpty());
    w.orderFill()->click();
    EXPECT_EQ(expressValues(), OrderResult().values());
}

TEST_F(OrderFillTest, ClipboardCopyFillsTheExpressTab)
{
    TForm1 &w = open();
    control<QComboBox>("CmbAddType")->setCurrentIndex(OrderParser::Taobao2);
    control<QCheckBox>("ChbAutoAdd")->click();
    auto *watch = w.findChild<ClipboardWatch *>();
    ASSERT_NE(watch, nullptr);
    watch->setActiveCheck([] { return false; });
    QSignalSpy fills(&w, &TForm1::oneClickFillRequested);

    const QString text = u"收货人：马超\n手机：13322223333\n地址：陕西省西安市雁塔区小寨东路126号"_qs;
    copy(text);
    ASSERT_EQ(fills.size(), 1);
    EXPECT_EQ(expressValues(),
        (QStringList {u"马超"_qs, u"西安市"_qs, u"陕西省"_qs, u"西安市"_qs, u"雁塔区"_qs, u"小寨东路126号"_qs, {}, {},
            u"13322223333"_qs, {}, {}, {}}));
    EXPECT_EQ(Fields::text(control<QWidget>("EdtSjDwSs")), u"陕西省"_qs);
}

TEST_F(OrderFillTest, ShortCopiesAndCopiesInsideTheProgramTriggerNothing)
{
    TForm1 &w = open();
    control<QComboBox>("CmbAddType")->setCurrentIndex(OrderParser::Taobao2);
    control<QCheckBox>("ChbAutoAdd")->click();
    auto *watch = w.findChild<ClipboardWatch *>();
    ASSERT_NE(watch, nullptr);
    bool active = false;
    watch->setActiveCheck([&active] { return active; });
    QSignalSpy fills(&w, &TForm1::oneClickFillRequested);
    setExpressValues(u"旧值"_qs);
    const QStringList before = expressValues();

    // 20 bytes in the file encoding: ten Chinese characters.
    const QString twenty = u"张三李四王五赵六钱七"_qs;
    EXPECT_FALSE(watch->shouldTrigger(twenty, false));
    copy(twenty);
    copy(u"13800138000 张三"_qs); // 16 bytes
    EXPECT_EQ(fills.size(), 0);

    active = true;
    copy(u"收货人：马超\n手机：13322223333\n地址：陕西省西安市雁塔区小寨东路126号"_qs);
    EXPECT_EQ(fills.size(), 0);
    EXPECT_EQ(expressValues(), before);

    // Just over the threshold, from another program: it fills.
    active = false;
    EXPECT_TRUE(watch->shouldTrigger(twenty + u"1"_qs, false));
    copy(u"收货人：马超 手机：13322223333"_qs);
    EXPECT_EQ(fills.size(), 1);
    EXPECT_EQ(Fields::text(control<QWidget>("CmbSjrMc")), u"马超"_qs);
}

TEST_F(OrderFillTest, ChoosingAFormatAsksWhereItApplies)
{
    TForm1 &w = open();
    auto *combo = control<QComboBox>("CmbAddType");
    const QString question
        = u"将该地址格式应用到所有快递单还是当前快递单？\r\n\r\n选择 是 应用到所有快递单，\r\n选择 否 只应用到当前快递单。"_qs;
    const QString templateName = control<QComboBox>("CmbLetterSelect")->currentText();
    ASSERT_FALSE(templateName.isEmpty());

    messages.answer(MessageService::Answer::Yes);
    combo->setCurrentIndex(3);
    Q_EMIT combo->activated(3);
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_EQ(messages.calls().last().kind, ScriptedMessageService::Kind::Ask);
    EXPECT_EQ(messages.lastText(), question);
    EXPECT_TRUE(ProgramSettings(w.paths()).expressSharedAddress());
    EXPECT_EQ(ProgramSettings(w.paths()).expressAddressType(), 3);

    messages.answer(MessageService::Answer::No);
    combo->setCurrentIndex(5);
    Q_EMIT combo->activated(5);
    EXPECT_FALSE(ProgramSettings(w.paths()).expressSharedAddress());
    EXPECT_EQ(ProgramSettings(w.paths()).expressAddressType(), 3);
    EXPECT_EQ(TemplateSettings(w.paths(), templateName).addressType(), 5);
}
