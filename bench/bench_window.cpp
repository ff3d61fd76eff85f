// Window creation with large address books: how long a seller with 100,000
// recipients and 100,000 senders waits for the main window, against the same
// window over the built-in sample rows and against just reading the two books.

#include "app/TForm1.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "waybill/AddressBook.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(BM_WindowCreate_Samples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBooksOnly_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowCreate_100kBooks)->Unit(benchmark::kMillisecond);
