// The command line as a script uses it: the program started with arguments,
// its output, its exit code and the files it leaves.

#include "storage/IniFile.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDate>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using Slipdesk::IniFile;

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList &arguments, const QString &input = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SLIPDESK_PRINT_TO"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SLIPDESK_CLI), arguments);
    process.write(input.toUtf8());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(Cli, HelpListsEveryCommandAndEachCommandHasItsOwn)
{
    const CliRun help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    for (const char *command : {"advance", "capital", "boxes", "where", "render", "print", "parse-order"})
        EXPECT_TRUE(help.out.contains(QLatin1String(command))) << command;

    const CliRun render = cli({QStringLiteral("render"), QStringLiteral("--help")});
    EXPECT_EQ(render.code, 0);
    EXPECT_TRUE(render.out.contains(QStringLiteral("--template NAME")));
    EXPECT_TRUE(render.out.contains(QStringLiteral("--preview")));
    const CliRun advance = cli({QStringLiteral("advance"), QStringLiteral("--help")});
    EXPECT_EQ(advance.code, 0);
    EXPECT_TRUE(advance.out.contains(QStringLiteral("advance TEXT")));
}

TEST(Cli, WrongUsageExitsWithTwo)
{
    for (const QStringList &arguments : {QStringList {}, QStringList {QStringLiteral("nonsense")},
             QStringList {QStringLiteral("advance")}, QStringList {QStringLiteral("capital"), QStringLiteral("abc")},
             QStringList {QStringLiteral("render"), QStringLiteral("waybill")},
             QStringList {QStringLiteral("render"), QStringLiteral("waybill"), QStringLiteral("--bogus")},
             QStringList {QStringLiteral("parse-order"), QStringLiteral("--format"), QStringLiteral("9")}}) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.code, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << arguments.join(u' ').toStdString();
    }
}

TEST(Cli, SmallCommandsPrintOneLine)
{
    EXPECT_EQ(cli({QStringLiteral("advance"), QStringLiteral("CK000009")}).out, QStringLiteral("CK000010\n"));
    EXPECT_EQ(cli({QStringLiteral("capital"), QStringLiteral("1005.5")}).out, QStringLiteral("壹仟零伍元伍角整\n"));
    EXPECT_EQ(
        cli({QStringLiteral("boxes"), QStringLiteral("100.01"), QStringLiteral("2")}).out, QStringLiteral("※壹零零\n"));
    TempDir dir;
    EXPECT_EQ(cli({QStringLiteral("--data"), dir.path(), QStringLiteral("where")}).out,
        QDir(dir.path()).absolutePath() + QStringLiteral("/\n"));
    const CliRun parsed = cli({QStringLiteral("parse-order"), QStringLiteral("--format=1")},
        QStringLiteral("收货人：张伟\n手机：138 1234 5678\n地址：江苏无锡滨湖区湖滨路8号"));
    EXPECT_EQ(parsed.code, 0);
    EXPECT_TRUE(parsed.out.startsWith(QStringLiteral("{\"name\":\"张伟\"")));
}

// A fixed format reads what it fits as before; a text it does not fit is
// read smartly, and standard error says so.
TEST(Cli, ParseOrderFallsBackToTheSmartReadingWhenAFixedFormatDoesNotFit)
{
    const CliRun fits = cli({QStringLiteral("parse-order"), QStringLiteral("--format"), QStringLiteral("2")},
        QStringLiteral("张三 ，13800002222 ，0571-87650000 ，浙江省 杭州市 西湖区 文三路9号 ，310012"));
    EXPECT_EQ(fits.code, 0);
    EXPECT_EQ(fits.out,
        QStringLiteral("{\"name\":\"张三\",\"destination\":\"杭州市\",\"province\":\"浙江省\",\"city\":\"杭州市\","
                       "\"district\":\"西湖区\",\"address\":\"文三路9号\",\"telephone\":\"0571-87650000\",\"postcode\":"
                       "\"310012\",\"mobile\":\"13800002222\",\"nickname\":\"\",\"payment\":\"\",\"chat\":\"\"}\n"));
    EXPECT_TRUE(fits.err.isEmpty());

    const CliRun fell = cli({QStringLiteral("parse-order"), QStringLiteral("--format"), QStringLiteral("2")},
        QStringLiteral("收货人：张伟 手机：13812345678 地址：江苏省无锡市滨湖区湖滨路8号"));
    EXPECT_EQ(fell.code, 0);
    EXPECT_EQ(fell.out,
        QStringLiteral("{\"name\":\"张伟\",\"destination\":\"无锡市\",\"province\":\"江苏省\",\"city\":\"无锡市\","
                       "\"district\":\"滨湖区\",\"address\":\"湖滨路8号\",\"telephone\":\"\",\"postcode\":\"\","
                       "\"mobile\":\"13812345678\",\"nickname\":\"\",\"payment\":\"\",\"chat\":\"\"}\n"));
    EXPECT_EQ(fell.err, QStringLiteral("parse-order: 复制的文字不符合“淘宝地址3”格式，已改用智能识别读取\n"));
}

