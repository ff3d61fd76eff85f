// The batch queues from the command line: forms queued one by one, then
// printed in one continuous run with their whole record, the queue settled
// at the end as the user asked.

#include "datawin/BatchRun.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"
#include "waybill/WaybillQueue.h"

#include <QDate>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const TempDir &dir, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SLIPDESK_PRINT_TO"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SLIPDESK_CLI), QStringList {QStringLiteral("--data"), dir.path()} + arguments);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

const QString kExpress = QStringLiteral("默认B6国内信封");
const QString kDelivery = QStringLiteral("出库发货单");

QString expressQueue(const TempDir &dir)
{
    return dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
}

QString deliveryQueue(const TempDir &dir)
{
    return dir.file(QStringLiteral("批打数据/出库发货单.TSK"));
}

QString deliveryGoods(const TempDir &dir)
{
    return dir.file(QStringLiteral("批打数据/出库发货单发货清单.TSK"));
}

QStringList pdfs(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QStringList expressLog(const TempDir &dir)
{
    const QString path = dir.file(QStringLiteral("打印记录/快递打印记录%1.txt").arg(QDate::currentDate().year()));
    return QFileInfo::exists(path) ? TextTable::load(path) : QStringList();
}

// Rows 1 … n of the express queue, each with a recipient of its own.
QStringList queueWaybills(const TempDir &dir, int n)
{
    QStringList rows;
    for (int i = 1; i <= n; ++i)
        rows.append(WaybillQueue::row({{QStringLiteral("CmbSjrMc"), QStringLiteral("张%1").arg(i)},
            {QStringLiteral("EdtSjDwDz"), QStringLiteral("湖滨路%1号").arg(i)}}));
    QDir().mkpath(dir.file(QStringLiteral("批打数据")));
    TextTable::save(expressQueue(dir), rows);
    return rows;
}

QStringList batch(const QString &kind, const QString &templateName, const QString &pdf, const QStringList &more = {})
{
    return QStringList {QStringLiteral("batch"), kind, QStringLiteral("--template"), templateName,
               QStringLiteral("--print-to"), pdf}
    + more;
}

} // namespace

// "保存(&S)" twice, then one run: two waybills printed and logged, the number
// advanced for each, the queue left as it was; the same run with
// --delete-printed empties the queue.
TEST(CliBatch, QueuedWaybillsPrintInOneRunAndStayQueuedUnlessDeleted)
{
    TempDir dir;
    const QString help = cli(dir, {QStringLiteral("--help")}).out;
    EXPECT_TRUE(help.contains(QStringLiteral("queue waybill|delivery"))) << help.toStdString();
    EXPECT_TRUE(help.contains(QStringLiteral("batch waybill|delivery"))) << help.toStdString();
    dir.write(QStringLiteral("a.txt"), QStringLiteral("CmbSjrMc=王小二\nEdtSjDwDz=湖滨路8号\nChbSelect1=1\n").toUtf8());
    dir.write(QStringLiteral("b.txt"), QStringLiteral("CmbSjrMc=赵六\nEdtSjDwDz=中山路1号\n").toUtf8());
    for (const char *file : {"a.txt", "b.txt"}) {
        const CliRun queued = cli(dir,
            {QStringLiteral("queue"), QStringLiteral("waybill"), QStringLiteral("--template"), kExpress,
                QStringLiteral("--fields"), dir.file(QLatin1String(file))});
        ASSERT_EQ(queued.code, 0) << queued.err.toStdString();
        EXPECT_EQ(queued.out, qstrcmp(file, "a.txt") == 0 ? QStringLiteral("1\n") : QStringLiteral("2\n"));
    }
    const QStringList queue = TextTable::load(expressQueue(dir));
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(TextTable::field(queue.first(), 1), QStringLiteral("王小二"));
    EXPECT_EQ(TextTable::field(queue.first(), 15), QStringLiteral("10")); // the ticked marker box
    EXPECT_FALSE(dir.exists(QStringLiteral("打印记录"))); // queuing prints nothing

    TemplateSettings(Paths(dir.path()), kExpress).setWaybillNumber(QStringLiteral("SF0099"));
    const QString pdf = dir.file(QStringLiteral("pdf"));
    CliRun run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 printed, kept in the queue\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("batch: row 1 of 2 (queue row 1)"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("batch: row 2 of 2 (queue row 2)"))) << run.err.toStdString();
    const QStringList log = expressLog(dir);
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(TextTable::field(log.at(0), 7), QStringLiteral("王小二"));
    EXPECT_EQ(TextTable::field(log.at(1), 7), QStringLiteral("赵六"));
    EXPECT_EQ(TextTable::field(log.at(0), 4), QStringLiteral("SF0099"));
    EXPECT_EQ(TextTable::field(log.at(1), 4), QStringLiteral("SF0100"));
    EXPECT_EQ(
        pdfs(pdf), (QStringList {kExpress + QStringLiteral("SF0099.pdf"), kExpress + QStringLiteral("SF0100.pdf")}));
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
                  .readString(QStringLiteral("打印设备"), QStringLiteral("信函号码")),
        QStringLiteral("SF0101"));
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 2); // both new to the book
    EXPECT_EQ(TextTable::load(expressQueue(dir)), queue);
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue(dir))));

    run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf, {QStringLiteral("--delete-printed")}));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 printed, deleted from the queue\n"));
    EXPECT_EQ(pdfs(pdf).size(), 4);
    EXPECT_EQ(expressLog(dir).size(), 4);
    EXPECT_EQ(TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 2); // known recipients now
    EXPECT_FALSE(QFileInfo::exists(expressQueue(dir)));
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue(dir))));
}

