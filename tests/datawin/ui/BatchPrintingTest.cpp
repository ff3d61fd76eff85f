// Batch runs in the window: started from the data window's batch page,
// printed one by one or continuously through the virtual PDF printer, ended
// by hand or by the last row, with the question about the printed rows.

#include "support/MainWindowFixture.h"

#include "datawin/BatchRun.h"
#include "datawin/ui/TFRMData.h"
#include "datawin/ui/TFRMDataUi.h"
#include "platform/VirtualPdfPrinter.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/DeliveryQueue.h"
#include "trade/GoodsMaster.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/WaybillLog.h"
#include "waybill/WaybillQueue.h"
#include "waybill/ui/ExpressTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace Slipdesk;
using Icon = MessageService::Icon;
using Answer = MessageService::Answer;

namespace {

const QString kEndQuestion = QStringLiteral("批量打印结束\r\n\r\n是否将已经打印过的批打数据删除？");

void writeLines(const QString &path, const QStringList &lines)
{
    TempDir::writeLines(path, lines);
}

class BatchPrintingTest : public MainWindowTest
{
protected:
    BatchPrintingTest()
        : pdfService(std::make_unique<VirtualPdfPrinter>(dir.file(QStringLiteral("pdf"))))
    {
        PrinterService::install(&pdfService);
        writeLines(dir.file(GoodsMaster::fileName()),
            {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,0"),
                QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机,0")});
    }
    ~BatchPrintingTest() override
    {
        form.reset();
        PrinterService::install(nullptr);
    }

    void start()
    {
        open();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    Paths paths() const { return Paths(dir.path()); }
    QString expressQueue() const { return WaybillQueue::file(paths()); }
    QStringList pdfs() const { return QDir(dir.file(QStringLiteral("pdf"))).entryList({QStringLiteral("*.pdf")}); }
    QString text(const char *name) const { return Fields::text(control<QWidget>(name)); }
    TFRMData &data() { return *form->dataWindow(); }
    ExpressTab &express() { return *form->expressTab(); }
    DeliveryTab &delivery() { return *form->deliveryTab(); }

    // `rows` queued waybills, recipient k named "收件人k".
    void writeExpressQueue(int rows)
    {
        QStringList lines;
        for (int i = 1; i <= rows; ++i) {
            FieldValues values;
            values.insert(QStringLiteral("CmbSjrMc"), QStringLiteral("收件人%1").arg(i));
            values.insert(QStringLiteral("EdtSjDwDz"), QStringLiteral("科技园%1号").arg(i));
            values.insert(QStringLiteral("EdtWpJe"), QStringLiteral("1,234.50"));
            values.insert(QStringLiteral("ChbSelect1"), i == 2 ? QStringLiteral("1") : QStringLiteral("0"));
            lines.append(WaybillQueue::row(values));
        }
        writeLines(expressQueue(), lines);
    }
    QStringList namesInExpressQueue() const
    {
        QStringList names;
        for (const QString &line : TextTable::load(expressQueue()))
            names.append(TextTable::field(line, 1));
        return names;
    }

    // "批打数据" then "开始批打" over from … to.
    void startRun(const char *openButton, int from, int to, bool continuous)
    {
        control<QPushButton>(openButton)->click();
        ASSERT_TRUE(data().isVisible());
        TFRMDataUi &u = data().ui();
        u.EdtTskStartNo->setText(QString::number(from));
        u.EdtTskEndNo->setText(QString::number(to));
        u.ChbContinuePrint->setChecked(continuous);
        QTest::mouseClick(u.BtnStartTsk, Qt::LeftButton);
        ASSERT_FALSE(data().isVisible());
    }

    VirtualPrinterService pdfService;
};

} // namespace

TEST_F(BatchPrintingTest, ContinuousExpressRunPrintsEveryRowThenDeletesTheQueue)
{
    writeExpressQueue(3);
    start();
    startRun("BtnTskData", 1, 3, true);

    // The run holds the tab: the group, the first row, the end button.
    EXPECT_TRUE(control<QGroupBox>("GroupBTsk")->isVisible());
    EXPECT_EQ(control<QSpinBox>("SpinEditTsk")->value(), 1);
    EXPECT_EQ(control<QSpinBox>("SpinEditTsk")->maximum(), 3);
    EXPECT_FALSE(control<QSpinBox>("SpinEditTsk")->isReadOnly());
    EXPECT_EQ(text("LblAllTsk"), QStringLiteral("3"));
    EXPECT_EQ(text("BtnTskSave"), QStringLiteral("结束(&E)"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("收件人1"));
    EXPECT_EQ(text("EdtWpJe"), QStringLiteral("1234.5"));
    for (const char *name : {"BtnPrnLog", "BtnTskData", "RzMBtnFromToDw", "RzMBtnMoreData", "RzMBtnSysSet"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(data().ui().BtnStartTsk->isEnabled());
    EXPECT_FALSE(form->switchToPage(1));

    messages.answer(Answer::Yes);
    control<QPushButton>("BtnPrint")->click();

    EXPECT_EQ(pdfs().size(), 3);
    EXPECT_EQ(TextTable::load(WaybillLog::path(paths(), QDate::currentDate().year())).size(), 3);
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_TRUE(messages.calls().first().defaultNo);
    EXPECT_FALSE(QFileInfo::exists(expressQueue()));
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue())));
    EXPECT_FALSE(control<QGroupBox>("GroupBTsk")->isVisible());
    EXPECT_EQ(text("BtnTskSave"), QStringLiteral("保存(&S)"));
    for (const char *name : {"BtnPrnLog", "BtnTskData", "RzMBtnFromToDw", "RzMBtnMoreData", "RzMBtnSysSet"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(data().ui().BtnStartTsk->isEnabled());
    EXPECT_TRUE(form->switchToPage(1));
}

TEST_F(BatchPrintingTest, StepByStepRunLoadsEachRowAndEndsByHand)
{
    writeExpressQueue(4);
    start();
    startRun("BtnTskData", 2, 3, false);
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("收件人2"));
    EXPECT_TRUE(control<QCheckBox>("ChbSelect1")->isChecked());
    // A double click on the address keeps the row during a run.
    QTest::mouseDClick(control<QLineEdit>("EdtSjDwDz"), Qt::LeftButton);
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("收件人2"));

    control<QPushButton>("BtnPrint")->click();
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(control<QSpinBox>("SpinEditTsk")->value(), 2);
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("收件人3"));
    EXPECT_FALSE(control<QCheckBox>("ChbSelect1")->isChecked());

    // The counter moved by hand shows that row, while the window is active.
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    control<QSpinBox>("SpinEditTsk")->setValue(1);
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("收件人2"));

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(control<QPushButton>("BtnTskSave"), &enter);
    EXPECT_EQ(control<QPushButton>("BtnTskSave")->toolTip(), QStringLiteral("手工结束或者取消批量打印过程"));

