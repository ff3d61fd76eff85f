#pragma once

// The data window opened from the main window's tabs: a main window over a
// fresh data folder with goods, log lines as the program writes them, and
// the grid driven as the user drives it.

#include "support/MainWindowFixture.h"

#include "datawin/DataTableModel.h"
#include "datawin/TableCode.h"
#include "datawin/ui/TFRMData.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/TradeLogs.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsGrid.h"
#include "trade/ui/InboundTab.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillLog.h"
#include "waybill/ui/ExpressTab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace Slipdesk;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

class DataWindowTest : public MainWindowTest
{
protected:
    static inline const int kYear = QDate::currentDate().year();

    // Log lines as the program writes them; the dates lie in this year, since
    // the window opens this year's logs.
    static QString date(int day) { return QDate(kYear, 1, day).toString(QStringLiteral("yyyy-MM-dd")); }

    // The 32 fields the program logs when it prints a waybill.
    static QString expressLine(const QString &recipient, const QString &amount)
    {
        return QStringLiteral(
            "%1,10:00:00,%1,,SF1234567890,顺丰速运,xiaochen,%2,示例公司,广东省|深圳市|南山区|科技园1号,"
            "0755-1234,518000,WL001,书籍,1,2,请查收,加急,,,0755-5678,13800000000,chen@example.com,"
            "chen@example.com,10001,%3,0,,,12,,示例网店")
            .arg(date(2), recipient, amount);
    }

    static QString deliveryLine(const QString &note, const QString &number, const QString &buyer)
    {
        return QStringLiteral("%1,10:00:00,%1,%2,%3,顺丰,SF001,%4,xiaochen,13800000000,,"
                              "广东省|深圳市|南山区|科技园1号,518000,1,10.00,1500.00,1510.00,1200.00,300.00,王五,")
            .arg(date(3), note, number, buyer);
    }

    static QString deliveryDetail(const QString &note, const QString &number, const QString &code, int quantity)
    {
        return QStringLiteral("%1,%2,%3,%4,商品,个,%5,1500.00,%6,出库,1200.00,入库")
            .arg(note, number, date(3), code, QString::number(quantity), QString::number(quantity * 1500));
    }

    static QString inboundLine(const QString &note, const QString &number)
    {
        return QStringLiteral("%1,09:00:00,%1,%2,%3,王五,采购入库,4,4800.00").arg(date(4), note, number);
    }

    static QString inboundDetail(const QString &note, const QString &number, const QString &code, int quantity)
    {
        return QStringLiteral("%1,%2,%3,%4,手机,个,%5,1200.00,4800.00,入库,1500.00,出库")
            .arg(note, number, date(4), code, QString::number(quantity));
    }

