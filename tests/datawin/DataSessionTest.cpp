#include "datawin/DataSession.h"
#include "context/AppContext.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "trade/TradeLogs.h"
#include "waybill/AddressBook.h"
#include "waybill/WaybillLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QDate kToday(2026, 3, 10);
const QString kDelivery = QStringLiteral("出库发货单");
const QString kInbound = QStringLiteral("采购入库单");

QString deliveryLine(const QString &number, const QString &buyer)
{
    return QStringLiteral("2026-03-01,10:00:00,2026-03-01,出库发货单,%1,顺丰,SF001,%2,xiaochen,13800000000,,"
                          "广东省|深圳市|南山区|科技园1号,518000,1,10.00,1500.00,1510.00,1200.00,300.00,王五,")
        .arg(number, buyer);
}

QString deliveryDetail(const QString &number, const QString &code, int quantity)
{
    return QStringLiteral("出库发货单,%1,2026-03-01,%2,商品,个,%3,1500.00,%4,出库,1200.00,入库")
        .arg(number, code, QString::number(quantity), QString::number(quantity * 1500));
}

QString inboundLine(const QString &number)
{
    return QStringLiteral("2026-03-02,09:00:00,2026-03-02,采购入库单,%1,王五,采购入库,4,4800.00").arg(number);
}

QString inboundDetail(const QString &number, const QString &code, int quantity)
{
    return QStringLiteral("采购入库单,%1,2026-03-02,%2,手机,个,%3,1200.00,4800.00,入库,1500.00,出库")
        .arg(number, code, QString::number(quantity));
}

// The 32 fields the program logs when it prints a waybill.
QString expressLine(const QString &date)
{
    return date
        + QStringLiteral(",10:00:00,%1,,SF1234567890,顺丰速运,xiaochen,陈小姐,示例公司,广东省|深圳市|南山区|科技园1号,"
                         "0755-1234,518000,WL001,书籍,1,2,请查收,加急,,,0755-5678,13800000000,chen@example.com,"
                         "chen@example.com,10001,1500,0,,,12,,示例网店")
              .arg(date);
}

