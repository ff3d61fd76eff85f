// Child program of the storage kill tests: writes one file over and over
// until the test kills it.
//
//   save_loop save <path>    saves version A and B of a large table in turn;
//                            first writes both versions to <path>.A and <path>.B
//                            for comparison (unless they exist from a former run).
//   save_loop append <path>  appends rows "第<i>行,<payload>,第<i>行", i = 000000,
//                            000001, …, each 256 bytes with its CR LF
//
// "ready" is printed once the first write to <path> is complete. The program
// stops by itself after a minute (or 200,000 appended rows) in case nobody
// kills it.

#include "storage/TextTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kRows = 50000;
constexpr qint64 kLifetimeMs = 60000;
constexpr qint64 kMaxAppends = 200000;

// A row of the recipient book, long and Chinese, distinguishable per version.
QStringList table(QChar version)
{
    QStringList rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        rows.append(QStringLiteral("%1,个人,%2,310000,上海市,上海市,浦东新区,张江路%3弄5号楼1201室,"
                                   "版本%4某某贸易有限公司,采购部,张三%4,先生,收,021-12345678,,,"
                                   "13812345678,nick%2,13812345678,a@b.com,c@d.com,qq%2")
                        .arg(i)
                        .arg(i, 6, 10, QLatin1Char('0'))
                        .arg(i % 997)
                        .arg(version));
    }
    return rows;
}

void announceReady()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

int runSave(const QString &path)
{
    const QStringList a = table(u'A');
    const QStringList b = table(u'B');
    if (!QFileInfo::exists(path + QStringLiteral(".B"))) {
        Slipdesk::TextTable::save(path + QStringLiteral(".A"), a);
        Slipdesk::TextTable::save(path + QStringLiteral(".B"), b);
    }
    QElapsedTimer alive;
    alive.start();
    for (qint64 i = 0; alive.elapsed() < kLifetimeMs; ++i) {
        Slipdesk::TextTable::save(path, i % 2 == 0 ? a : b);
        if (i == 0)
            announceReady();
    }
    return 0;
}

int runAppend(const QString &path)
{
    // 256 bytes a row: no row crosses a 4 KiB page of the file. The kernel
    // may cut a single write at a page boundary when the kill arrives during
    // that very write, which no append can prevent; the test checks what the
    // program controls (one whole row per write call).
    const QString payload
        = QStringLiteral("收货时请当场清点核对单货是否一致如有疑议请当面指出并及时联系卖家").repeated(4).left(116);
    QElapsedTimer alive;
    alive.start();
    for (qint64 i = 0; i < kMaxAppends && alive.elapsed() < kLifetimeMs; ++i) {
        const QString mark = QStringLiteral("第%1行").arg(i, 6, 10, QLatin1Char('0'));
        Slipdesk::TextTable::appendRow(path, mark + u',' + payload + u',' + mark);
        if (i == 0)
            announceReady();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: save_loop save|append <path>\n", stderr);
        return 2;
    }
    try {
        if (args[1] == QLatin1String("save"))
            return runSave(args[2]);
        if (args[1] == QLatin1String("append"))
            return runAppend(args[2]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "save_loop: %s\n", e.what());
        return 1;
    }
    std::fputs("usage: save_loop save|append <path>\n", stderr);
    return 2;
}