// "print waybill" is the express tab's print: the job, the log line, the new
// recipient and the next number.
TEST(Cli, PrintWaybillPrintsAndKeepsTheRecord)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"),
        QStringLiteral("CmbSjrMc=王小二\nEdtEmsNo=SF0099\nEdtSjDwDz=湖滨路8号\n").toUtf8());
    const QString pdf = dir.file(QStringLiteral("pdf"));
    const CliRun run = cli({QStringLiteral("--data"), dir.path(), QStringLiteral("print"), QStringLiteral("waybill"),
        QStringLiteral("--template"), QStringLiteral("默认B6国内信封"), QStringLiteral("--fields"),
        dir.file(QStringLiteral("fields.txt")), QStringLiteral("--print-to"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("SF0099\n"));
    EXPECT_TRUE(QFile::exists(pdf + QStringLiteral("/默认B6国内信封SF0099.pdf")));
    const QStringList log = Slipdesk::TextTable::load(
        dir.file(QStringLiteral("打印记录/快递打印记录%1.txt").arg(QDate::currentDate().year())));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(Slipdesk::TextTable::field(log.first(), 7), QStringLiteral("王小二"));
    EXPECT_EQ(Slipdesk::TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 1);
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/默认B6国内信封.INI")))
                  .readString(QStringLiteral("打印设备"), QStringLiteral("信函号码")),
        QStringLiteral("SF0100"));
}

TEST(Cli, PrintRefusesWithTheProgramsMessageAndChangesNothing)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"), QStringLiteral("CmbSjrMc=王小二\n").toUtf8());
    const QStringList common {QStringLiteral("--data"), dir.path(), QStringLiteral("print"), QStringLiteral("waybill"),
        QStringLiteral("--fields"), dir.file(QStringLiteral("fields.txt"))};

    CliRun run = cli(common
        + QStringList {QStringLiteral("--template"), QStringLiteral("不存在"), QStringLiteral("--print-to"),
            dir.file(QStringLiteral("pdf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("不存在"))) << run.err.toStdString();

    run = cli(common + QStringList {QStringLiteral("--template"), QStringLiteral("默认B6国内信封")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("你的电脑上没有安装任何打印机驱动程序"))) << run.err.toStdString();
    EXPECT_FALSE(dir.exists(QStringLiteral("收件单位.TXT")));
    EXPECT_FALSE(dir.exists(QStringLiteral("打印记录")));
}

// "post delivery" is the delivery tab's "打印登记": print, stock, buyer, logs
// and the next number; "post inbound" likewise for the inbound tab.
TEST(Cli, PostDeliveryAndInboundRunTheTabsRoutine)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"), QStringLiteral("CmbBuyerName=陈小姐\nEdtPostPrice=10\n").toUtf8());
    dir.write(QStringLiteral("goods.txt"),
        QStringLiteral("0101,手机,个,2,1500,,翻盖型,1200,示例\n\n0102,电脑,台,1,3500\n").toUtf8());
    const QString pdf = dir.file(QStringLiteral("pdf"));
    const QStringList files {QStringLiteral("--fields"), dir.file(QStringLiteral("fields.txt")),
        QStringLiteral("--goods"), dir.file(QStringLiteral("goods.txt")), QStringLiteral("--print-to"), pdf};
    CliRun run = cli(QStringList {QStringLiteral("--data"), dir.path(), QStringLiteral("post"),
                         QStringLiteral("delivery"), QStringLiteral("--template"), QStringLiteral("出库发货单")}
        + files);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("CK000001\n"));
    EXPECT_TRUE(QFile::exists(pdf + QStringLiteral("/出库发货单CK000001.pdf")));
    const QStringList goods = Slipdesk::TextTable::load(dir.file(QStringLiteral("商品资料.TXT")));
    ASSERT_EQ(goods.size(), 2);
    EXPECT_EQ(Slipdesk::TextTable::field(goods.at(0), 3), QStringLiteral("8"));
    EXPECT_EQ(Slipdesk::TextTable::field(goods.at(1), 3), QStringLiteral("9"));
    const QString year = QString::number(QDate::currentDate().year());
    const QStringList log
        = Slipdesk::TextTable::load(dir.file(QStringLiteral("打印记录/出库发货单") + year + QStringLiteral(".TXT")));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(Slipdesk::TextTable::field(log.first(), 16), QStringLiteral("6510.00")); // 3,000 + 3,500 + 10
    EXPECT_EQ(Slipdesk::TextTable::load(
                  dir.file(QStringLiteral("打印记录/出库发货单") + year + QStringLiteral("发货清单.TXT")))
                  .size(),
        2);
    EXPECT_EQ(Slipdesk::TextTable::load(dir.file(QStringLiteral("收件单位.TXT"))).size(), 1);
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("用户信函模版/出库发货单.INI")))
                  .readString(QStringLiteral("打印设备"), QStringLiteral("发货单号码")),
        QStringLiteral("CK000002"));

    run = cli(QStringList {QStringLiteral("--data"), dir.path(), QStringLiteral("post"), QStringLiteral("inbound"),
                  QStringLiteral("--template"), QStringLiteral("采购入库单")}
        + files);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("RK000001\n"));
    EXPECT_EQ(Slipdesk::TextTable::field(Slipdesk::TextTable::load(dir.file(QStringLiteral("商品资料.TXT"))).at(0), 3),
        QStringLiteral("10"));
}

