#include "templates/PrinterSetup.h"
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
}

} // namespace
