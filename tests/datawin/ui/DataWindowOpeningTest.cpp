// The data window opened from the tabs, its batch page, and its closing.

#include "DataWindowFixture.h"

// ---- opening from the tabs ----------------------------------------------------------

TEST_F(DataWindowTest, ExpressLogOpensModalWithItsPathAndLastRowSelected)
{
    start();
    control<QWidget>("EdtSjDwDz")->setFocus();
    click("BtnPrnLog");
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("好像没有打印记录")});
    EXPECT_FALSE(data().isVisible());
    EXPECT_TRUE(focused(control<QWidget>("CmbSjrMc")));

    messages.clear();
    writeLines(expressLog(),
        {expressLine(QStringLiteral("陈小姐"), QStringLiteral("300")),
            expressLine(QStringLiteral("李先生"), QStringLiteral("1500"))});
    click("BtnPrnLog");
    ASSERT_TRUE(data().isVisible());
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(toInt(data().code()), 1);
    EXPECT_EQ(data().windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(data().windowTitle(), expressLog());
    EXPECT_EQ(model()->columnCount(), 36);
    EXPECT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, column(QStringLiteral("金额"))), QStringLiteral("1,500.00"));
    EXPECT_FALSE(button("BtnAddRow")->isEnabled());
    EXPECT_FALSE(button("BtnInsertRow")->isEnabled());
    EXPECT_TRUE(button("BtnAgainPrn")->isEnabled());
    EXPECT_TRUE(button("BtnSaveSg")->isEnabled());
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0"));
    EXPECT_EQ(data().ui().PageCData->currentIndex(), int(TFRMDataUi::DataPage));
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_FALSE(data().ui().SGDetail->isVisible());
}

TEST_F(DataWindowTest, DeliveryQueueAndInboundLogLeaveTheMainWindowUsable)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    const QString note = deliveryTemplate();
    writeLines(paths().batchDir() + note + QStringLiteral(".TSK"),
        {note + QStringLiteral(",20260303100000,陈小姐"), note + QStringLiteral(",20260303110000,李先生")});
    writeLines(paths().batchDir() + note + QStringLiteral("发货清单.TSK"),
        {note + QStringLiteral(",20260303100000,0101,手机,个,1,1500.00,1500.00,")});
    writeInboundLogs();

    ASSERT_TRUE(form->switchToPage(1));
    click("BtnInvTskData");
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(toInt(data().code()), 14);
    EXPECT_EQ(data().windowModality(), Qt::NonModal);
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,1"));
    EXPECT_EQ(data().ui().EdtTskEndNo->text(), QStringLiteral("2"));
    EXPECT_TRUE(data().ui().SGDetail->isVisible());

    data().close();
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(toInt(data().code()), 20);
    EXPECT_EQ(data().windowModality(), Qt::NonModal);
    EXPECT_EQ(data().windowTitle(), inboundLog());
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, MenuEntriesOfEveryTabOpenTheirTables)
{
    start();
    writeDeliveryLogs();
    struct Entry
    {
        int page;
        const char *button;
        QString text;
        int code;
    };
    const QList<Entry> entries {
        {0, "RzMBtnFromToDw", QStringLiteral("收件单位"), 3},
        {0, "RzMBtnFromToDw", QStringLiteral("寄件单位"), 5},
        {0, "RzMBtnMoreData", QStringLiteral("收件部门"), 7},
        {0, "RzMBtnMoreData", QStringLiteral("收件称谓"), 8},
        {0, "RzMBtnMoreData", QStringLiteral("收件语"), 9},
        {0, "RzMBtnMoreData", QStringLiteral("信函物品"), 10},
        {0, "RzMBtnMoreData", QStringLiteral("信函留言"), 11},
        {1, "RzMBtnOutMoreData", QStringLiteral("商品资料"), 12},
        {1, "RzMBtnOutMoreData", QStringLiteral("计量单位"), 15},
        {1, "RzMBtnOutMoreData", QStringLiteral("入库备注"), 18},
        {1, "RzMBtnOutMoreData", QStringLiteral("出库备注"), 16},
        {1, "RzMBtnOutMoreData", QStringLiteral("收件单位"), 3},
        {1, "RzMBtnOutMoreData", QStringLiteral("寄件单位"), 5},
        {1, "RzMenuBtnOutQuery", QStringLiteral("打印记录"), 13},
        {1, "RzMenuBtnOutQuery", QStringLiteral("销售统计"), 21},
        {2, "RzMBInput", QStringLiteral("商品资料"), 12},
        {2, "RzMBInput", QStringLiteral("入库类别"), 17},
        {2, "RzMBInput", QStringLiteral("入库备注"), 18},
    };
    for (const Entry &entry : entries) {
        SCOPED_TRACE(entry.text.toStdString());
        ASSERT_TRUE(form->switchToPage(entry.page));
        pick(entry.button, entry.text);
        EXPECT_TRUE(data().isVisible());
        EXPECT_EQ(toInt(data().code()), entry.code);
        // Every table but the statistics shows its file as the title.
        if (entry.code != 21) {
            EXPECT_TRUE(QFileInfo(data().windowTitle()).isAbsolute()) << data().windowTitle().toStdString();
        }
        data().close();
    }
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, TradeTablesWithoutFilesAreRefused)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    control<QWidget>("EdtAddress")->setFocus();
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    EXPECT_FALSE(data().isVisible());
    EXPECT_TRUE(focused(control<QWidget>("CmbBuyerName")));
    click("BtnInvTskData");
    pick("RzMenuBtnOutQuery", QStringLiteral("销售统计"));
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(messages.texts(Icon::Warning),
        (QStringList {deliveryTemplate() + QStringLiteral(" 好像没有打印记录"),
            QStringLiteral("没有发现批量打印数据文件"), QStringLiteral("发货清单文件不存在"),
            inboundTemplate() + QStringLiteral(" 好像没有打印记录")}));
    EXPECT_TRUE(focused(control<QWidget>("CmbInputJbr")));
}

