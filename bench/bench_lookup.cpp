// The look-up list while typing, over a 100,000-row recipient book, for every
// searched field (unit, name, nickname, telephone): the index built when the
// book is read (its own figure), the first keystroke right after that, the
// later keystrokes, and two floors over the same characters: a raw scan of
// the field laid out in one flat buffer and a scan of the field in each row.
// BM_LookupVsScan times the first keystroke, a later one and the flat scan in
// the same run and reports them side by side.
#include "storage/TextTable.h"
#include "waybill/RecipientLookup.h"

#include <QHash>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using Slipdesk::RecipientLookup;

constexpr int kRows = 100000;

// Recipient rows with 22 fields: Chinese names that repeat as real ones do,
// units that are often empty or a person, fixed-line and mobile numbers.
const QStringList &book()
{
    static const QStringList rows = [] {
        static const char16_t *const surnames[] = {u"张", u"王", u"李", u"赵", u"陈", u"刘", u"杨", u"黄", u"周", u"吴",
            u"徐", u"孙", u"胡", u"朱", u"高", u"林", u"何", u"郭", u"马", u"罗", u"欧阳", u"司马"};
        static const char16_t *const given[]
            = {u"伟", u"芳", u"娜", u"秀英", u"敏", u"静", u"丽", u"强", u"磊", u"军", u"洋", u"勇", u"艳", u"杰",
                u"娟", u"涛", u"明", u"超", u"秀兰", u"霞", u"平", u"刚", u"建国", u"小红", u"志强", u"海燕"};
        static const char16_t *const cities[][4] = {
            {u"北京市", u"北京市", u"朝阳区", u"010"},
            {u"上海市", u"上海市", u"浦东新区", u"021"},
            {u"广东省", u"深圳市", u"南山区", u"0755"},
            {u"浙江省", u"杭州市", u"西湖区", u"0571"},
            {u"四川省", u"成都市", u"武侯区", u"028"},
            {u"江苏省", u"南京市", u"鼓楼区", u"025"},
            {u"湖北省", u"武汉市", u"洪山区", u"027"},
            {u"天津市", u"天津市", u"和平区", u"022"},
        };
        static const char16_t *const trades[] = {
            u"贸易", u"电子科技", u"服装", u"文化传媒", u"食品", u"建材", u"网络科技", u"母婴用品", u"家居", u"进出口"};
        static const char16_t *const streets[]
            = {u"建国路", u"中山路", u"人民南路", u"解放大道", u"文三路", u"深南大道", u"南京东路", u"长安街"};
        QStringList out;
        out.reserve(kRows);
        quint32 seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) & 0xFFFFFF;
        };
        for (int i = 0; i < kRows; ++i) {
            const auto &city = cities[next() % 8];
            const QString name = QString::fromUtf16(surnames[next() % 22]) + QString::fromUtf16(given[next() % 26]);
            QString unit;
            switch (next() % 4) {
            case 0:
                break;
            case 1:
                unit = QStringLiteral("个人");
                break;
            default:
                unit = QString::fromUtf16(city[1]).left(2) + QString::fromUtf16(trades[next() % 10])
                    + (next() % 2 ? QStringLiteral("有限公司") : QStringLiteral("商行"));
            }
            const QString tel = QString::fromUtf16(city[3]) + u'-' + QString::number(20000000 + next() % 79999999);
            const QString mobile
                = QStringLiteral("1%1%2").arg(3 + next() % 7).arg(next() % 1000000000, 9, 10, QLatin1Char('0'));
            const QStringList fields {
                QString(),
                i % 3 ? QStringLiteral("普通") : QStringLiteral("特殊"),
                QString::number(i + 1),
                QString::number(100000 + next() % 800000),
                QString::fromUtf16(city[0]),
                QString::fromUtf16(city[1]),
                QString::fromUtf16(city[2]),
                QString::fromUtf16(streets[next() % 8]) + QString::number(next() % 999 + 1) + QStringLiteral("号"),
                unit,
                QString(),
                name,
                QString(),
                QStringLiteral("收"),
                tel,
                QString(),
                QString(),
                mobile,
                QStringLiteral("buyer_%1").arg(next() % 500000),
                mobile,
                QString(),
                QString(),
                QString(),
            };
            out.append(fields.join(u','));
        }
        return out;
    }();
    return rows;
}

