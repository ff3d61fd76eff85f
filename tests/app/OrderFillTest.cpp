#include "MainWindowFixture.h"

#include "app/FieldValues.h"
#include "app/OrderFillController.h"
#include "app/PageControl.h"
#include "app/platform/ClipboardWatch.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "waybill/OrderParser.h"

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
const char *const kExpressFields[] = {"CmbSjrMc",   "EdtTo",      "EdtSjDwSs",    "EdtSjDwDs",
                                      "EdtSjDwQx",  "EdtSjDwDz",  "EdtSjDwTel",   "EdtSjdwYb",
                                      "EdtSjrMobile", "EdtSjrWW", "EdtSjrPayEmail", "EdtSjrIM"};

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
    OrderFillController *fill = w.orderFill();
    control<QComboBox>("CmbAddType")->setCurrentIndex(OrderParser::Taobao3);
    auto *label = control<QLabel>("LblAutoAdd");
    copy(kTaobao3);

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(label, &enter);
    const OrderResult expected = OrderParser::parse(OrderParser::Taobao3, kTaobao3);
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
    };
    const Row rows[] = {
        {0, u"小王的店\r\n王小二  13900001111/0510-88886666\r\n江苏省无锡市滨湖区湖滨路8号，214000"_qs},
        {1, u"收货人：周杰\n手机：13677778888\n地址：四川省成都市武侯区人民南路四段11号"_qs},
        {3, u"广东省深圳市南山区科技园路5号， 518057， 李四， 0755-26660000 13600003333"_qs},
        {4, u"江苏 无锡 滨湖 湖滨路8号 韩雪 13400002222"_qs},
        {5, u"小李旺旺在线   上海上海市浦东新区世纪大道100号，200120，赵六，13700004444"_qs},
        {6, u"买家昵称：小张(xz88)买家姓名：张七\r\n收货信息：518000 广东省 深圳市 福田区 深南大道1号 张七\r\n[复制收货信息]13500006666"_qs},
    };
    TForm1 &w = open();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.format);
        control<QComboBox>("CmbAddType")->setCurrentIndex(row.format);
        setExpressValues(u"旧值"_qs);
        copy(row.text);
        w.orderFill()->mouseLeave();
        w.orderFill()->mouseEnter();
        w.orderFill()->click();
        const OrderResult expected = OrderParser::parse(row.format, row.text);
        EXPECT_FALSE(expected.name.isEmpty());
        EXPECT_EQ(expressValues(), expected.values());
    }
}

TEST_F(OrderFillTest, NoTextOnTheClipboardSwitchesTheHintOffAndFillsEmpties)
{
    TForm1 &w = open();
    QGuiApplication::clipboard()->clear();
    setExpressValues(u"旧值"_qs);
    w.orderFill()->mouseLeave();
    w.orderFill()->mouseEnter();
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
    EXPECT_EQ(expressValues(), OrderParser::parse(OrderParser::Taobao2, text).values());
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
    copy(u"13800138000 张三"_qs);  // 16 bytes
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
    const QString question = u"将该地址格式应用到所有快递单还是当前快递单？\r\n\r\n选择 是 应用到所有快递单，\r\n选择 否 只应用到当前快递单。"_qs;
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
