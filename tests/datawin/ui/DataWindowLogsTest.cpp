// Logs in the data window: notes with their goods, reprint, the sales statistics.

#include "DataWindowFixture.h"

// ---- notes and their goods ------------------------------------------------------------

TEST_F(DataWindowTest, DeliveryLogShowsTheGoodsOfTheSelectedNote)
{
    start();
    writeDeliveryLogs();
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().windowTitle(), deliveryLog());
    DataGrid *detail = data().ui().SGDetail;
    EXPECT_TRUE(detail->isVisible());
    // The last note is selected and its one line shown.
    EXPECT_EQ(detail->model()->rowCount(), 1);
    EXPECT_EQ(detail->model()->index(0, 2).data().toString(), QStringLiteral("CK000003"));

    moveTo(1, 3);
    ASSERT_EQ(detail->model()->rowCount(), 2);
    const DataTable *lines = detail->tableModel()->table();
    const int code = lines->findColumn(QStringLiteral("商品编码"));
    const int quantity = lines->findColumn(QStringLiteral("数量"));
    EXPECT_EQ(detail->model()->index(0, code).data().toString(), QStringLiteral("0101"));
    EXPECT_EQ(detail->model()->index(1, code).data().toString(), QStringLiteral("0102"));
    EXPECT_EQ(detail->model()->index(1, quantity).data().toString(), QStringLiteral("5"));
    EXPECT_EQ(detail->model()->index(1, lines->findColumn(QStringLiteral("金额"))).data().toString(),
        QStringLiteral("7,500.00"));
    // The detail is shown, never edited.
    EXPECT_FALSE(detail->model()->flags(detail->model()->index(0, code)).testFlag(Qt::ItemIsEditable));
}

TEST_F(DataWindowTest, DeletedNoteGivesStockBackOnlyWhenSaved)
{
    start();
    writeDeliveryLogs();
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    messages.answer(Answer::Yes);
    button("BtnDelRow")->click();
    EXPECT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 5), QStringLiteral("CK000003"));
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("15"));
    // The detail now shows the note that took the deleted one's place.
    EXPECT_EQ(data().ui().SGDetail->model()->index(0, 2).data().toString(), QStringLiteral("CK000003"));

    data().close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("10"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("10"));
    EXPECT_EQ(lines(deliveryLog()).size(), 3);
    EXPECT_EQ(lines(deliveryDetails()).size(), 4);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("10"));

    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    messages.answer(Answer::Yes);
    button("BtnDelRow")->click();
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("保存完成！"));
    EXPECT_EQ(lines(deliveryLog()).size(), 2);
    EXPECT_EQ(lines(deliveryDetails()).size(), 2);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("13"));
    EXPECT_EQ(stockOnDisk(1), QStringLiteral("15"));
    data().close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
}

TEST_F(DataWindowTest, SaveOfALogThatGrewOnDiskAsksToReadItAgain)
{
    start();
    writeInboundLogs();
    ASSERT_TRUE(form->switchToPage(2));
    click("BtnInputPrnLog");
    ASSERT_TRUE(data().isVisible());
    ASSERT_EQ(model()->rowCount(), 1);
    model()->setData(model()->index(0, column(QStringLiteral("经办人"))), QStringLiteral("赵六"));

    // A note posted while the window stays open beside the main window.
    const QString added = inboundLine(inboundTemplate(), QStringLiteral("RK000002"));
    const qint64 size = QFileInfo(inboundLog()).size();
    TextTable::appendRow(inboundLog(), added);
    ASSERT_NE(QFileInfo(inboundLog()).size(), size);

    messages.answer(Answer::No);
    button("BtnSaveSg")->click();
    ASSERT_EQ(messages.calls().size(), 1);
    const ScriptedMessageService::Call &asked = messages.calls().first();
    EXPECT_EQ(asked.kind, ScriptedMessageService::Kind::Ask);
    EXPECT_EQ(asked.icon, Icon::Warning);
    EXPECT_TRUE(asked.text.contains(inboundLog())) << asked.text.toStdString();
    EXPECT_TRUE(asked.text.contains(QStringLiteral("是否重新读入文件？")));
    EXPECT_EQ(lines(inboundLog()), (QStringList {inboundLine(inboundTemplate(), QStringLiteral("RK000001")), added}));
    EXPECT_EQ(model()->rowCount(), 1);

    messages.clear();
    messages.answer(Answer::Yes);
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.calls().size(), 1);
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, column(QStringLiteral("入库单号"))), QStringLiteral("RK000002"));
    EXPECT_EQ(cell(0, column(QStringLiteral("经办人"))), QStringLiteral("王五"));
    EXPECT_EQ(current(), QPoint(1, 1));
    EXPECT_EQ(lines(inboundLog()).size(), 2);

    // Read again, the table saves.
    messages.clear();
    button("BtnSaveSg")->click();
    EXPECT_EQ(messages.texts(), QStringList {QStringLiteral("保存完成！")});
}

// ---- reprint --------------------------------------------------------------------------