// One keystroke each: common and rare characters, texts that match every
// row ("0" in the telephone field, "b" in the nickname) and one that matches
// none.
struct Query
{
    const char *label;
    int field;
    const char16_t *text;
};
constexpr Query kQueries[] = {
    {"unit 京", RecipientLookup::UnitField, u"京"},
    {"unit 电子", RecipientLookup::UnitField, u"电子"},
    {"unit 有", RecipientLookup::UnitField, u"有"},
    {"name 张", RecipientLookup::NameField, u"张"},
    {"name 建国", RecipientLookup::NameField, u"建国"},
    {"name 鑫 (none)", RecipientLookup::NameField, u"鑫"},
    {"nick b (every row)", RecipientLookup::NickField, u"b"},
    {"nick 123", RecipientLookup::NickField, u"123"},
    {"phone 0 (every row)", RecipientLookup::PhoneField, u"0"},
    {"phone 0571-2", RecipientLookup::PhoneField, u"0571-2"},
    {"phone 8765", RecipientLookup::PhoneField, u"8765"},
};

const QStringList &column(int field)
{
    static QHash<int, QStringList> columns;
    auto it = columns.find(field);
    if (it == columns.end()) {
        QStringList values;
        values.reserve(kRows);
        for (const QString &row : book())
            values.append(Slipdesk::TextTable::field(row, field));
        it = columns.insert(field, values);
    }
    return *it;
}

// The items the window's list takes at once; the rest follow as the user
// scrolls down.
constexpr int kListChunk = 1000;

// What one keystroke costs in the look-up: the combo's items are searched for
// the exact text first, then the rows are searched, the items of the first
// list chunk built and the likely widest items of all matches picked.
qsizetype keystroke(RecipientLookup &lookup, const Query &q)
{
    const QString text = QString::fromUtf16(q.text);
    if (q.field != RecipientLookup::PhoneField && column(q.field).indexOf(text) >= 0)
        return 1;
    const QList<int> found = lookup.find(book(), q.field, text);
    const QStringList items = lookup.items(book(), found.mid(0, kListChunk));
    const QList<int> widest = lookup.widestRows(book(), found);
    benchmark::DoNotOptimize(items.size() + widest.size());
    return found.size();
}

// The column's characters in one flat buffer, values ended by '\n'.
const QString &flatColumn(int field)
{
    static QHash<int, QString> flat;
    auto it = flat.find(field);
    if (it == flat.end()) {
        QString text;
        for (const QString &value : column(field)) {
            text += value;
            text += u'\n';
        }
        it = flat.insert(field, text);
    }
    return *it;
}

// The floor: the rows whose value holds the text, by a raw scan of the flat
// buffer (a match skips to the next value), building nothing.
qsizetype flatScan(const Query &q)
{
    const QStringView haystack(flatColumn(q.field));
    const QStringView text(q.text);
    qsizetype hits = 0;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = haystack.indexOf(text, from);
        if (at < 0)
            break;
        ++hits;
        from = haystack.indexOf(u'\n', at);
        if (from < 0)
            break;
    }
    return hits;
}

// The per-row floor: find the field in every row and test it for the text.
qsizetype bareScan(const Query &q)
{
    const QStringView text(q.text);
    qsizetype hits = 0;
    for (const QString &row : book()) {
        const QStringView r(row);
        qsizetype start = 0;
        bool present = true;
        for (int i = 0; i < q.field && present; ++i) {
            const qsizetype comma = r.indexOf(u',', start);
            present = comma >= 0;
            start = comma + 1;
        }
        if (!present)
            continue;
        const qsizetype end = r.indexOf(u',', start);
        if (r.mid(start, end < 0 ? -1 : end - start).contains(text))
            ++hits;
    }
    return hits;
}

