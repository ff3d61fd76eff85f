#include "support/MainWindowFixture.h"

#include "platform/VirtualPdfPrinter.h"
#include "platform/ui/WidgetFields.h"
#include "render/RecordingCanvas.h"
#include "render/ui/PreviewWindow.h"
#include "storage/IniFile.h"
#include "storage/TextTable.h"
#include "templates/ui/TemplateTab.h"
#include "waybill/WaybillLog.h"
#include "waybill/WaybillRender.h"
#include "waybill/ui/ExpressTab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Slipdesk;

namespace {
const QString kDevice = QStringLiteral("打印设备");

// The main window printing to the virtual PDF printer only.
class PrintTest : public MainWindowTest
{
protected:
    PrintTest()
        : pdfService(std::make_unique<VirtualPdfPrinter>(dir.file(QStringLiteral("pdf"))))
    {
        PrinterService::install(&pdfService);
    }
    ~PrintTest() override
    {
        form.reset();
        PrinterService::install(nullptr);
    }

    QStringList pdfs() const { return QDir(dir.file(QStringLiteral("pdf"))).entryList({QStringLiteral("*.pdf")}); }

    VirtualPrinterService pdfService;
};
// Counts the events of one type that reach a widget.
class EventCounter : public QObject
{
public:
    EventCounter(QObject *target, QEvent::Type type, int &count)
        : m_type(type)
        , m_count(count)
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++m_count;
        return false;
    }

private:
    QEvent::Type m_type;
    int &m_count;
};
} // namespace

TEST_F(PrintTest, PrintingWritesTheJobAdvancesAndKeepsTheNumber)
{
    IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
        .writeString(kDevice, QStringLiteral("信函号码"), QStringLiteral("SF0099"));
    TForm1 &w = open();
    Fields::setText(control<QWidget>("CmbSjrMc"), QStringLiteral("王小二"));
    control<QPushButton>("BtnPrint")->click();

    EXPECT_EQ(pdfs(), QStringList {QStringLiteral("默认B6国内信封SF0099.pdf")});
    EXPECT_EQ(control<QLineEdit>("EdtEmsNo")->text(), QStringLiteral("SF0100"));
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
                  .readString(kDevice, QStringLiteral("信函号码")),
        QStringLiteral("SF0100"));
    EXPECT_TRUE(messages.calls().isEmpty());

    // One log line with the printed number, in this year's file.
    const QStringList log = TextTable::load(WaybillLog::path(w.paths(), QDate::currentDate().year()));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(TextTable::field(log.first(), 4), QStringLiteral("SF0099"));
    EXPECT_EQ(TextTable::field(log.first(), 7), QStringLiteral("王小二"));
}

TEST_F(PrintTest, NonIntegerOffsetIsRefusedBeforeAnyJobStarts)
{
    open();
    control<QLineEdit>("EdtEmsNo")->setText(QStringLiteral("A1"));
    control<QLineEdit>("EdtMoveX")->setText(QStringLiteral("-"));
    control<QPushButton>("BtnPrint")->click();
    ASSERT_EQ(messages.texts(Slipdesk::MessageService::Icon::Warning).size(), 1);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("整体移动")));
    EXPECT_TRUE(pdfs().isEmpty());
    EXPECT_EQ(control<QLineEdit>("EdtEmsNo")->text(), QStringLiteral("A1"));
}

TEST_F(MainWindowTest, NoPrinterInstalledStopsWithTheMessage)
{
    printers.names.clear();
    open();
    control<QLineEdit>("EdtEmsNo")->setText(QStringLiteral("A1"));
    control<QPushButton>("BtnPrint")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("你的电脑上没有安装任何打印机驱动程序")});
    EXPECT_EQ(control<QLineEdit>("EdtEmsNo")->text(), QStringLiteral("A1"));
}

TEST_F(PrintTest, PicturePreviewDrawsWithoutTheOffsetAndPlacesItems)
{
    QImage form(800, 500, QImage::Format_RGB32);
    form.fill(Qt::white);
    QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
    ASSERT_TRUE(form.save(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.JPG"))));
    IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
        .writeString(kDevice, QStringLiteral("水平整体移动"), QStringLiteral("25"));
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(3));
    auto *grid = control<QTableWidget>("SgSet");
    grid->setCurrentCell(4, 3);

    w.templateTab()->openPreview(true);
    PreviewWindow *preview = w.templateTab()->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->picturePreview());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("默认B6国内信封 打印预览"));
    // The field keeps showing the offset that is stored and printed; the
    // picture preview alone draws without it.
    EXPECT_EQ(control<QLineEdit>("EdtMoveX")->text(), QStringLiteral("25"));
    EXPECT_EQ(preview->paintArea()->size(), form.size());

    // Click the item's corner, release the right button at its right end.
    const int dpi = preview->paintArea()->logicalDpiX();
    preview->leftClickAt(QPoint(dpi, dpi / 2)); // 1 inch, 0.5 inch
    preview->rightReleaseAt(QPoint(2 * dpi, dpi)); // 1 inch wide
    EXPECT_EQ(grid->item(4, 3)->text(), QStringLiteral("254"));
    EXPECT_EQ(grid->item(4, 4)->text(), QStringLiteral("127"));
    EXPECT_EQ(grid->item(4, 5)->text(), QStringLiteral("254"));
    EXPECT_TRUE(preview->windowTitle().contains(QStringLiteral("宽度:254")));

    // The placed item is shown at its new place at once: the preview paints again.
    int paints = 0;
    EventCounter counter(preview->paintArea(), QEvent::Paint, paints);
    QTest::qWait(50);
    const int before = paints;
    preview->rightReleaseAt(QPoint(3 * dpi, dpi));
    QTest::qWait(50);
    EXPECT_GT(paints, before);

    preview->close();
    EXPECT_EQ(control<QLineEdit>("EdtMoveX")->text(), QStringLiteral("25"));
}