TEST(CliBatch, ARangeWithDeletePrintedLeavesTheOtherRowsInOrder)
{
    TempDir dir;
    const QStringList rows = queueWaybills(dir, 5);
    const QString pdf = dir.file(QStringLiteral("pdf"));
    const CliRun run = cli(dir,
        batch(QStringLiteral("waybill"), kExpress, pdf,
            {QStringLiteral("--from"), QStringLiteral("2"), QStringLiteral("--to"), QStringLiteral("3"),
                QStringLiteral("--delete-printed")}));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 printed, deleted from the queue\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("batch: row 2 of 2 (queue row 3)"))) << run.err.toStdString();
    EXPECT_EQ(TextTable::load(expressQueue(dir)), (QStringList {rows.at(0), rows.at(3), rows.at(4)}));
    const QStringList log = expressLog(dir);
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(TextTable::field(log.at(0), 7), QStringLiteral("张2"));
    EXPECT_EQ(TextTable::field(log.at(1), 7), QStringLiteral("张3"));
    EXPECT_EQ(pdfs(pdf).size(), 2);
}

TEST(CliBatch, NothingToPrintABadRangeOrAWrongTemplateIsRefusedAndPrintsNothing)
{
    TempDir dir;
    const QString pdf = dir.file(QStringLiteral("pdf"));
    CliRun run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("没有批量打印数据"))) << run.err.toStdString();
    run = cli(dir, batch(QStringLiteral("delivery"), kDelivery, pdf));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("没有发现批量打印数据文件"))) << run.err.toStdString();

    const QStringList rows = queueWaybills(dir, 2);
    for (const QStringList &range : {QStringList {QStringLiteral("--from"), QStringLiteral("0")},
             QStringList {QStringLiteral("--from"), QStringLiteral("2"), QStringLiteral("--to"), QStringLiteral("1")},
             QStringList {QStringLiteral("--to"), QStringLiteral("3")},
             QStringList {QStringLiteral("--from"), QStringLiteral("x")}}) {
        run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf, range));
        EXPECT_EQ(run.code, 1) << range.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("输入的序号有误！"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    run = cli(dir, batch(QStringLiteral("waybill"), QStringLiteral("不存在"), pdf));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("快递单模版“不存在”不存在。"))) << run.err.toStdString();
    run = cli(dir,
        batch(QStringLiteral("waybill"), kExpress, pdf,
            {QStringLiteral("--delete-printed"), QStringLiteral("--keep-printed")}));
    EXPECT_EQ(run.code, 2);
    run = cli(dir, {QStringLiteral("batch"), QStringLiteral("waybill"), QStringLiteral("--template"), kExpress});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("你的电脑上没有安装任何打印机驱动程序"))) << run.err.toStdString();

    EXPECT_TRUE(pdfs(pdf).isEmpty());
    EXPECT_TRUE(expressLog(dir).isEmpty());
    EXPECT_EQ(TextTable::load(expressQueue(dir)), rows);
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue(dir))));
}