void labelled(benchmark::State &state)
{
    state.SetLabel(kQueries[state.range(0)].label);
}

// Building the searched columns when the book is read or changes.
void BM_LookupIndexBuild(benchmark::State &state)
{
    for (auto _ : state) {
        RecipientLookup lookup;
        lookup.prepare(book());
        benchmark::DoNotOptimize(&lookup);
    }
}

void BM_LookupKeystroke(benchmark::State &state)
{
    const Query &q = kQueries[state.range(0)];
    RecipientLookup lookup;
    lookup.prepare(book());
    const qsizetype hits = keystroke(lookup, q); // the keystrokes before this one
    for (auto _ : state)
        benchmark::DoNotOptimize(keystroke(lookup, q));
    state.counters["items"] = double(hits);
    labelled(state);
}

// The first keystroke in a field right after the book was read: the index
// is built (not timed), nothing else is.
void BM_LookupFirstKeystroke(benchmark::State &state)
{
    const Query &q = kQueries[state.range(0)];
    for (auto _ : state) {
        state.PauseTiming();
        auto lookup = std::make_unique<RecipientLookup>();
        lookup->prepare(book());
        state.ResumeTiming();
        benchmark::DoNotOptimize(keystroke(*lookup, q));
        state.PauseTiming();
        lookup.reset();
        state.ResumeTiming();
    }
    labelled(state);
}

void BM_FlatBufferScan(benchmark::State &state)
{
    const Query &q = kQueries[state.range(0)];
    flatColumn(q.field);
    for (auto _ : state)
        benchmark::DoNotOptimize(flatScan(q));
    labelled(state);
}

void BM_BareScan(benchmark::State &state)
{
    const Query &q = kQueries[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(bareScan(q));
    labelled(state);
}

// All in one run, timed alike: the first keystroke after the book was read,
// a later keystroke, the raw flat-buffer scan, and the ratio of the first
// keystroke to that scan (the goal: every keystroke under 10 ms).
void BM_LookupVsScan(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const Query &q = kQueries[state.range(0)];
    flatColumn(q.field);
    column(q.field);
    double first = 0;
    double later = 0;
    double scan = 0;
    qsizetype hits = 0;
    for (auto _ : state) {
        RecipientLookup lookup;
        lookup.prepare(book());
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(keystroke(lookup, q));
        const auto t1 = Clock::now();
        hits = keystroke(lookup, q);
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(flatScan(q));
        const auto t3 = Clock::now();
        first += std::chrono::duration<double, std::milli>(t1 - t0).count();
        later += std::chrono::duration<double, std::milli>(t2 - t1).count();
        scan += std::chrono::duration<double, std::milli>(t3 - t2).count();
    }
    const double n = double(state.iterations());
    state.counters["first_ms"] = first / n;
    state.counters["later_ms"] = later / n;
    state.counters["flat_scan_ms"] = scan / n;
    state.counters["first_vs_scan"] = scan > 0 ? first / scan : 0;
    state.counters["items"] = double(hits);
    labelled(state);
}

void queries(benchmark::internal::Benchmark *b)
{
    for (int i = 0; i < int(std::size(kQueries)); ++i)
        b->Arg(i);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LookupIndexBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupFirstKeystroke)->Apply(queries);
BENCHMARK(BM_LookupKeystroke)->Apply(queries);
BENCHMARK(BM_FlatBufferScan)->Apply(queries);
BENCHMARK(BM_BareScan)->Apply(queries);
BENCHMARK(BM_LookupVsScan)->Apply(queries);

} // namespace