class DataSessionTest : public ::testing::Test
{
protected:
    DataSessionTest()
    {
        writeLines(paths.file(GoodsMaster::fileName()),
            {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,0"),
                QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机,7")});
    }

    static void writeLines(const QString &path, const QStringList &lines)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Codec::encode(QString(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
    }

    static QStringList lines(const QString &path) { return TextTable::load(path); }

    DataSession open(TableCode code, const QString &templateName = QString(), const QDate &today = kToday)
    {
        return DataSession::open(context, {code, templateName, today});
    }

    QString deliveryLog(int year = 2026) const
    {
        return TradeLogs::logPath(paths, NoteKind::Delivery, kDelivery, year);
    }
    QString deliveryDetails(int year = 2026) const
    {
        return TradeLogs::detailPath(paths, NoteKind::Delivery, kDelivery, year);
    }
    QString inboundLog() const { return TradeLogs::logPath(paths, NoteKind::Inbound, kInbound, 2026); }
    QString inboundDetails() const { return TradeLogs::detailPath(paths, NoteKind::Inbound, kInbound, 2026); }

    // Three notes; the second has two goods lines.
    void writeDeliveryLogs()
    {
        writeLines(deliveryLog(),
            {deliveryLine(QStringLiteral("CK000001"), QStringLiteral("陈小姐")),
                deliveryLine(QStringLiteral("CK000002"), QStringLiteral("李先生")),
                deliveryLine(QStringLiteral("CK000003"), QStringLiteral("王女士"))});
        writeLines(deliveryDetails(),
            {deliveryDetail(QStringLiteral("CK000001"), QStringLiteral("0101"), 1),
                deliveryDetail(QStringLiteral("CK000002"), QStringLiteral("0101"), 3),
                deliveryDetail(QStringLiteral("CK000002"), QStringLiteral("0102"), 5),
                deliveryDetail(QStringLiteral("CK000003"), QStringLiteral("0102"), 2)});
    }

    void writeInboundLogs()
    {
        writeLines(inboundLog(), {inboundLine(QStringLiteral("RK000001"))});
        writeLines(inboundDetails(), {inboundDetail(QStringLiteral("RK000001"), QStringLiteral("0101"), 4)});
    }

    QString stockOf(const QString &code) const
    {
        return context.goods().field(context.goods().find(code), GoodsMaster::Stock);
    }

    QString stockOnDisk(int line) const
    {
        return TextTable::field(lines(paths.file(GoodsMaster::fileName())).value(line), GoodsMaster::Stock);
    }

    TempDir dir;
    Paths paths {dir.path()};
    AppContext context {paths};
};

} // namespace

// ---- opening ---------------------------------------------------------------

TEST_F(DataSessionTest, RecipientsWithoutAFileShowTheSamplesAndSavingCreatesIt)
{
    DataSession session = open(TableCode::Recipients);
    const QString file = paths.file(AddressBook::recipientFile());
    EXPECT_TRUE(session.refusal().isEmpty());
    EXPECT_EQ(session.title(), file);
    EXPECT_EQ(session.table().savedLines(), AddressBook::recipientSamples());
    EXPECT_FALSE(QFileInfo::exists(file));

    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(dir.read(AddressBook::recipientFile()),
        Codec::encode(QString(AddressBook::recipientSamples().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));

    // What the tabs offer follows the saved book.
    const int name = session.table().findColumn(QStringLiteral("收件人"));
    session.table().setCell(0, name, QStringLiteral("张 三丰,"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(context.recipientNames().first(), QStringLiteral("张三丰"));
}

TEST_F(DataSessionTest, ExpressLogIsThisYearsElseLastYears)
{
    const QDate january(2026, 1, 5);
    EXPECT_EQ(open(TableCode::ExpressLog, QString(), january).refusal(), QStringLiteral("好像没有打印记录"));
    EXPECT_EQ(open(TableCode::ExpressLog, QString(), january).refusalFocus(), QStringLiteral("CmbSjrMc"));

    writeLines(WaybillLog::path(paths, 2025), {expressLine(QStringLiteral("2025-12-30"))});
    DataSession lastYear = open(TableCode::ExpressLog, QString(), january);
    EXPECT_TRUE(lastYear.refusal().isEmpty());
    EXPECT_EQ(lastYear.title(), WaybillLog::path(paths, 2025));
    EXPECT_EQ(lastYear.table().cell(0, 1), QStringLiteral("2025-12-30"));

    writeLines(WaybillLog::path(paths, 2026), {expressLine(QStringLiteral("2026-01-02"))});
    EXPECT_EQ(open(TableCode::ExpressLog, QString(), january).title(), WaybillLog::path(paths, 2026));
}

TEST_F(DataSessionTest, TradeLogsNeedBothTheLogAndItsDetail)
{
    writeLines(deliveryLog(), {deliveryLine(QStringLiteral("CK000001"), QStringLiteral("陈小姐"))});
    EXPECT_EQ(open(TableCode::DeliveryLog, kDelivery).refusal(), QStringLiteral("出库发货单 好像没有打印记录"));
    EXPECT_EQ(open(TableCode::InboundLog, kInbound).refusal(), QStringLiteral("采购入库单 好像没有打印记录"));

    // This year's log without its detail does not count; last year's pair does.
    writeLines(deliveryLog(2025), {deliveryLine(QStringLiteral("CK000009"), QStringLiteral("李先生"))});
    writeLines(deliveryDetails(2025), {deliveryDetail(QStringLiteral("CK000009"), QStringLiteral("0101"), 1)});
    const DataSession session = open(TableCode::DeliveryLog, kDelivery);
    EXPECT_TRUE(session.refusal().isEmpty());
    EXPECT_EQ(session.title(), deliveryLog(2025));
    EXPECT_EQ(session.table().cell(0, 5), QStringLiteral("CK000009"));

    writeLines(paths.batchDir() + kDelivery + QStringLiteral(".TSK"), {QStringLiteral("出库发货单,1")});
    EXPECT_EQ(open(TableCode::DeliveryBatch, kDelivery).refusal(), QStringLiteral("没有发现批量打印数据文件"));
}

TEST_F(DataSessionTest, SalesStatisticsNeedADetailLog)
{
    EXPECT_EQ(open(TableCode::SalesStats, kDelivery).refusal(), QStringLiteral("发货清单文件不存在"));
    writeLines(deliveryDetails(2025), {deliveryDetail(QStringLiteral("CK000001"), QStringLiteral("0101"), 1)});
    DataSession session = open(TableCode::SalesStats, kDelivery);
    EXPECT_TRUE(session.refusal().isEmpty());
    EXPECT_EQ(session.title(), QStringLiteral("查询统计"));
    EXPECT_EQ(session.detail().lines.size(), 1);

    // Read again after the file went away: nothing left to show.
    QFile::remove(deliveryDetails(2025));
    session.reload();
    EXPECT_EQ(session.refusal(), QStringLiteral("发货清单文件不存在"));
}

TEST_F(DataSessionTest, ExpressBatchGivesItsRange)
{
    DataSession missing = open(TableCode::ExpressBatch);
    EXPECT_TRUE(missing.refusal().isEmpty());
    EXPECT_FALSE(missing.table().hasData());
    EXPECT_EQ(missing.startNumber(), QString());

    writeLines(paths.batchDir() + QStringLiteral("快递批量打印数据.txt"),
        {QStringLiteral("a,陈小姐"), QStringLiteral("b,李先生"), QStringLiteral("c,王女士")});
    const DataSession batch = open(TableCode::ExpressBatch);
    EXPECT_EQ(batch.startNumber(), QStringLiteral("1"));
    EXPECT_EQ(batch.endNumber(), QStringLiteral("3"));
}

// ---- the express log ---------------------------------------------------------

TEST_F(DataSessionTest, VoidingAndRestoringAWaybillLeavesTheStatusEmpty)
{
    const QString file = WaybillLog::path(paths, 2026);
    const QString line = expressLine(QStringLiteral("2026-03-01"));
    writeLines(file, {line});
    DataSession session = open(TableCode::ExpressLog);
    const int status = session.table().findColumn(QStringLiteral("是否作废"));
    EXPECT_EQ(session.table().cell(0, session.table().findColumn(QStringLiteral("金额"))), QStringLiteral("1,500.00"));

    session.table().setCell(0, status, QStringLiteral("作废"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(TextTable::field(lines(file).value(0), status - 1), QStringLiteral("作废"));

    session.table().setCell(0, status, QString());
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    // Every field as logged (the amount without its grouping) and the three
    // columns the window adds, empty.
    QStringList expected = line.split(u',');
    expected[25] = QStringLiteral("1500.00");
    expected << QString() << QString() << QString();
    EXPECT_EQ(dir.read(QStringLiteral("打印记录/快递打印记录2026.txt")),
        Codec::encode(QString(expected.join(u',') + QStringLiteral("\r\n"))));
}

// ---- notes and their goods lines ------------------------------------------------

TEST_F(DataSessionTest, DetailViewShowsTheGoodsLinesOfOneNote)
{
    writeDeliveryLogs();
    const DataSession session = open(TableCode::DeliveryLog, kDelivery);
    ASSERT_EQ(session.table().rowCount(), 3);
    EXPECT_EQ(
        session.table().cell(0, session.table().findColumn(QStringLiteral("金额合计"))), QStringLiteral("1,510.00"));

    const DataTable detail = session.detailOf(1);
    ASSERT_EQ(detail.rowCount(), 2);
    EXPECT_EQ(detail.header().first(), QStringLiteral("序号"));
    EXPECT_EQ(detail.cell(0, detail.findColumn(QStringLiteral("商品编码"))), QStringLiteral("0101"));
    EXPECT_EQ(detail.cell(1, detail.findColumn(QStringLiteral("数量"))), QStringLiteral("5"));
    EXPECT_EQ(detail.cell(1, detail.findColumn(QStringLiteral("金额"))), QStringLiteral("7,500.00"));
    EXPECT_EQ(detail.cell(1, detail.findColumn(QStringLiteral("进价"))), QStringLiteral("1,200.00"));
}

TEST_F(DataSessionTest, DeletingADeliveryNoteGivesItsStockBackAndSavesIt)
{
    writeDeliveryLogs();
    DataSession session = open(TableCode::DeliveryLog, kDelivery);
    EXPECT_EQ(session.deleteNote(1, session.detailOf(1).rowCount()), 1);
    EXPECT_TRUE(session.stockChanged());
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("15"));
    EXPECT_EQ(session.detail().lines,
        (QStringList {deliveryDetail(QStringLiteral("CK000001"), QStringLiteral("0101"), 1),
            deliveryDetail(QStringLiteral("CK000003"), QStringLiteral("0102"), 2)}));
    EXPECT_EQ(session.table().rowCount(), 2);
    EXPECT_EQ(session.detailOf(1).cell(0, 2), QStringLiteral("CK000003"));
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("10"));

    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(session.stockChanged());
    EXPECT_EQ(lines(deliveryLog()).size(), 2);
    EXPECT_EQ(TextTable::field(lines(deliveryLog()).at(1), 4), QStringLiteral("CK000003"));
    EXPECT_EQ(lines(deliveryDetails()), session.detail().lines);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("13"));
    EXPECT_EQ(stockOnDisk(1), QStringLiteral("15"));
    session.close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("13"));
}

TEST_F(DataSessionTest, ClosingWithoutSavingDropsTheStockChange)
{
    writeDeliveryLogs();
    const QByteArray log = dir.read(QStringLiteral("打印记录/出库发货单2026.TXT"));
    DataSession session = open(TableCode::DeliveryLog, kDelivery);
    session.deleteNote(0, 1);
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("11"));
    session.close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("10"));
    EXPECT_EQ(dir.read(QStringLiteral("打印记录/出库发货单2026.TXT")), log);
    EXPECT_EQ(lines(deliveryDetails()).size(), 4);
}

TEST_F(DataSessionTest, ClosingTakesBackOnlyWhatTheDeletionGaveWhenANoteWasPostedMeanwhile)
{
    // The inbound log stays open beside the main window: a note posted
    // meanwhile writes the goods master from memory, the give-back included.
    writeInboundLogs();
    DataSession session = open(TableCode::InboundLog, kInbound);
    session.deleteNote(0, 1);
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("6"));
    const int phone = context.goods().find(QStringLiteral("0101"));
    context.goods().setField(phone, GoodsMaster::Stock, QStringLiteral("8")); // 2 more came in
    context.goods().save(paths);
    session.close();
    // The deletion is undone; the posted note's 2 stay, in memory and at the
    // goods master's next write.
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("12"));
}

