// Barcodes and label papers through the command line as a script uses it:
// "render waybill" of a label template with barcode rows into a 600 dpi PNG
// that a barcode reader reads back, its ".ops" listing the rectangles, and
// the sample label template that a new data folder gets.

#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "support/BarcodeReader.h"
#include "support/TempDir.h"
#include "templates/ItemTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

struct CliResult
{
    int code = -1;
    QString out;
    QString err;
};

CliResult cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"SLIPDESK_PRINT_TO"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SLIPDESK_CLI), arguments);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

// A 100 × 150 mm label template: the recipient's name, the waybill number
// as a Code 128 and the order number as a QR code.
void writeLabelTemplate(const TempDir &dir, const QString &name)
{
    const Paths paths(dir.path());
    QDir().mkpath(paths.templateDir());
    ItemTable table = ItemTable::builtIn(ItemTable::Express);
    const int print = table.findColumn(u"是否打印"_s);
    for (int row = 1; row < table.rowCount(); ++row)
        table.setCell(row, print, table.cell(row, 1) == u"收件人姓名" ? u"打印"_s : u"不打印"_s);
    const auto add = [&](const QString &item, int left, int top, int width) {
        QStringList row = table.optionalRow(ItemTable::Express, item);
        row[table.findColumn(u"距左端"_s)] = QString::number(left);
        row[table.findColumn(u"距上端"_s)] = QString::number(top);
        row[table.findColumn(u"宽度"_s)] = QString::number(width);
        table.rows().append(row);
    };
    add(u"信函编号条码"_s, 50, 100, 900);
    add(u"物流订单二维码"_s, 600, 900, 300);
    table.save(paths.templateSet(name));
    IniFile ini(paths.templateIni(name));
    ini.writeInteger(u"打印设备"_s, u"纸张尺寸"_s, 2);
    ini.writeString(u"打印设备"_s, u"标签纸张"_s, u"100x150"_s);
}

QString writeFields(const TempDir &dir)
{
    const QString path = dir.file(u"fields.txt"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(u"CmbSjrMc=王小二\nEdtEmsNo=SF1234567890\nEdtWLDD=DD2026010200017\n"_s.toUtf8());
    return path;
}

} // namespace

TEST(CliBarcode, RenderedLabelIsTheLabelsSizeAndItsBarcodesReadBack)
{
    TempDir dir;
    writeLabelTemplate(dir, u"面单"_s);
    const QString fields = writeFields(dir);
    const QString png = dir.file(u"label.png"_s);
    const CliResult run = cli({u"--data"_s, dir.path(), u"render"_s, u"waybill"_s, u"--template"_s, u"面单"_s,
        u"--fields"_s, fields, u"--out"_s, png});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(2362, 3543)); // 100 × 150 mm at 600 dpi

    const CliResult ops = cli({u"--data"_s, dir.path(), u"render"_s, u"waybill"_s, u"--template"_s, u"面单"_s,
        u"--fields"_s, fields, u"--out"_s, dir.file(u"label.ops"_s)});
    ASSERT_EQ(ops.code, 0) << ops.err.toStdString();
    const QStringList lines = QString::fromUtf8(dir.read(u"label.ops"_s)).split(u'\n', Qt::SkipEmptyParts);
    const QStringList rects = lines.filter(u"{\"op\":\"rect\""_s);
    EXPECT_GT(rects.size(), 40);
    EXPECT_TRUE(lines.filter(u"\"text\":\"SF1234567890\""_s).size() == 1); // the number under the bars
    EXPECT_TRUE(lines.filter(u"\"text\":\"王小二\""_s).size() == 1);

    if (!BarcodeReader::available())
        GTEST_SKIP() << "zbarimg not installed (package zbar-tools; scripts/deps.sh --tests)";
    QStringList read = BarcodeReader::read(png);
    read.sort();
    EXPECT_EQ(read, (QStringList {u"DD2026010200017"_s, u"SF1234567890"_s}));
}

// The sample folder a new data folder is filled from holds a label
// template, listed after the default envelope, which stays the first
// template; it prints on its 100 × 150 mm label with a readable barcode.
TEST(CliBarcode, TheSampleLabelTemplateRendersOnItsLabel)
{
    TempDir dir;
    const QString sample = QStringLiteral(SLIPDESK_SOURCE_DIR "/sample");
    QDir().mkpath(dir.file(u"用户信函模版"_s));
    for (const QString &name : QDir(sample + u"/用户信函模版"_s).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample + u"/用户信函模版/"_s + name, dir.file(u"用户信函模版/"_s + name)));
    ASSERT_TRUE(QFile::copy(sample + u"/SlipdeskPosts.INI"_s, dir.file(u"SlipdeskPosts.INI"_s)));

    const IniFile settings(dir.file(u"SlipdeskPosts.INI"_s));
    const QString list = u"信函快递单模版列表"_s;
    EXPECT_EQ(settings.readInteger(list, u"模版总数"_s), 2);
    EXPECT_EQ(settings.readString(list, u"模版1"_s), u"默认B6国内信封"_s);
    const QString label = settings.readString(list, u"模版2"_s);
    EXPECT_EQ(label, u"电子面单标签100x150"_s);
    EXPECT_FALSE(settings.valueExists(u"Main"_s, u"最后模版"_s)); // the envelope is selected first
    // The default envelope template has no files: it is the built-in one.
    EXPECT_FALSE(dir.exists(u"用户信函模版/默认B6国内信封.SET"_s));
    EXPECT_FALSE(dir.exists(u"用户信函模版/默认B6国内信封.INI"_s));

    const ItemTable table = ItemTable::load(Paths(dir.path()).templateSet(label), ItemTable::Express);
    EXPECT_EQ(table.rowCount(), 75 + 2);
    EXPECT_GE(table.findItem(u"信函编号条码"_s), 1);

    const QString png = dir.file(u"sample.png"_s);
    const CliResult run = cli({u"--data"_s, dir.path(), u"render"_s, u"waybill"_s, u"--template"_s, label,
        u"--fields"_s, sample + u"/examples/waybill-fields.txt"_s, u"--out"_s, png});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(2362, 3543));
    if (!BarcodeReader::available())
        GTEST_SKIP() << "zbarimg not installed (package zbar-tools; scripts/deps.sh --tests)";
    EXPECT_EQ(BarcodeReader::read(png), (QStringList {u"SF0099"_s, u"SF0099"_s}));
}
