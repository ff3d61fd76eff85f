#include "support/MainWindowFixture.h"

#include "platform/VirtualPdfPrinter.h"
#include "platform/ui/WidgetFields.h"
#include "render/RecordingCanvas.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ui/TemplateTab.h"
#include "trade/GoodsFile.h"
#include "trade/TradeForm.h"
#include "trade/TradeRender.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "trade/ui/InboundTab.h"
#include "waybill/WaybillRender.h"
#include "waybill/ui/ExpressTab.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Slipdesk;

namespace {

const QString kDevice = QStringLiteral("打印设备");

GoodsRow goodsRow(int number, const QString &code, const QString &name, const QString &quantity, const QString &price)
{
    return GoodsTable::row({QString::number(number), code, name, QStringLiteral("个"), quantity, price});
}

// The main window printing to the virtual PDF printer only.
class TradeTabsTest : public MainWindowTest
{
protected:
    TradeTabsTest()
        : pdfService(std::make_unique<VirtualPdfPrinter>(dir.file(QStringLiteral("pdf"))))
    {
        PrinterService::install(&pdfService);
    }
    ~TradeTabsTest() override
    {
        form.reset();
        PrinterService::install(nullptr);
    }

    DeliveryTab &delivery() { return *form->deliveryTab(); }
    InboundTab &inbound() { return *form->inboundTab(); }
    QStringList pdfs() const { return QDir(dir.file(QStringLiteral("pdf"))).entryList({QStringLiteral("*.pdf")}); }
    QString text(const char *name) const { return Fields::text(control<QWidget>(name)); }
    void rightClick(QWidget *widget) const { QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(2, 2)); }

    VirtualPrinterService pdfService;
};

} // namespace

TEST_F(TradeTabsTest, DeliveryNumbersAdvanceAndAreKeptAtOnce)
{
    open();
    ASSERT_TRUE(form->switchToPage(1));
    Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));
    delivery().goods()->setRows(
        {goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"), QStringLiteral("1500"))});
    control<QPushButton>("BtnInvoicePrn")->click();
    EXPECT_EQ(text("EdtInvNo"), QStringLiteral("CK000002"));
    // Kept in the template before the tab is left or the program closed.
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/出库发货单.INI")))
                  .readString(kDevice, QStringLiteral("发货单号码")),
        QStringLiteral("CK000002"));
    control<QPushButton>("BtnInvoicePrn")->click();
    EXPECT_EQ(
        pdfs(), (QStringList {QStringLiteral("出库发货单CK000001.pdf"), QStringLiteral("出库发货单CK000002.pdf")}));
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();

    // The buyer was saved once, and the express tab rebuilds its lists.
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 1);
    EXPECT_EQ(control<QComboBox>("CmbBuyerName")->currentText(), QStringLiteral("陈小姐"));
    EXPECT_TRUE(form->expressTab()->recipientsStale());
    // Stock went down twice.
    EXPECT_EQ(
        TextTable::field(TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))).first(), 3), QStringLiteral("6"));
    EXPECT_EQ(text("EdtMoneySumXx"), QStringLiteral("3,000.00"));
}

TEST_F(TradeTabsTest, ShortNumbersAndMissingPrintersAreRefused)
{
    open();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(form->switchToPage(2));
    control<QLineEdit>("EdtInputNo")->setText(QStringLiteral("RK1"));
    control<QPushButton>("BtnInputPrn")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("入库单号码不能少于4个字符")});
    EXPECT_TRUE(control<QLineEdit>("EdtInputNo")->hasFocus());
    EXPECT_TRUE(pdfs().isEmpty());

    messages.clear();
    ASSERT_TRUE(form->switchToPage(1));
    VirtualPrinterService none;
    PrinterService::install(&none);
    control<QPushButton>("BtnInvoicePrn")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("你的电脑上没有安装任何打印机驱动程序")});
    EXPECT_FALSE(dir.exists(
        QStringLiteral("打印记录/出库发货单") + QString::number(QDate::currentDate().year()) + QStringLiteral(".TXT")));
    PrinterService::install(&pdfService);
}