TEST_F(DataSessionTest, TextTypedIntoTheEmptyRowOfAnEmptyTableIsSaved)
{
    DataSession session = open(TableCode::Departments);
    DataTable emptied(session.table().header(), {});
    session.setTable(emptied);
    session.table().setCell(0, 1, QStringLiteral("财务部"));
    EXPECT_TRUE(session.table().hasData());
    EXPECT_EQ(session.table().cell(0, 0), QStringLiteral("1"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(lines(paths.file(AppContext::pickListFile(toInt(TableCode::Departments)))),
        QStringList {QStringLiteral("财务部")});
}

TEST_F(DataSessionTest, InboundAndBatchDeletionsTakeTheirOwnQuantitiesBack)
{
    writeInboundLogs();
    DataSession inbound = open(TableCode::InboundLog, kInbound);
    inbound.deleteNote(0, inbound.detailOf(0).rowCount());
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("6"));
    EXPECT_FALSE(inbound.table().hasData());
    EXPECT_TRUE(inbound.detail().lines.isEmpty());
    inbound.close();

    const QString batch = paths.batchDir() + kDelivery + QStringLiteral(".TSK");
    writeLines(batch,
        {QStringLiteral("出库发货单,20260303100000,陈小姐"), QStringLiteral("出库发货单,20260303110000,李先生")});
    writeLines(paths.batchDir() + kDelivery + QStringLiteral("发货清单.TSK"),
        {QStringLiteral("出库发货单,20260303100000,0101,手机,个,1,1500.00,1500.00,"),
            QStringLiteral("出库发货单,20260303110000,0102,电脑,台,2,3500.00,7000.00,宽屏")});
    DataSession queued = open(TableCode::DeliveryBatch, kDelivery);
    ASSERT_TRUE(queued.refusal().isEmpty());
    queued.deleteNote(1, queued.detailOf(1).rowCount());
    const GoodsMaster &goods = context.goods();
    EXPECT_EQ(goods.field(goods.find(QStringLiteral("0102")), GoodsMaster::Pending), QStringLiteral("5"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("10"));
    ASSERT_EQ(queued.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(lines(batch).size(), 1);
    EXPECT_EQ(
        TextTable::field(lines(paths.file(GoodsMaster::fileName())).at(1), GoodsMaster::Pending), QStringLiteral("5"));
}

// Reading the log again brings the deleted note back: the stock it gave
// back must go with it, or the next posting would write it to disk.
TEST_F(DataSessionTest, ReloadingDropsAnUnsavedDeletionsStock)
{
    writeDeliveryLogs();
    DataSession session = open(TableCode::DeliveryLog, kDelivery);
    session.deleteNote(1, 2);
    session.reload();
    EXPECT_EQ(session.table().rowCount(), 3);
    EXPECT_EQ(session.detail().lines.size(), 4);
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("10"));
    EXPECT_EQ(stockOf(QStringLiteral("0102")), QStringLiteral("10"));
}

// The only note deleted, the empty log's files deleted on "保存": the stock
// the note gave back is kept as a save would keep it.
TEST_F(DataSessionTest, DeletingTheFilesOfAnEmptiedLogKeepsTheStockGivenBack)
{
    writeInboundLogs();
    DataSession session = open(TableCode::InboundLog, kInbound);
    session.deleteNote(0, 1);
    ASSERT_FALSE(session.table().hasData());
    ASSERT_EQ(session.deleteFiles().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(QFileInfo::exists(inboundLog()));
    EXPECT_FALSE(QFileInfo::exists(inboundDetails()));
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("6"));
    session.close();
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("6"));
}

// ---- files changed while the window was open -------------------------------------

TEST_F(DataSessionTest, SaveIsRefusedWhenTheLogGrewOnDiskAndWorksAfterReload)
{
    writeInboundLogs();
    DataSession session = open(TableCode::InboundLog, kInbound);
    session.table().setCell(0, session.table().findColumn(QStringLiteral("经办人")), QStringLiteral("赵六"));

    // The main window posts a note while the (modeless) window stays open.
    TextTable::appendRow(inboundLog(), inboundLine(QStringLiteral("RK000002")));
    TextTable::appendRow(inboundDetails(), inboundDetail(QStringLiteral("RK000002"), QStringLiteral("0102"), 1));
    const QByteArray before = dir.read(QStringLiteral("打印记录/采购入库单2026.TXT"));
    const DataSession::SaveResult refused = session.save();
    EXPECT_EQ(refused.outcome, DataSession::SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(refused.message, inboundLog());
    EXPECT_EQ(dir.read(QStringLiteral("打印记录/采购入库单2026.TXT")), before);

    session.reload();
    ASSERT_EQ(session.table().rowCount(), 2);
    session.deleteNote(0, session.detailOf(0).rowCount());
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(lines(inboundLog()), QStringList {inboundLine(QStringLiteral("RK000002"))});
    EXPECT_EQ(
        lines(inboundDetails()), QStringList {inboundDetail(QStringLiteral("RK000002"), QStringLiteral("0102"), 1)});
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("6"));
}

TEST_F(DataSessionTest, SaveIsRefusedWhenTheDetailChangedOnDisk)
{
    writeDeliveryLogs();
    const QByteArray log = dir.read(QStringLiteral("打印记录/出库发货单2026.TXT"));
    DataSession session = open(TableCode::DeliveryLog, kDelivery);
    session.deleteNote(2, 1);

    // Same size, other time: only the time tells.
    QFile detail(deliveryDetails());
    const QDateTime modified = QFileInfo(detail).lastModified();
    ASSERT_TRUE(detail.open(QIODevice::ReadWrite));
    ASSERT_TRUE(detail.setFileTime(modified.addSecs(60), QFileDevice::FileModificationTime));
    detail.close();

    const DataSession::SaveResult refused = session.save();
    EXPECT_EQ(refused.outcome, DataSession::SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(refused.message, deliveryDetails());
    EXPECT_EQ(dir.read(QStringLiteral("打印记录/出库发货单2026.TXT")), log);
    EXPECT_EQ(lines(deliveryDetails()).size(), 4);
    EXPECT_EQ(stockOnDisk(1), QStringLiteral("10"));
}

// Deleting the files of an emptied log would also delete a note logged
// meanwhile.
TEST_F(DataSessionTest, DeletingTheFilesIsRefusedWhenTheLogChangedOnDisk)
{
    writeInboundLogs();
    DataSession session = open(TableCode::InboundLog, kInbound);
    session.deleteNote(0, 1);
    TextTable::appendRow(inboundLog(), inboundLine(QStringLiteral("RK000002")));
    EXPECT_EQ(session.deleteFiles().outcome, DataSession::SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(lines(inboundLog()).size(), 2);
    EXPECT_TRUE(QFileInfo::exists(inboundDetails()));
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("10"));
}

TEST_F(DataSessionTest, AFailedSaveCanBeRepeated)
{
    writeDeliveryLogs();
    DataSession session = open(TableCode::DeliveryLog, kDelivery);
    session.deleteNote(0, 1);
    // The goods master cannot be replaced while a folder holds its name.
    const QString goods = paths.file(GoodsMaster::fileName());
    ASSERT_TRUE(QFile::remove(goods));
    ASSERT_TRUE(QDir().mkdir(goods));
    EXPECT_EQ(session.save().outcome, DataSession::SaveOutcome::Failed);
    EXPECT_TRUE(session.stockChanged());

    ASSERT_TRUE(QDir().rmdir(goods));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(stockOnDisk(0), QStringLiteral("11"));
    EXPECT_EQ(lines(deliveryLog()).size(), 2);
}

// ---- lists the program holds -------------------------------------------------------

TEST_F(DataSessionTest, SavingAPickListMakesTheProgramReadItAgain)
{
    EXPECT_EQ(context.loadPickList(toInt(TableCode::Departments)).size(), 2);
    DataSession session = open(TableCode::Departments);
    EXPECT_EQ(session.table().header(), (QStringList {QStringLiteral("序号"), QStringLiteral("收件单位部门")}));
    EXPECT_EQ(session.table().savedLines(), (QStringList {QStringLiteral("采购部"), QStringLiteral("财务部")}));
    session.table().setCell(session.table().append(), 1, QStringLiteral("销售 部"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    const QStringList expected {QStringLiteral("采购部"), QStringLiteral("财务部"), QStringLiteral("销售部")};
    EXPECT_EQ(lines(paths.file(AppContext::pickListFile(toInt(TableCode::Departments)))), expected);
    EXPECT_FALSE(context.pickListLoaded(toInt(TableCode::Departments)));
    EXPECT_EQ(context.loadPickList(toInt(TableCode::Departments)), expected);
}

TEST_F(DataSessionTest, SavingASmallListReplacesTheProgramsText)
{
    DataSession session = open(TableCode::Units);
    EXPECT_EQ(session.table().header().at(1), QStringLiteral("计量单位"));
    EXPECT_EQ(session.table().rowCount(), 6);
    session.table().remove(0);
    session.table().setCell(0, 1, QStringLiteral("只"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    const QString text = QStringLiteral("只\r\n套\r\n台\r\n盒\r\n包\r\n");
    EXPECT_EQ(context.smallLists().text[SmallLists::Units], text);
    EXPECT_EQ(dir.read(SmallLists::fileName(SmallLists::Units)), Codec::encode(text));
}

TEST_F(DataSessionTest, SavingTheGoodsMakesTheProgramReadThemAgain)
{
    DataSession session = open(TableCode::Goods);
    const DataTable &table = session.table();
    EXPECT_EQ(table.cell(0, table.findColumn(QStringLiteral("售价"))), QStringLiteral("1,500.00"));
    session.table().setCell(0, table.findColumn(QStringLiteral("库存数量")), QStringLiteral("20"));
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("10"));
    ASSERT_EQ(session.save().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_EQ(stockOf(QStringLiteral("0101")), QStringLiteral("20"));
    EXPECT_EQ(lines(paths.file(GoodsMaster::fileName())).first(),
        QStringLiteral("0101,手机,个,20,1500.00,翻盖型,1200.00,示例,0"));
}

TEST_F(DataSessionTest, DeletingAndClearingGiveTheDefaultsBack)
{
    writeLines(paths.file(AddressBook::recipientFile()), {AddressBook::recipientSamples().first()});
    context.loadAddressBooks();
    DataSession recipients = open(TableCode::Recipients);
    recipients.table().remove(0);
    ASSERT_EQ(recipients.deleteFiles().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(dir.exists(AddressBook::recipientFile()));
    EXPECT_EQ(context.recipients(), AddressBook::recipientSamples());

    DataSession units = open(TableCode::Units);
    ASSERT_TRUE(dir.exists(SmallLists::fileName(SmallLists::Units)));
    context.smallLists().text[SmallLists::Units] = QStringLiteral("只\r\n");
    ASSERT_EQ(units.clear().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(dir.exists(SmallLists::fileName(SmallLists::Units)));
    EXPECT_EQ(context.smallLists().text[SmallLists::Units], SmallLists::defaultText(SmallLists::Units));

    DataSession goods = open(TableCode::Goods);
    ASSERT_EQ(goods.clear().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(dir.exists(GoodsMaster::fileName()));
    EXPECT_EQ(context.goods().rows(), GoodsMaster::samples());

    writeDeliveryLogs();
    DataSession log = open(TableCode::DeliveryLog, kDelivery);
    ASSERT_EQ(log.clear().outcome, DataSession::SaveOutcome::Saved);
    EXPECT_FALSE(QFileInfo::exists(deliveryLog()));
    EXPECT_FALSE(QFileInfo::exists(deliveryDetails()));
}
