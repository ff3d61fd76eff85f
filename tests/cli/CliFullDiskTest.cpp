// The command line on a full disk (a small tmpfs the test mounts), on
// read-only files, links leading out of the data folder, template names that
// lead out of it, and outside files that are devices or too large: exit 1,
// the message names the file and the cause, and every record stays whole
// and unchanged.

#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/TextTable.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Slipdesk::IniFile;

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SLIPDESK_PRINT_TO"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SLIPDESK_CLI), arguments);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

const QString kYear = QString::number(QDate::currentDate().year());

// Every file below `root` with its bytes, hidden ones included.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDir dir(root);
    const QStringList names
        = dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir()) {
            const QMap<QString, QByteArray> inner = snapshot(path);
            for (auto it = inner.cbegin(); it != inner.cend(); ++it)
                files.insert(name + u'/' + it.key(), it.value());
        } else if (name != u".filler") {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            files.insert(name, file.readAll());
        }
    }
    return files;
}

class CliOnFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_inputs.write(QStringLiteral("fields.txt"), QStringLiteral("CmbBuyerName=陈小姐\nEdtPostPrice=10\n").toUtf8());
        m_inputs.write(QStringLiteral("goods.txt"), QStringLiteral("0101,手机,个,2,1500,,翻盖型,1200,示例\n").toUtf8());
    }

    CliRun post(const QString &data, const QString &pdf, const QString &buyer = QStringLiteral("陈小姐"))
    {
        m_inputs.write(
            QStringLiteral("fields.txt"), QStringLiteral("CmbBuyerName=%1\nEdtPostPrice=10\n").arg(buyer).toUtf8());
        return cli({QStringLiteral("--data"), data, QStringLiteral("post"), QStringLiteral("delivery"),
            QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--fields"),
            m_inputs.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"),
            m_inputs.file(QStringLiteral("goods.txt")), QStringLiteral("--print-to"), pdf});
    }

    // The first waybill gives the number (saved as the next one to the
    // template's settings), the later ones take the saved one.
    CliRun printWaybill(const QString &data, const QString &pdf, const QString &number = QString())
    {
        m_inputs.write(QStringLiteral("waybill.txt"),
            QStringLiteral("CmbSjrMc=王小二\nEdtSjDwDz=湖滨路8号\n%1")
                .arg(number.isEmpty() ? QString() : QStringLiteral("EdtEmsNo=") + number)
                .toUtf8());
        return cli({QStringLiteral("--data"), data, QStringLiteral("print"), QStringLiteral("waybill"),
            QStringLiteral("--template"), QStringLiteral("默认B6国内信封"), QStringLiteral("--fields"),
            m_inputs.file(QStringLiteral("waybill.txt")), QStringLiteral("--print-to"), pdf});
    }

    TempDir m_inputs;
};

} // namespace

TEST_F(CliOnFiles, OnAFullDiskPostAndPrintFailNamingTheFileAndChangeNoRecord)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    const QString data = disk.file(QStringLiteral("data/"));
    const QString pdf = disk.file(QStringLiteral("pdf"));
    CliRun run = post(data, pdf);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    ASSERT_EQ(run.out, QStringLiteral("CK000001\n"));
    run = printWaybill(data, pdf, QStringLiteral("SF0099"));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QMap<QString, QByteArray> before = snapshot(data);
    const QStringList pdfsBefore = QDir(pdf).entryList(QDir::Files | QDir::Hidden);
    ASSERT_TRUE(before.contains(QStringLiteral("商品资料.TXT")));
    ASSERT_TRUE(before.contains(QStringLiteral("用户信函模版/出库发货单.INI")));
    ASSERT_TRUE(before.contains(QStringLiteral("用户信函模版/默认B6国内信封.INI")));
    ASSERT_TRUE(before.contains(QStringLiteral("打印记录/出库发货单") + kYear + QStringLiteral("发货清单.TXT")));

    disk.fill();
    // The PDF cannot be written: the note is not printed, nothing is posted.
    run = post(data, pdf, QStringLiteral("新买家"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("磁盘已满"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("出库发货单CK000002"))) << run.err.toStdString();
    EXPECT_EQ(snapshot(data), before);
    EXPECT_EQ(QDir(pdf).entryList(QDir::Files | QDir::Hidden), pdfsBefore);

    run = printWaybill(data, pdf);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("磁盘已满"))) << run.err.toStdString();
    EXPECT_EQ(snapshot(data), before);
    EXPECT_EQ(QDir(pdf).entryList(QDir::Files | QDir::Hidden), pdfsBefore);

    // Printed elsewhere, the records cannot all be saved: every rewrite
    // fails and is named, the old file staying as it was; an append that
    // still fits into the last page of its file goes in whole.
    TempDir elsewhere;
    run = post(data, elsewhere.path(), QStringLiteral("新买家"));
    EXPECT_EQ(run.code, 1);
    for (const char *name : {"商品资料.TXT", "出库发货单.INI"})
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(name))) << name << ": " << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Unknown error"))) << run.err.toStdString();
    EXPECT_GE(run.err.count(QStringLiteral("磁盘已满")), 2) << run.err.toStdString();
    run = printWaybill(data, elsewhere.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("默认B6国内信封.INI"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("磁盘已满"))) << run.err.toStdString();
    const QMap<QString, QByteArray> after = snapshot(data);
    EXPECT_EQ(after.keys(), before.keys());
    for (const QString &name : {QStringLiteral("商品资料.TXT"), QStringLiteral("用户信函模版/出库发货单.INI"),
             QStringLiteral("用户信函模版/默认B6国内信封.INI")})
        EXPECT_EQ(after.value(name), before.value(name)) << name.toStdString();
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        EXPECT_TRUE(it.value().startsWith(before.value(it.key()))) << it.key().toStdString();
        EXPECT_TRUE(it.value().isEmpty() || it.value().endsWith("\r\n") || it.key().endsWith(u".SET"))
            << it.key().toStdString() << " ends inside a row";
    }

    // Room again: saving works as before.
    disk.release();
    run = post(data, pdf);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
}