    DataWindowTest()
    {
        writeLines(dir.file(GoodsMaster::fileName()),
            {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,0"),
                QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机,7")});
    }

    // The main window shown and active, as the user sees it.
    void start()
    {
        open();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    static void writeLines(const QString &path, const QStringList &lines)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Codec::encode(QString(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
    }

    static QStringList lines(const QString &path) { return TextTable::load(path); }

    Paths paths() const { return Paths(dir.path()); }
    QString expressLog() const { return WaybillLog::path(paths(), kYear); }
    QString deliveryTemplate() const { return form->deliveryTab()->templateName(); }
    QString deliveryLog() const { return TradeLogs::logPath(paths(), NoteKind::Delivery, deliveryTemplate(), kYear); }
    QString deliveryDetails() const
    {
        return TradeLogs::detailPath(paths(), NoteKind::Delivery, deliveryTemplate(), kYear);
    }
    QString inboundTemplate() const { return form->inboundTab()->templateName(); }
    QString inboundLog() const { return TradeLogs::logPath(paths(), NoteKind::Inbound, inboundTemplate(), kYear); }
    QString inboundDetails() const
    {
        return TradeLogs::detailPath(paths(), NoteKind::Inbound, inboundTemplate(), kYear);
    }

    // Three notes of the delivery tab's template; the second has 3 + 5 units.
    // The tab shows its template once it was entered.
    void writeDeliveryLogs()
    {
        ASSERT_TRUE(form->switchToPage(1));
        const QString note = deliveryTemplate();
        ASSERT_FALSE(note.isEmpty());
        writeLines(deliveryLog(),
            {deliveryLine(note, QStringLiteral("CK000001"), QStringLiteral("陈小姐")),
                deliveryLine(note, QStringLiteral("CK000002"), QStringLiteral("李先生")),
                deliveryLine(note, QStringLiteral("CK000003"), QStringLiteral("王女士"))});
        writeLines(deliveryDetails(),
            {deliveryDetail(note, QStringLiteral("CK000001"), QStringLiteral("0101"), 1),
                deliveryDetail(note, QStringLiteral("CK000002"), QStringLiteral("0101"), 3),
                deliveryDetail(note, QStringLiteral("CK000002"), QStringLiteral("0102"), 5),
                deliveryDetail(note, QStringLiteral("CK000003"), QStringLiteral("0102"), 2)});
    }

    void writeInboundLogs()
    {
        ASSERT_TRUE(form->switchToPage(2));
        const QString note = inboundTemplate();
        ASSERT_FALSE(note.isEmpty());
        writeLines(inboundLog(), {inboundLine(note, QStringLiteral("RK000001"))});
        writeLines(inboundDetails(), {inboundDetail(note, QStringLiteral("RK000001"), QStringLiteral("0101"), 4)});
    }

    TFRMData &data() const { return *form->dataWindow(); }
    DataGrid *grid() const { return data().ui().SgData; }
    DataTableModel *model() const { return grid()->tableModel(); }
    QPushButton *button(const char *name) const { return data().findChild<QPushButton *>(QLatin1String(name)); }
    int column(const QString &header) const { return model()->table()->findColumn(header); }
    QString cell(int row, int column) const { return model()->index(row, column).data().toString(); }
    QPoint current() const { return {grid()->currentIndex().row(), grid()->currentIndex().column()}; }

    // A menu entry of one of the tabs' menu buttons, as the user picks it.
    void pick(const char *menuButton, const QString &entry)
    {
        QToolButton *b = control<QToolButton>(menuButton);
        ASSERT_TRUE(b && b->menu()) << menuButton;
        for (QAction *action : b->menu()->actions()) {
            if (action->text() == entry) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no entry " << entry.toStdString() << " in " << menuButton;
    }

    // A button of a tab, clicked.
    void click(const char *tabButton)
    {
        QPushButton *b = control<QPushButton>(tabButton);
        ASSERT_TRUE(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    void waitActive()
    {
        if (data().isVisible()) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&data()));
        }
    }

    // The in-cell editor open in the grid, if any.
    QLineEdit *editor() const
    {
        for (QLineEdit *edit : grid()->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    void moveTo(int row, int column) { grid()->setCurrentIndex(model()->index(row, column)); }

    // Enter where the user presses it: in the cell editor when one is open.
    void pressEnter()
    {
        QWidget *target = editor();
        QTest::keyClick(target ? target : static_cast<QWidget *>(grid()), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor's commit is queued
    }

    // Typing into a cell: into its open editor, or into the grid, which
    // opens one with what is typed.
    void typeIntoCell(int row, int column, const QString &text)
    {
        moveTo(row, column);
        if (QLineEdit *edit = editor()) {
            edit->selectAll();
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, Qt::NoModifier);
        } else {
            QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_unknown, text, Qt::NoModifier);
        }
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(editor()->text(), text);
    }

    void clickCell(int row, int column)
    {
        const QRect box = grid()->visualRect(model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, box.center());
    }

    // Whether `widget` has the keyboard focus. The offscreen platform does
    // not hand the activation back to the main window when the data window
    // closes, as a desktop does: that is done here first.
    static bool focused(QWidget *widget)
    {
        QCoreApplication::processEvents();
        if (!widget)
            return false;
        if (!widget->isActiveWindow()) {
            QApplication::setActiveWindow(widget->window());
            if (!QTest::qWaitForWindowActive(widget->window()))
                return false;
        }
        return QApplication::focusWidget() == widget;
    }

    QString stockOf(const QString &code)
    {
        GoodsMaster &goods = form->context().goods();
        return goods.field(goods.find(code), GoodsMaster::Stock);
    }
    QString stockOnDisk(int line) const
    {
        return TextTable::field(lines(dir.file(GoodsMaster::fileName())).value(line), GoodsMaster::Stock);
    }
    QString text(const char *name) const { return Fields::text(control<QWidget>(name)); }
};