// A record left by a run that did not finish: the next run refuses until
// the user says what to do with the rows it printed.
TEST(CliBatch, AnUnfinishedRunMustBeSettledFirst)
{
    TempDir dir;
    const QStringList rows = queueWaybills(dir, 4);
    BatchRecord::write(expressQueue(dir), {{1, 0, rows.at(0)}, {2, 0, rows.at(1)}});
    const QString pdf = dir.file(QStringLiteral("pdf"));

    CliRun run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("上次的批量打印没有正常结束，当时已经打印了 2 条批打数据")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("--delete-printed")));
    EXPECT_TRUE(pdfs(pdf).isEmpty());
    EXPECT_EQ(BatchRecord::read(expressQueue(dir)).size(), 2);

    // Rows 1 and 2 go first; the run is over what is left, numbered afresh.
    run = cli(dir,
        batch(QStringLiteral("waybill"), kExpress, pdf,
            {QStringLiteral("--delete-printed"), QStringLiteral("--to"), QStringLiteral("1")}));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("已从批打数据中删除"))) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1 printed, deleted from the queue\n"));
    EXPECT_EQ(TextTable::field(expressLog(dir).value(0), 7), QStringLiteral("张3"));
    EXPECT_EQ(TextTable::load(expressQueue(dir)), QStringList {rows.at(3)});

    BatchRecord::write(expressQueue(dir), {{1, 0, rows.at(3)}});
    run = cli(dir, batch(QStringLiteral("waybill"), kExpress, pdf, {QStringLiteral("--keep-printed")}));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("保留在批打数据中"))) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1 printed, kept in the queue\n"));
    EXPECT_EQ(TextTable::field(expressLog(dir).value(1), 7), QStringLiteral("张4"));
    EXPECT_EQ(TextTable::load(expressQueue(dir)), QStringList {rows.at(3)});
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(expressQueue(dir))));
}

namespace {

// 0101 with 10 in stock and 1 pending.
void writeGoodsMaster(const TempDir &dir)
{
    dir.write(QStringLiteral("商品资料.TXT"),
        Codec::encode(QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例,1\r\n"
                                     "0102,电脑,台,10,3500,宽屏,3000,自己组装机,0\r\n")));
}

QString goodsField(const TempDir &dir, int line, int field)
{
    return TextTable::field(TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))).value(line), field);
}

CliRun queueNote(const TempDir &dir, const QString &buyer, const QString &goods)
{
    dir.write(QStringLiteral("fields.txt"), (QStringLiteral("CmbBuyerName=") + buyer + u'\n').toUtf8());
    dir.write(QStringLiteral("goods.txt"), goods.toUtf8());
    return cli(dir,
        {QStringLiteral("queue"), QStringLiteral("delivery"), QStringLiteral("--template"), kDelivery,
            QStringLiteral("--fields"), dir.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"),
            dir.file(QStringLiteral("goods.txt"))});
}

} // namespace