TEST(Cli, PostRefusesAShortNumberAndChangesNoFile)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"), QStringLiteral("EdtInvNo=CK1\n").toUtf8());
    const CliRun run = cli({QStringLiteral("--data"), dir.path(), QStringLiteral("post"), QStringLiteral("delivery"),
        QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--fields"),
        dir.file(QStringLiteral("fields.txt")), QStringLiteral("--print-to"), dir.file(QStringLiteral("pdf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("出库单号码不能少于4个字符"))) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList {QStringLiteral("fields.txt"), QStringLiteral("pdf")}));
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("pdf"))).isEmpty());
}

// A goods file's quantity or price that is no number: refused naming the
// row by post, queue and render alike, and nothing written.
TEST(Cli, GoodsNumbersThatAreNoNumbersAreRefused)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"), QStringLiteral("CmbBuyerName=陈小姐\n").toUtf8());
    dir.write(QStringLiteral("quantity.txt"), QStringLiteral("0101,手机,个,2,1500\n0102,电脑,台,abc,3500\n").toUtf8());
    dir.write(QStringLiteral("price.txt"), QStringLiteral("0101,手机,个,2,十五\n").toUtf8());
    const auto note = [&](const QString &command, const QString &goods, const QStringList &more) {
        return cli(QStringList {QStringLiteral("--data"), dir.path(), command, QStringLiteral("delivery"),
                       QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--fields"),
                       dir.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"), dir.file(goods)}
            + more);
    };
    const QString quantity = QStringLiteral("第2行商品的数量“abc”不是有效的数字，请改正后再");
    CliRun run = note(QStringLiteral("post"), QStringLiteral("quantity.txt"),
        {QStringLiteral("--print-to"), dir.file(QStringLiteral("pdf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(quantity + QStringLiteral("打印。"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    run = note(QStringLiteral("queue"), QStringLiteral("price.txt"), {});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("第1行商品的售价“十五”不是有效的数字，请改正后再保存。")))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    run = note(QStringLiteral("render"), QStringLiteral("quantity.txt"),
        {QStringLiteral("--out"), dir.file(QStringLiteral("note.png"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(quantity + QStringLiteral("打印。"))) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList {QStringLiteral("fields.txt"), QStringLiteral("pdf"), QStringLiteral("price.txt"),
            QStringLiteral("quantity.txt")}));
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("pdf"))).isEmpty());
}

TEST(Cli, RenderANoteWithoutPostingIt)
{
    TempDir dir;
    dir.write(QStringLiteral("fields.txt"), QStringLiteral("CmbBuyerName=陈小姐\n").toUtf8());
    dir.write(QStringLiteral("goods.txt"), QStringLiteral("0101,手机,个,2,1500\n").toUtf8());
    const CliRun run = cli({QStringLiteral("--data"), dir.path(), QStringLiteral("render"), QStringLiteral("delivery"),
        QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--fields"),
        dir.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"), dir.file(QStringLiteral("goods.txt")),
        QStringLiteral("--out"), dir.file(QStringLiteral("note.ops"))});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QByteArray ops = dir.read(QStringLiteral("note.ops"));
    EXPECT_TRUE(ops.contains("陈小姐"));
    EXPECT_TRUE(ops.contains("3,000.00"));
    EXPECT_FALSE(dir.exists(QStringLiteral("商品资料.TXT")));
    EXPECT_FALSE(dir.exists(QStringLiteral("打印记录")));
}

namespace {

// A delivery detail log of the data folder for `year`, lines as the
// posting writes them.
void writeDetailLog(const TempDir &dir, int year, const QStringList &lines)
{
    QDir().mkpath(dir.file(QStringLiteral("打印记录")));
    Slipdesk::TextTable::save(dir.file(QStringLiteral("打印记录/出库发货单%1发货清单.TXT").arg(year)), lines);
}

CliRun stats(const TempDir &dir, const QString &from, const QString &to)
{
    return cli({QStringLiteral("--data"), dir.path(), QStringLiteral("stats"), QStringLiteral("--template"),
        QStringLiteral("出库发货单"), QStringLiteral("--from"), from, QStringLiteral("--to"), to});
}

} // namespace

TEST(Cli, StatsPrintsTheTableAsCsv)
{
    TempDir dir;
    const QDate today = QDate::currentDate();
    const QString day = today.toString(QStringLiteral("yyyy-MM-dd"));
    writeDetailLog(dir, today.year(),
        {QStringLiteral("出库发货单,CK1,%1,0101,手机,个,2,1500.00,3000.00,,1200.00,").arg(day),
            QStringLiteral("出库发货单,CK1,%1,0102,显示器12\",台,1,800.00,800.00,,,").arg(day),
            QStringLiteral("出库发货单,CK2,%1,0101,手机,个,1,1500.00,1500.00,,1200.00,").arg(day)});
    const CliRun run = stats(dir, day, day);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
        QStringLiteral("序号,商品编码,商品名称,单位,数量,收入合计,成本合计,毛利合计\n"
                       "1,0101,手机,个,3,\"4,500.00\",\"3,600.00\",900.00\n"
                       "2,0102,\"显示器12\"\"\",台,1,800.00,0.00,800.00\n"
                       "3,,合计,,4,\"5,300.00\",\"3,600.00\",\"1,700.00\"\n"));
}