TEST_F(CliOnFiles, ReadOnlyFilesAndLinksOutOfTheFolderAreRefused)
{
    TempDir data;
    TempDir outside;
    CliRun run = post(data.path(), data.file(QStringLiteral("pdf")));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QString goods = data.file(QStringLiteral("商品资料.TXT"));
    ASSERT_EQ(::chmod(QFile::encodeName(goods).constData(), 0444), 0);
    outside.write(QStringLiteral("unrelated.txt"), "keep me\n");
    QFile::remove(data.file(QStringLiteral("收件单位.TXT")));
    ASSERT_EQ(::symlink(QFile::encodeName(outside.file(QStringLiteral("unrelated.txt"))).constData(),
                  QFile::encodeName(data.file(QStringLiteral("收件单位.TXT"))).constData()),
        0);
    const QByteArray oldGoods = data.read(QStringLiteral("商品资料.TXT"));

    run = post(data.path(), data.file(QStringLiteral("pdf")), QStringLiteral("新买家"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("商品资料.TXT"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("只读"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("收件单位.TXT"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("数据文件夹以外"))) << run.err.toStdString();
    EXPECT_EQ(data.read(QStringLiteral("商品资料.TXT")), oldGoods);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(goods).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode_t(0444));
    EXPECT_EQ(outside.read(QStringLiteral("unrelated.txt")), QByteArray("keep me\n"));
}

// "模版2=../../outside/evil" in the program settings, or typed after
// --template: never made into a path, nothing written outside.
TEST_F(CliOnFiles, TemplateNamesThatLeadOutOfTheFolderAreRefused)
{
    TempDir root;
    const QString data = root.file(QStringLiteral("a/b/data/"));
    QDir().mkpath(data);
    const QString evil = QStringLiteral("../../outside/evil");
    QFile settings(data + QStringLiteral("SlipdeskPosts.INI"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(Slipdesk::Codec::encode(
        QStringLiteral("[出库发货单模版列表]\r\n模版总数=2\r\n模版1=出库发货单\r\n模版2=%1\r\n").arg(evil)));
    settings.close();
    const QStringList note {QStringLiteral("delivery"), QStringLiteral("--template"), evil, QStringLiteral("--fields"),
        m_inputs.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"),
        m_inputs.file(QStringLiteral("goods.txt"))};
    for (const QStringList &command : {QStringList {QStringLiteral("post")} + note
                 + QStringList {QStringLiteral("--print-to"), root.file(QStringLiteral("pdf"))},
             QStringList {QStringLiteral("queue")} + note,
             QStringList {QStringLiteral("render")} + note
                 + QStringList {QStringLiteral("--out"), root.file(QStringLiteral("x.png"))},
             QStringList {QStringLiteral("batch"), QStringLiteral("delivery"), QStringLiteral("--template"), evil}}) {
        const CliRun run = cli(QStringList {QStringLiteral("--data"), data} + command);
        EXPECT_EQ(run.code, 1) << command.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("不能用作文件名"))) << run.err.toStdString();
    }
    const CliRun run = cli({QStringLiteral("--data"), data, QStringLiteral("stats"), QStringLiteral("--template"), evil,
        QStringLiteral("--from"), QStringLiteral("2026-01-01"), QStringLiteral("--to"), QStringLiteral("2026-12-31")});
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(QFileInfo::exists(root.file(QStringLiteral("a/b/outside"))));
    EXPECT_FALSE(QFileInfo::exists(root.file(QStringLiteral("a/outside"))));
    EXPECT_FALSE(QFileInfo::exists(root.file(QStringLiteral("pdf"))));
}

TEST_F(CliOnFiles, DevicesAndHugeFilesAreRefusedAtOnce)
{
    TempDir data;
    const QString big = m_inputs.file(QStringLiteral("orders.csv"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(100) << 20)); // 100 MB, sparse
    file.close();
    for (const QString &orders : {QStringLiteral("/dev/zero"), big}) {
        const CliRun run = cli({QStringLiteral("--data"), data.path(), QStringLiteral("import-orders"), orders});
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(orders))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("不是普通文件")) || run.err.contains(QStringLiteral("太大")))
            << run.err.toStdString();
    }
    const CliRun run = cli({QStringLiteral("--data"), data.path(), QStringLiteral("post"), QStringLiteral("delivery"),
        QStringLiteral("--template"), QStringLiteral("出库发货单"), QStringLiteral("--fields"),
        m_inputs.file(QStringLiteral("fields.txt")), QStringLiteral("--goods"), QStringLiteral("/dev/zero"),
        QStringLiteral("--print-to"), data.file(QStringLiteral("pdf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("/dev/zero"))) << run.err.toStdString();
    EXPECT_FALSE(data.exists(QStringLiteral("批打数据")));
    EXPECT_FALSE(data.exists(QStringLiteral("商品资料.TXT")));
}