// A quantity that is no number is said, naming its row, before anything is
// printed: no note, no log, the number and the stock as they were.
TEST_F(TradeTabsTest, AQuantityThatIsNoNumberIsRefusedBeforePrinting)
{
    open();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(form->switchToPage(1));
    delivery().goods()->setRows({goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"),
                                     QStringLiteral("1500")),
        goodsRow(2, QStringLiteral("0102"), QStringLiteral("电脑"), QStringLiteral("abc"), QStringLiteral("3500"))});
    control<QPushButton>("BtnInvoicePrn")->click();
    EXPECT_EQ(messages.texts(MessageService::Icon::Warning),
        QStringList {QStringLiteral("第2行商品的数量“abc”不是有效的数字，请改正后再打印。")});
    QWidget *grid = control<QWidget>("SGGoods");
    QWidget *focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == grid || grid->isAncestorOf(focus)) << (focus ? focus->objectName().toStdString() : "none");
    EXPECT_TRUE(pdfs().isEmpty());
    EXPECT_EQ(text("EdtInvNo"), QStringLiteral("CK000001"));
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("打印记录"))).isEmpty());
    EXPECT_FALSE(dir.exists(QStringLiteral("商品资料.TXT"))); // the sample rows, never posted
}

TEST_F(TradeTabsTest, InboundPostingEmptiesTheGridAndShowsTheNextNumber)
{
    open();
    ASSERT_TRUE(form->switchToPage(2));
    inbound().goods()->setRows(
        {goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("10"), QStringLiteral("1300"))});
    inbound().goods()->recompute();
    EXPECT_EQ(text("EdtInputSumMoney"), QStringLiteral("13,000.00"));
    control<QPushButton>("BtnInputPrn")->click();
    EXPECT_EQ(pdfs(), QStringList {QStringLiteral("采购入库单RK000001.pdf")});
    EXPECT_EQ(text("EdtInputNo"), QStringLiteral("RK000002"));
    EXPECT_EQ(text("LblInputSumCount"), QStringLiteral("0"));
    EXPECT_EQ(text("EdtInputSumMoney"), QStringLiteral("0.00"));
    EXPECT_TRUE(GoodsTable::withCode(inbound().goods()->rows()).isEmpty());
    const QString goods = TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))).first();
    EXPECT_EQ(TextTable::field(goods, 3), QStringLiteral("20"));
    EXPECT_EQ(TextTable::field(goods, 6), QStringLiteral("1250.00"));
}

TEST_F(TradeTabsTest, RenamedLabelsAreKeptWithTheTemplateAndPrinted)
{
    open();
    ASSERT_TRUE(form->switchToPage(1));
    messages.answerPrompt(QStringLiteral("  收货人 "));
    rightClick(control<QLabel>("LblBuyerName"));
    EXPECT_EQ(messages.calls().first().text, QStringLiteral("请输入该项目的自定义名称"));
    EXPECT_EQ(messages.calls().first().preset, QStringLiteral("买家姓名"));
    EXPECT_EQ(control<QLabel>("LblBuyerName")->text(), QStringLiteral("收货人"));
    EXPECT_EQ(
        TemplateSettings(Paths(dir.path()), QStringLiteral("出库发货单")).captionValue(QStringLiteral("买家姓名值")),
        QStringLiteral("收货人"));

    messages.cancelPrompt();
    rightClick(control<QLabel>("LblBuyerName"));
    EXPECT_EQ(control<QLabel>("LblBuyerName")->text(), QStringLiteral("收货人"));

    Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));
    RecordingCanvas canvas(600, RecordingCanvas::Metrics::Font);
    canvas.setPrinting(true);
    form->templateTab()->drawForm(canvas, QPoint());
    QStringList texts;
    for (const auto &op : canvas.texts())
        texts.append(op.text);
    EXPECT_TRUE(texts.contains(QStringLiteral("收货人:陈小姐"))) << texts.join(u'|').toStdString();

    // Another template of the kind shows the built-in caption again.
    form.reset();
    open();
    ASSERT_TRUE(form->switchToPage(1));
    EXPECT_EQ(control<QLabel>("LblBuyerName")->text(), QStringLiteral("收货人"));
}