TEST_F(DataWindowTest, ReprintOfAWaybillFillsTheExpressTabAndCloses)
{
    writeLines(WaybillLog::path(paths(), kYear),
        {expressLine(QStringLiteral("陈小姐"), QStringLiteral("1500")),
            expressLine(QStringLiteral("李先生"), QStringLiteral("300"))});
    start();
    control<QWidget>("EdtSjDwDz")->setFocus();
    click("BtnPrnLog");
    moveTo(0, 3);
    button("BtnAgainPrn")->click();
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(text("EdtSjDwSs"), QStringLiteral("广东省"));
    EXPECT_EQ(text("EdtSjDwDs"), QStringLiteral("深圳市"));
    EXPECT_EQ(text("EdtTo"), QStringLiteral("深圳市"));
    EXPECT_EQ(text("EdtSjDwQx"), QStringLiteral("南山区"));
    EXPECT_EQ(text("EdtSjDwDz"), QStringLiteral("科技园1号"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("陈小姐"));
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("示例公司"));
    EXPECT_EQ(text("EdtSjrMobile"), QStringLiteral("13800000000"));
    EXPECT_EQ(text("EdtWpJe"), QStringLiteral("1,500.00"));
    EXPECT_TRUE(focused(control<QWidget>("CmbSjrMc")));
    EXPECT_TRUE(messages.calls().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataWindowTest, ReprintOfADeliveryNoteFillsTheBuyerAndTheGoodsGrid)
{
    start();
    writeDeliveryLogs();
    control<QWidget>("EdtAddress")->setFocus();
    pick("RzMenuBtnOutQuery", QStringLiteral("打印记录"));
    moveTo(1, 1);
    button("BtnAgainPrn")->click();
    EXPECT_FALSE(data().isVisible());
    EXPECT_EQ(text("CmbBuyerName"), QStringLiteral("李先生"));
    EXPECT_EQ(text("CmbBuyerWW"), QStringLiteral("xiaochen"));
    EXPECT_EQ(text("EdtAddSs"), QStringLiteral("广东省"));
    EXPECT_EQ(text("EdtAddQx"), QStringLiteral("南山区"));
    EXPECT_EQ(text("EdtAddress"), QStringLiteral("科技园1号"));
    QTableWidget *goods = control<QTableWidget>("SGGoods");
    ASSERT_GE(goods->rowCount(), 3);
    auto at = [goods](int row, int column) {
        const QTableWidgetItem *item = goods->item(row, column);
        return item ? item->text() : QString();
    };
    EXPECT_EQ(at(0, GoodsColumn::Code), QStringLiteral("0101"));
    EXPECT_EQ(at(0, GoodsColumn::Quantity), QStringLiteral("3"));
    EXPECT_EQ(at(1, GoodsColumn::Code), QStringLiteral("0102"));
    EXPECT_EQ(at(1, GoodsColumn::Quantity), QStringLiteral("5"));
    EXPECT_EQ(at(1, GoodsColumn::Amount), QStringLiteral("7,500.00"));
    EXPECT_EQ(at(2, GoodsColumn::Code), QString());
    EXPECT_TRUE(focused(control<QWidget>("CmbBuyerName")));
}

// ---- statistics -----------------------------------------------------------------------

TEST_F(DataWindowTest, SalesStatisticsSumTheLinesOfTheRange)
{
    start();
    ASSERT_TRUE(form->switchToPage(1));
    const QString note = deliveryTemplate();
    writeLines(deliveryDetails(), {deliveryDetail(note, QStringLiteral("CK000001"), QStringLiteral("0101"), 2)});
    ASSERT_TRUE(form->switchToPage(1));
    pick("RzMenuBtnOutQuery", QStringLiteral("销售统计"));
    ASSERT_TRUE(data().isVisible());
    EXPECT_EQ(data().windowTitle(), QStringLiteral("查询统计"));
    EXPECT_EQ(data().visiblePages(), QStringLiteral("0,2"));
    EXPECT_EQ(data().ui().PageCData->currentIndex(), int(TFRMDataUi::QueryPage));
    EXPECT_FALSE(button("BtnSaveSg")->isEnabled());
    EXPECT_EQ(data().ui().DtpGroupStart->date(), QDate::currentDate());

    data().ui().DtpGroupStart->setDate(QDate(kYear, 1, 4));
    data().ui().DtpGroupEnd->setDate(QDate(kYear, 1, 31));
    QTest::mouseClick(data().ui().BtnGroupQuery, Qt::LeftButton);
    EXPECT_EQ(messages.texts(Icon::Warning), QStringList {QStringLiteral("没有符合条件的记录")});
    EXPECT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString());

    data().ui().DtpGroupStart->setDate(QDate(kYear, 1, 1));
    QTest::mouseClick(data().ui().BtnGroupQuery, Qt::LeftButton);
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(model()->columnCount(), 8);
    EXPECT_EQ(cell(0, 1), QStringLiteral("0101"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("合计"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("3,000.00"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("2,400.00"));
    EXPECT_EQ(cell(1, 7), QStringLiteral("600.00"));
    EXPECT_EQ(messages.calls().size(), 1);
}