// "批打保存" twice in a row: two keys of their own (never shared goods
// lines), the pending quantity raised each time.
TEST(CliBatch, QueuedDeliveryNotesGetTheirOwnKeysAndReserveTheirGoods)
{
    TempDir dir;
    writeGoodsMaster(dir);
    const CliRun a = queueNote(dir, QStringLiteral("陈小姐"), QStringLiteral("0101,手机,个,2,1500\n"));
    const CliRun b
        = queueNote(dir, QStringLiteral("王先生"), QStringLiteral("0101,手机,个,2,1500\n0102,电脑,台,1,3500\n"));
    ASSERT_EQ(a.code, 0) << a.err.toStdString();
    ASSERT_EQ(b.code, 0) << b.err.toStdString();
    const QString keyA = a.out.trimmed();
    const QString keyB = b.out.trimmed();
    EXPECT_TRUE(keyA.startsWith(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd+")))) << keyA.toStdString();
    EXPECT_NE(keyA, keyB);
    const QStringList notes = TextTable::load(deliveryQueue(dir));
    ASSERT_EQ(notes.size(), 2);
    EXPECT_EQ(TextTable::field(notes.at(0), 1), keyA);
    EXPECT_EQ(TextTable::field(notes.at(1), 1), keyB);
    EXPECT_EQ(TextTable::field(notes.at(1), 2), QStringLiteral("王先生"));
    const QStringList goods = TextTable::load(deliveryGoods(dir));
    ASSERT_EQ(goods.size(), 3);
    EXPECT_EQ(TextTable::field(goods.at(0), 1), keyA);
    EXPECT_EQ(TextTable::field(goods.at(2), 1), keyB);
    EXPECT_EQ(goodsField(dir, 0, 8), QStringLiteral("5")); // 1 + 2 + 2
    EXPECT_EQ(goodsField(dir, 1, 8), QStringLiteral("1"));
    EXPECT_EQ(goodsField(dir, 0, 3), QStringLiteral("10")); // nothing left the stock yet
    EXPECT_FALSE(dir.exists(QStringLiteral("打印记录")));

    const CliRun unknown = cli(dir,
        {QStringLiteral("queue"), QStringLiteral("delivery"), QStringLiteral("--template"), QStringLiteral("不存在"),
            QStringLiteral("--fields"), dir.file(QStringLiteral("fields.txt"))});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("发货单模版“不存在”不存在。"))) << unknown.err.toStdString();
    EXPECT_EQ(TextTable::load(deliveryQueue(dir)).size(), 2);
}

// The delivery queue's run posts every note from the batch: stock and
// pending go down; --delete-printed takes the printed notes and only their
// goods lines out of both files.
TEST(CliBatch, DeliveryRunPostsTheNotesAndDeletesOnlyThePrintedOnes)
{
    TempDir dir;
    writeGoodsMaster(dir);
    for (const QString &buyer : {QStringLiteral("陈小姐"), QStringLiteral("王先生"), QStringLiteral("李女士")})
        ASSERT_EQ(queueNote(dir, buyer, QStringLiteral("0101,手机,个,2,1500\n0102,电脑,台,1,3500\n")).code, 0);
    EXPECT_EQ(goodsField(dir, 0, 8), QStringLiteral("7"));
    const QString third = TextTable::field(TextTable::load(deliveryQueue(dir)).at(2), 1);

    const QString pdf = dir.file(QStringLiteral("pdf"));
    const CliRun run = cli(dir,
        batch(QStringLiteral("delivery"), kDelivery, pdf,
            {QStringLiteral("--to"), QStringLiteral("2"), QStringLiteral("--delete-printed")}));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 printed, deleted from the queue\n"));
    EXPECT_EQ(
        pdfs(pdf), (QStringList {QStringLiteral("出库发货单CK000001.pdf"), QStringLiteral("出库发货单CK000002.pdf")}));
    EXPECT_EQ(goodsField(dir, 0, 3), QStringLiteral("6")); // 10 − 2 − 2
    EXPECT_EQ(goodsField(dir, 0, 8), QStringLiteral("3")); // the third note still reserves its 2
    EXPECT_EQ(goodsField(dir, 1, 3), QStringLiteral("8"));
    EXPECT_EQ(goodsField(dir, 1, 8), QStringLiteral("1"));
    const QString year = QString::number(QDate::currentDate().year());
    const QStringList log
        = TextTable::load(dir.file(QStringLiteral("打印记录/出库发货单") + year + QStringLiteral(".TXT")));
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(TextTable::field(log.at(0), 7), QStringLiteral("陈小姐"));
    EXPECT_EQ(TextTable::field(log.at(1), 7), QStringLiteral("王先生"));

    const QStringList notes = TextTable::load(deliveryQueue(dir));
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(TextTable::field(notes.first(), 1), third);
    const QStringList goods = TextTable::load(deliveryGoods(dir));
    ASSERT_EQ(goods.size(), 2);
    for (const QString &line : goods)
        EXPECT_EQ(TextTable::field(line, 1), third);
    EXPECT_FALSE(QFileInfo::exists(BatchRecord::pathFor(deliveryQueue(dir))));
}