TEST_F(TradeTabsTest, SellerAndHandlerComeFromTheSenderBook)
{
    open();
    ASSERT_TRUE(form->switchToPage(1));
    // The first sample sender is the template's default.
    EXPECT_EQ(control<QComboBox>("CmbSalerName")->currentText(), QStringLiteral("王五"));
    EXPECT_EQ(text("LblShopName"), QStringLiteral("示例网店"));
    EXPECT_EQ(text("EdtSalerAdd"), QStringLiteral("浙江省杭州市西湖区文三路10号"));
    Q_EMIT control<QComboBox>("CmbSalerName")->activated(1);
    EXPECT_EQ(text("LblShopName"), QStringLiteral("示例二店"));
    EXPECT_EQ(text("EdtSalerTel"), QStringLiteral("13600000004"));
    EXPECT_EQ(TemplateSettings(Paths(dir.path()), QStringLiteral("出库发货单")).defaultShipperIndex(), 1);

    ASSERT_TRUE(form->switchToPage(2));
    Q_EMIT control<QComboBox>("CmbInputJbr")->activated(1);
    EXPECT_EQ(text("LblInputShop"), QStringLiteral("示例二店"));
    EXPECT_EQ(TemplateSettings(Paths(dir.path()), QStringLiteral("采购入库单")).defaultInboundHandlerIndex(), 1);
}

TEST_F(TradeTabsTest, AnEmptySenderBookChoosesNoSeller)
{
    dir.write(QStringLiteral("寄件单位.TXT"), QByteArray());
    open();
    ASSERT_TRUE(form->switchToPage(1));
    EXPECT_EQ(control<QComboBox>("CmbSalerName")->currentIndex(), -1);
    EXPECT_EQ(text("LblShopName"), QStringLiteral("店铺名称"));
    ASSERT_TRUE(form->switchToPage(2));
    EXPECT_EQ(control<QComboBox>("CmbInputJbr")->currentIndex(), -1);
    EXPECT_EQ(text("LblInputShop"), QStringLiteral("店铺名称"));
}