TEST(Cli, StatsReadsLastYearsLogInJanuaryAndFailsWithTheProgramsMessages)
{
    TempDir dir;
    const int lastYear = QDate::currentDate().year() - 1;
    CliRun run = stats(dir, QStringLiteral("2000-01-01"), QStringLiteral("2099-12-31"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("发货清单文件不存在"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    writeDetailLog(dir, lastYear, {QStringLiteral("出库发货单,CK1,%1-12-31,A1,杯,个,1,5,5.00,,,").arg(lastYear)});
    run = stats(dir, QStringLiteral("%1-12-31").arg(lastYear), QStringLiteral("%1-12-31").arg(lastYear));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n1,A1,杯,个,1,5.00,0.00,5.00\n"))) << run.out.toStdString();

    run = stats(dir, QStringLiteral("%1-01-01").arg(lastYear), QStringLiteral("%1-12-30").arg(lastYear));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("没有符合条件的记录"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(Cli, StatsWithoutWellFormedDatesIsAUsageError)
{
    TempDir dir;
    const QString day = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    writeDetailLog(
        dir, QDate::currentDate().year(), {QStringLiteral("出库发货单,CK1,%1,A1,杯,个,1,5,5.00,,,").arg(day)});
    for (const QStringList &arguments : {
             QStringList {QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--from"), day},
             QStringList {QStringLiteral("--from"), day, QStringLiteral("--to"), day},
             QStringList {QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--from"),
                 QStringLiteral("2024-13-01"), QStringLiteral("--to"), day},
             QStringList {QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--from"),
                 QStringLiteral("2024/01/01"), QStringLiteral("--to"), day},
         }) {
        const CliRun run = cli(QStringList {QStringLiteral("--data"), dir.path(), QStringLiteral("stats")} + arguments);
        EXPECT_EQ(run.code, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: slipdesk-cli [--data DIR] stats")))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}