TEST(CliBatch, ImportOrdersAppendsTheOrderTableToTheExpressQueue)
{
    TempDir dir;
    QStringList header(24);
    header[0] = QStringLiteral("订单编号");
    header[12] = QStringLiteral("收货人姓名");
    header[13] = QStringLiteral("收货地址");
    QStringList order(24);
    order[0] = QStringLiteral("T100");
    order[12] = QStringLiteral("陈小姐");
    order[13] = QStringLiteral("\"浙江省 杭州市 西湖区 文三路1号(310012)\"");
    order[16] = QStringLiteral("'13800138000");
    dir.write(QStringLiteral("orders.csv"),
        Codec::encode(QString(header.join(u',') + QStringLiteral("\r\n") + order.join(u',') + QStringLiteral("\r\n"))));
    const CliRun run = cli(dir, {QStringLiteral("import-orders"), dir.file(QStringLiteral("orders.csv"))});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1 淘宝订单表格\n"));
    const QStringList queue = TextTable::load(expressQueue(dir));
    ASSERT_EQ(queue.size(), 1);
    EXPECT_EQ(TextTable::field(queue.first(), 1), QStringLiteral("陈小姐"));
    EXPECT_EQ(TextTable::field(queue.first(), 19), QStringLiteral("13800138000"));

    EXPECT_EQ(cli(dir, {QStringLiteral("import-orders"), dir.file(QStringLiteral("missing.csv"))}).code, 1);
    EXPECT_EQ(cli(dir, {QStringLiteral("import-orders")}).code, 2);
}

// A quoted line break, a UTF-8 table, another marketplace's table, and
// what is refused: each as the command counts it and as the queue holds it.
TEST(CliBatch, ImportOrdersCountsOrdersNotLinesAndRefusesWhatItCannotRead)
{
    TempDir dir;
    QStringList header(24);
    header[0] = QStringLiteral("订单编号");
    header[12] = QStringLiteral("收货人姓名");
    header[13] = QStringLiteral("收货地址");
    const auto order = [](const QString &number, const QString &name, const QString &remark) {
        QStringList fields(24);
        fields[0] = number;
        fields[11] = u'"' + remark + u'"';
        fields[12] = name;
        fields[13] = QStringLiteral("\"浙江省 杭州市 西湖区 文三路1号(310012)\"");
        return fields.join(u',');
    };
    const QString text = header.join(u',') + QStringLiteral("\r\n")
        + order(QStringLiteral("T1"), QStringLiteral("林小雨"), QStringLiteral("周末\r\n送货")) + QStringLiteral("\r\n")
        + order(QStringLiteral("T2"), QStringLiteral("周大山"), QStringLiteral("无")) + QStringLiteral("\r\n");
    dir.write(QStringLiteral("breaks.csv"), Codec::encode(text));
    CliRun run = cli(dir, {QStringLiteral("import-orders"), dir.file(QStringLiteral("breaks.csv"))});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 淘宝订单表格\n"));
    QStringList queue = TextTable::load(expressQueue(dir));
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(TextTable::field(queue.at(0), 7), QStringLiteral("周末送货"));
    EXPECT_EQ(TextTable::field(queue.at(1), 1), QStringLiteral("周大山"));

    // UTF-8 with a byte-order mark: the names as written.
    dir.write(QStringLiteral("utf8.csv"), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    run = cli(dir, {QStringLiteral("import-orders"), dir.file(QStringLiteral("utf8.csv"))});
    EXPECT_EQ(run.out, QStringLiteral("2 淘宝订单表格\n"));
    queue = TextTable::load(expressQueue(dir));
    ASSERT_EQ(queue.size(), 4);
    EXPECT_EQ(TextTable::field(queue.at(2), 1), QStringLiteral("林小雨"));

    // Another marketplace, found by its header names.
    dir.write(QStringLiteral("pdd.csv"),
        QStringLiteral("订单号,收货人,手机,省,市,区,详细地址,商品\r\nP1,马小跳,15800001111,四川省,成都市,武侯区,"
                       "玉林北路2号,纸巾\r\n")
            .toUtf8());
    run = cli(dir, {QStringLiteral("import-orders"), dir.file(QStringLiteral("pdd.csv"))});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1 拼多多\n"));
    queue = TextTable::load(expressQueue(dir));
    ASSERT_EQ(queue.size(), 5);
    EXPECT_EQ(TextTable::field(queue.at(4), 19), QStringLiteral("15800001111"));
    EXPECT_EQ(TextTable::field(queue.at(4), 5), QStringLiteral("武侯区"));

    // Neither UTF-8 nor GBK, or an unknown header: refused, nothing added.
    dir.write(QStringLiteral("broken.csv"), Codec::encode(text) + "\xFF\xFF");
    dir.write(QStringLiteral("unknown.csv"), Codec::encode(QStringLiteral("编号,名称\r\n1,杯子\r\n")));
    for (const QString &name : {QStringLiteral("broken.csv"), QStringLiteral("unknown.csv")}) {
        run = cli(dir, {QStringLiteral("import-orders"), dir.file(name)});
        EXPECT_EQ(run.code, 1) << name.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("没有导入任何订单"))) << run.err.toStdString();
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("收货人"))) << run.err.toStdString();
    EXPECT_EQ(TextTable::load(expressQueue(dir)).size(), 5);
}

