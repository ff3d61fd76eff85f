// Window creation with large address books: how long a seller with 100,000
// recipients and 100,000 senders waits for the main window, against the same
// window over the built-in sample rows and against just reading the two books.
// Then one keystroke of the recipient look-up in that window (the list rebuilt
// and shown), the first in a field right after the window opened and a later
// one, for texts that match every row.

#include "app/TForm1.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "waybill/AddressBook.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace Slipdesk;

namespace {

class NoPrinters : public PrinterService
{
public:
    QStringList printerNames() const override { return {QStringLiteral("Bench Printer")}; }
    QString defaultPrinterName() const override { return QStringLiteral("Bench Printer"); }
};

class SilentMessages : public MessageService
{
public:
    void inform(const QString &, Icon, const QString &) override { }
    Answer ask(const QString &, bool, Icon) override { return Answer::No; }
    bool prompt(const QString &, QString &, bool) override { return false; }
};

void writeBook(const QString &path, int rows, bool recipients)
{
    QString text;
    text.reserve(rows * 120);
    for (int i = 0; i < rows; ++i) {
        const QString n = QString::number(i);
        if (recipients)
            text += u"R" + n + u",普通," + n + u",310000,上海市,上海市,浦东新区,张江路" + n
                + u"弄5号楼1201室,某某贸易有限公司" + n + u",,张三" + n + u",,收,021-12345678,,,13812345678,nick" + n
                + u",13812345678,a" + n + u"@example.com,,qq" + n + u"\r\n";
        else
            text += u"S" + n + u",310012,杭州,浙江省,杭州市,西湖区,文三路" + n + u"号,网店" + n + u",店主" + n
                + u",0571-88881234,,,shop.example.com,银行,6222" + n
                + u",0571-88881230,wang,13700000003,w@example.com,w@example.com,1000" + n + u"\r\n";
    }
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(Codec::encode(text));
}

struct Folder
{
    QTemporaryDir dir;
    explicit Folder(int rows)
    {
        if (rows > 0) {
            writeBook(dir.filePath(QStringLiteral("收件单位.TXT")), rows, true);
            writeBook(dir.filePath(QStringLiteral("寄件单位.TXT")), rows, false);
        }
    }
    QString root() const { return dir.path() + u'/'; }
};

void createWindow(benchmark::State &state, int rows)
{
    NoPrinters printers;
    SilentMessages messages;
    PrinterService::install(&printers);
    MessageService::install(&messages);
    Folder folder(rows);
    for (auto _ : state) {
        TForm1 form(Paths(folder.root()), folder.root(), QStringLiteral("/nonexistent-temp"));
        form.FormCreate();
        benchmark::DoNotOptimize(form.context().recipients().size());
    }
    MessageService::install(nullptr);
    PrinterService::install(nullptr);
}

void BM_WindowCreate_Samples(benchmark::State &state)
{
    createWindow(state, 0);
}
void BM_WindowCreate_100kBooks(benchmark::State &state)
{
    createWindow(state, 100000);
}

void BM_ReadBooksOnly_100k(benchmark::State &state)
{
    Folder folder(100000);
    const Paths paths(folder.root());
    for (auto _ : state) {
        benchmark::DoNotOptimize(AddressBook::loadRecipients(paths).size());
        benchmark::DoNotOptimize(AddressBook::loadSenders(paths).size());
    }
}

QLineEdit *editOf(TForm1 &form, const char *name)
{
    QWidget *widget = form.findChild<QWidget *>(QString::fromLatin1(name));
    if (auto combo = qobject_cast<QComboBox *>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(widget);
}

// Types `text` as one keystroke: the field's edit inserts it and reports the
// edit, as for a key the user pressed.
void typeKey(QLineEdit *edit, const QString &text, int key = 0)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &press);
}

struct KeystrokeCase
{
    const char *field;
    const char16_t *text;
};
// Every row of the bench book holds "张" in its name and "0" in its telephone.
constexpr KeystrokeCase kKeystrokes[] = {{"CmbSjrMc", u"张"}, {"CmbSjdwMc", u"某"}, {"EdtSjDwTel", u"0"}};

struct BigWindow
{
    NoPrinters printers;
    SilentMessages messages;
    Folder folder {100000};
    BigWindow()
    {
        PrinterService::install(&printers);
        MessageService::install(&messages);
    }
    ~BigWindow()
    {
        MessageService::install(nullptr);
        PrinterService::install(nullptr);
    }
    std::unique_ptr<TForm1> open() const
    {
        auto form = std::make_unique<TForm1>(Paths(folder.root()), folder.root(), QStringLiteral("/nonexistent-temp"));
        form->FormCreate();
        return form;
    }
};

void BM_WindowLookupFirstKeystroke_100k(benchmark::State &state)
{
    const KeystrokeCase &c = kKeystrokes[state.range(0)];
    BigWindow big;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = big.open();
        QLineEdit *edit = editOf(*form, c.field);
        state.ResumeTiming();
        typeKey(edit, QString::fromUtf16(c.text));
        state.PauseTiming();
        shown = form->lookupList()->matchCount();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = shown;
    state.SetLabel(std::string(c.field) + " first key");
}

void BM_WindowLookupLaterKeystroke_100k(benchmark::State &state)
{
    const KeystrokeCase &c = kKeystrokes[state.range(0)];
    BigWindow big;
    auto form = big.open();
    QLineEdit *edit = editOf(*form, c.field);
    typeKey(edit, QString::fromUtf16(c.text));
    for (auto _ : state) {
        state.PauseTiming();
        typeKey(edit, QString(), Qt::Key_Backspace);
        state.ResumeTiming();
        typeKey(edit, QString::fromUtf16(c.text));
    }
    state.counters["items"] = form->lookupList()->matchCount();
    state.SetLabel(std::string(c.field) + " later key");
}

} // namespace

BENCHMARK(BM_WindowLookupFirstKeystroke_100k)->DenseRange(0, 2)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowLookupLaterKeystroke_100k)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowCreate_Samples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBooksOnly_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowCreate_100kBooks)->Unit(benchmark::kMillisecond);
