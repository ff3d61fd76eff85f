// A save or an append killed at any moment leaves a whole file behind: the
// old version or the new one, every row complete.

#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "support/TempDir.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kTool = QStringLiteral(SLIPDESK_TOOL_DIR "/save_loop");

// Starts the tool, waits for its first complete write, lets it run for
// `runMs` and kills it (SIGKILL).
void runAndKill(const QString &mode, const QString &path, int runMs)
{
    QProcess child;
    child.start(kTool, {mode, path});
    ASSERT_TRUE(child.waitForStarted(5000)) << child.errorString().toStdString();
    QByteArray out;
    while (!out.contains("ready")) {
        ASSERT_TRUE(child.waitForReadyRead(20000))
            << "no ready from save_loop: " << child.readAllStandardError().toStdString();
        out += child.readAllStandardOutput();
    }
    QThread::msleep(runMs);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(5000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "save_loop ended before it was killed";
}

class KillTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        m_random.seed(seed);
        RecordProperty("seed", std::to_string(seed));
        std::cout << "[ seed     ] " << seed << '\n';
    }

    int randomDelay() { return static_cast<int>(m_random.bounded(10, 300)); }

    TempDir m_dir;
    QRandomGenerator m_random;
};

TEST_F(KillTest, KilledSaveLeavesOneWholeVersion)
{
    const QString path = m_dir.file(QStringLiteral("收件单位.TXT"));
    for (int round = 0; round < 8; ++round) {
        const int delay = randomDelay();
        SCOPED_TRACE(testing::Message() << "round " << round << ", killed after " << delay << " ms");
        runAndKill(QStringLiteral("save"), path, delay);
        if (HasFatalFailure())
            return;
        const QByteArray a = m_dir.read(QStringLiteral("收件单位.TXT.A"));
        const QByteArray b = m_dir.read(QStringLiteral("收件单位.TXT.B"));
        ASSERT_GT(a.size(), 5'000'000);
        ASSERT_EQ(a.size(), b.size()); // same length: only the content tells them apart
        ASSERT_NE(a, b);
        const QByteArray now = m_dir.read(QStringLiteral("收件单位.TXT"));
        EXPECT_TRUE(now == a || now == b) << "the file is neither version: " << now.size() << " bytes";
    }
}

TEST_F(KillTest, KilledAppendLeavesOnlyWholeRows)
{
    const QString name = QStringLiteral("打印记录/快递打印记录2024.txt");
    for (int round = 0; round < 8; ++round) {
        const int delay = randomDelay();
        SCOPED_TRACE(testing::Message() << "round " << round << ", killed after " << delay << " ms");
        runAndKill(QStringLiteral("append"), m_dir.file(name), delay);
        if (HasFatalFailure())
            return;
        const QByteArray bytes = m_dir.read(name);
        ASSERT_TRUE(bytes.endsWith("\r\n")) << "the last row is cut off";
        ASSERT_EQ(bytes.size() % 256, 0) << "rows of 256 bytes were expected";
        // Each run appends rows numbered 0, 1, 2, … after those of the runs before.
        const QStringList rows = Slipdesk::TextTable::load(m_dir.file(name));
        const QString payload = Slipdesk::TextTable::field(rows.first(), 1);
        int runs = 0;
        qsizetype number = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows[i].startsWith(QStringLiteral("第000000行,"))) {
                ++runs;
                number = 0;
            }
            const QString mark = QStringLiteral("第%1行").arg(number++, 6, 10, QLatin1Char('0'));
            ASSERT_EQ(rows[i], mark + u',' + payload + u',' + mark) << "row " << i;
        }
        EXPECT_EQ(runs, round + 1);
    }
}

} // namespace
