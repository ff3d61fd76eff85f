// Batch queues and runs without a window: the rows the tabs store, what a
// loaded row puts into the fields, the printed rows, the end of a run, and
// the record that survives a run killed half-way.

#include "datawin/BatchRun.h"
#include "context/AppContext.h"
#include "datawin/DataSession.h"
#include "datawin/TableSpec.h"
#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/ScriptedMessageService.h"
#include "support/TempDir.h"
#include "trade/DeliveryQueue.h"
#include "trade/GoodsMaster.h"
#include "waybill/WaybillQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

const QString kTemplate = QStringLiteral("出库发货单");

void writeLines(const QString &path, const QStringList &lines)
{
    TempDir::writeLines(path, lines);
}

// An express queue row whose recipient is `name`, its amount `amount`.
QString expressRow(const QString &name, const QString &amount = QStringLiteral("12.50"))
{
    FieldValues values;
    values.insert(QStringLiteral("CmbSjrMc"), name);
    values.insert(QStringLiteral("EdtSjDwDz"), QStringLiteral("科技园1号"));
    values.insert(QStringLiteral("EdtWpJe"), amount);
    return WaybillQueue::row(values);
}

class BatchRunTest : public ::testing::Test
{
protected:
    BatchRunTest()
    {
        writeLines(paths.file(GoodsMaster::fileName()),
            {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,0"),
                QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机,1")});
    }

    // A run as "开始批打" starts it from the data window's table.
    BatchStart startOf(TableCode code, int from, int to)
    {
        DataSession session = DataSession::open(context, {code, kTemplate, QDate::currentDate()});
        BatchStart start;
        start.code = code;
        start.start = from;
        start.end = to;
        start.file = session.file();
        start.table = session.table();
        start.detail = session.detail();
        return start;
    }

    QString expressQueue() const { return WaybillQueue::file(paths); }
    void writeExpressQueue(int rows)
    {
        QStringList lines;
        for (int i = 1; i <= rows; ++i)
            lines.append(expressRow(QStringLiteral("收件人%1").arg(i)));
        writeLines(expressQueue(), lines);
    }
    QStringList namesInExpressQueue() const
    {
        QStringList names;
        for (const QString &line : TextTable::load(expressQueue()))
            names.append(TextTable::field(line, 1));
        return names;
    }

    // A delivery note for `buyer` with goods rows (code, name, quantity).
    TradeNote note(const QString &buyer, const QList<QStringList> &goods) const
    {
        TradeNote n;
        n.values.insert(QStringLiteral("CmbInvoice"), kTemplate);
        n.values.insert(QStringLiteral("CmbBuyerName"), buyer);
        n.values.insert(QStringLiteral("EdtAddress"), QStringLiteral("科技园 1 号"));
        n.values.insert(QStringLiteral("EdtPostPrice"), QStringLiteral("10"));
        n.goods = GoodsTable::emptyRows(30);
        for (int r = 0; r < goods.size(); ++r) {
            n.goods[r][GoodsColumn::Code] = goods[r].value(0);
            n.goods[r][GoodsColumn::Name] = goods[r].value(1);
            n.goods[r][GoodsColumn::Quantity] = goods[r].value(2);
            n.goods[r][GoodsColumn::Price] = QStringLiteral("1,500.00");
        }
        return n;
    }
    double pending(const QString &code)
    {
        context.goods().load(paths);
        return context.goods().number(context.goods().find(code), 8);
    }
    // Five notes queued a second apart, each with one or two goods lines.
    void queueFiveNotes()
    {
        const QDateTime at(QDate(2026, 12, 8), QTime(9, 0, 0));
        for (int i = 1; i <= 5; ++i) {
            QList<QStringList> goods {{QStringLiteral("0101"), QStringLiteral("手机"), QString::number(i)}};
            if (i % 2 == 0)
                goods.append({QStringLiteral("0102"), QStringLiteral("电脑"), QStringLiteral("1")});
            ASSERT_TRUE(DeliveryQueue::save(context, note(QStringLiteral("买家%1").arg(i), goods), at.addSecs(i)).ok());
        }
    }
    QStringList buyersInQueue() const
    {
        QStringList buyers;
        for (const QString &line : TextTable::load(DeliveryQueue::file(paths, kTemplate)))
            buyers.append(TextTable::field(line, 2));
        return buyers;
    }

    TempDir dir;
    Paths paths {dir.path()};
    AppContext context {paths};
};

// --- Express queue rows ---------------------------------------------------------------

TEST_F(BatchRunTest, AnExpressRowHas37FieldsWithoutCommasOrBlanksAndTheMarkersAsPatterns)
{
    FieldValues values;
    values.insert(QStringLiteral("EdtSjrWW"), QStringLiteral("xiao chen"));
    values.insert(QStringLiteral("CmbSjrMc"), QStringLiteral("陈,小姐"));
    values.insert(QStringLiteral("EdtJJF"), QStringLiteral("3"));
    values.insert(QStringLiteral("ChbSelect1"), QStringLiteral("1"));
    values.insert(QStringLiteral("ChbSelect4"), QStringLiteral("1"));
    values.insert(QStringLiteral("Chbselect11"), QStringLiteral("1"));
    const QString row = WaybillQueue::row(values);
    EXPECT_EQ(TextTable::fieldCount(row), 37);
    EXPECT_EQ(TextTable::field(row, 0), QStringLiteral("xiaochen"));
    EXPECT_EQ(TextTable::field(row, 1), QStringLiteral("陈小姐"));
    EXPECT_EQ(TextTable::field(row, 15), QStringLiteral("10"));
    EXPECT_EQ(TextTable::field(row, 16), QStringLiteral("0100"));
    EXPECT_EQ(TextTable::field(row, 17), QStringLiteral("00001"));
    EXPECT_EQ(TextTable::field(row, 36), QStringLiteral("3"));

    WaybillQueue::append(paths, values);
    WaybillQueue::append(paths, values);
    EXPECT_EQ(TextTable::load(expressQueue()), QStringList({row, row}));
}

TEST_F(BatchRunTest, LoadingARowTakesMarkersOnlyAtTheirLengthAndAmountsInShortestForm)
{
    QStringList cells(37);
    cells[1] = QStringLiteral("陈 小姐");
    cells[15] = QStringLiteral("10");
    cells[16] = QStringLiteral("011"); // edited by hand to a wrong length
    cells[17] = QStringLiteral("1x001");
    cells[31] = QStringLiteral("1,234.50");
    cells[32] = QStringLiteral("12.50");
    cells[33] = QString();
    cells[34] = QStringLiteral("abc");
    const FieldValues values = WaybillQueue::rowValues(cells);
    EXPECT_EQ(values.value(QStringLiteral("CmbSjrMc")), QStringLiteral("陈小姐"));
    EXPECT_EQ(values.value(QStringLiteral("ChbSelect1")), QStringLiteral("1"));
    EXPECT_EQ(values.value(QStringLiteral("ChbSelect2")), QStringLiteral("0"));
    for (const char *box : {"ChbSelect3", "ChbSelect4", "ChbSelect5", "ChbSelect6"})
        EXPECT_FALSE(values.contains(QLatin1String(box))) << box;
    EXPECT_EQ(values.value(QStringLiteral("ChbSelect7")), QStringLiteral("1"));
    EXPECT_EQ(values.value(QStringLiteral("ChbSelect8")), QStringLiteral("0"));
    EXPECT_EQ(values.value(QStringLiteral("Chbselect11")), QStringLiteral("1"));
    EXPECT_EQ(values.value(QStringLiteral("EdtWpJe")), QStringLiteral("1234.5"));
    EXPECT_EQ(values.value(QStringLiteral("EdtDshk")), QStringLiteral("12.5"));
    EXPECT_EQ(values.value(QStringLiteral("EdtBjje")), QStringLiteral("0"));
    EXPECT_EQ(values.value(QStringLiteral("EdtBF")), QStringLiteral("0"));
}

// --- The end of an express run ---------------------------------------------------------

TEST_F(BatchRunTest, EndingARunKeepsOrDeletesWhatWasPrinted)
{
    writeExpressQueue(5);
    const QByteArray before = dir.read(QStringLiteral("批打数据/快递批量打印数据.txt"));
    {
        // Ended before any print: nothing to ask about, the file untouched.
        BatchRun run(startOf(TableCode::ExpressBatch, 1, 5));
        EXPECT_TRUE(run.printed().isEmpty());
        EXPECT_TRUE(run.finish(true).ok());
        EXPECT_EQ(dir.read(QStringLiteral("批打数据/快递批量打印数据.txt")), before);
    }
    {
        // Printed, answered No.
        BatchRun run(startOf(TableCode::ExpressBatch, 2, 3));
        run.markPrinted();
        EXPECT_TRUE(run.finish(false).ok());
        EXPECT_EQ(dir.read(QStringLiteral("批打数据/快递批量打印数据.txt")), before);
        EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue())));
    }
    {
        BatchRun run(startOf(TableCode::ExpressBatch, 2, 3));
        EXPECT_EQ(run.count(), 2);
        EXPECT_EQ(run.row(), 2);
        EXPECT_EQ(run.cells().value(1), QStringLiteral("收件人2"));
        run.markPrinted();
        ASSERT_TRUE(run.setPosition(2));
        EXPECT_TRUE(run.atLast());
        run.markPrinted();
        EXPECT_TRUE(run.finish(true).ok());
        EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人1", "收件人4", "收件人5"}));
        // The grid's grouped money goes back without its separators.
        EXPECT_EQ(TextTable::field(TextTable::load(expressQueue()).first(), 31), QStringLiteral("12.50"));
    }
    {
        BatchRun run(startOf(TableCode::ExpressBatch, 1, 3));
        for (int p = 1; p <= 3; ++p) {
            run.setPosition(p);
            run.markPrinted();
        }
        EXPECT_TRUE(run.allPrinted());
        EXPECT_TRUE(run.finish(true).ok());
        EXPECT_FALSE(QFileInfo::exists(expressQueue()));
    }
}