TEST_F(TradeTabsTest, SellerMessagesGrowAndTheLastOneIsKept)
{
    open();
    ASSERT_TRUE(form->switchToPage(1));
    auto *say = control<QComboBox>("CmbSalerSay");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(say, &in);
    EXPECT_EQ(comboItems(say).size(), 1);
    say->setEditText(QStringLiteral("谢谢 惠顾"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(say, &out);
    EXPECT_EQ(comboItems(say).last(), QStringLiteral("谢谢惠顾"));
    IniFile program(dir.file(QStringLiteral("SlipdeskPosts.INI")));
    EXPECT_TRUE(
        program.readString(QStringLiteral("Main"), QStringLiteral("卖家留言")).endsWith(QStringLiteral(",谢谢惠顾")));
    EXPECT_EQ(TemplateSettings(Paths(dir.path()), QStringLiteral("出库发货单")).sellerLastMessage(),
        QStringLiteral("谢谢惠顾"));
}

TEST_F(TradeTabsTest, DoubleClickOnTheAddressEmptiesBuyerAndGoods)
{
    open();
    ASSERT_TRUE(form->switchToPage(1));
    Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));
    control<QLineEdit>("EdtAddress")->setText(QStringLiteral("科技园1号"));
    delivery().goods()->setRows(
        {goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"), QStringLiteral("1500"))});
    delivery().goods()->recompute();
    QTest::mouseDClick(control<QLineEdit>("EdtAddress"), Qt::LeftButton);
    EXPECT_EQ(text("CmbBuyerName"), QString());
    EXPECT_EQ(text("EdtAddress"), QString());
    EXPECT_EQ(text("LblSumCount"), QStringLiteral("0"));
    EXPECT_EQ(text("EdtInvTotalJE"), QStringLiteral("0.00"));
    EXPECT_TRUE(GoodsTable::withCode(delivery().goods()->rows()).isEmpty());
    EXPECT_EQ(delivery().goods()->rows().at(2).at(0), QStringLiteral("3"));
}

// The window's print drawing and the command line's render of the same
// values put every operation at the same place, for both kinds.
TEST_F(TradeTabsTest, PrintedNotesAndRenderedOpsAgree)
{
    open();
    for (const int page : {1, 2}) {
        SCOPED_TRACE(page);
        ASSERT_TRUE(form->switchToPage(page));
        const bool isDelivery = page == 1;
        GoodsGrid *grid = isDelivery ? delivery().goods() : inbound().goods();
        grid->setRows({goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"),
                           QStringLiteral("1500")),
            goodsRow(3, QStringLiteral("0102"), QStringLiteral("电脑"), QStringLiteral("1"), QStringLiteral("3500"))});
        grid->recompute();
        if (isDelivery)
            Fields::setText(control<QWidget>("CmbBuyerName"), QStringLiteral("陈小姐"));

        RecordingCanvas printed(600, RecordingCanvas::Metrics::Font);
        printed.setPrinting(true);
        printed.setPrintableOffset(QPoint(30, 20));
        form->templateTab()->drawForm(printed, QPoint());

        const TradeNote note = isDelivery ? delivery().note() : inbound().note();
        QByteArray fields;
        for (auto it = note.values.cbegin(); it != note.values.cend(); ++it)
            fields += (it.key() + u'=' + it.value()).toUtf8() + '\n';
        QByteArray goods;
        // The goods file separates cells by commas: grouped amounts go without theirs.
        for (const GoodsRow &row : note.goods)
            goods += row.mid(1).join(u'\t').remove(u',').replace(u'\t', u',').toUtf8() + '\n';
        AppContext context {Paths(dir.path())};
        context.loadAddressBooks();
        const TradeNote rendered = TradeForm::noteWithDefaults(context, note.kind, note.templateName(),
            FieldValues::fromFieldFile(fields), GoodsFile::parse(goods, int(note.goods.size())));
        TradeRender::Options options;
        options.out = dir.file(QStringLiteral("same.ops"));
        options.printableOffset = QPoint(30, 20);
        ASSERT_EQ(TradeRender::render(Paths(dir.path()), rendered, options), QString());
        EXPECT_FALSE(printed.ops.isEmpty());
        EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("same.ops"))), printed.toJsonLines());
    }
}

// A unit typed into the grid's list editor joins the unit list, and the
// list reaches its file when the program closes.
TEST_F(TradeTabsTest, NewUnitIsWrittenAtClose)
{
    open();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(form->switchToPage(1));
    delivery().goods()->setRows(
        {goodsRow(1, QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2"), QStringLiteral("1500"))});
    QTableWidget *table = control<QTableWidget>("SGGoods");
    const QRect unit = table->visualRect(table->model()->index(0, GoodsColumn::Unit));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, unit.center());
    QComboBox *list = delivery().goods()->listEditor();
    ASSERT_TRUE(list && list->isVisible());
    list->lineEdit()->selectAll();
    QTest::sendKeyEvent(QTest::Click, list->lineEdit(), Qt::Key_unknown, QStringLiteral("箱"), Qt::NoModifier);
    const QRect quantity = table->visualRect(table->model()->index(0, GoodsColumn::Quantity));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, quantity.center());
    EXPECT_EQ(table->item(0, GoodsColumn::Unit)->text(), QStringLiteral("箱"));
    EXPECT_FALSE(dir.read(QStringLiteral("计量单位.txt")).contains(Codec::encode(QStringLiteral("箱"))));
    form->close();
    EXPECT_EQ(dir.read(QStringLiteral("计量单位.txt")),
        Codec::encode(QStringLiteral("件\r\n个\r\n套\r\n台\r\n盒\r\n包\r\n箱\r\n")));
}
