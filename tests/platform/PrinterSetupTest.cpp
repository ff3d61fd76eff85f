#include "platform/PrinterSetup.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

TEST(PrinterSetup, PaperChoices)
{
    EXPECT_EQ(PrinterSetup::paperNumberFor(0, u"256-Custom"_s), 9);
    EXPECT_EQ(PrinterSetup::paperNumberFor(1, QString()), 8);
    EXPECT_EQ(PrinterSetup::paperNumberFor(2, QString()), PrinterSetup::PaperUnchanged);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"256-Custom"_s), 256);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"11-A5"_s), 11);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"1-Letter-Small"_s), 1) << "passed through, not remapped";
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"-x"_s), 9);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"A4-x"_s), 9);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, QString()), 9);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"0-none"_s), 9);
    EXPECT_EQ(PrinterSetup::paperNumberFor(3, u"70"_s), 70);
    EXPECT_EQ(PrinterSetup::otherPaperName(u"256-Custom-2"_s), u"Custom-2");
}

TEST(PrinterSetup, PaperEntries)
{
    EXPECT_EQ(PrinterSetup::paperEntry(9, u"A4"_s), u"9-A4");
    const QString entry = PrinterSetup::paperEntry(256, QString(100, u'x'));
    EXPECT_EQ(entry.size(), 4 + 64);
    EXPECT_EQ(PrinterSetup::otherPaperNumber(entry), 256);
}

TEST(PrinterSetup, FromTemplateSettings)
{
    TempDir dir;
    const Paths paths(dir.path());
    TemplateSettings settings(paths, u"T"_s);

    PrinterSetup fresh = PrinterSetup::fromSettings(settings);
    EXPECT_EQ(fresh.printer, QString());
    EXPECT_EQ(fresh.orientation, PrinterSetup::Orientation::Portrait); // 0 "横向进纸"
    EXPECT_EQ(fresh.paperNumber, 9);

    TemplateSettings::PrintDevice device;
    device.printer = u"Office Laser"_s;
    device.feedDirection = 1; // "纵向进纸"
    device.paperSize = 3;
    device.otherPaper = u"256-Envelope 229x324"_s;
    settings.setPrintDevice(device);
    const PrinterSetup setup = PrinterSetup::fromSettings(settings);
    EXPECT_EQ(setup.printer, u"Office Laser");
    EXPECT_EQ(setup.orientation, PrinterSetup::Orientation::Landscape);
    EXPECT_EQ(setup.paperNumber, 256);
    EXPECT_EQ(setup.paperName, u"Envelope 229x324");

    device.paperSize = 2;
    EXPECT_EQ(PrinterSetup::fromDevice(device).paperNumber, PrinterSetup::PaperUnchanged);
    EXPECT_EQ(PrinterSetup::fromDevice(device).paperName, QString());
    EXPECT_TRUE(PrinterSetup::fromDevice(device).labelSizeMm.isEmpty());
}

// A label paper is "默认" with its size beside it, in "标签纸张": written
// only with "默认", deleted with any other choice, and read only with
// "默认", so that a file an older program set to A4 prints on A4.
TEST(PrinterSetup, LabelPapers)
{
    QStringList keys;
    for (const PrinterSetup::LabelPreset &preset : PrinterSetup::labelPresets())
        keys.append(preset.key + u'=' + preset.caption);
    EXPECT_EQ(keys, (QStringList {u"100x150=100×150毫米"_s, u"100x180=100×180毫米"_s, u"76x130=76×130毫米"_s}));
    EXPECT_EQ(PrinterSetup::labelSize(u"100x150"_s), QSizeF(100, 150));
    EXPECT_EQ(PrinterSetup::labelSize(u" 76 × 130 "_s), QSizeF(76, 130));
    EXPECT_EQ(PrinterSetup::labelSize(u"60*40.5"_s), QSizeF(60, 40.5));
    for (const QString &bad : {u""_s, u"100"_s, u"100x"_s, u"x150"_s, u"5x150"_s, u"100x2000"_s, u"axb"_s,
             u"100x150x2"_s, u"nanxinf"_s, u"-100x150"_s})
        EXPECT_TRUE(PrinterSetup::labelSize(bad).isEmpty()) << bad.toStdString();

    TempDir dir;
    const Paths paths(dir.path());
    TemplateSettings settings(paths, u"Label"_s);
    TemplateSettings::PrintDevice device;
    device.paperSize = 2;
    device.labelPaper = u"100x180"_s;
    settings.setPrintDevice(device);
    IniFile ini(paths.templateIni(u"Label"_s));
    EXPECT_EQ(ini.readString(u"打印设备"_s, u"标签纸张"_s), u"100x180"_s);
    PrinterSetup setup = PrinterSetup::fromSettings(settings);
    EXPECT_EQ(setup.labelSizeMm, QSizeF(100, 180));
    EXPECT_EQ(setup.paperNumber, PrinterSetup::PaperUnchanged);

    // An older program switched the template to A4 and kept the key.
    ini.writeInteger(u"打印设备"_s, u"纸张尺寸"_s, 0);
    setup = PrinterSetup::fromSettings(settings);
    EXPECT_TRUE(setup.labelSizeMm.isEmpty());
    EXPECT_EQ(setup.paperNumber, PrinterSetup::PaperA4);

    device.paperSize = 1;
    settings.setPrintDevice(device);
    EXPECT_FALSE(ini.valueExists(u"打印设备"_s, u"标签纸张"_s));
    settings.setLabelPaper(u"76x130"_s);
    EXPECT_EQ(settings.labelPaper(), u"76x130"_s);
    settings.setLabelPaper(QString());
    EXPECT_FALSE(ini.valueExists(u"打印设备"_s, u"标签纸张"_s));
}

} // namespace