TEST_F(BatchRunTest, ARowPrintedTwiceCountsOnceAndLinesQueuedDuringTheRunStay)
{
    writeExpressQueue(3);
    BatchRun run(startOf(TableCode::ExpressBatch, 1, 3));
    run.markPrinted();
    run.markPrinted(); // the position box moved back and the row printed again
    run.setPosition(2);
    run.markPrinted();
    EXPECT_EQ(run.printed().size(), 2);
    // Three rows in the grid, two printed: not all of them, the file stays.
    EXPECT_FALSE(run.allPrinted());
    TextTable::appendRow(expressQueue(), expressRow(QStringLiteral("新来的")));
    EXPECT_TRUE(run.finish(true).ok());
    EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人3", "新来的"}));
}

// --- Delivery queue -------------------------------------------------------------------

TEST_F(BatchRunTest, TheSameNoteSavedTwiceInOneSecondGetsTwoKeysAndDoublePending)
{
    const QDateTime now(QDate(2026, 12, 8), QTime(14, 0, 5));
    const TradeNote n = note(QStringLiteral("陈 小姐"),
        {{QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("2")},
            {QString(), QStringLiteral("赠品贴纸"), QStringLiteral("1")}});
    const DeliveryQueue::SaveResult first = DeliveryQueue::save(context, n, now);
    const DeliveryQueue::SaveResult second = DeliveryQueue::save(context, n, now);
    ASSERT_TRUE(first.ok() && second.ok()) << second.failed.join(u'\n').toStdString();
    EXPECT_EQ(first.key, QStringLiteral("2026-12-08+14:00:05"));
    EXPECT_EQ(second.key, QStringLiteral("2026-12-08+14:00:06"));
    EXPECT_EQ(pending(QStringLiteral("0101")), 4);

    const QStringList notes = TextTable::load(DeliveryQueue::file(paths, kTemplate));
    ASSERT_EQ(notes.size(), 2);
    EXPECT_EQ(notes.first(), QStringLiteral("出库发货单,2026-12-08+14:00:05,陈小姐,,,,,,,科技园1号,,10.00"));
    // The named row without a code is stored; it reserves nothing.
    const QStringList goods = TextTable::load(DeliveryQueue::goodsFile(paths, kTemplate));
    ASSERT_EQ(goods.size(), 4);
    EXPECT_EQ(goods.at(1), QStringLiteral("出库发货单,2026-12-08+14:00:05,,赠品贴纸,,1,1500.00,,,,"));

    // Each note finds exactly its own goods again.
    BatchRun run(startOf(TableCode::DeliveryBatch, 1, 2));
    EXPECT_EQ(run.goodsLines().size(), 2);
    const GoodsRows rows = DeliveryQueue::noteGoods(run.goodsLines());
    EXPECT_EQ(rows.at(0).at(GoodsColumn::Code), QStringLiteral("0101"));
    EXPECT_EQ(rows.at(1).at(GoodsColumn::Number), QStringLiteral("2"));
    EXPECT_EQ(DeliveryQueue::noteValues(run.cells()).value(QStringLiteral("CmbBuyerName")), QStringLiteral("陈小姐"));
}