// ---- batch printing -------------------------------------------------------------------

TEST_F(DataWindowTest, BatchPageChecksTheRangeAndHandsTheRowsOn)
{
    QStringList rows;
    for (int i = 1; i <= 7; ++i)
        rows.append(QStringLiteral("%1,收件人%1").arg(i));
    writeLines(paths().batchDir() + QStringLiteral("快递批量打印数据.txt"), rows);
    start();
    click("BtnTskData");
    ASSERT_TRUE(data().isVisible());
    TFRMDataUi &u = data().ui();
    EXPECT_EQ(toInt(data().code()), 2);
    EXPECT_EQ(u.EdtTskStartNo->text(), QStringLiteral("1"));
    EXPECT_EQ(u.EdtTskEndNo->text(), QStringLiteral("7"));
    EXPECT_EQ(u.PageCData->currentIndex(), int(TFRMDataUi::BatchPage));
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,1"));
    waitActive();

    QSignalSpy started(&data(), &TFRMData::batchStartRequested);
    u.EdtTskStartNo->setText(QStringLiteral("3"));
    u.EdtTskEndNo->setText(QStringLiteral("2"));
    QTest::mouseClick(u.BtnStartTsk, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("输入的序号有误！")});
    EXPECT_TRUE(focused(u.EdtTskStartNo));
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(data().isVisible());

    u.EdtTskEndNo->setText(QStringLiteral("6"));
    u.ChbContinuePrint->setChecked(true);
    QTest::mouseClick(u.BtnStartTsk, Qt::LeftButton);
    ASSERT_EQ(started.count(), 1);
    const BatchStart start = started.first().first().value<BatchStart>();
    EXPECT_EQ(toInt(start.code), 2);
    EXPECT_EQ(start.start, 3);
    EXPECT_EQ(start.end, 6);
    EXPECT_TRUE(start.continuous);
    EXPECT_EQ(start.table.rowCount(), 7);
    EXPECT_EQ(start.table.cell(2, 2), QStringLiteral("收件人3"));
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(messages.calls().size(), 1);
}

// ---- closing --------------------------------------------------------------------------

TEST_F(DataWindowTest, ClosingFocusesTheFirstEntryOfTheActivePage)
{
    start();
    const QList<std::pair<int, const char *>> pages {{0, "CmbSjrMc"}, {1, "CmbBuyerName"}, {2, "CmbInputJbr"}};
    for (const auto &[page, first] : pages) {
        SCOPED_TRACE(first);
        ASSERT_TRUE(form->switchToPage(page));
        control<QWidget>(page == 0 ? "EdtSjDwDz" : page == 1 ? "EdtAddress" : "EdtInputNo")->setFocus();
        pick(page == 0      ? "RzMBtnFromToDw"
                : page == 1 ? "RzMBtnOutMoreData"
                            : "RzMBInput",
            page == 0 ? QStringLiteral("收件单位") : QStringLiteral("寄件单位"));
        ASSERT_TRUE(data().isVisible());
        waitActive();
        QTest::keyClick(&data(), Qt::Key_Escape);
        EXPECT_FALSE(data().isVisible());
        EXPECT_TRUE(focused(control<QWidget>(first)));
    }
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

// The inbound log stays open beside the main window: ending the program
// with it open closes it without touching its freed rows.
TEST_F(DataWindowTest, AWindowLeftOpenWhenTheProgramEndsGoesQuietly)
{
    start();
    writeInboundLogs();
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    form->close();
    form.reset();
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}