    messages.answer(Answer::Yes);
    control<QPushButton>("BtnTskSave")->click();
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人1", "收件人3", "收件人4"}));
    EXPECT_FALSE(control<QGroupBox>("GroupBTsk")->isVisible());
    QApplication::sendEvent(control<QPushButton>("BtnTskSave"), &enter);
    EXPECT_EQ(control<QPushButton>("BtnTskSave")->toolTip(),
        QStringLiteral("将当前内容先保存到批打数据中，以后进行批量打印"));
}

TEST_F(BatchPrintingTest, EndingBeforeAnyPrintAsksNothingAndAOneRowRunIsReadOnly)
{
    writeExpressQueue(2);
    const QByteArray before = dir.read(QStringLiteral("批打数据/快递批量打印数据.txt"));
    start();
    startRun("BtnTskData", 1, 2, false);
    control<QPushButton>("BtnTskSave")->click();
    EXPECT_TRUE(messages.calls().isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("批打数据/快递批量打印数据.txt")), before);

    startRun("BtnTskData", 2, 2, false);
    EXPECT_TRUE(control<QSpinBox>("SpinEditTsk")->isReadOnly());
    messages.answer(Answer::No);
    control<QPushButton>("BtnPrint")->click();
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_FALSE(control<QGroupBox>("GroupBTsk")->isVisible());
    EXPECT_EQ(dir.read(QStringLiteral("批打数据/快递批量打印数据.txt")), before);
}

TEST_F(BatchPrintingTest, EndPressedDuringAContinuousRunStopsItAtTheNextForm)
{
    writeExpressQueue(5);
    start();
    startRun("BtnTskData", 1, 5, true);
    // The press waits in the event queue while the first form prints.
    QTimer::singleShot(0, control<QPushButton>("BtnTskSave"), &QPushButton::click);
    messages.answer(Answer::Yes);
    control<QPushButton>("BtnPrint")->click();
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人2", "收件人3", "收件人4", "收件人5"}));
    EXPECT_EQ(text("BtnTskSave"), QStringLiteral("保存(&S)"));
}