TEST_F(BatchRunTest, PrintingNotesTwoAndThreeOfFiveLeavesTheOthersInBothFiles)
{
    queueFiveNotes();
    BatchRun run(startOf(TableCode::DeliveryBatch, 2, 3));
    EXPECT_TRUE(run.delivery());
    run.markPrinted();
    run.setPosition(2);
    run.markPrinted();
    EXPECT_EQ(run.printed().at(0).goodsRows, 2);
    EXPECT_EQ(run.printed().at(1).goodsRows, 1);
    EXPECT_TRUE(run.finish(true).ok());
    EXPECT_EQ(buyersInQueue(), QStringList({"买家1", "买家4", "买家5"}));
    QStringList keys;
    for (const QString &line : TextTable::load(DeliveryQueue::goodsFile(paths, kTemplate)))
        keys.append(TextTable::field(line, 1).right(2));
    EXPECT_EQ(keys, QStringList({"01", "04", "04", "05"}));
    // Ending a run leaves the reserved quantities alone.
    EXPECT_EQ(pending(QStringLiteral("0101")), 15);
}

TEST_F(BatchRunTest, AllNotesPrintedAndYesDeletesBothFiles)
{
    queueFiveNotes();
    BatchRun run(startOf(TableCode::DeliveryBatch, 1, 5));
    for (int p = 1; p <= 5; ++p) {
        run.setPosition(p);
        run.markPrinted();
    }
    EXPECT_TRUE(run.finish(true).ok());
    EXPECT_FALSE(QFileInfo::exists(DeliveryQueue::file(paths, kTemplate)));
    EXPECT_FALSE(QFileInfo::exists(DeliveryQueue::goodsFile(paths, kTemplate)));
}