// An offset moved while the picture preview is open is the offset the field
// shows, the file keeps and the print uses, before and after the preview.
TEST_F(PrintTest, OffsetMovedDuringAPicturePreviewStaysWhatIsSaved)
{
    QImage form(800, 500, QImage::Format_RGB32);
    form.fill(Qt::white);
    QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
    ASSERT_TRUE(form.save(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.JPG"))));
    const QString ini = dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI"));
    IniFile(ini).writeString(kDevice, QStringLiteral("水平整体移动"), QStringLiteral("25"));
    TForm1 &w = open();
    ASSERT_TRUE(w.switchToPage(3));
    w.templateTab()->openPreview(true);
    PreviewWindow *preview = w.templateTab()->previewWindow();
    ASSERT_TRUE(preview && preview->picturePreview());

    auto *offset = control<QLineEdit>("EdtMoveX");
    control<QPushButton>("BtnMoveXRight")->click();
    const QString moved = offset->text();
    ASSERT_NE(moved, QStringLiteral("25"));
    control<QPushButton>("BtnSaveM")->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("模板保存完成！"));
    EXPECT_EQ(IniFile(ini).readString(kDevice, QStringLiteral("水平整体移动")), moved);

    // The picture preview draws the items where they sit on the scanned form.
    RecordingCanvas shown(96), unmoved(96);
    preview->options().draw(shown);
    w.templateTab()->drawForm(unmoved, QPoint());
    EXPECT_EQ(shown.toJsonLines(), unmoved.toJsonLines());

    preview->close();
    EXPECT_EQ(offset->text(), moved);
    EXPECT_EQ(w.templateTab()->offsets(), QPoint(moved.toInt(), 0));
}

TEST_F(PrintTest, PreviewRefusesANonIntegerOffsetAsAPrintDoes)
{
    open();
    control<QLineEdit>("EdtMoveY")->setText(QStringLiteral("-"));
    form->templateTab()->setPreviewNeverBlocks(true);
    form->templateTab()->openPreview(false);
    ASSERT_EQ(messages.texts(Slipdesk::MessageService::Icon::Warning),
        QStringList {QStringLiteral("整体移动的值“-”不是有效的整数，请改正后再打印。")});
    PreviewWindow *preview = form->templateTab()->previewWindow();
    EXPECT_TRUE(!preview || !preview->isVisible());
}

TEST_F(PrintTest, PrintTestFromThePreviewPrintsAndAdvances)
{
    open();
    control<QLineEdit>("EdtEmsNo")->setText(QStringLiteral("RK000009"));
    form->templateTab()->setPreviewNeverBlocks(true);
    form->templateTab()->openPreview(false);
    EXPECT_FALSE(QFileInfo::exists(WaybillLog::path(form->paths(), QDate::currentDate().year())));
    form->templateTab()->previewWindow()->printTestButton()->click();
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(TextTable::load(WaybillLog::path(form->paths(), QDate::currentDate().year())).size(), 1);
    EXPECT_EQ(control<QLineEdit>("EdtEmsNo")->text(), QStringLiteral("RK000010"));
    EXPECT_FALSE(form->templateTab()->previewWindow()->isVisible());
}

TEST_F(MainWindowTest, AmountFieldsAreGroupedWhenLeft)
{
    open();
    auto *amount = control<QLineEdit>("EdtWpJe");
    auto *other = control<QLineEdit>("EdtEmsNo");
    for (const auto &[typed, shown] : {std::pair {"12", "12.00"}, {"1,234.5", "1,234.50"}, {"abc", ""}}) {
        amount->setFocus();
        amount->setText(QString::fromUtf8(typed));
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(amount, &out);
        EXPECT_EQ(amount->text(), QString::fromUtf8(shown)) << typed;
    }
    (void)other;
}

// Every item of the default express template switched on and filled: the job
// must come out whole. With SLIPDESK_KEEP_OUTPUT=DIR the PDF is copied there to
// be looked at.
TEST_F(PrintTest, DefaultTemplateWithEveryItemSwitchedOnPrints)
{
    TForm1 &w = open();
    auto *grid = control<QTableWidget>("SgSet");
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->item(row, 2)->setText(QStringLiteral("打印"));
    const QList<std::pair<const char *, QString>> sample {{"CmbJjrMc", QStringLiteral("王五")},
        {"EdtFrom", QStringLiteral("杭州")}, {"EdtJjDwSs", QStringLiteral("浙江省")},
        {"EdtJjDwDs", QStringLiteral("杭州市")}, {"EdtJjDwQx", QStringLiteral("西湖区")},
        {"EdtJjDwDz", QStringLiteral("文三路10号")}, {"CmbJjDwMc", QStringLiteral("示例网店")},
        {"EdtJjDwTel", QStringLiteral("0571-88881234")}, {"EdtJjDwYb", QStringLiteral("310012")},
        {"CmbSjrMc", QStringLiteral("张三")}, {"EdtTo", QStringLiteral("北京")},
        {"EdtSjDwSs", QStringLiteral("北京市")}, {"EdtSjDwDs", QStringLiteral("北京市")},
        {"EdtSjDwQx", QStringLiteral("海淀区")}, {"EdtSjDwDz", QStringLiteral("中关村大街1号院3号楼1201室")},
        {"CmbSjdwMc", QStringLiteral("示例科技有限公司")}, {"EdtSjDwTel", QStringLiteral("010-62345678")},
        {"EdtSjdwYb", QStringLiteral("100080")}, {"CmbLetterWP", QStringLiteral("书籍")},
        {"CmbLetterLy", QStringLiteral("请查收")}, {"EdtEmsNo", QStringLiteral("SF0099")},
        {"EdtWpJe", QStringLiteral("1,234.50")}, {"EdtDshk", QStringLiteral("100.01")},
        {"EdtBjje", QStringLiteral("500.00")}, {"EdtBF", QStringLiteral("5.00")}, {"EdtYF", QStringLiteral("12.00")},
        {"EdtJJF", QStringLiteral("3.00")}, {"EdtWpCount", QStringLiteral("2")}, {"EdtWpWeight", QStringLiteral("1.5")},
        {"EdtWLDD", QStringLiteral("LP0012345678")}, {"ChbSelect1", QStringLiteral("1")},
        {"ChbSelect5", QStringLiteral("1")}, {"Chbselect11", QStringLiteral("1")}};
    for (const auto &[name, value] : sample)
        Fields::setText(control<QWidget>(name), value);

    ASSERT_TRUE(w.expressTab()->print());
    ASSERT_EQ(pdfs().size(), 1);
    const QString pdf = dir.file(QStringLiteral("pdf/") + pdfs().first());
    EXPECT_GT(QFileInfo(pdf).size(), 2000);
    const QString keep = qEnvironmentVariable("SLIPDESK_KEEP_OUTPUT");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        QFile::remove(keep + QStringLiteral("/every-item.pdf"));
        QFile::copy(pdf, keep + QStringLiteral("/every-item.pdf"));
    }
}