// 65,536 rows do not fit an .xls: the command says how many it wrote and
// which it left out, and fails.
TEST(CliBatch, ExportSaysWhichRowsAnXlsCannotHold)
{
    TempDir dir;
    QStringList rows;
    rows.reserve(65536);
    for (int i = 1; i <= 65536; ++i)
        rows.append(QStringLiteral("nick%1,收件人%1").arg(i));
    TextTable::save(expressQueue(dir), rows);
    const QString out = dir.file(QStringLiteral("queue.xls"));
    CliRun run = cli(dir,
        {QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--out"), out,
            QStringLiteral("--own-writer")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QStringLiteral("65535\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("序号 65536 至 65536 的 1 行没有导出"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral(".xlsx")));
    const QByteArray bytes = dir.read(QStringLiteral("queue.xls"));
    EXPECT_TRUE(bytes.contains(Codec::encode(QStringLiteral("收件人65535"))));
    EXPECT_FALSE(bytes.contains(Codec::encode(QStringLiteral("收件人65536"))));

    run = cli(dir,
        {QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--from"),
            QStringLiteral("2"), QStringLiteral("--out"), out, QStringLiteral("--own-writer")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("65535\n"));
}

TEST(CliBatch, ExportWritesTheQueueWithTheOwnWriter)
{
    TempDir dir;
    QStringList rows;
    for (int i = 1; i <= 4; ++i)
        rows.append(QStringLiteral("nick%1,收件人%1").arg(i));
    TextTable::save(expressQueue(dir), rows);
    const QString out = dir.file(QStringLiteral("queue.xls"));
    const CliRun run = cli(dir,
        {QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--from"),
            QStringLiteral("2"), QStringLiteral("--to"), QStringLiteral("3"), QStringLiteral("--out"), out,
            QStringLiteral("--own-writer")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2\n"));
    const QByteArray bytes = dir.read(QStringLiteral("queue.xls"));
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("0908060000001000000042000200a803")));
    EXPECT_TRUE(bytes.contains(Codec::encode(QStringLiteral("收件人2"))));
    EXPECT_FALSE(bytes.contains(Codec::encode(QStringLiteral("收件人4"))));

    const auto code = [&](const QStringList &arguments) { return cli(dir, arguments).code; };
    EXPECT_EQ(code({QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--to"),
                  QStringLiteral("9"), QStringLiteral("--out"), out}),
        1);
    EXPECT_EQ(
        code({QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("13"), QStringLiteral("--out"), out}),
        2);
    EXPECT_EQ(
        code({QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("1"), QStringLiteral("--out"), out}),
        1); // no print log yet

    // .xlsx is written by the library; the own writer writes .xls only.
    const QString book = dir.file(QStringLiteral("queue.xlsx"));
    EXPECT_EQ(
        cli(dir,
            {QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--out"), book})
            .out,
        QStringLiteral("4\n"));
    EXPECT_TRUE(dir.read(QStringLiteral("queue.xlsx")).startsWith("PK"));
    EXPECT_EQ(code({QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--out"),
                  book, QStringLiteral("--own-writer")}),
        2);
    EXPECT_EQ(code({QStringLiteral("export"), QStringLiteral("--code"), QStringLiteral("2"), QStringLiteral("--out"),
                  dir.file(QStringLiteral("queue.csv"))}),
        2);
}