// --- A run that did not finish ------------------------------------------------------------

TEST_F(BatchRunTest, TheRecordOfAKilledRunTakesExactlyItsRowsOut)
{
    writeExpressQueue(6);
    {
        BatchRun run(startOf(TableCode::ExpressBatch, 2, 5));
        EXPECT_TRUE(BatchRun::runningOn(expressQueue()));
        run.markPrinted();
        run.setPosition(2);
        run.markPrinted();
        // The process dies here: the run never finishes.
    }
    const QList<PrintedRow> rows = BatchRecord::read(expressQueue());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).row, 2);
    EXPECT_EQ(TextTable::field(rows.at(1).line, 1), QStringLiteral("收件人3"));
    EXPECT_FALSE(BatchRun::runningOn(expressQueue()));

    // A row moved meanwhile is found by its text.
    QStringList lines = TextTable::load(expressQueue());
    lines.move(2, 5);
    writeLines(expressQueue(), lines);
    EXPECT_TRUE(BatchRecord::removePrinted(expressQueue(), QString(), rows).ok());
    EXPECT_EQ(namesInExpressQueue(), QStringList({"收件人1", "收件人4", "收件人5", "收件人6"}));
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue())));
}

TEST_F(BatchRunTest, OpeningAQueueAfterAKilledRunFindsItsRowsAndTheAnswerSettlesTheRecord)
{
    // The routines only find and settle; the question is the window's.
    ScriptedMessageService none;
    queueFiveNotes();
    {
        BatchRun run(startOf(TableCode::DeliveryBatch, 1, 5));
        run.markPrinted();
        run.setPosition(2);
        run.markPrinted();
        // While this process runs on the queue, its own record is no leftover.
        const BatchRecord::Unfinished own = BatchRecord::unfinished(run.file());
        EXPECT_TRUE(own.read.ok());
        EXPECT_FALSE(own.any());
    }
    const QString queue = DeliveryQueue::file(paths, kTemplate);
    const QString goods = DeliveryQueue::goodsFile(paths, kTemplate);
    {
        const BatchRecord::Unfinished earlier = BatchRecord::unfinished(queue);
        ASSERT_TRUE(earlier.any());
        EXPECT_TRUE(earlier.question().contains(QStringLiteral("2 条")));
        // Answered Yes.
        EXPECT_TRUE(BatchRecord::settle(queue, goods, earlier.rows, true).ok());
    }
    EXPECT_EQ(buyersInQueue(), QStringList({"买家3", "买家4", "买家5"}));
    EXPECT_EQ(TextTable::load(goods).size(), 4);
    // Nothing left to settle: nothing to ask.
    EXPECT_FALSE(BatchRecord::unfinished(queue).any());
    {
        BatchRun run(startOf(TableCode::DeliveryBatch, 1, 3));
        run.markPrinted();
    }
    // Answered No: the rows stay, the record goes.
    const BatchRecord::Unfinished earlier = BatchRecord::unfinished(queue);
    ASSERT_TRUE(earlier.any());
    EXPECT_TRUE(BatchRecord::settle(queue, goods, earlier.rows, false).ok());
    EXPECT_EQ(buyersInQueue().size(), 3);
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(queue)));
    EXPECT_TRUE(none.calls().isEmpty());
}

} // namespace
