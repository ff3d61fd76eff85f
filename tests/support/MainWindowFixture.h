#pragma once

#include "app/TForm1.h"
#include "platform/PrinterService.h"
#include "support/ScriptedMessageService.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class FakePrinters : public Slipdesk::PrinterService
{
public:
    QStringList names {QStringLiteral("Office Laser"), QStringLiteral("Slipdesk PDF")};
    QStringList printerNames() const override { return names; }
    QString defaultPrinterName() const override { return names.value(0); }
};

// A main window over a fresh data folder, with scripted message boxes and a
// fixed printer list, so that no test touches the real machine or waits.
class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() { Slipdesk::PrinterService::install(&printers); }
    ~MainWindowTest() override
    {
        form.reset();
        Slipdesk::PrinterService::install(nullptr);
    }

    // Builds the window; `create` also runs window creation and show.
    Slipdesk::TForm1 &open(bool show = true)
    {
        form = std::make_unique<Slipdesk::TForm1>(
            Slipdesk::Paths(dir.path()), dir.path(), QStringLiteral("/nonexistent-temp"));
        EXPECT_TRUE(form->FormCreate());
        if (show)
            form->show();
        return *form;
    }

    template<typename T> T *control(const char *name) const
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QStringList comboItems(const QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out.append(combo->itemText(i));
        return out;
    }

    TempDir dir;
    FakePrinters printers;
    ScriptedMessageService messages;
    std::unique_ptr<Slipdesk::TForm1> form;
};
