// Loading a 200,000-row recipient book: TextTable::load against the floor of
// reading the bytes and decoding them.

#include "storage/Codec.h"
#include "storage/TextTable.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 200000;

// A recipient book of realistic rows (23 fields, Chinese names and
// addresses, varying values), written once per run.
class RecipientBook
{
public:
    static const RecipientBook &instance()
    {
        static const RecipientBook book;
        return book;
    }

    QString path() const { return m_dir.filePath(QStringLiteral("收件单位.TXT")); }
    qint64 bytes() const { return m_bytes; }

private:
    RecipientBook()
    {
        static const char16_t *const surnames[]
            = {u"张", u"王", u"李", u"赵", u"陈", u"刘", u"杨", u"黄", u"周", u"吴"};
        static const char16_t *const given[] = {u"三", u"小明", u"建国", u"丽", u"伟", u"芳", u"秀英", u"𠮷祥"};
        static const char16_t *const cities[][3] = {
            {u"上海市", u"上海市", u"浦东新区"},
            {u"北京市", u"北京市", u"朝阳区"},
            {u"广东省", u"深圳市", u"南山区"},
            {u"浙江省", u"杭州市", u"西湖区"},
            {u"四川省", u"成都市", u"武侯区"},
            {u"江苏省", u"南京市", u"鼓楼区"},
        };
        static const char16_t *const streets[] = {u"张江路", u"建国路", u"深南大道", u"文三路", u"人民南路", u"中山路"};
        static const char16_t *const companies[] = {u"某某贸易有限公司", u"", u"华东电子科技有限公司", u"个体"};
        QStringList rows;
        rows.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            const auto &city = cities[i % 6];
            const QString name = QString::fromUtf16(surnames[i % 10]) + QString::fromUtf16(given[(i / 10) % 8]);
            const QString phone = QStringLiteral("138%1").arg(10000000 + i * 37 % 90000000);
            const QStringList fields {
                QString::number(i % 3),
                i % 2 ? QStringLiteral("个人") : QStringLiteral("单位"),
                QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')),
                QString::number(100000 + i % 800000),
                QString::fromUtf16(city[0]),
                QString::fromUtf16(city[1]),
                QString::fromUtf16(city[2]),
                QStringLiteral("%1%2弄%3号楼%4室")
                    .arg(QString::fromUtf16(streets[i % 6]))
                    .arg(i % 999 + 1)
                    .arg(i % 30 + 1)
                    .arg(100 + i % 2000),
                QString::fromUtf16(companies[i % 4]),
                i % 5 ? QStringLiteral("采购部") : QString(),
                name,
                i % 2 ? QStringLiteral("先生") : QStringLiteral("女士"),
                QStringLiteral("收"),
                QStringLiteral("021-%1").arg(12345678 + i),
                QString(),
                QString(),
                phone,
                QStringLiteral("nick%1").arg(i),
                phone,
                QStringLiteral("a%1@b.com").arg(i),
                QStringLiteral("c%1@d.com").arg(i),
                QStringLiteral("qq%1").arg(100000 + i),
                QString(),
            };
            rows.append(fields.join(u','));
        }
        Slipdesk::TextTable::save(path(), rows);
        m_bytes = QFile(path()).size();
    }

    QTemporaryDir m_dir;
    qint64 m_bytes = 0;
};

void report(benchmark::State &state, qint64 bytes)
{
    const auto total = static_cast<double>(state.iterations());
    state.counters["rows/s"] = benchmark::Counter(total * kRows, benchmark::Counter::kIsRate);
    state.counters["MB/s"] = benchmark::Counter(total * double(bytes) / 1e6, benchmark::Counter::kIsRate);
}

// The floor: read the file and decode it, nothing else.
void BM_ReadAndDecode(benchmark::State &state)
{
    const RecipientBook &book = RecipientBook::instance();
    for (auto _ : state) {
        QFile file(book.path());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the recipient book");
            return;
        }
        const QString text = Slipdesk::Codec::decode(file.readAll());
        benchmark::DoNotOptimize(text.constData());
    }
    report(state, book.bytes());
}
BENCHMARK(BM_ReadAndDecode)->Unit(benchmark::kMillisecond);

void BM_TextTableLoad(benchmark::State &state)
{
    const RecipientBook &book = RecipientBook::instance();
    for (auto _ : state) {
        const QStringList rows = Slipdesk::TextTable::load(book.path());
        if (rows.size() != kRows) {
            state.SkipWithError("wrong row count");
            return;
        }
        benchmark::DoNotOptimize(rows.constData());
    }
    report(state, book.bytes());
}
BENCHMARK(BM_TextTableLoad)->Unit(benchmark::kMillisecond);

} // namespace