// The window's print drawing and the command line's render of the same
// fields put every item at the same place.
TEST_F(MainWindowTest, PrintedWaybillAndRenderedOpsAgree)
{
    IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
        .writeString(kDevice, QStringLiteral("水平整体移动"), QStringLiteral("-12"));
    TForm1 &w = open();
    const QList<std::pair<const char *, QString>> sample {{"CmbSjrMc", QStringLiteral("张三")},
        {"CmbSjdwMc", QStringLiteral("示例科技有限公司")}, {"EdtSjDwSs", QStringLiteral("北京市")},
        {"EdtSjDwDz", QStringLiteral("中关村大街1号院3号楼")}, {"EdtSjdwYb", QStringLiteral("100080")},
        {"EdtJjDwYb", QStringLiteral("310012")}, {"CmbJjrMc", QStringLiteral("王五")},
        {"EdtWpJe", QStringLiteral("12.00")}};
    for (const auto &[name, value] : sample)
        Fields::setText(control<QWidget>(name), value);

    RecordingCanvas printed(600, RecordingCanvas::Metrics::Font);
    printed.setPrinting(true);
    printed.setPrintableOffset(QPoint(30, 20));
    w.templateTab()->drawForm(printed, QPoint(-12, 0));

    QByteArray fieldFile;
    const FieldValues values = w.expressTab()->values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        fieldFile += (it.key() + u'=' + it.value()).toUtf8() + '\n';
    WaybillRender::Options options;
    options.templateName = QStringLiteral("默认B6国内信封");
    options.values = FieldValues::fromFieldFile(fieldFile);
    options.out = dir.file(QStringLiteral("same.ops"));
    options.printableOffset = QPoint(30, 20);
    ASSERT_EQ(WaybillRender::render(w.paths(), options), QString());

    EXPECT_FALSE(printed.ops.isEmpty());
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("same.ops"))), printed.toJsonLines());
}