TEST_F(BatchPrintingTest, SaveAppendsTheFieldsAndKeepsThem)
{
    start();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("陈 小姐"));
    control<QLineEdit>("EdtWpJe")->setText(QStringLiteral("1,500"));
    control<QCheckBox>("ChbSelect2")->setChecked(true);
    control<QPushButton>("BtnTskSave")->click();
    control<QPushButton>("BtnTskSave")->click();
    const QStringList rows = TextTable::load(expressQueue());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(TextTable::field(rows.first(), 1), QStringLiteral("陈小姐"));
    EXPECT_EQ(TextTable::field(rows.first(), 15), QStringLiteral("01"));
    EXPECT_EQ(TextTable::field(rows.first(), 31), QStringLiteral("1500"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("陈 小姐"));
}

TEST_F(BatchPrintingTest, OpeningAQueueAfterAKilledRunOffersToRemoveItsRows)
{
    writeExpressQueue(4);
    {
        BatchStart started;
        started.code = TableCode::ExpressBatch;
        started.start = 2;
        started.end = 4;
        started.file = expressQueue();
        started.table = DataTable(QStringList(38, QStringLiteral("列")), TextTable::load(expressQueue()));
        BatchRun run(started);
        run.markPrinted();
        run.setPosition(2);
        run.markPrinted();
    }
    start();
    messages.answer(Answer::Yes);
    control<QPushButton>("BtnTskData")->click();
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("上次的批量打印没有正常结束")));
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("2 条")));
    EXPECT_TRUE(messages.calls().first().defaultNo);
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().ui().EdtTskEndNo->text(), QStringLiteral("2"));
    EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人1", "收件人4"}));
    data().close();
}

TEST_F(BatchPrintingTest, DeliveryRunPrintsQueuedNotesAndTakesTheirGoodsOut)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    const QString name = delivery().templateName();
    ASSERT_FALSE(name.isEmpty());
    for (const char *buyer : {"陈小姐", "李先生"}) {
        Fields::setText(control<QWidget>("CmbBuyerName"), QString::fromUtf8(buyer));
        delivery().goods()->setRows({GoodsTable::row({QStringLiteral("1"), QStringLiteral("0101"),
            QStringLiteral("手机"), QStringLiteral("个"), QStringLiteral("2"), QStringLiteral("1500")})});
        control<QPushButton>("BtnInvoiceTskPrn")->click();
    }
    GoodsMaster goods;
    goods.load(paths());
    EXPECT_EQ(goods.number(goods.find(QStringLiteral("0101")), 8), 4);
    EXPECT_EQ(TextTable::load(DeliveryQueue::file(paths(), name)).size(), 2);

    startRun("BtnInvTskData", 1, 2, true);
    EXPECT_TRUE(control<QGroupBox>("GBoxInvoiceTsk")->isVisible());
    EXPECT_EQ(text("BtnInvoiceTskPrn"), QStringLiteral("结束批打"));
    EXPECT_EQ(text("CmbBuyerName"), QStringLiteral("陈小姐"));
    EXPECT_EQ(text("LblSumCount"), QStringLiteral("2"));
    for (const char *control_ : {"RzMenuBtnOutQuery", "BtnInvTskData", "RzMBtnOutMoreData"})
        EXPECT_FALSE(control<QWidget>(control_)->isEnabled()) << control_;
    QTest::mouseDClick(control<QLineEdit>("EdtAddress"), Qt::LeftButton);
    EXPECT_EQ(text("CmbBuyerName"), QStringLiteral("陈小姐"));

    messages.answer(Answer::Yes);
    control<QPushButton>("BtnInvoicePrn")->click();
    EXPECT_EQ(pdfs().size(), 2);
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_FALSE(QFileInfo::exists(DeliveryQueue::file(paths(), name)));
    EXPECT_FALSE(QFileInfo::exists(DeliveryQueue::goodsFile(paths(), name)));
    goods.load(paths());
    const int line = goods.find(QStringLiteral("0101"));
    EXPECT_EQ(goods.number(line, 3), 6); // stock 10 − 2 − 2
    EXPECT_EQ(goods.number(line, 8), 0); // pending 4 − 2 − 2
    EXPECT_EQ(text("BtnInvoiceTskPrn"), QStringLiteral("批打保存"));
    EXPECT_TRUE(control<QWidget>("BtnInvTskData")->isEnabled());
}

TEST_F(BatchPrintingTest, ClosingTheWindowDuringAContinuousRunEndsItThere)
{
    writeExpressQueue(4);
    start();
    startRun("BtnTskData", 1, 4, true);
    QTimer::singleShot(0, form.get(), [this] { form->close(); });
    messages.answer(Answer::No);
    control<QPushButton>("BtnPrint")->click();
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(messages.lastText(), kEndQuestion);
    EXPECT_EQ(namesInExpressQueue().size(), 4);
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue())));
}
